// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program's report command: a photo, a comparison or a fuel-profile report as a PDF file.
#pragma once

#include "data/units.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace ReportCli
{

// args starts after the word "report". Returns 0 on success, 1 when the photo or profile cannot be read or
// the PDF cannot be written (no file is left then), 2 on wrong arguments (one line naming the problem). Messages
// go to errors, also for a picture file that cannot be decoded: the page is written with "No image available" in
// its place. "--pdf -" writes the PDF to output.
int run(const QStringList &args, const QString &programFolder, std::FILE *errors, Units units = Units::Imperial,
        std::FILE *output = stdout);

} // namespace ReportCli
