// The batch interface's data commands: list and convert.
#pragma once

#include "data/photorecord.h"

#include <QByteArray>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace BatchData {
// The current photo set as CSV: the 19 headers, then one row per photo with the list's texts.
int list(const QString &programFolder, std::FILE *out, std::FILE *err);
int convert(const QString &in, const QString &out, std::FILE *err);
// Writes photos as the list's CSV (shared by list and query).
void writeResultsCsv(const std::vector<PhotoRecord> &photos, std::FILE *out);

// Writes the CSV header, then one row per call; flushes when destroyed.
class ResultsCsvWriter {
public:
    explicit ResultsCsvWriter(std::FILE *out);
    ~ResultsCsvWriter();
    void write(const PhotoRecord &photo);

private:
    std::FILE *m_out;
    QByteArray m_buffer;
};
}
