// Shared helpers of the tests: paths of test data and of the built programs.
#pragma once

#include <QString>

namespace TestSupport {
QString dataPath(const QString &relative);   // tests/data/<relative>
QString binPath(const QString &program);     // the build's program folder
}
