// SPDX-License-Identifier: GPL-3.0-or-later
// The paper the reports' PDF files and preview are laid on: the one the system names, or the one asked for.
#pragma once

#include <QPageSize>
#include <QString>
#include <optional>

namespace ReportPaper
{

// A paper by the name papersize files and the batch option give it ("letter", "a4", also "legal", "a3" and
// "tabloid"; any case). None for other names: the page is laid out for Letter and A4 and needs at least their
// room, so smaller sheets are not offered.
std::optional<QPageSize> byName(const QString &name);

// The system's paper as libpaper finds it (PAPERSIZE, then the file PAPERCONF names, then /etc/papersize),
// else the default paper of the locale's LC_PAPER, else Letter. Names and sizes this program does not
// offer are passed over.
QPageSize systemPaper();

} // namespace ReportPaper
