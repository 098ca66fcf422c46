// Batch data commands over the same core as the windows.
#include "batchdata.h"

#include "data/csvwriter.h"
#include "data/photolibrary.h"
#include "data/resultsexport.h"
#include "data/resultsmodel.h"

#include <QDir>

namespace BatchData
{

ResultsCsvWriter::ResultsCsvWriter(std::FILE *out, Units units) : m_out(out), m_units(units)
{
    m_buffer.reserve(1 << 20);
    ResultsExport::appendHeader(m_buffer, m_units);
}

ResultsCsvWriter::~ResultsCsvWriter()
{
    std::fwrite(m_buffer.constData(), 1, size_t(m_buffer.size()), m_out);
    std::fflush(m_out);
}

void ResultsCsvWriter::write(const PhotoRecord &photo)
{
    ResultsExport::appendPhoto(m_buffer, photo, m_units);
    if (m_buffer.size() > (1 << 20) - 4096) {
        std::fwrite(m_buffer.constData(), 1, size_t(m_buffer.size()), m_out);
        m_buffer.clear();
    }
}

int list(const QString &programFolder, std::FILE *out, std::FILE *err, Units units)
{
    // Start-up's whole table, streamed rather than held.
    QDir().mkpath(PhotoLibrary::dataFolder(programFolder));
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    bool ok = false;
    {
        ResultsCsvWriter writer(out, units);
        ok = database.visitPhotos(
            {}, {}, [&writer](const PhotoRecord &photo) { writer.write(photo); }, &error);
    }
    if (!ok) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
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
