// Entering saved files in the family list.
#include "familylist.h"

#include "platform/dialogs.h"
#include "platform/windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace
{

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QByteArray entry(const QString &type, const QString &path, const QString &time)
{
    const auto quoted = [](const QString &text) { return '"' + Windows1252::encode(text) + '"'; };
    return quoted(type) + ',' + quoted(path) + ',' + quoted(time) + kLineEnd;
}

// The three values of a line read by the .pro rules, or nothing when the line is not an entry.
std::optional<std::array<QString, 3>> parseEntry(const QString &line)
{
    std::array<QString, 3> values;
    qsizetype pos = 0;
    const qsizetype n = line.size();
    for (size_t i = 0; i < values.size(); ++i) {
        while (pos < n && (line.at(pos) == QLatin1Char(' ') || line.at(pos) == QLatin1Char('\t')))
            ++pos;
        if (pos < n && line.at(pos) == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                return std::nullopt;
            values[i] = line.mid(pos + 1, close - pos - 1);
            pos = close + 1;
            while (pos < n && line.at(pos) != QLatin1Char(','))
                ++pos;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            const qsizetype end = comma < 0 ? n : comma;
            values[i] = line.mid(pos, end - pos).trimmed();
            pos = end;
        }
        const bool last = i + 1 == values.size();
        if (last) {
            if (pos < n) // a fourth value: not an entry of this list
                return std::nullopt;
        } else {
            if (pos >= n)
                return std::nullopt;
            ++pos; // the comma
        }
    }
    return values;
}

void showProblem(Dialogs &dialogs, const FileError &error)
{
    dialogs.message(QStringLiteral("Problem saving to Brackel list") + QLatin1Char('\r') +
                        QString::number(error.number) + QLatin1Char('-') + error.description,
                    QStringLiteral("Fenwyx"), MessageButtons::Ok, MessageIcon::None);
}

} // namespace

namespace FamilyList
{

QByteArray updated(const QByteArray &listBytes, const QString &path, const QString &type, const QString &time)
{
    QByteArray out;
    bool found = false;
    qsizetype start = 0;
    const qsizetype n = listBytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && listBytes.at(end) != '\r' && listBytes.at(end) != '\n')
            ++end;
        const QByteArray line = listBytes.mid(start, end - start);
        start = end;
        if (start < n && listBytes.at(start) == '\r')
            ++start;
        if (start < n && listBytes.at(start) == '\n')
            ++start;
        if (line.trimmed().isEmpty())
            continue;
        const auto values = parseEntry(Windows1252::decode(line));
        if (values && (*values)[1] == path) {
            out += entry((*values)[0], path, time);
            found = true;
        } else {
            out += line + kLineEnd;
        }
    }
    if (!found)
        out += entry(type, path, time);
    return out;
}

QString timeText(const QLocale &locale, const QDateTime &time)
{
    QString text = locale.toString(time, QLocale::ShortFormat);
    if (Windows1252::canEncode(text))
        return text;
    text = QLocale::c().toString(time, locale.dateTimeFormat(QLocale::ShortFormat));
    QString kept;
    for (const QChar c : std::as_const(text)) {
        if (Windows1252::canEncode(QStringView(&c, 1)))
            kept += c;
        else if (c.isSpace())
            kept += QLatin1Char(' ');
        // direction marks and the like are dropped
    }
    return kept;
}

QString refusal(const QString &path)
{
    if (path.contains(QLatin1Char('"')))
        return QStringLiteral("The path holds a double quote, which the list cannot hold: %1").arg(path);
    if (path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n')))
        return QStringLiteral("The path holds a line break, which the list cannot hold");
    if (!Windows1252::canEncode(path))
        return QStringLiteral("The path holds characters the list cannot hold: %1").arg(path);
    return {};
}

} // namespace FamilyList

bool AddToFamilyList(const QString &programFolder, const QString &path, const QString &type, Dialogs &dialogs)
{
    const QString why = FamilyList::refusal(path);
    if (!why.isEmpty()) {
        showProblem(dialogs, {FileErrors::BadFileName, why});
        return false;
    }
    const QDir folder(programFolder);
    const QString listPath = folder.filePath(FamilyList::kListName);
    const QString tempPath = folder.filePath(FamilyList::kTempName);

    QByteArray old;
    const QFileInfo listInfo(listPath);
    if (listInfo.exists() || listInfo.isSymLink()) {
        QFile list(listPath);
        if (listInfo.isDir()) {
            showProblem(dialogs, {FileErrors::AccessError, QStringLiteral("%1 is a folder").arg(listPath)});
            return false;
        }
        if (!list.open(QIODevice::ReadOnly)) {
            showProblem(dialogs, FileErrors::fromFile(list, listPath));
            return false;
        }
        old = list.readAll();
        if (list.error() != QFileDevice::NoError) {
            showProblem(dialogs, FileErrors::fromFile(list, listPath));
            return false;
        }
    }

    const QString now = FamilyList::timeText(QLocale(), QDateTime::currentDateTime());
    const QByteArray bytes = FamilyList::updated(old, path, type, now);

    // Written beside the list and renamed over it, so a failure at any point leaves the old list whole.
    QFile::remove(tempPath);
    QFile temp(tempPath);
    FileError error;
    bool ok =
        temp.open(QIODevice::WriteOnly | QIODevice::Truncate) && temp.write(bytes) == bytes.size() && temp.flush();
    if (!ok)
        error = FileErrors::fromFile(temp, tempPath);
    else if (listInfo.exists())
        temp.setPermissions(listInfo.permissions()); // siblings of other users may share the list
    if (ok && ::fsync(temp.handle()) != 0) {
        ok = false;
        error = {FileErrors::DeviceIo, QString::fromLocal8Bit(std::strerror(errno))};
    }
    temp.close();
    if (ok && std::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(listPath).constData()) != 0) {
        ok = false;
        error = {FileErrors::AccessError, QString::fromLocal8Bit(std::strerror(errno))};
    }
    if (!ok) {
        QFile::remove(tempPath);
        showProblem(dialogs, error);
    }
    return ok;
}
