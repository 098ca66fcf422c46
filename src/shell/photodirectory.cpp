// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the photo directory setting, testing the photo drive and running the photo manager.
#include "photodirectory.h"

#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFileInfo>

QString PhotoDirectory::FindCdromDrive(const DriveInfo *drives)
{
    return drives ? normalize(drives->firstOpticalDriveRoot()) : QString();
}

QString PhotoDirectory::normalize(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!value.isEmpty() && !value.endsWith(QLatin1Char('/')))
        value += QLatin1Char('/');
    return value;
}

bool PhotoDirectory::WritePhotoDirectory(SettingsStore *settings, const QString &folder)
{
    if (!settings || folder.isEmpty())
        return false;
    return settings->writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"),
                               normalize(QDir::cleanPath(folder)));
}

void PhotoDirectory::ReadPhotoDirectory(const SettingsStore *settings, const DriveInfo *drives,
                                        const QString &programFolder)
{
    const QString fallback = FindCdromDrive(drives) + QStringLiteral("photoimages/");
    QString stored = settings ? settings->readText(QStringLiteral("Brackel"), QStringLiteral("General"),
                                                   QStringLiteral("PhotoDir"), fallback)
                              : fallback;
    if (stored.trimmed().isEmpty())
        stored = fallback;
    m_value = normalize(stored);
    m_absolute = QDir::isAbsolutePath(m_value);
    m_folder = m_absolute ? m_value : normalize(QDir(programFolder).absoluteFilePath(m_value));
}

bool PhotoDirectory::isReadable() const
{
    if (!m_absolute)
        return true;
    const QFileInfo folder(m_folder);
    return folder.isDir() && folder.isReadable() && folder.isExecutable();
}

QString PhotoDirectory::matchExisting(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isFile())
        return path;
    // Walk down from the first level that exists, matching each missing name without regard to case.
    const QStringList parts = QDir::cleanPath(path).split(QLatin1Char('/'));
    QString current = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (part.isEmpty())
            continue;
        const QString exact = current.isEmpty() ? part : QDir(current).filePath(part);
        const bool last = i == parts.size() - 1;
        if (last ? QFileInfo(exact).isFile() : QFileInfo(exact).isDir()) {
            current = exact;
            continue;
        }
        const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
        const QStringList entries = dir.entryList(last ? QDir::Files : (QDir::Dirs | QDir::NoDotAndDotDot), QDir::Name);
        QString match;
        for (const QString &entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return {};
        current = current.isEmpty() ? match : dir.filePath(match);
    }
    return current;
}

PhotoDirectory::Lookup PhotoDirectory::lookUp(const QString &path, QString *found) const
{
    if (found)
        found->clear();
    if (!isReadable())
        return Lookup::DriveNotReady;
    const QString match = matchExisting(path);
    if (match.isEmpty())
        return Lookup::NotFound;
    if (found)
        *found = match;
    return Lookup::Found;
}

bool RunAndWait(ProcessRunner *runner, const QString &program, const QString &programFolder)
{
    return runner && runner->runAndWait(program, programFolder);
}

QString photoManagerProgram()
{
    const QString named = qEnvironmentVariable("FENWYX_PHOTOMGR");
    return named.isEmpty() ? QStringLiteral("fenwyx-photomgr") : named;
}
