// SPDX-License-Identifier: GPL-3.0-or-later
// User events of the main window, as the toolkit delivers them to the event table.
#pragma once

namespace platform {

enum class EventKind {
    WindowMenuCommand,  // value: command id
    Paint,
    CloseRequest,  // title-bar close button
    Escape,
    TabChanged,        // source: tab control
    Click,             // source: button id
    Changed,           // source: edit id; only text the user typed
    Left,              // source: edit id; keyboard focus lost
    SelectionChanged,  // source: combo id; only a choice the user made
    SpinStep,          // source: spin id; value: the control's change (negative = up)
    LButtonDown,       // x, y: client pixels
    LButtonUp,
    MouseMove,
    CheckListButtonUp,  // source: check list handle; before the list handles the release
    MapListClick,
    MapListKeyDown,   // value: virtual-key code (38 up, 40 down)
    MapListOther,     // double click, right click, right double click, focus lost
    PositionChanged,  // the position daemon's report changed (IToolkit::LatestPosition)
};

struct Event {
    EventKind kind;
    int source = 0;
    int value = 0;
    int x = 0;
    int y = 0;
};

// What the toolkit calls on the window's logic.
class IPainter;
class IWindowLogic {
  public:
    virtual ~IWindowLogic() = default;
    // Once, after the controls exist and before the window is shown.
    virtual bool OnInitDialog() = 0;
    virtual void OnEvent(const Event& event) = 0;
    virtual void OnPaint(IPainter& painter) = 0;
};

constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

}  // namespace platform
