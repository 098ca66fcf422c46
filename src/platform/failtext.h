// SPDX-License-Identifier: GPL-3.0-or-later
// The reason of a failure handed to a caller that asked for it, so that a failing step reads as one line.
#pragma once

#include <QString>

// Sets *error when the caller passed one, and gives false: "return fail(error, reason);".
inline bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}
