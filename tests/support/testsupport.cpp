// Paths of test data and built programs.
#include "testsupport.h"

#include <QDir>

namespace TestSupport {
QString dataPath(const QString &relative)
{
    return QDir(QStringLiteral(FENWYX_TEST_DATA)).filePath(relative);
}

QString binPath(const QString &program)
{
    return QDir(QStringLiteral(FENWYX_BIN_DIR)).filePath(program);
}
}
