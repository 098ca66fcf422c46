// The program's title, version and legal notice: one source for the splash, the About box and the reports.
#pragma once

#include <QString>

namespace ProgramInfo
{
// The title that the splash, the frame and the About box show.
inline QString title()
{
    return QStringLiteral("Fenwyx");
}

// Major, minor and revision as plain decimal numbers ("1.0.27"), from the project's version.
inline QString version()
{
    return QStringLiteral(FENWYX_VERSION);
}

inline QString legalNotice()
{
    return QStringLiteral("Copyright \u00A9 The Fenwyx developers. Distributed as free software.");
}
} // namespace ProgramInfo
