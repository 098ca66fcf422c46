// SPDX-License-Identifier: GPL-3.0-or-later
// Entering saved files in the family list.
#include "familylist.h"

#include "platform/dialogs.h"
#include "platform/filelock.h"
#include "platform/wholefile.h"
#include "platform/windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <array>
#include <cerrno>
#include <optional>

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

QString generalFormat(const QLocale &locale)
{
    // The date: the short form with a four-digit year.
    QString date = locale.dateFormat(QLocale::ShortFormat);
    bool quoted = false;
    for (qsizetype i = 0; i < date.size(); ++i) {
        if (date.at(i) == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || date.at(i) != QLatin1Char('y'))
            continue;
        qsizetype end = i;
        while (end < date.size() && date.at(end) == QLatin1Char('y'))
            ++end;
        if (end - i < 4)
            date.replace(i, end - i, QStringLiteral("yyyy"));
        i += 3;
    }
    // The time: the short form with the seconds after the minutes, behind the same separator as the minutes.
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (time.contains(QLatin1Char('s')))
        return date + QLatin1Char(' ') + time;
    quoted = false;
    for (qsizetype i = 0; i < time.size(); ++i) {
        if (time.at(i) == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || time.at(i) != QLatin1Char('m'))
            continue;
        qsizetype separator = i;
        while (separator > 0 && time.at(separator - 1) != QLatin1Char('h') &&
               time.at(separator - 1) != QLatin1Char('H'))
            --separator;
        const QString between = separator > 0 ? time.mid(separator, i - separator) : QString();
        qsizetype end = i;
        while (end < time.size() && time.at(end) == QLatin1Char('m'))
            ++end;
        time.insert(end, (between.isEmpty() || between.contains(QLatin1Char('\'')) ? QStringLiteral(":") : between) +
                             QStringLiteral("ss"));
        break;
    }
    return date + QLatin1Char(' ') + time;
}

QString timeText(const QLocale &locale, const QDateTime &time)
{
    const QString format = generalFormat(locale);
    QString text = locale.toString(time, format);
    if (Windows1252::canEncode(text))
        return text;
    text = QLocale::c().toString(time, format);
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
    const auto problem = [&dialogs](const FileError &error) {
        showProblem(dialogs, error);
        return false;
    };
    const QString why = FamilyList::refusal(path);
    if (!why.isEmpty())
        return problem({FileErrors::BadFileName, why});

    // The list itself, or the file its symbolic link (or chain of links) stands for.
    int linkError = 0;
    const QString listPath = WholeFile::linkTarget(QDir(programFolder).filePath(FamilyList::kListName), &linkError);
    if (listPath.isEmpty())
        return problem(FileErrors::fromSystemError(linkError, programFolder));
    const QFileInfo listInfo(listPath);

    if (listInfo.exists()) {
        // A pipe would wait for a writer for ever, a device or folder is no list.
        if (!listInfo.isFile())
            return problem({FileErrors::AccessError, listInfo.isDir()
                                                         ? listPath + QStringLiteral(" is a folder")
                                                         : listPath + QStringLiteral(" is not a regular file")});
        // Opened for writing as well: a list the user may not write is left alone, even where the folder
        // would let it be replaced.
        QFile list(listPath);
        errno = 0;
        if (!list.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return problem(FileErrors::fromFile(list, listPath, errno));
    }

    // The family's programs that take this lock never lose each other's entries; it is held from reading the
    // list to replacing it, so what is read is what is replaced.
    const FileLock lock(listPath + FamilyList::kLockSuffix, FamilyList::kLockTimeoutMs);
    if (!lock.isLocked())
        return problem(
            lock.systemError() == EWOULDBLOCK
                ? FileError{FileErrors::AccessError, QStringLiteral("The list is being written by another program")}
                : FileErrors::fromSystemError(lock.systemError(), listPath));

    // Read afresh under the lock: another program may have replaced the list meanwhile.
    QByteArray old;
    QFile list(listPath);
    if (list.exists()) {
        errno = 0;
        if (!QFileInfo(listPath).isFile())
            return problem({FileErrors::AccessError, listPath + QStringLiteral(" is not a regular file")});
        if (!list.open(QIODevice::ReadOnly))
            return problem(FileErrors::fromFile(list, listPath, errno));
        old = list.read(FamilyList::kMaxListSize + 1);
        if (list.error() != QFileDevice::NoError)
            return problem(FileErrors::fromFile(list, listPath, errno));
        if (old.size() > FamilyList::kMaxListSize)
            return problem({FileErrors::OutOfMemory, listPath + QStringLiteral(" is too large to be a file list")});
    }

    const QString now = FamilyList::timeText(QLocale(), QDateTime::currentDateTime());
    const QByteArray bytes = FamilyList::updated(old, path, type, now);

    // Written as the temporary file the family knows and renamed over the list, so a failure at any point
    // leaves the old list whole. Siblings of other users may share the list: it keeps its permissions and,
    // where the user may give them, its owner and group.
    WholeFile::Options options;
    options.temporaryName = FamilyList::kTempName;
    WholeFile::Failure failure;
    if (!WholeFile::write(listPath, bytes, options, &failure))
        return problem(FileErrors::fromWriteFailure(failure, listPath));
    return true;
}
