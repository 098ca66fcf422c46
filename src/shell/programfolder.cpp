// Finding the program folder.
#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder
{
QString resolve(const QString &explicitFolder)
{
    QString folder = explicitFolder;
    if (folder.isEmpty())
        folder = qEnvironmentVariable("FENWYX_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return QDir::cleanPath(QDir(folder).absolutePath());
}
} // namespace ProgramFolder
