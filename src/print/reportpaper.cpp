// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the system's paper size the way libpaper and the C library's locale name it.
#include "reportpaper.h"

#include <QFile>
#include <QFileInfo>

#if defined(__GLIBC__)
#include <langinfo.h>
#include <locale.h>
#endif

namespace
{

// A papersize file holds one name on a line; comments aside, anything longer is not one.
constexpr qint64 kLongestPapersizeFile = 4096;

std::optional<QPageSize> fromFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLongestPapersizeFile)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // libpaper takes the first line that is neither empty nor a comment.
    for (const QByteArray &line : file.read(kLongestPapersizeFile).split('\n')) {
        const QByteArray name = line.trimmed();
        if (!name.isEmpty() && !name.startsWith('#'))
            return ReportPaper::byName(QString::fromLatin1(name));
    }
    return std::nullopt;
}

// The locale that LC_PAPER takes from the environment; C and POSIX name no paper of their own.
QByteArray paperLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

std::optional<QPageSize> fromLocale()
{
#if defined(__GLIBC__)
    const QByteArray name = paperLocaleName();
    if (name.isEmpty() || name == "C" || name == "POSIX" || name.startsWith("C."))
        return std::nullopt;
    const locale_t locale = newlocale(LC_PAPER_MASK, name.constData(), locale_t(nullptr));
    if (locale == locale_t(nullptr))
        return std::nullopt;
    // glibc answers these two with numbers (millimetres) in place of the text pointer.
    const auto width = int(reinterpret_cast<intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, locale)));
    const auto height = int(reinterpret_cast<intptr_t>(nl_langinfo_l(_NL_PAPER_HEIGHT, locale)));
    freelocale(locale);
    const QPageSize size(QSizeF(width, height), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    for (const QPageSize::PageSizeId id : {QPageSize::Letter, QPageSize::A4, QPageSize::Legal})
        if (size.id() == id)
            return QPageSize(id);
#endif
    return std::nullopt;
}

} // namespace

namespace ReportPaper
{

std::optional<QPageSize> byName(const QString &name)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("letter"))
        return QPageSize(QPageSize::Letter);
    if (key == QLatin1String("a4"))
        return QPageSize(QPageSize::A4);
    if (key == QLatin1String("legal"))
        return QPageSize(QPageSize::Legal);
    if (key == QLatin1String("a3"))
        return QPageSize(QPageSize::A3);
    if (key == QLatin1String("tabloid") || key == QLatin1String("11x17"))
        return QPageSize(QPageSize::Tabloid);
    return std::nullopt;
}

QPageSize systemPaper()
{
    if (const QByteArray named = qgetenv("PAPERSIZE"); !named.isEmpty()) {
        if (std::optional<QPageSize> paper = byName(QString::fromLocal8Bit(named)))
            return *paper;
    }
    const QByteArray conf = qgetenv("PAPERCONF");
    if (std::optional<QPageSize> paper =
            fromFile(conf.isEmpty() ? QStringLiteral("/etc/papersize") : QFile::decodeName(conf)))
        return *paper;
    if (std::optional<QPageSize> paper = fromLocale())
        return *paper;
    return QPageSize(QPageSize::Letter);
}

} // namespace ReportPaper
