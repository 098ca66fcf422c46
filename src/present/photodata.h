// SPDX-License-Identifier: GPL-3.0-or-later
// The data step of showing a photo: its own row by ID, its book's row and its data sheet.
#pragma once

#include "data/photodatabase.h"
#include "present/photoslots.h"

#include <optional>

namespace PhotoData
{

// A slot state for the photo with this ID (picture fields left for the picture step). Fails (with a reason)
// when the database cannot be read or no longer holds the photo; a missing book is no failure.
std::optional<PhotoSlotState> read(const PhotoDatabase &database, qint64 id, QString *error = nullptr,
                                   Units units = Units::Imperial);
// The same for a photo already read: its book's row and its data sheet (in the units shown).
PhotoSlotState fromRecord(const PhotoDatabase &database, PhotoRecord photo, Units units = Units::Imperial);

// The photo a label names: the whole text, blanks around it ignored, against book label + "/" + photo
// label (a book label may hold "/" itself). An exact match first, then one that differs only in letter
// case. The one way every part of the program finds a photo by its label.
std::optional<PhotoRecord> photoByLabel(const PhotoDatabase &database, const QString &label, QString *error = nullptr);

} // namespace PhotoData
