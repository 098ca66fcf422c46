// SPDX-License-Identifier: GPL-3.0-or-later
// Slot state and the Assistant's comparison of the two slots.
#include "photoslots.h"

#include "data/numberformat.h"

bool PhotoSlots::SlotHasPhoto(int slot) const
{
    return slot >= 0 && slot < 2 && states[size_t(slot)].photo.has_value();
}

void PhotoSlots::clear(int slot)
{
    if (slot >= 0 && slot < 2)
        states[size_t(slot)] = PhotoSlotState{};
}

int PhotoSlots::builderSlot(const std::array<PhotoSlotState, 2> &states, int currentSlot)
{
    const int slot = currentSlot == 1 && states[1].photo && !states[1].label.isEmpty() ? 1 : 0;
    return states[size_t(slot)].isFieldPhoto() ? 1 - slot : slot;
}

SlotPaths PhotoSlots::paths(int slot, const ImageResolver &resolver) const
{
    if (!SlotHasPhoto(slot))
        return {};
    const PhotoSlotState &state = states[size_t(slot)];
    if (state.isFieldPhoto())
        return {state.fieldPicture, QString(), state.fieldPicture, QString()};
    return resolver.paths(*state.photo);
}

namespace
{

const QString kNoData = QStringLiteral("no data");

void compare(AssistantSummary::Compared &row, bool depth)
{
    auto &a = row.value[0];
    auto &b = row.value[1];
    if (depth && (a.text == kNoData || b.text == kNoData)) {
        a.highlight = b.highlight = AssistantSummary::Light3D;
        row.difference = QStringLiteral("n/a");
        return;
    }
    const double v0 = NumberFormat::leadingValue(a.text);
    const double v1 = NumberFormat::leadingValue(b.text);
    if (v1 < v0) {
        a.highlight = AssistantSummary::Yellow;
        b.highlight = AssistantSummary::Light3D;
        row.difference = NumberFormat::picture(v0 - v1, u"##0.0");
    } else {
        b.highlight = AssistantSummary::Yellow;
        a.highlight = AssistantSummary::Light3D;
        row.difference = NumberFormat::picture(v1 - v0, u"##0.0");
    }
}

// A depth not measured (negative) or missing altogether (null) has no value to compare.
QString depthText(const OptionalNumber &depth, Units units)
{
    if (!depth)
        return kNoData;
    const QString text = NumberFormat::picture(UnitConversion::length(*depth, units), u"###0.0");
    return NumberFormat::leadingValue(text) < 0 ? kNoData : text;
}

} // namespace

AssistantSummary PhotoSlots::ShowAssistantSummary(const std::array<PhotoSlotState, 2> &states, int currentSlot,
                                                  Units units)
{
    const auto load = [units](const OptionalNumber &tonsPerAcre) {
        return UnitConversion::loading(tonsPerAcre, units);
    };
    AssistantSummary s;
    for (size_t i = 0; i < 2; ++i) {
        const PhotoSlotState &slot = states[i];
        if (slot.label.isEmpty() || !slot.photo)
            continue;
        const PhotoRecord &p = *slot.photo;
        s.lblPhoto[i] = slot.label;
        s.lbl0to3.value[i].text = NumberFormat::picture(load(p.sumOfClasses(1, 3)), u"###0.0");
        s.lbl3Plus.value[i].text = NumberFormat::picture(load(p.sumOfClasses(4, 7)), u"###0.0");
        s.lblTotal.value[i].text = NumberFormat::picture(load(p.sumOfClasses(1, 7)), u"###0.0");
        s.lblDuff.value[i].text = depthText(p.averageDuffDepth, units);
        s.lblFuelBed.value[i].text = depthText(p.averageFuelbedDepth, units);
        s.lblVegType[i] = p.vegType;
        s.lblActType[i] = p.activity;
    }
    compare(s.lblDuff, true);
    compare(s.lblFuelBed, true);
    compare(s.lbl0to3, false);
    compare(s.lbl3Plus, false);
    compare(s.lblTotal, false);

    const size_t cur = size_t(builderSlot(states, currentSlot));
    s.lblCurrentPhoto = cur == 1 ? s.lblPhoto[1] : states[0].label;
    s.lblCur0to3 = s.lbl0to3.value[cur].text;
    s.lblCur3Plus = s.lbl3Plus.value[cur].text;
    s.lblCurTotal = s.lblTotal.value[cur].text;
    s.lblCurDuff = s.lblDuff.value[cur].text;
    s.lblCurFuelBed = s.lblFuelBed.value[cur].text;
    return s;
}
