// SPDX-License-Identifier: GPL-3.0-or-later
// Batch data commands over the same core as the windows.
#include "batchdata.h"

#include "data/csvwriter.h"
#include "data/photolibrary.h"
#include "data/resultsexport.h"
#include "data/resultsmodel.h"

#include <cerrno>
#include <cstring>

namespace BatchData
{

ResultsCsvWriter::ResultsCsvWriter(Units units) : m_units(units)
{
    ResultsExport::appendHeader(m_buffer, m_units);
}

void ResultsCsvWriter::write(const PhotoRecord &photo)
{
    ResultsExport::appendPhoto(m_buffer, photo, m_units);
}

bool ResultsCsvWriter::finish(std::FILE *out, std::FILE *err)
{
    return writeOutput(out, m_buffer, err);
}

bool writeOutput(std::FILE *out, const QByteArray &bytes, std::FILE *err)
{
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    if (written == size_t(bytes.size()) && std::fflush(out) == 0)
        return true;
    const int number = errno;
    std::fprintf(err, "cannot write the output: %s\n", number ? std::strerror(number) : "write failed");
    return false;
}

int list(const QString &programFolder, std::FILE *out, std::FILE *err, Units units)
{
    // A read: the program folder is left as it is, without the data folder the windows make.
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    // Start-up's whole table, read from one state of the file; the file is let go before the output is written.
    ResultsCsvWriter writer(units);
    bool read = false;
    {
        const PhotoDatabase::ReadTransaction reading(database);
        read = database.visitPhotos(
            {}, {}, [&writer](const PhotoRecord &photo) { writer.write(photo); }, &error);
    }
    if (!read) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    return writer.finish(out, err) ? 0 : 1;
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

bool takeOptionValue(QString &option, QStringList &rest, QString *value)
{
    if (const qsizetype equals = option.indexOf(QLatin1Char('=')); equals > 0) {
        *value = option.mid(equals + 1);
        option.truncate(equals);
        return true;
    }
    if (rest.isEmpty())
        return false;
    *value = rest.takeFirst();
    return true;
}

} // namespace BatchData
