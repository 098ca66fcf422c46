// SPDX-License-Identifier: GPL-3.0-or-later
// The photo directory setting, the photo-drive decision and the running of the family's photo manager.
#pragma once

#include <QString>

class DriveInfo;
class ProcessRunner;
class SettingsStore;

// The per-user setting naming where the photo series' image folders lie (by default on the optical drive).
class PhotoDirectory
{
public:
    enum Decision { NoAnswer = 0, Retry = 1, ManagePhotoSeries = 2, SearchLocalOnly = 3 };
    enum class Lookup { Found, NotFound, DriveNotReady };

    // Root of the first optical drive with "/" at the end, or empty text when the machine has none.
    static QString FindCdromDrive(const DriveInfo *drives);
    // A stored value as a usable prefix: "\" become "/", a trailing "/" is added; empty stays empty.
    static QString normalize(QString value);

    // Writes a chosen folder into "Brackel" / "General" / "PhotoDir", with the separator at its end that the
    // programs of the family expect. False when the setting could not be stored.
    static bool WritePhotoDirectory(SettingsStore *settings, const QString &folder);
    // Reads "Brackel" / "General" / "PhotoDir"; the default is the optical drive's "photoimages/".
    void ReadPhotoDirectory(const SettingsStore *settings, const DriveInfo *drives, const QString &programFolder);

    // The setting as shown to the user ("/" separators, trailing "/").
    QString value() const { return m_value; }
    // The folder the value names; a relative value lies under the program folder. Ends with "/".
    QString folder() const { return m_folder; }
    bool isAbsolute() const { return m_absolute; }
    // False only for an absolute photo directory whose folder cannot be read (no disc in the drive).
    bool isReadable() const;
    // Where the file stands (found under *found): a relative photo directory never reports the drive as
    // not ready; a readable folder without the file is "not found".
    Lookup lookUp(const QString &path, QString *found = nullptr) const;

    // The existing file at path, or else the one whose name differs only in letter case at each level;
    // empty when there is none. Series copied from discs often change the case of names.
    static QString matchExisting(const QString &path);

    // The last answer of the drive warning; kept for the whole run.
    int DriveChoice = NoAnswer;

private:
    QString m_value;
    QString m_folder;
    bool m_absolute = false;
};

// Starts program (a name ending in ".exe" is also found without it) beside this one or in the program folder,
// and waits for its end. Returns false when it could not be started.
bool RunAndWait(ProcessRunner *runner, const QString &program, const QString &programFolder);

// The family's photo manager on this platform: fenwyx-photomgr beside this program, or the program that
// FENWYX_PHOTOMGR names.
QString photoManagerProgram();
