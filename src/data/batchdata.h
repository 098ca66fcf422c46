// SPDX-License-Identifier: GPL-3.0-or-later
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

// The results list's CSV (shared by list and query): the header, then one row per photo. Nothing reaches the
// output before finish(), so a read that fails half-way (a locked or damaged file) prints nothing at all.
class ResultsCsvWriter
{
public:
    explicit ResultsCsvWriter(Units units = Units::Imperial);
    void write(const PhotoRecord &photo);
    // Writes everything and flushes; false (with the reason on err) when the output could not take it all.
    bool finish(std::FILE *out, std::FILE *err);

private:
    Units m_units;
    QByteArray m_buffer;
};

// Writes the bytes and flushes: false, with the reason on err, when the output refused any of it (a full
// disk, a closed pipe), so that a command never ends in success with its output cut short.
bool writeOutput(std::FILE *out, const QByteArray &bytes, std::FILE *err);

// The value of an option taken from the arguments: "--name=value" (option is cut to "--name") or "--name value"
// (the value taken from rest). False when rest holds no value.
bool takeOptionValue(QString &option, QStringList &rest, QString *value);
} // namespace BatchData
