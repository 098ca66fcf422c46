// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading .pro files.
#include "profilefile.h"

#include "data/numberformat.h"
#include "platform/wholefile.h"
#include "platform/windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>

namespace
{

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QString crlfBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QString lfBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Reads values one after the other by the rules of the format.
class ValueReader
{
public:
    explicit ValueReader(QString text) : m_text(std::move(text)) {}

    std::optional<QString> text(FileError *error)
    {
        skipBlanks();
        if (atEnd())
            return fail(error, FileErrors::InputPastEnd, QStringLiteral("Input past end of file"));
        if (m_text.at(m_pos) == QLatin1Char('"')) {
            const qsizetype close = m_text.indexOf(QLatin1Char('"'), m_pos + 1);
            if (close < 0)
                return fail(error, FileErrors::InputPastEnd,
                            QStringLiteral("Input past end of file (a text has no closing double quote)"));
            QString value = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipToDelimiter();
            return lfBreaks(value);
        }
        return field().trimmed();
    }

    std::optional<double> number(FileError *error)
    {
        skipBlanks();
        if (atEnd()) {
            fail(error, FileErrors::InputPastEnd, QStringLiteral("Input past end of file"));
            return std::nullopt;
        }
        const QString raw = field().trimmed();
        if (raw.isEmpty())
            return 0.0;
        const auto value = NumberFormat::parse(raw);
        if (!value || !std::isfinite(*value)) {
            fail(error, FileErrors::TypeMismatch,
                 QStringLiteral("Type mismatch (\"%1\" is not a number)").arg(raw.left(40)));
            return std::nullopt;
        }
        return value;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    bool atDelimiter() const
    {
        const QChar c = m_text.at(m_pos);
        return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }

    void skipBlanks()
    {
        while (!atEnd() && (m_text.at(m_pos) == QLatin1Char(' ') || m_text.at(m_pos) == QLatin1Char('\t')))
            ++m_pos;
    }

    void consumeDelimiter()
    {
        if (atEnd())
            return;
        const QChar c = m_text.at(m_pos++);
        if (c == QLatin1Char('\r') && !atEnd() && m_text.at(m_pos) == QLatin1Char('\n'))
            ++m_pos;
    }

    void skipToDelimiter()
    {
        while (!atEnd() && !atDelimiter())
            ++m_pos;
        consumeDelimiter();
    }

    QString field()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && !atDelimiter())
            ++m_pos;
        QString value = m_text.mid(start, m_pos - start);
        consumeDelimiter();
        return value;
    }

    static std::nullopt_t fail(FileError *error, int number, const QString &description)
    {
        if (error)
            *error = {number, description};
        return std::nullopt;
    }

    QString m_text;
    qsizetype m_pos = 0;
};

FileError notRegular(const QFileInfo &info)
{
    return {FileErrors::AccessError,
            info.isDir() ? QStringLiteral("Is a directory") : QStringLiteral("Not a regular file")};
}

QString cleanText(const QString &text, bool *quotes, bool *characters)
{
    QString result = text;
    if (result.contains(QLatin1Char('"'))) {
        *quotes = true;
        result.replace(QLatin1Char('"'), QLatin1Char('\''));
    }
    bool lossy = false;
    const QByteArray bytes = Windows1252::encode(result, &lossy);
    if (lossy) {
        *characters = true;
        result = Windows1252::decode(bytes);
    }
    return result;
}

} // namespace

namespace ProfileFile
{

QString withProfileExtension(const QString &path)
{
    if (QFileInfo(path).fileName().contains(QLatin1String(".pro"), Qt::CaseInsensitive))
        return path;
    return path + QLatin1String(".pro");
}

std::optional<FileError> folderName(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator()))
        return FileError{FileErrors::BadFileName,
                         QStringLiteral("The name ends in a folder separator: it names a folder, not a file")};
    if (QFileInfo(path).isDir())
        return FileError{FileErrors::BadFileName, QStringLiteral("The name is that of a folder, not of a file")};
    return std::nullopt;
}

Cleaned clean(const FuelProfile &profile)
{
    Cleaned c;
    c.profile = profile;
    for (QString *text : {&c.profile.ProfileName, &c.profile.Notes, &c.profile.Source0to3, &c.profile.Source3Plus,
                          &c.profile.SourceDuff, &c.profile.SourceFuelBed})
        *text = cleanText(*text, &c.quotesReplaced, &c.charactersReplaced);
    return c;
}

QByteArray encode(const FuelProfile &input)
{
    const FuelProfile p = clean(input).profile;
    QByteArray bytes;
    const auto text = [&bytes](const QString &value) {
        bytes += '"' + Windows1252::encode(crlfBreaks(value)) + '"' + kLineEnd;
    };
    const auto number = [&bytes](double value) { bytes += NumberFormat::plainDecimal(value).toLatin1() + kLineEnd; };
    text(p.ProfileName);
    text(p.Notes);
    text(p.Source0to3);
    number(p.Tpa1);
    number(p.Tpa2);
    number(p.Tpa3);
    text(p.Source3Plus);
    number(p.Load3Plus);
    text(p.SourceDuff);
    text(p.SourceFuelBed);
    number(p.DuffDepth);
    number(p.FuelBedDepth);
    return bytes;
}

std::optional<FuelProfile> decode(const QByteArray &bytes, FileError *error)
{
    ValueReader in(Windows1252::decode(bytes));
    FuelProfile p;
    for (QString *text : {&p.ProfileName, &p.Notes, &p.Source0to3}) {
        const auto v = in.text(error);
        if (!v)
            return std::nullopt;
        *text = *v;
    }
    for (double *number : {&p.Tpa1, &p.Tpa2, &p.Tpa3}) {
        const auto v = in.number(error);
        if (!v)
            return std::nullopt;
        *number = *v;
    }
    const auto source3Plus = in.text(error);
    if (!source3Plus)
        return std::nullopt;
    p.Source3Plus = *source3Plus;
    const auto load3Plus = in.number(error);
    if (!load3Plus)
        return std::nullopt;
    p.Load3Plus = *load3Plus;
    for (QString *text : {&p.SourceDuff, &p.SourceFuelBed}) {
        const auto v = in.text(error);
        if (!v)
            return std::nullopt;
        *text = *v;
    }
    for (double *number : {&p.DuffDepth, &p.FuelBedDepth}) {
        const auto v = in.number(error);
        if (!v)
            return std::nullopt;
        *number = *v;
    }
    // Written again, line breaks as CR LF and quotes added, the file could outgrow what a profile may be.
    if (!fitsInFile(p)) {
        if (error)
            *error = tooLarge();
        return std::nullopt;
    }
    return p;
}

bool fitsInFile(const FuelProfile &profile)
{
    return encode(profile).size() <= kMaxFileSize;
}

FileError tooLarge()
{
    const QString size = kMaxFileSize % (1024 * 1024) == 0
                             ? QString::number(kMaxFileSize / (1024 * 1024)) + QStringLiteral(" MB")
                             : QString::number(kMaxFileSize / 1024) + QStringLiteral(" KB");
    return {FileErrors::OutOfMemory,
            QStringLiteral("A fuel profile file may hold at most %1, names and notes included").arg(size)};
}

bool write(const QString &path, const FuelProfile &profile, FileError *error)
{
    WholeFile::Options options;
    // In a folder the user may not write, a profile the user may write is overwritten in place, as the
    // family's other programs do; its old bytes are written back if the new ones do not fit.
    options.inPlaceFallback = true;
    options.inPlaceLimit = kMaxFileSize;
    WholeFile::Failure failure;
    if (WholeFile::write(path, encode(profile), options, &failure))
        return true;
    if (error)
        *error = FileErrors::fromWriteFailure(failure, path);
    return false;
}

std::optional<FuelProfile> read(const QString &path, FileError *error)
{
    const auto fail = [error](const FileError &why) -> std::optional<FuelProfile> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QFile file(path);
    const QFileInfo info(path);
    // A folder, pipe or device is no profile: a pipe would wait for a writer and /dev/zero never end.
    if (info.exists() && !info.isFile())
        return fail(notRegular(info));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return fail(FileErrors::fromFile(file, path, errno));
    if (file.size() > kMaxFileSize)
        return fail(tooLarge());
    // A file that grows while it is read is bounded all the same.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(FileErrors::fromFile(file, path, errno));
    if (bytes.size() > kMaxFileSize)
        return fail(tooLarge());
    return decode(bytes, error);
}

} // namespace ProfileFile
