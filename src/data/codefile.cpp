// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the code files and turning database codes into list entries.
#include "codefile.h"

#include "platform/windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The file's bytes; nothing for a missing file, and nothing with *reason for one that cannot be used.
QByteArray readCodeFile(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile()) {
        *reason = QStringLiteral("not a regular file");
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot be read (%1)").arg(file.errorString());
        return {};
    }
    // Read with a bound as well: the file may grow after its size was looked at.
    const QByteArray bytes = file.size() > CodeFile::MaxFileSize ? QByteArray() : file.read(CodeFile::MaxFileSize + 1);
    if (file.size() > CodeFile::MaxFileSize || bytes.size() > CodeFile::MaxFileSize) {
        *reason = QStringLiteral("larger than %1 MB, too large for a code file").arg(CodeFile::MaxFileSize >> 20);
        return {};
    }
    if (file.error() != QFileDevice::NoError) {
        *reason = QStringLiteral("cannot be read (%1)").arg(file.errorString());
        return {};
    }
    return bytes;
}

} // namespace

CodeFile::CodeFile(const QString &path, QString *problem)
{
    QString reason;
    const QByteArray bytes = readCodeFile(path, &reason);
    if (!reason.isEmpty() && problem) {
        *problem = QStringLiteral("%1: %2; its codes are listed without descriptions")
                       .arg(QDir::toNativeSeparators(path), reason);
    }
    *this = fromBytes(bytes);
}

CodeFile CodeFile::fromBytes(const QByteArray &bytes)
{
    CodeFile result;
    const QString text = Windows1252::decode(bytes);
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (!line.trimmed().isEmpty()) {
            const QStringList f = fields(line);
            result.m_lines.push_back({f.value(0), f.value(1)});
        }
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return result;
}

QStringList CodeFile::fields(QStringView line)
{
    QStringList result;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        while (i < n && isBlank(line[i]))
            ++i;
        QString field;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? n : close;
            field = line.mid(i + 1, stop - i - 1).toString();
            i = stop;
            // Anything between the closing quote and the next comma is ignored.
            while (i < n && line[i] != u',')
                ++i;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype stop = comma < 0 ? n : comma;
            field = line.mid(i, stop - i).trimmed().toString();
            i = stop;
        }
        result.append(field);
        if (i >= n)
            break;
        ++i; // the comma
        if (i == n) {
            result.append(QString());
            break;
        }
    }
    return result;
}

QString CodeFile::LookupCode(const QString &code) const
{
    // Only blanks (spaces) are removed here: a tab or line break is part of the code.
    qsizetype from = 0, to = code.size();
    while (from < to && code[from] == u' ')
        ++from;
    while (to > from && code[to - 1] == u' ')
        --to;
    const QString wanted = code.mid(from, to - from).toUpper();
    for (const Line &line : m_lines) {
        qsizetype first = 0;
        while (first < line.code.size() && line.code[first] == u' ')
            ++first;
        if (QStringView(line.code).mid(first).toString().toUpper() == wanted)
            return line.code + QLatin1Char('-') + line.description;
    }
    return code + QStringLiteral("- ");
}

QString LookupCode(const QString &path, const QString &code)
{
    return CodeFile(path).LookupCode(code);
}
