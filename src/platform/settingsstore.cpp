// SPDX-License-Identifier: GPL-3.0-or-later
// Settings in INI files; "General" is a real [General] section that sibling programs can read.
#include "settingsstore.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

IniSettingsStore::IniSettingsStore(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString IniSettingsStore::fileFor(const QString &application) const
{
    return QDir(m_folder).filePath(application + QStringLiteral(".ini"));
}

// QSettings keeps top-level keys in [General] and escapes a group called "General" as [%General],
// so the section "General" is read and written as the top level.
static QString settingsKey(const QString &section, const QString &key)
{
    if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 || section.isEmpty())
        return key;
    return section + QLatin1Char('/') + key;
}

QString IniSettingsStore::readText(const QString &application, const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    QSettings settings(fileFor(application), QSettings::IniFormat);
    const QVariant value = settings.value(settingsKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

namespace
{

// Settings files are a few kilobytes; a larger one is not read into memory to be rewritten.
constexpr qint64 kMaxSettingsFile = 4 * 1024 * 1024;

QByteArray readBounded(const QString &path, bool *ok)
{
    *ok = true;
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QFile file(path);
    if (!info.isFile() || info.size() > kMaxSettingsFile || !file.open(QIODevice::ReadOnly)) {
        *ok = false;
        return {};
    }
    const QByteArray bytes = file.read(kMaxSettingsFile + 1);
    *ok = file.error() == QFileDevice::NoError && bytes.size() <= kMaxSettingsFile;
    return bytes;
}

} // namespace

bool IniSettingsStore::writeText(const QString &application, const QString &section, const QString &key,
                                 const QString &value)
{
    if (!QDir().mkpath(m_folder))
        return false;
    const QString path = WholeFile::linkTarget(fileFor(application));
    bool ok = false;
    const QByteArray old = readBounded(path, &ok);
    // QSettings does not notice when the last buffered write of its file fails, so on a full disk it would
    // leave the file empty. The settings are put together in a private scratch copy instead, read back to see
    // that they are whole, and only then written over the real file.
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("settings.ini"));
    if (!ok || !scratch.isValid() || !WholeFile::write(copy, old, {}))
        return false;
    QMap<QString, QVariant> expected;
    {
        QSettings settings(copy, QSettings::IniFormat);
        settings.setValue(settingsKey(section, key), value);
        for (const QString &k : settings.allKeys())
            expected.insert(k, settings.value(k));
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    const QSettings written(copy, QSettings::IniFormat);
    if (written.status() != QSettings::NoError || written.allKeys().size() != expected.size())
        return false;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (written.value(it.key()) != it.value())
            return false;
    }
    const QByteArray bytes = readBounded(copy, &ok);
    return ok && WholeFile::write(path, bytes, {});
}
