// The batch interface's data commands: list and convert.
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <QByteArray>
#include <QStringList>
#include <cstdio>

namespace BatchData
{
// The current photo set as CSV: the 19 headers, then one row per photo with the list's texts.
int list(const QString &programFolder, std::FILE *out, std::FILE *err, Units units = Units::Imperial);
int convert(const QString &in, const QString &out, std::FILE *err);

// The results list's CSV (shared by list and query): writes the CSV header, then one row per call; flushes when
// destroyed.
class ResultsCsvWriter
{
public:
    explicit ResultsCsvWriter(std::FILE *out, Units units = Units::Imperial);
    ~ResultsCsvWriter();
    void write(const PhotoRecord &photo);

private:
    std::FILE *m_out;
    Units m_units;
    QByteArray m_buffer;
};
} // namespace BatchData
