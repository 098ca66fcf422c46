// The program's title, release and legal notice, shared by the splash window and the printed reports.
#pragma once

#include <QString>

namespace ProgramInfo
{
inline QString title()
{
    return QStringLiteral("Fenwyx");
}
inline QString version()
{
    return QStringLiteral(FENWYX_VERSION);
}
inline QString legalNotice()
{
    return QStringLiteral("Copyright \u00A9 The Fenwyx developers. Distributed as free software.");
}
} // namespace ProgramInfo
