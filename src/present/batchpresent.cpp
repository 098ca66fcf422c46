// SPDX-License-Identifier: GPL-3.0-or-later
// Batch presentation commands over the same core as the windows.
#include "batchpresent.h"

#include "data/batchdata.h"
#include "data/csvwriter.h"
#include "data/photolibrary.h"
#include "present/photodata.h"

namespace BatchPresent
{

int datasheet(const QString &programFolder, const QString &label, std::FILE *out, std::FILE *err, Units units)
{
    // The database alone: one photo needs no reading of the whole table.
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    // The photo and its book from one state of the file.
    const PhotoDatabase::ReadTransaction reading(database);
    std::optional<PhotoRecord> photo = PhotoData::photoByLabel(database, label, &error);
    if (!photo) {
        std::fprintf(err, "datasheet: %s\n", qUtf8Printable(error));
        return 1;
    }
    const PhotoSlotState state = PhotoData::fromRecord(database, std::move(*photo), units);
    QByteArray buffer;
    for (int row = 0; row < state.sheet.rows; ++row)
        Csv::appendRow(buffer, {state.sheet.cell(row, 0), state.sheet.cell(row, 1)});
    return BatchData::writeOutput(out, buffer, err) ? 0 : 1;
}

} // namespace BatchPresent
