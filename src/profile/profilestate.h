// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one current fuel profile, its file path and changed flag, and the profile commands.
#pragma once

#include "fuelprofile.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Dialogs;
struct FileDialogRequest;
struct FileError;
class StatusReporter;
struct PhotoRecord;
enum class MessageAnswer;

class ProfileState : public QObject
{
    Q_OBJECT
public:
    // programFolder holds the data folder of profiles and the family list; status may be null.
    ProfileState(Dialogs &dialogs, StatusReporter *status, QString programFolder, QObject *parent = nullptr);

    const FuelProfile &profile() const { return m_profile; }
    QString profilePath() const { return m_profilePath; }
    bool profileChanged() const { return m_profileChanged; }
    void setProfileChanged(bool changed) { m_profileChanged = changed; }

    // Edits of the name box and the notes; they do not mark the profile as changed.
    void setProfileName(const QString &name) { m_profile.ProfileName = name; }
    void setNotes(const QString &notes) { m_profile.Notes = notes; }

    void NewProfile();

    // Copies one component of the photo shown in the current slot (null: none shown). Returns whether
    // a photo was there, which is when the fuel-profile print entry becomes available.
    bool TakeComponentFromPhoto(int component, const PhotoRecord *photo);
    // An "Add >" button: the profile counts as changed, then the component is taken.
    bool AddComponent(int component, const PhotoRecord *photo);

    ProfileDisplay ShowProfile();
    // The units the profile is shown in; what is stored and saved stays in tons per acre and inches.
    void setUnits(Units units);
    Units units() const { return m_units; }

    // Writes the profile; path receives the name with ".pro" added. Returns whether the file was written.
    bool SaveProfile(QString &path);
    bool LoadProfile(const QString &path);
    // A profile named on the command line (the file manager's Open): loaded as the Load button loads it, so
    // its report may be printed at once.
    bool LoadFromCommandLine(const QString &path);
    // Whether the last successful save was also entered in the family list.
    bool familyListUpdated() const { return m_familyListUpdated; }
    // Asks before replacing an existing file; path receives the final name.
    bool SaveProfileAs(QString &path);
    MessageAnswer ConfirmReplace(const QString &path);
    std::optional<QString> AskProfileToLoad();
    std::optional<QString> AskProfileSaveName();

    // The Assistant's buttons. Each returns whether a profile was loaded or saved.
    bool LoadCommand();
    bool SaveCommand();
    bool SaveAsCommand();
    // The save of the exit question: false when the dialog was cancelled, a replace refused or the
    // write failed; the close is then cancelled and the profile stays changed.
    bool saveForExit() { return SaveCommand(); }

Q_SIGNALS:
    // Every text of the profile column, the name box and the caption (ShowProfile).
    void profileShown(const ProfileDisplay &display);
    // The caption alone, where the profile column stays as it is (a save, a new profile).
    void captionChanged(const QString &caption);
    // The main window's fuel-profile print entry becomes available.
    void fuelProfilePrintEnabled();

private:
    using FileChooser = std::optional<QString> (Dialogs::*)(const FileDialogRequest &);

    void showStatusError(const QString &text);
    void showSaveError(const QString &path, const FileError &error);
    // Shows the save error of a name that is a folder's; true when the name was refused.
    bool refuseFolderName(const QString &path);
    // Shows one of the file dialogs with the name the last one ended with; nothing when cancelled.
    std::optional<QString> askFileName(const QString &title, const QString &initialFolder, FileChooser chooser);

    Dialogs &m_dialogs;
    StatusReporter *m_status;
    QString m_programFolder;
    FuelProfile m_profile;
    QString m_profilePath = kUntitled;
    bool m_profileChanged = false;
    Units m_units = Units::Imperial;
    bool m_familyListUpdated = false;
    bool m_cleaningNoticeGiven = false; // once per profile
    QString m_lastDialogFileName;
};
