// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory toolkit: runs the main window's logic without a windowing system. Tests set
// control states as a user would and fire the events of the event table; everything the
// logic shows is recorded.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Toolkit.h"

namespace platform {

struct MemoryControl {
    int controlId = 0;
    bool visible = true;
    bool runtime = false;
    RuntimeControlKind runtimeKind = RuntimeControlKind::Caption;
    FontHandle font = kNoFont;
    std::string text;
    int check = 0;
    Rect rect;  // client pixels
    // drop-down lists
    std::vector<std::string> items;
    int selection = -1;
    // check lists
    struct CheckItem {
        std::string text;
        int check = 0;
        bool enabled = true;
    };
    std::vector<CheckItem> checkItems;
    // list view
    std::vector<std::pair<std::string, int>> listItems;
    int selectionMark = -1;
    int selectedItem = -1;
    // tab control
    std::vector<std::string> tabs;
    int tabSelection = -1;
    std::map<int, std::pair<int, std::string>> tabIcons;  // index: picture, tooltip
};

// One drawing operation, as recorded by the painter below.
struct DrawOp {
    enum Kind { Fill, Text, Picture, Line, RectOutline, Icon } kind;
    Rect rect;  // Line and RectOutline: left/top = first point, right/bottom = second
    std::string text;
    int bitmap = 0;
    Pen pen;
    Color color;
};

class RecordingPainter : public IPainter {
  public:
    void FillRect(const Rect& rect, Color color) override;
    void DrawText(const Rect& rect, const std::string& text, FontHandle font,
                  Color background) override;
    void DrawPicture(int bitmapId, const Rect& dest) override;
    void DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) override;
    void DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) override;
    void DrawIcon(int x, int y) override;
    int ColorDepth() const override { return depth; }

    std::vector<DrawOp> ops;
    int depth = 32;
};

class MemoryToolkit : public IToolkit {
  public:
    // Client-pixel rectangles of the layout's controls, from a dialog base unit of
    // baseX x baseY pixels (the average character size of the dialog font).
    explicit MemoryToolkit(int baseX = 6, int baseY = 13);

    // --- IToolkit ---------------------------------------------------------------
    void ShowControl(ControlHandle control, bool show) override;
    bool IsControlVisible(ControlHandle control) const override;
    void SetControlFont(ControlHandle control, FontHandle font) override;
    void SetControlText(ControlHandle control, const std::string& text) override;
    std::string GetControlText(ControlHandle control) const override;
    void SetCheck(ControlHandle button, int state) override;
    int GetCheck(ControlHandle button) const override;
    Rect GetControlRect(ControlHandle control) const override;
    Rect GetClientRect() const override;
    void ComboReset(ControlHandle combo) override;
    void ComboAddItem(ControlHandle combo, const std::string& text) override;
    int ComboGetCount(ControlHandle combo) const override;
    std::string ComboGetItemText(ControlHandle combo, int index) const override;
    int ComboGetSelection(ControlHandle combo) const override;
    void ComboSetSelection(ControlHandle combo, int index) override;
    ControlHandle CreatePageControl(RuntimeControlKind kind, int controlId, const std::string& text,
                                    const Rect& rect, FontHandle font) override;
    void DestroyPageControl(ControlHandle control) override;
    void CheckListReset(ControlHandle list) override;
    void CheckListAddItem(ControlHandle list, const std::string& text) override;
    int CheckListGetCount(ControlHandle list) const override;
    std::string CheckListGetItemText(ControlHandle list, int index) const override;
    int CheckListGetCheck(ControlHandle list, int index) const override;
    void CheckListSetCheck(ControlHandle list, int index, int state) override;
    void CheckListEnableItem(ControlHandle list, int index, bool enable) override;
    bool CheckListIsItemEnabled(ControlHandle list, int index) const override;
    void ListViewSetColors(ControlHandle list, Color background, Color textBackground) override;
    void ListViewSetImageList(ControlHandle list, const std::vector<int>& bitmapIds,
                              Color transparent) override;
    void ListViewInsertItem(ControlHandle list, int index, const std::string& text,
                            int image) override;
    void ListViewSetSelectionMark(ControlHandle list, int index) override;
    int ListViewGetSelectionMark(ControlHandle list) const override;
    void ListViewSelectItem(ControlHandle list, int index) override;
    void TabInsert(ControlHandle tab, int index, const std::string& text) override;
    void TabSelect(ControlHandle tab, int index) override;
    int TabGetSelection(ControlHandle tab) const override;
    void TabSetIcon(ControlHandle tab, int index, int bitmapId,
                    const std::string& toolTip) override;
    int RunModal(IWindowLogic& logic) override;
    bool AddWindowMenuItem(const std::string& text, unsigned commandId) override;
    void SetWindowIcon(int colorBitmapId, int maskBitmapId) override;
    FontHandle CreateFont(const std::string& face, int pixelHeight) override;
    void ReleaseFont(FontHandle font) override;
    int ColorDepth() const override { return colorDepth; }
    void HideWindow() override { hidden = true; }
    bool IsWindowMinimised() const override { return minimised; }
    bool IsWindowEnabled() const override { return windowEnabled; }
    void EndModal(int result) override { endResult = result; }
    void MessageBox(const std::string& text) override;
    // Recorded in questions; answered with yesAnswer.
    bool AskYesNo(const std::string& text) override;
    // Recorded in forms; answered with the next of formAnswers (none left: cancelled).
    bool EditFields(const std::string& title, const std::vector<std::string>& labels,
                    std::vector<std::string>& values) override;
    void ShowAboutBox() override { ++aboutBoxes; }
    [[noreturn]] void ExitProcess(int status) override;
    void RedrawRect(const Rect& rect) override;
    void ToggleRubberBand(const Rect& rect, const Pen& pen) override;
    void ShowPointerTip(int x, int y, const std::string& text) override {
        pointerTip = {x, y, text};
    }
    void HidePointerTip() override { pointerTip.reset(); }
    // Records the target; a mail URL the Qt front end would not hand over as it is, is
    // refused like there.
    bool ShellOpen(const std::string& target, ShowState show) override;
    bool HasMailHandler() override { return mailHandler; }
    // Recorded in `opened` (normal show state); answered as a program run.
    ProgramRun OpenMailUrl(const std::string& url, const std::string& progressText) override;
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    // Answers with pickedFolder, as if the user had chosen it (empty: cancelled).
    std::string PickFolder(const std::string& title, const std::string& startFolder) override;
    std::string SystemDirectory() const override { return systemDirectory; }
    std::string SettingsDirectory() const override { return settingsDirectory; }
    std::string FindProgram(const std::string& name) const override;
    ProgramRun RunProgram(const std::vector<std::string>& argv, const std::string& standardInput,
                          const std::string& progressText) override;
    // Answers with chosenItem, as if the user had chosen it (-1: cancelled).
    int ChooseItem(const std::string& text, const std::vector<std::string>& items) override;
    // Records where the logic asked to follow the daemon; `position` is what it reports.
    void WatchPosition(const std::string& host, int port) override {
        watchedPosition = {host, port};
    }
    PositionReport LatestPosition() const override { return position; }

    // --- driving it as a user would --------------------------------------------
    // Each fires the event the event table lists, through the attached logic.
    void Type(int editId, const std::string& text);  // Changed
    void Leave(int editId);                          // Left
    void Click(int buttonId);             // checks radio buttons and toggles check boxes first
    void Choose(int comboId, int index);  // SelectionChanged
    void Spin(int spinId, int delta);     // SpinStep
    void SelectTab(int index);            // TabChanged
    void PressMouse(int x, int y);
    void MoveMouse(int x, int y);
    void ReleaseMouse(int x, int y);
    // A click on a check-list item's box: toggles it, then the release.
    void ToggleCheckListItem(ControlHandle list, int index);
    void ClickMapList(int index);  // -1: the empty part of the list
    void PressMapListKey(int key);
    void PressEscape();
    void PressClose();
    void Fire(const Event& event);
    // A new report of the position daemon, and its PositionChanged event.
    void ReportPosition(const PositionReport& report);
    // Paints the whole window into a recording painter.
    RecordingPainter Paint();

    const MemoryControl& Control(ControlHandle handle) const;
    MemoryControl& Control(ControlHandle handle);
    bool HasControl(ControlHandle handle) const { return controls.count(handle) != 0; }
    std::vector<ControlHandle> RuntimeControls(int controlId) const;

    // --- what the logic did ----------------------------------------------------
    std::map<ControlHandle, MemoryControl> controls;
    std::vector<std::string> messages;
    std::vector<std::pair<std::string, ShowState>> opened;
    std::vector<Rect> redraws;
    std::vector<Rect> rubberBands;  // currently drawn bands (toggled)
    int rubberBandToggles = 0;
    struct PointerTip {
        int x, y;
        std::string text;
        bool operator==(const PointerTip&) const = default;
    };
    std::optional<PointerTip> pointerTip;  // the tip shown, if any
    std::map<FontHandle, std::pair<std::string, int>> fonts;
    std::string windowMenuItem;
    unsigned windowMenuCommand = 0;
    std::pair<int, int> windowIcon{0, 0};
    std::vector<int> imageList;
    Color listBackground, listTextBackground;
    std::optional<int> endResult;
    int aboutBoxes = 0;
    bool hidden = false;
    std::string clipboard;
    std::string pickedFolder;
    std::vector<std::string> questions;
    bool yesAnswer = false;
    struct Form {
        std::string title;
        std::vector<std::string> labels, values;
    };
    std::vector<Form> forms;
    std::vector<std::vector<std::string>> formAnswers;
    std::vector<std::string> folderPickerStarts;  // the start folder of every pick
    struct Run {
        std::vector<std::string> argv;
        std::string standardInput;
        std::string progressText;
    };
    std::vector<Run> runs;                   // the programs run, the mail opener not among them
    std::vector<std::string> progressTexts;  // of every run, the mail opener's included
    std::vector<std::string> choiceItems;    // the items of the last ChooseItem
    std::optional<std::pair<std::string, int>> watchedPosition;  // host and port
    // What the daemon reports; ReportPosition changes it as the Qt reader does.
    PositionReport position;

    // --- settings a test may change --------------------------------------------
    int colorDepth = 32;
    bool minimised = false;
    bool windowEnabled = true;
    bool menuAvailable = true;
    bool shellOpenSucceeds = true;
    bool mailHandler = true;
    bool paintOnRedraw = true;
    std::string systemDirectory;
    std::string settingsDirectory;
    std::map<std::string, std::string> programsOnPath;  // name -> full path
    // The answer to a program run or a mail opening: from `answer` when set (given the
    // argument vector, the opener's as {"xdg-open", url}), else runResult.
    ProgramRun runResult{true, false, 0, {}, false, {}};
    std::function<ProgramRun(const std::vector<std::string>&)> answer;
    // Called while a program runs (a test may act meanwhile, as a user could).
    std::function<void()> whileRunning;
    int chosenItem = -1;
    // Answers of the next choices, in turn, before chosenItem.
    std::vector<int> chosenItems;
    // Called for every message box, after it is recorded (a test may act while it is open).
    std::function<void(const std::string&)> onMessageBox;

  private:
    void Running();

    IWindowLogic* m_pLogic = nullptr;
    ControlHandle m_nNextHandle = kFirstRuntimeHandle;
    FontHandle m_nNextFont = 1;
    int m_nBaseX, m_nBaseY;
};

}  // namespace platform
