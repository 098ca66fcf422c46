// SPDX-License-Identifier: GPL-3.0-or-later
// The record, label and data sheet of a field photo.
#include "fieldphoto.h"

#include <QFileInfo>

namespace FieldPhoto
{

PhotoSlotState slotState(const QString &path, const Values &values, Units units)
{
    PhotoRecord p;
    p.id = -1; // never an ID of the database
    p.photoLabel = QFileInfo(path).fileName();
    // The first class of each range holds the range's sum, so that every sum the program makes is the typed one.
    const auto fill = [&p](size_t first, size_t last, const OptionalNumber &sum) {
        for (size_t i = first; sum && i <= last; ++i)
            p.tonsPerAcreBreak[i] = i == first ? *sum : 0.0;
    };
    fill(0, 2, values.fine);
    fill(3, 6, values.coarse);
    p.oto3FL = values.fine;
    p.totalFL = p.totalLoad();
    p.averageDuffDepth = values.duff;
    p.averageFuelbedDepth = values.bed;
    p.vegType = values.vegType;
    p.activity = values.activity;

    PhotoSlotState slot;
    slot.label = p.photoLabel;
    slot.fieldPicture = path;
    slot.ImageSource = ImageLocal;
    slot.sheet = sheet(p, units);
    slot.photo = std::move(p);
    return slot;
}

Values valuesOf(const PhotoRecord &photo)
{
    return {photo.fineLoad(),          photo.coarseLoad(), photo.averageDuffDepth,
            photo.averageFuelbedDepth, photo.vegType,      photo.activity};
}

DataSheet sheet(const PhotoRecord &photo, Units units)
{
    DataSheet s = BuildDataSheet(photo, std::nullopt, units);
    for (int row = 5; row < 8; ++row)
        s.setCell(row, 1, QString());
    return s;
}

} // namespace FieldPhoto
