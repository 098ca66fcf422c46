// SPDX-License-Identifier: GPL-3.0-or-later
// The two photo slots: which is current, the compare layout, and per slot the shown photo's own rows.
#pragma once

#include "data/photorecord.h"
#include "present/datasheet.h"
#include "present/imageresolver.h"

#include <QString>
#include <array>
#include <optional>

// What a photo pane shows of its slot: the data sheet, the loading graph or the photo.
enum class PaneView { Data, Graph, Image };

// What one slot shows. Built apart by the photo display and committed as one, so a slot never mixes photos.
struct PhotoSlotState {
    std::optional<PhotoRecord> photo; // the photo's own row, read by its ID
    std::optional<BookRecord> book;   // its book's row; missing when the book is not in the database
    QString label;                    // lblSelectedPhoto: the photo label
    int ImageSource = ImageLocal;     // ImageSourceKind of the last picture step
    DataSheet sheet;                  // with its own row count
    QString fieldPicture;             // a field photo's picture file; empty for a photo of the series

    bool isFieldPhoto() const { return !fieldPicture.isEmpty(); }
};

// The Assistant's comparison of the two slots, label by label.
struct AssistantSummary {
    enum Highlight { NoHighlight, Yellow, Light3D };
    struct Cell {
        QString text;
        Highlight highlight = NoHighlight;
    };
    // Values of both slots and (element 2) their difference.
    struct Compared {
        std::array<Cell, 2> value;
        QString difference;
    };

    std::array<QString, 2> lblPhoto;
    Compared lbl0to3;
    Compared lbl3Plus;
    Compared lblTotal;
    Compared lblDuff;
    Compared lblFuelBed;
    std::array<QString, 2> lblVegType;
    std::array<QString, 2> lblActType;

    QString lblCurrentPhoto;
    QString lblCur0to3;
    QString lblCur3Plus;
    QString lblCurTotal;
    QString lblCurDuff;
    QString lblCurFuelBed;
};

class PhotoSlots
{
public:
    int CurrentSlot = 0;
    int CompareLayout = 0;
    bool LayoutPressingImage = false;
    std::array<PhotoSlotState, 2> states;

    bool SlotHasPhoto(int slot) const;
    // Forgets what a slot shows (its row, paths and sheet).
    void clear(int slot);
    // The comparison report may be printed only in the compare layout with a photo in each slot.
    bool canPrintComparison() const { return CompareLayout == 1 && SlotHasPhoto(0) && SlotHasPhoto(1); }
    // The slot whose photo the builder page shows and "Add >" takes: the current slot, or slot 0 while the
    // current slot shows no photo (the right pane just after compare mode starts); never a field photo's slot,
    // whose values were typed and name no photo a profile could refer to.
    int builderSlot() const { return builderSlot(states, CurrentSlot); }
    static int builderSlot(const std::array<PhotoSlotState, 2> &states, int currentSlot);
    // The four image paths, worked out from the photo directory as it is now; empty for an empty slot.
    SlotPaths paths(int slot, const ImageResolver &resolver) const;

    AssistantSummary summary(Units units = Units::Imperial) const
    {
        return ShowAssistantSummary(states, CurrentSlot, units);
    }
    static AssistantSummary ShowAssistantSummary(const std::array<PhotoSlotState, 2> &states, int currentSlot,
                                                 Units units = Units::Imperial);
};
