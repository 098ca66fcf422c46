// Settings in INI files; "General" is a real [General] section that sibling programs can read.
#include "settingsstore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

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

void IniSettingsStore::writeText(const QString &application, const QString &section, const QString &key,
                                 const QString &value)
{
    QDir().mkpath(m_folder);
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.setValue(settingsKey(section, key), value);
}
