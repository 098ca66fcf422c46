// Batch data commands over the same core as the windows.
#include "batchdata.h"

#include "data/csvwriter.h"
#include "data/photolibrary.h"
#include "data/resultsmodel.h"

namespace BatchData {

void writeResultsCsv(const std::vector<PhotoRecord> &photos, std::FILE *out)
{
    QByteArray buffer;
    buffer.reserve(1 << 20);
    QStringList header;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c)
        header << ResultsModel::headerText(c);
    Csv::appendRow(buffer, header);
    for (const PhotoRecord &photo : photos) {
        for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
            if (c)
                buffer += ',';
            Csv::appendField(buffer, ResultsModel::cellText(photo, c));
        }
        buffer += "\r\n";
        if (buffer.size() > (1 << 20) - 4096) {
            std::fwrite(buffer.constData(), 1, size_t(buffer.size()), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.constData(), 1, size_t(buffer.size()), out);
    std::fflush(out);
}

int list(const QString &programFolder, std::FILE *out, std::FILE *err)
{
    PhotoLibrary library;
    QString error;
    if (!library.OpenPhotoDatabase(programFolder, &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    writeResultsCsv(*library.currentPhotoSet(), out);
    return 0;
}

int convert(const QString &in, const QString &out, std::FILE *err)
{
    PhotoDatabase source;
    QString error;
    if (!source.open(in, &error) || !writeSqliteCopy(source, out, &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    return 0;
}

} // namespace BatchData
