// SPDX-License-Identifier: GPL-3.0-or-later
// Profile commands: new, take a component, show, save, load and the file dialogs.
#include "profilestate.h"

#include "data/numberformat.h"
#include "data/photorecord.h"
#include "familylist.h"
#include "platform/dialogs.h"
#include "profilefile.h"
#include "shell/statusreporter.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString kProgramTitle = QStringLiteral("Fenwyx");
const QString kFilter = QStringLiteral("Fenwyx Fuel Profile(*.pro)");

QString errorText(const FileError &error)
{
    return QStringLiteral("Error: ") + QString::number(error.number) + QLatin1Char(' ') + error.description;
}

} // namespace

ProfileState::ProfileState(Dialogs &dialogs, StatusReporter *status, QString programFolder, QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_status(status), m_programFolder(std::move(programFolder))
{
}

void ProfileState::showStatusError(const QString &text)
{
    if (m_status)
        m_status->ShowStatus(StatusError, text);
}

void ProfileState::NewProfile()
{
    m_profilePath = kUntitled;
    m_profileChanged = false;
    m_cleaningNoticeGiven = false;
    Q_EMIT captionChanged(profileCaption(m_profilePath));
    m_profile = FuelProfile();
    ShowProfile();
}

bool ProfileState::AddComponent(int component, const PhotoRecord *photo)
{
    m_profileChanged = true;
    return TakeComponentFromPhoto(component, photo);
}

bool ProfileState::TakeComponentFromPhoto(int component, const PhotoRecord *photo)
{
    if (m_profilePath.isEmpty())
        m_profilePath = kUntitled;
    if (!photo) {
        showStatusError(QStringLiteral("Can't select values, no photo selected"));
        return false;
    }
    Q_EMIT fuelProfilePrintEnabled();

    // Every value comes from the record itself, never from texts another window may not have updated.
    const QString source = photo->label();
    switch (component) {
    case ComponentDuff:
    case ComponentFuelBed: {
        const bool duff = component == ComponentDuff;
        const OptionalNumber depth = duff ? photo->averageDuffDepth : photo->averageFuelbedDepth;
        if (!depth) {
            showStatusError(duff ? QStringLiteral("Can't select values, photo has no duff depth")
                                 : QStringLiteral("Can't select values, photo has no fuel bed depth"));
            break;
        }
        const double shown = NumberFormat::round(*depth, 1); // as the Assistant shows it
        if (shown < 0)                                       // shown as "no data": not measured
            break;
        (duff ? m_profile.DuffDepth : m_profile.FuelBedDepth) = shown;
        (duff ? m_profile.SourceDuff : m_profile.SourceFuelBed) = source;
        break;
    }
    case Component0to3: {
        const auto &t = photo->tonsPerAcreBreak;
        if (!t[0] || !t[1] || !t[2]) {
            showStatusError(QStringLiteral("Can't select values, photo has no 0\" - 2.9\" loading"));
            break;
        }
        m_profile.Tpa1 = *t[0];
        m_profile.Tpa2 = *t[1];
        m_profile.Tpa3 = *t[2];
        m_profile.Source0to3 = source;
        break;
    }
    case Component3Plus: {
        const OptionalNumber coarse = photo->coarseLoad();
        if (!coarse) {
            showStatusError(QStringLiteral("Can't select values, photo has no 3\" + loading"));
            break;
        }
        m_profile.Load3Plus = NumberFormat::round(*coarse, 1);
        m_profile.Source3Plus = source;
        break;
    }
    default:
        break;
    }
    ShowProfile();
    return true;
}

void ProfileState::setUnits(Units units)
{
    if (units == m_units)
        return;
    m_units = units;
    ShowProfile();
}

ProfileDisplay ProfileState::ShowProfile()
{
    const ProfileDisplay display = profileDisplay(m_profile, m_profilePath, m_units);
    Q_EMIT profileShown(display);
    return display;
}

void ProfileState::showSaveError(const QString &path, const FileError &error)
{
    m_dialogs.message(QStringLiteral("Error while saving file: ") + path + QLatin1Char('\r') + errorText(error),
                      kProgramTitle, MessageButtons::Ok, MessageIcon::None);
}

bool ProfileState::refuseFolderName(const QString &path)
{
    const std::optional<FileError> error = ProfileFile::folderName(path);
    if (error)
        showSaveError(path, *error);
    return error.has_value();
}

bool ProfileState::SaveProfile(QString &path)
{
    if (refuseFolderName(path))
        return false;
    path = ProfileFile::withProfileExtension(path);

    const ProfileFile::Cleaned cleaned = ProfileFile::clean(m_profile);
    // Refused before anything is written: the file would be too large to be loaded again.
    if (!ProfileFile::fitsInFile(cleaned.profile)) {
        showSaveError(path, ProfileFile::tooLarge());
        return false;
    }
    if ((cleaned.quotesReplaced || cleaned.charactersReplaced) && !m_cleaningNoticeGiven) {
        QStringList what;
        if (cleaned.quotesReplaced)
            what << QStringLiteral("Double quotes in the profile are saved as single quotes (') because a "
                                   "profile file cannot hold them.");
        if (cleaned.charactersReplaced)
            what << QStringLiteral("Characters a profile file cannot hold are saved as question marks (?).");
        m_dialogs.message(what.join(QLatin1Char('\r')), kProgramTitle, MessageButtons::Ok, MessageIcon::Information);
        m_cleaningNoticeGiven = true;
    }

    FileError error;
    if (!ProfileFile::write(path, cleaned.profile, &error)) {
        showSaveError(path, error);
        return false;
    }
    m_profileChanged = false;
    m_profilePath = path;
    if (cleaned.profile != m_profile) {
        // What is shown is what was saved.
        m_profile = cleaned.profile;
        ShowProfile();
    }
    Q_EMIT captionChanged(profileCaption(m_profilePath));
    m_familyListUpdated = AddToFamilyList(m_programFolder, path, QStringLiteral("pro"), m_dialogs);
    return true;
}

bool ProfileState::LoadProfile(const QString &path)
{
    FileError error;
    const auto loaded = ProfileFile::read(path, &error);
    if (!loaded) {
        m_dialogs.message(QStringLiteral("Error while opening file: ") + QLatin1Char('\r') + errorText(error),
                          kProgramTitle, MessageButtons::Ok, MessageIcon::None);
        return false;
    }
    m_profile = *loaded;
    m_profilePath = path;
    m_cleaningNoticeGiven = false;
    ShowProfile();
    return true;
}

MessageAnswer ProfileState::ConfirmReplace(const QString &path)
{
    return ::ConfirmReplace(m_dialogs, path);
}

bool ProfileState::SaveProfileAs(QString &path)
{
    if (path.isEmpty() || refuseFolderName(path))
        return false;
    // The question is about the file that will be written, extension included.
    path = ProfileFile::withProfileExtension(path);
    if (ConfirmReplace(path) != MessageAnswer::Yes)
        return false;
    // The old file is replaced only once the new one is complete.
    return SaveProfile(path);
}

std::optional<QString> ProfileState::AskProfileToLoad()
{
    const QString data = QDir(m_programFolder).filePath(QStringLiteral("data"));
    const QString folder = QFileInfo(data).isDir() ? data : m_programFolder;
    // The load dialog starts empty, so a cancelled one leaves no name for the next save dialog.
    m_lastDialogFileName.clear();
    return askFileName(QStringLiteral("Load Profile"), folder, &Dialogs::openFileName);
}

std::optional<QString> ProfileState::AskProfileSaveName()
{
    return askFileName(QStringLiteral("Save Profile as ..."), QDir(m_programFolder).filePath(QStringLiteral("data")),
                       &Dialogs::saveFileName);
}

std::optional<QString> ProfileState::askFileName(const QString &title, const QString &initialFolder,
                                                 FileChooser chooser)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = kFilter;
    request.initialFolder = initialFolder;
    request.fileName = m_lastDialogFileName;
    const auto chosen = (m_dialogs.*chooser)(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    m_lastDialogFileName = *chosen;
    return chosen;
}

bool ProfileState::LoadCommand()
{
    const auto chosen = AskProfileToLoad();
    if (!chosen)
        return false;
    const bool loaded = LoadProfile(*chosen);
    Q_EMIT fuelProfilePrintEnabled();
    return loaded;
}

bool ProfileState::LoadFromCommandLine(const QString &path)
{
    if (!LoadProfile(path))
        return false;
    Q_EMIT fuelProfilePrintEnabled();
    return true;
}

bool ProfileState::SaveCommand()
{
    if (!m_profilePath.isEmpty() && m_profilePath != kUntitled) {
        QString path = m_profilePath;
        return SaveProfile(path);
    }
    return SaveAsCommand();
}

bool ProfileState::SaveAsCommand()
{
    const auto chosen = AskProfileSaveName();
    if (!chosen)
        return false;
    QString path = *chosen;
    return SaveProfileAs(path);
}
