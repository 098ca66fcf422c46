// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's modes and their transitions: the query pane, compare and builder modes, the Assistant,
// the view of each photo pane, the results view and the item clicked last.
#pragma once

#include "present/photoslots.h"

#include <QObject>
#include <QString>
#include <array>
#include <type_traits>

struct ModeState {
    bool queryOpen = true;
    bool compareOn = false;
    bool builderOn = false;
    // Whether the Assistant window is really on the screen; the window reports every change.
    bool assistantVisible = false;
    int AssistantModes = 0; // 1 while compare mode is on, plus 10 while builder mode is on
    bool AssistantModeDropped = false;
    // The Assistant's two pages: which are switched on and which is current.
    std::array<bool, 2> assistantPageOn{false, false};
    int assistantPage = 0;
    // Compare layout: each slot's own view. Single layout: the right pane shows slot 0's sheet or graph.
    std::array<PaneView, 2> paneView{PaneView::Image, PaneView::Image};
    PaneView browseView = PaneView::Data;
    int resultsView = 3; // 3 the list, 2 the icons
    bool PaneSwitchBusy = false;
    QString LastItemKey; // the key of the results-list item clicked last
    bool fuelProfilePrintEnabled = false;
    Units units = Units::Imperial; // of every value shown or printed

    bool operator==(const ModeState &other) const;
    bool operator!=(const ModeState &other) const { return !(*this == other); }
};

// What a transition asks of the Assistant window beyond its pages.
struct AssistantEffect {
    bool place = false; // place it by the frame before showing it
    bool show = false;
    bool hide = false;
};

namespace Modes
{
// The Compare command: compare mode on (the Assistant placed when no mode had it up yet) or off.
AssistantEffect toggleCompare(ModeState &s);
// The Fuel Profile Builder command.
AssistantEffect toggleBuilder(ModeState &s);
// The Assistants command: shows the Assistant when it is hidden (placing it anew), hides it when shown.
AssistantEffect toggleAssistant(ModeState &s);
// Applies AssistantModes to the Assistant's pages; hides the window when no mode is left.
AssistantEffect ShowAssistantPages(ModeState &s);

// The slot a compare Data, Graph or Image button acts on (index 2 counts as 0, 3 as 1); -1 for none.
int compareButtonSlot(int index);
// The slot a View button acts on (0 for indexes 0, 1 and 4, 1 for 2 and 3); -1 for none.
int viewButtonSlot(int index);

enum class PaneSwitch { Ignored, Switched, OpenViewWindow };
// SwitchPaneView for "View", "Browse Data", "Browse Graph", "Compare Data", "Compare Graph" and
// "Compare Image"; any other mode or an invalid slot is ignored. For "View" the caller opens the view window
// for *slot; a compare button index in *slot becomes its slot. The caller guards against re-entry with
// PaneSwitchBusy.
PaneSwitch SwitchPaneView(ModeState &s, const QString &mode, int *slot);

// The results list's item click: true when the item must be shown (it is not the one clicked last).
bool itemClicked(ModeState &s, const QString &key);
} // namespace Modes

// The one mode state of the main window; windows observe it and never keep copies of a mode.
class WindowModes : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const ModeState &state() const { return m_state; }
    // Runs a change on the state and announces it when something changed.
    template <typename Change> auto change(Change &&work)
    {
        const ModeState before = m_state;
        if constexpr (std::is_void_v<decltype(work(m_state))>) {
            work(m_state);
            announceIfChanged(before);
        } else {
            auto result = work(m_state);
            announceIfChanged(before);
            return result;
        }
    }
    // The re-entry guard of a pane switch, set and cleared by a scope guard without announcing anything.
    bool &paneSwitchBusy() { return m_state.PaneSwitchBusy; }

Q_SIGNALS:
    void changed();

private:
    void announceIfChanged(const ModeState &before)
    {
        if (before != m_state)
            Q_EMIT changed();
    }

    ModeState m_state;
};
