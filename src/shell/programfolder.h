// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder: where Photo.mdb, the code files, PhotoImages, data and help live.
#pragma once

#include <QString>

namespace ProgramFolder
{
// What the choice of the program folder depends on; current() reads it off the running program.
struct Places {
    QString executableFolder;
    bool executableFolderWritable = false;
    // The installed defaults (code files, help). An executable with this folder beside it is an installed one.
    QString sharedFolder;
    // The user's data folder for Fenwyx.
    QString userFolder;

    static Places current();
};

// An explicit folder wins; else FENWYX_HOME; else the executable's folder when it is writable and not
// installed; else the user's data folder, created and given the installed defaults it lacks. An installed
// executable's folder is never used, even when writable (by root, or under a prefix in the user's home): the
// program would otherwise write data/ and the family list among the installed programs.
QString resolve(const QString &explicitFolder = {});
QString resolve(const QString &explicitFolder, const QString &environmentFolder, const Places &places);

// Copies into folder each file at the top of the shared folder that folder lacks (the user's own code files
// are never replaced), and the help when folder has none or has the copy of another release. False with the
// reason when something could not be copied; what could be copied is.
bool copyInstalledDefaults(const QString &sharedFolder, const QString &folder, QString *error = nullptr);

// The file in a copied help folder that names the release it came with.
QString helpStampName();
} // namespace ProgramFolder
