// SPDX-License-Identifier: GPL-3.0-or-later
// The window toolkit as the main window's logic sees it. The logic never includes a
// toolkit header: the Qt front end and the in-memory test toolkit both implement this.
//
// Texts crossing this interface are the program's bytes (catalogue cells, typed texts,
// string-table entries in UTF-8). The implementation decodes them for display.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/Events.h"

namespace platform {

// A control is addressed by a handle. Controls of the fixed layout have their layout id
// as handle; controls created at run time get handles from kFirstRuntimeHandle up, since
// two of them share one control id.
using ControlHandle = int;
constexpr ControlHandle kFirstRuntimeHandle = 100000;
constexpr ControlHandle kNoControl = -1;

using FontHandle = int;
constexpr FontHandle kNoFont = 0;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

struct Pen {
    int width = 1;
    Color color;
};

enum class RuntimeControlKind { Caption, CheckList };

enum class ShowState { Normal = 1, Default = 10 };

// How a program run with RunProgram ended.
struct ProgramRun {
    bool started = false;
    bool timedOut = false;   // stopped after waiting too long
    int exitStatus = -1;     // -1 when it did not end by itself
    std::string errorText;   // its standard error, or why it could not be started
    bool cancelled = false;  // stopped by the user
    std::string standardOutput;
    // Ended by itself with status 0.
    bool Succeeded() const { return started && !timedOut && !cancelled && exitStatus == 0; }
};

// The latest report of the position daemon (gpsd), as the toolkit last received it. A value
// the daemon did not send is NaN; nothing here is checked: the logic checks every number.
struct PositionFix {
    int mode = 0;  // 0 or 1: no fix, 2: 2D, 3: 3D
    // The fix's time in seconds since 1970-01-01 UTC; NaN when absent or unreadable.
    double time = std::numeric_limits<double>::quiet_NaN();
    double latitude = std::numeric_limits<double>::quiet_NaN();   // degrees, north positive
    double longitude = std::numeric_limits<double>::quiet_NaN();  // degrees, east positive
    double track = std::numeric_limits<double>::quiet_NaN();      // course over ground, degrees
    double speed = std::numeric_limits<double>::quiet_NaN();      // speed over ground, m/s
};

enum class PositionLink {
    Off,          // not asked to follow the daemon
    Connecting,   // a connection is being made
    Unreachable,  // refused, timed out or lost; another attempt follows later
    Connected,    // connected; fix holds the latest report, if any came
};

struct PositionReport {
    PositionLink link = PositionLink::Off;
    bool hasFix = false;  // a position report came since the connection was made
    PositionFix fix;
};

// Thrown by ExitProcess in toolkits that must not end the test process.
struct ProcessExit {
    int status;
};

// The drawing surface handed to the paint handler, clipped to the region being painted.
class IPainter {
  public:
    virtual ~IPainter() = default;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    // Text drawn left-aligned from the rectangle's top-left corner, opaque background.
    virtual void DrawText(const Rect& rect, const std::string& text, FontHandle font,
                          Color background) = 0;
    // The whole picture stretched into the destination rectangle.
    virtual void DrawPicture(int bitmapId, const Rect& dest) = 0;
    virtual void DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) = 0;
    // Outline only (hollow brush).
    virtual void DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) = 0;
    virtual void DrawIcon(int x, int y) = 0;
    virtual int ColorDepth() const = 0;
    // The paper of a panel of text in the desktop's colours (DrawText writes on it in the
    // matching ink); white where the toolkit has no theme.
    virtual Color PanelColor() const { return {255, 255, 255}; }
};

class IToolkit {
  public:
    virtual ~IToolkit() = default;

    // --- controls ---------------------------------------------------------------
    virtual void ShowControl(ControlHandle control, bool show) = 0;
    virtual bool IsControlVisible(ControlHandle control) const = 0;
    virtual void SetControlFont(ControlHandle control, FontHandle font) = 0;
    virtual void SetControlText(ControlHandle control, const std::string& text) = 0;
    virtual std::string GetControlText(ControlHandle control) const = 0;
    virtual void SetCheck(ControlHandle button, int state) = 0;
    virtual int GetCheck(ControlHandle button) const = 0;
    // The control's rectangle in the main window's client pixels. The tab control's is the
    // one of the window's first size: the frame in which page controls are placed.
    virtual Rect GetControlRect(ControlHandle control) const = 0;
    // The main window's client area, from (0, 0).
    virtual Rect GetClientRect() const = 0;

    // --- drop-down lists --------------------------------------------------------
    virtual void ComboReset(ControlHandle combo) = 0;
    virtual void ComboAddItem(ControlHandle combo, const std::string& text) = 0;
    virtual int ComboGetCount(ControlHandle combo) const = 0;
    virtual std::string ComboGetItemText(ControlHandle combo, int index) const = 0;
    virtual int ComboGetSelection(ControlHandle combo) const = 0;  // -1: none
    virtual void ComboSetSelection(ControlHandle combo, int index) = 0;

    // --- controls created at run time on the tab control ------------------------
    // rect is in the tab control's client coordinates at the window's first size; the
    // toolkit scales it with the window. The control starts hidden.
    virtual ControlHandle CreatePageControl(RuntimeControlKind kind, int controlId,
                                            const std::string& text, const Rect& rect,
                                            FontHandle font) = 0;
    virtual void DestroyPageControl(ControlHandle control) = 0;

    // --- check lists ------------------------------------------------------------
    virtual void CheckListReset(ControlHandle list) = 0;
    virtual void CheckListAddItem(ControlHandle list, const std::string& text) = 0;
    virtual int CheckListGetCount(ControlHandle list) const = 0;
    virtual std::string CheckListGetItemText(ControlHandle list, int index) const = 0;
    virtual int CheckListGetCheck(ControlHandle list, int index) const = 0;
    virtual void CheckListSetCheck(ControlHandle list, int index, int state) = 0;
    virtual void CheckListEnableItem(ControlHandle list, int index, bool enable) = 0;
    virtual bool CheckListIsItemEnabled(ControlHandle list, int index) const = 0;

    // --- list view of the maps --------------------------------------------------
    virtual void ListViewSetColors(ControlHandle list, Color background, Color textBackground) = 0;
    virtual void ListViewSetImageList(ControlHandle list, const std::vector<int>& bitmapIds,
                                      Color transparent) = 0;
    virtual void ListViewInsertItem(ControlHandle list, int index, const std::string& text,
                                    int image) = 0;
    virtual void ListViewSetSelectionMark(ControlHandle list, int index) = 0;
    virtual int ListViewGetSelectionMark(ControlHandle list) const = 0;
    virtual void ListViewSelectItem(ControlHandle list, int index) = 0;

    // --- tab control ------------------------------------------------------------
    virtual void TabInsert(ControlHandle tab, int index, const std::string& text) = 0;
    virtual void TabSelect(ControlHandle tab, int index) = 0;
    virtual int TabGetSelection(ControlHandle tab) const = 0;
    // Shows a picture on a tab instead of its text, with the text as its tooltip.
    virtual void TabSetIcon(ControlHandle tab, int index, int bitmapId,
                            const std::string& toolTip) = 0;

    // --- window -----------------------------------------------------------------
    // Initialises the window's logic, shows the window and runs it until EndModal.
    virtual int RunModal(IWindowLogic& logic) = 0;
    // Adds a separator and an item to the window menu; false when there is none.
    virtual bool AddWindowMenuItem(const std::string& text, unsigned commandId) = 0;
    virtual void SetWindowIcon(int colorBitmapId, int maskBitmapId) = 0;
    virtual FontHandle CreateFont(const std::string& face, int pixelHeight) = 0;
    virtual void ReleaseFont(FontHandle font) = 0;
    virtual int ColorDepth() const = 0;
    virtual void HideWindow() = 0;
    virtual bool IsWindowMinimised() const = 0;
    // False while a message box or the about box is open over the window.
    virtual bool IsWindowEnabled() const = 0;
    virtual void EndModal(int result) = 0;
    // Modal message box: the text, one OK button, an exclamation icon, titled with the
    // program file's base name.
    virtual void MessageBox(const std::string& text) = 0;
    // Modal question with the buttons "Oui" and "Non", titled as the message boxes; true
    // for "Oui".
    virtual bool AskYesNo(const std::string& text) = 0;
    // Modal form of one-line fields, each under its label, filled with the values, with
    // "OK" and "Annuler": true and the values as edited on OK, false (values unchanged) on
    // cancel.
    virtual bool EditFields(const std::string& title, const std::vector<std::string>& labels,
                            std::vector<std::string>& values) = 0;
    virtual void ShowAboutBox() = 0;
    // Ends the process at once (the in-memory toolkit throws ProcessExit instead).
    [[noreturn]] virtual void ExitProcess(int status) = 0;

    // --- drawing ----------------------------------------------------------------
    // Marks a rectangle of the client area for repainting, and repaints it at once.
    virtual void RedrawRect(const Rect& rect) = 0;
    // The rubber band: toggling the same outline twice restores the screen, as an
    // inverting raster mode would.
    virtual void ToggleRubberBand(const Rect& rect, const Pen& pen) = 0;
    // A tip beside the pointer at (x, y), client pixels, in place of the one shown; the
    // toolkit hides it when the pointer leaves the window, the logic when it leaves the map.
    virtual void ShowPointerTip(int x, int y, const std::string& text) = 0;
    virtual void HidePointerTip() = 0;

    // --- shell ------------------------------------------------------------------
    // Opens a URL or a local document with the program registered for it; false when
    // nothing could take it.
    virtual bool ShellOpen(const std::string& target, ShowState show) = 0;
    // Whether a mail program is registered to take mailto: URLs.
    virtual bool HasMailHandler() = 0;
    // Hands a mailto: URL, already percent-encoded ASCII, to the desktop's opener exactly as
    // it is, and waits for the opener to end, as RunProgram does.
    virtual ProgramRun OpenMailUrl(const std::string& url, const std::string& progressText) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // Asks the user for a folder, starting in startFolder; empty when the user cancels.
    virtual std::string PickFolder(const std::string& title, const std::string& startFolder) = 0;
    // The directory for request copies, the error log and the order history; empty when
    // unavailable.
    virtual std::string SystemDirectory() const = 0;
    // The directory of the program's own settings (it may not exist yet); empty when none.
    virtual std::string SettingsDirectory() const = 0;
    // The full path of a program found on the PATH; empty when there is none.
    virtual std::string FindProgram(const std::string& name) const = 0;
    // Runs argv[0] with the other arguments as they are (no shell), the text on its
    // standard input, and waits for it to end or to time out. The window keeps painting
    // meanwhile but takes no input, as under a message box; after a moment a modal
    // progress window shows progressText with a button that stops the program.
    virtual ProgramRun RunProgram(const std::vector<std::string>& argv,
                                  const std::string& standardInput,
                                  const std::string& progressText) = 0;
    // Modal choice of one of the items; -1 when the user cancels.
    virtual int ChooseItem(const std::string& text, const std::vector<std::string>& items) = 0;

    // --- the boat's position ----------------------------------------------------
    // Follows the position daemon at host:port without ever waiting for it: the
    // connection is made, read and made again after a failure in the background, and
    // every change of the report raises EventKind::PositionChanged.
    virtual void WatchPosition(const std::string& host, int port) = 0;
    virtual PositionReport LatestPosition() const = 0;
};

}  // namespace platform
