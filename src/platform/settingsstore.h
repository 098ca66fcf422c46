// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings store: application / section / key, as the family of programs shares it.
#pragma once

#include <QMap>
#include <QString>

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString readText(const QString &application, const QString &section, const QString &key,
                             const QString &defaultValue) const = 0;
    // False when the setting could not be stored; the store then holds what it held before.
    virtual bool writeText(const QString &application, const QString &section, const QString &key,
                           const QString &value) = 0;
};

// INI files in the user's configuration folder, one per application ("Brackel.ini"), one [section] each.
class IniSettingsStore : public SettingsStore
{
public:
    // folder empty: the platform's user configuration folder
    explicit IniSettingsStore(QString folder = {});
    QString fileFor(const QString &application) const;
    QString readText(const QString &application, const QString &section, const QString &key,
                     const QString &defaultValue) const override;
    // The file is replaced whole (see WholeFile::write) or left as it was.
    bool writeText(const QString &application, const QString &section, const QString &key,
                   const QString &value) override;

private:
    QString m_folder;
};
