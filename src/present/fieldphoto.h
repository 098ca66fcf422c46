// SPDX-License-Identifier: GPL-3.0-or-later
// A field photo: the user's own picture of a stand, with the values they typed for it, shown in a photo slot.
#pragma once

#include "present/photoslots.h"

#include <QString>

namespace FieldPhoto
{

// The values typed for a field photo as the database stores a photo's (tons per acre, inches); a value left out
// is none.
struct Values {
    OptionalNumber fine;   // 0 to 2.9 inch loading
    OptionalNumber coarse; // 3 inch and larger loading
    OptionalNumber duff;
    OptionalNumber bed;
    QString vegType;
    QString activity;
};

// The slot showing the picture at path with values. Its record is what the Assistant, the matching and the
// reports read (the loadings as one fine and one coarse class); it is held in memory only, never stored.
PhotoSlotState slotState(const QString &path, const Values &values, Units units);
// The typed values back from a field photo's record.
Values valuesOf(const PhotoRecord &photo);
// The data sheet of a field photo's record: the typed values, the three fine classes left empty, since only
// their sum is known.
DataSheet sheet(const PhotoRecord &photo, Units units);

} // namespace FieldPhoto
