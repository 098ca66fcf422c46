// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the exported CSV files.
#include "resultsexport.h"

#include "data/csvwriter.h"
#include "data/resultsmodel.h"
#include "platform/wholefile.h"

namespace ResultsExport
{

void appendHeader(QByteArray &out, Units units)
{
    QStringList header;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c)
        header << ResultsModel::headerText(c, units);
    Csv::appendRow(out, header);
}

void appendPhoto(QByteArray &out, const PhotoRecord &photo, Units units)
{
    for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
        if (c)
            out += ',';
        Csv::appendField(out, ResultsModel::cellText(photo, c, units));
    }
    out += "\r\n";
}

QByteArray csv(const ResultsModel &model)
{
    QByteArray out;
    appendHeader(out, model.units());
    for (int row = 0; row < model.rowCount(); ++row)
        appendPhoto(out, *model.photoAt(row), model.units());
    return out;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    WholeFile::Failure failure;
    if (WholeFile::write(path, bytes, {}, &failure))
        return true;
    if (error)
        *error = failure.description;
    return false;
}

} // namespace ResultsExport
