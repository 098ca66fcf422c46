// Batch presentation commands over the same core as the windows.
#include "batchpresent.h"

#include "data/csvwriter.h"
#include "data/photolibrary.h"
#include "present/photodata.h"

namespace BatchPresent
{

int datasheet(const QString &programFolder, const QString &label, std::FILE *out, std::FILE *err)
{
    PhotoLibrary library;
    QString error;
    if (!library.OpenPhotoDatabase(programFolder, &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    const std::optional<PhotoRecord> photo = PhotoData::photoByLabel(library.database(), label, &error);
    std::optional<PhotoSlotState> state;
    if (photo)
        state = PhotoData::read(library.database(), photo->id, &error);
    if (!state) {
        std::fprintf(err, "datasheet: %s\n", qUtf8Printable(error));
        return 1;
    }
    QByteArray buffer;
    for (int row = 0; row < state->sheet.rows; ++row)
        Csv::appendRow(buffer, {state->sheet.cell(row, 0), state->sheet.cell(row, 1)});
    std::fwrite(buffer.constData(), 1, size_t(buffer.size()), out);
    std::fflush(out);
    return 0;
}

} // namespace BatchPresent
