// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's mode transitions.
#include "windowmodes.h"

bool ModeState::operator==(const ModeState &o) const
{
    return queryOpen == o.queryOpen && compareOn == o.compareOn && builderOn == o.builderOn &&
           assistantVisible == o.assistantVisible && AssistantModes == o.AssistantModes &&
           AssistantModeDropped == o.AssistantModeDropped && assistantPageOn == o.assistantPageOn &&
           assistantPage == o.assistantPage && paneView == o.paneView && browseView == o.browseView &&
           resultsView == o.resultsView && PaneSwitchBusy == o.PaneSwitchBusy && LastItemKey == o.LastItemKey &&
           fuelProfilePrintEnabled == o.fuelProfilePrintEnabled && units == o.units;
}

namespace Modes
{

AssistantEffect ShowAssistantPages(ModeState &s)
{
    AssistantEffect effect;
    switch (s.AssistantModes) {
    case 0:
        effect.hide = true;
        break;
    case 1:
        s.assistantPage = 0;
        s.assistantPageOn = {true, false};
        break;
    case 10:
        s.assistantPage = 1;
        s.assistantPageOn = {false, true};
        s.AssistantModeDropped = false;
        break;
    case 11:
        s.assistantPageOn = {true, true};
        break;
    default:
        break;
    }
    return effect;
}

namespace
{

// A mode switched on: the Assistant comes up, placed only when no other mode had it up already.
AssistantEffect modeOn(ModeState &s, int weight)
{
    AssistantEffect effect;
    effect.place = s.AssistantModes == 0;
    effect.show = true;
    s.AssistantModes += weight;
    s.AssistantModeDropped = false;
    return effect;
}

void modeOff(ModeState &s, int weight)
{
    if (s.AssistantModes == 11)
        s.AssistantModeDropped = true;
    s.AssistantModes -= weight;
}

AssistantEffect merged(AssistantEffect a, const AssistantEffect &b)
{
    a.place = a.place || b.place;
    a.show = (a.show || b.show) && !b.hide;
    a.hide = b.hide;
    return a;
}

} // namespace

AssistantEffect toggleCompare(ModeState &s)
{
    AssistantEffect effect;
    if (!s.compareOn) {
        s.compareOn = true;
        effect = modeOn(s, 1);
        // The comparison page comes first, unless the builder's page is up already: a page switched off
        // cannot be made current, and both pages are switched on only afterwards.
        if (s.AssistantModes != 11)
            s.assistantPage = 0;
        // Both panes show pictures; the right one is empty and current.
        s.paneView = {PaneView::Image, PaneView::Image};
    } else {
        s.compareOn = false;
        modeOff(s, 1);
        s.browseView = PaneView::Data; // the single layout starts on the data sheet
    }
    return merged(effect, ShowAssistantPages(s));
}

AssistantEffect toggleBuilder(ModeState &s)
{
    AssistantEffect effect;
    if (s.builderOn) {
        s.builderOn = false;
        modeOff(s, 10);
    } else {
        s.builderOn = true;
        effect = modeOn(s, 10);
    }
    return merged(effect, ShowAssistantPages(s));
}

AssistantEffect toggleAssistant(ModeState &s)
{
    AssistantEffect effect;
    if (s.assistantVisible) {
        effect.hide = true;
    } else if (s.AssistantModes != 0) { // with no mode on there is nothing to assist with

        effect.show = true;
        effect.place = true;
    }
    return effect;
}

int compareButtonSlot(int index)
{
    switch (index) {
    case 0:
    case 2:
        return 0;
    case 1:
    case 3:
        return 1;
    default:
        return -1;
    }
}

int viewButtonSlot(int index)
{
    switch (index) {
    case 0:
    case 1:
    case 4:
        return 0;
    case 2:
    case 3:
        return 1;
    default:
        return -1;
    }
}

PaneSwitch SwitchPaneView(ModeState &s, const QString &mode, int *slot)
{
    if (!slot)
        return PaneSwitch::Ignored;
    if (mode == QLatin1String("View"))
        return *slot == 0 || *slot == 1 ? PaneSwitch::OpenViewWindow : PaneSwitch::Ignored;
    if (mode == QLatin1String("Browse Data") || mode == QLatin1String("Browse Graph")) {
        s.browseView = mode.endsWith(QLatin1String("Data")) ? PaneView::Data : PaneView::Graph;
        return PaneSwitch::Switched;
    }
    PaneView view;
    if (mode == QLatin1String("Compare Data"))
        view = PaneView::Data;
    else if (mode == QLatin1String("Compare Graph"))
        view = PaneView::Graph;
    else if (mode == QLatin1String("Compare Image"))
        view = PaneView::Image;
    else
        return PaneSwitch::Ignored;
    const int target = compareButtonSlot(*slot);
    if (target < 0)
        return PaneSwitch::Ignored;
    *slot = target;
    s.paneView[size_t(target)] = view;
    return PaneSwitch::Switched;
}

bool itemClicked(ModeState &s, const QString &key)
{
    if (key == s.LastItemKey)
        return false;
    s.LastItemKey = key;
    return true;
}

} // namespace Modes
