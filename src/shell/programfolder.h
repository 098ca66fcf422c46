// The program folder: where Photo.mdb, the code files, PhotoImages, data and help live.
#pragma once

#include <QString>

namespace ProgramFolder
{
// An explicit folder wins; else FENWYX_HOME; else the running executable's folder.
QString resolve(const QString &explicitFolder = {});
} // namespace ProgramFolder
