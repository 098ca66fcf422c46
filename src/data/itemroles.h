// SPDX-License-Identifier: GPL-3.0-or-later
// The custom item roles of the program's models, in one place.
#pragma once

#include <Qt>

namespace ItemRoles
{
enum : int {
    SortTextRole = Qt::UserRole + 1, // the text a column sorts by
    KeyRole,                         // "P" + ID
    PhotoIdRole,                     // the photo's ID
    RecordRole,                      // index of the record in the photo set
    RawValueRole,                    // a list entry's raw database value
    BookLabelRole,                   // a book list entry's book label (BookEntry::label)
};
}
