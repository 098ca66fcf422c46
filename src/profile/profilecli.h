// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program's profile commands: "profile show FILE" and "profile save IN OUT".
#pragma once

#include "data/units.h"

#include <QString>
#include <QStringList>

class QTextStream;

// args starts after the word "profile". Messages of the profile commands go to err. Returns 0 on
// success, 1 when a file could not be loaded or saved, 2 on wrong arguments, 3 when the profile was
// saved but the family list could not be updated.
int runProfileCommand(const QStringList &args, const QString &programFolder, QTextStream &out, QTextStream &err,
                      Units units = Units::Imperial);
