// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt front end: builds the real window from the layout tables and implements the
// toolkit interface over Qt Widgets.
#pragma once

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/layout/Layout.h"
#include "platform/Toolkit.h"
#include "platform/qt/Widgets.h"

class QTabBar;

namespace platform::qt {
class PositionReader;
}

namespace platform::qt {

class QtToolkit;
struct RunRequest;

// The main window. Paints the tab pane and lets the logic paint the rest beneath the
// controls; turns the window's own events into the event table's.
class MainDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MainDialog(QtToolkit& toolkit);
    void done(int result) override;
    // The run was ended (possibly before it began).
    bool Ended() const { return m_bEnding; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QtToolkit& m_toolkit;
    bool m_bEnding = false;
};

// Drop-down lists of the main window named by their labels for screen readers.
void InstallAccessibleDropDowns();

class QtToolkit : public IToolkit {
  public:
    QtToolkit();
    ~QtToolkit() override;

    MainDialog& Window() { return *m_pDialog; }
    QWidget* Widget(ControlHandle control) const;
    // The dialog base units in pixels (average character width and height of the font).
    QSize BaseUnits() const { return m_baseUnits; }
    // Initialises the logic and shows the window without running it (RunModal does both).
    void Open(IWindowLogic& logic);
    // No more events reach the logic (before the logic goes away).
    void Detach() { m_pLogic = nullptr; }
    // Decides whether a mail program takes mailto: URLs; by default asks xdg-mime.
    void SetMailHandlerCheck(std::function<bool()> check) { m_mailHandlerCheck = std::move(check); }
    // Whether WatchPosition connects to the daemon (tests keep a gpsd of the machine out).
    void SetPositionFollowed(bool followed) { m_bPositionFollowed = followed; }

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
    int ColorDepth() const override;
    void HideWindow() override;
    bool IsWindowMinimised() const override;
    bool IsWindowEnabled() const override { return m_nModalDepth == 0; }
    void EndModal(int result) override;
    void MessageBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool EditFields(const std::string& title, const std::vector<std::string>& labels,
                    std::vector<std::string>& values) override;
    void ShowAboutBox() override;
    [[noreturn]] void ExitProcess(int status) override;
    void RedrawRect(const Rect& rect) override;
    void ToggleRubberBand(const Rect& rect, const Pen& pen) override;
    void ShowPointerTip(int x, int y, const std::string& text) override;
    void HidePointerTip() override;
    bool ShellOpen(const std::string& target, ShowState show) override;
    bool HasMailHandler() override;
    ProgramRun OpenMailUrl(const std::string& url, const std::string& progressText) override;
    void SetClipboardText(const std::string& text) override;
    std::string PickFolder(const std::string& title, const std::string& startFolder) override;
    std::string SystemDirectory() const override;
    std::string SettingsDirectory() const override;
    std::string FindProgram(const std::string& name) const override;
    ProgramRun RunProgram(const std::vector<std::string>& argv, const std::string& standardInput,
                          const std::string& progressText) override;
    int ChooseItem(const std::string& text, const std::vector<std::string>& items) override;
    void WatchPosition(const std::string& host, int port) override;
    PositionReport LatestPosition() const override;
    // How long a program (and the mail opener) may run before it is stopped.
    void SetRunTimeouts(int programMs, int openerMs) {
        m_nRunTimeoutMs = programMs;
        m_nOpenerTimeoutMs = openerMs;
    }

    // --- used by the main window ------------------------------------------------
    // Hands one user event to the logic. Handlers never nest: an event raised while one
    // runs (a focus moving because its page was hidden, say) waits until it returns;
    // while a message box is open only the end of an entry is kept, for after the box.
    void Deliver(const Event& event);
    // The end of an entry: the focus has gone from the edit the user was in to another
    // widget of the window (not merely to another window), or a button is about to act
    // on what the edit holds. Raises its Left event once.
    void EndEntry();
    // Follows the keyboard focus: an entry begins when an edit of the window takes it.
    void FocusMoved(QWidget* now);
    // Radio buttons: the arrow keys check the next button of the group and click it.
    bool MoveInRadioGroup(QWidget* button, int step);
    // Painting: what runs inside a paint event may only draw.
    void BeginPaint() { m_bPainting = true; }
    void EndPaint() { m_bPainting = false; }
    void PaintLogic(QPainter& painter);
    QFont Font(FontHandle font) const;
    const QString& WindowMenuText() const { return m_strWindowMenuText; }
    unsigned WindowMenuCommand() const { return m_nWindowMenuCommand; }
    // Control ids that take part in the window's events, by widget.
    int IdOf(QObject* widget) const { return m_ids.value(widget, 0); }
    QTabBar* TabBar() const { return m_pTabBar; }
    QRect TabPaneRect() const;

    // --- the window's size (WindowScaling.cpp) ---------------------------------
    // The whole layout scales with the window, keeping its aspect ratio, centred in it;
    // at the first size (scale 1) every control is where the layout puts it.
    void Relayout();
    double Scale() const { return m_dScale; }
    // The size the layout gives the window.
    QSize FirstSize() const { return m_firstSize; }
    // Before the window is first shown: the size it was closed at, within the screen.
    void RestoreWindowSize();
    // When the run ends: the size, if the user changed it, for the next start.
    void SaveWindowSize();

    // --- screen readers and the keyboard (Accessibility.cpp) --------------------
    // Names every control from its label (and the title that tells alike ones apart);
    // again whenever a label's text changes.
    void UpdateAccessibleNames();
    // A page control: a check list is named by the caption made just before it.
    void NamePageControl(QWidget* control, bool isList);
    // Alt + the letter after "&" in an icon tab's text selects that tab.
    void AddTabMnemonic(int index, const QString& text);

  private:
    void BuildWindow();
    ProgramRun Run(const RunRequest& request);
    std::optional<QByteArray> DefaultProgram(const QString& type);
    bool HasViewerFor(const QString& path);
    void FlushPending();
    // Each group is one Tab stop: its checked button, or its first when none is.
    void UpdateRadioTabStops(int buttonId);
    // Warns when a call that changes the window comes from inside a paint event.
    void CheckNotPainting(const char* call) const;
    QWidget* CreateControl(const wavepost::ControlLayout& layout);
    QRect DialogToPixels(int x, int y, int width, int height) const;
    // Places a widget at its first-size geometry, scaled to the window's present size.
    void Place(QWidget* widget, const QRect& firstGeometry);
    void ApplyGeometry(QWidget* widget, const QRect& firstGeometry) const;
    QRect Scaled(const QRect& firstGeometry) const;
    void Forget(QWidget* widget);
    QListWidgetItem* CheckItem(ControlHandle list, int index) const;

    QPointer<MainDialog> m_pDialog;
    std::unique_ptr<PositionReader> m_pPositionReader;  // made by WatchPosition
    bool m_bPositionFollowed = true;
    QSize m_baseUnits{6, 13};
    QFont m_firstFont;                         // the dialog font at the first size
    QSize m_firstSize;                         // the window's first size
    double m_dScale = 1.0;                     // present size / first size
    QPoint m_offset;                           // of the scaled layout, centred in the window
    QHash<QWidget*, QRect> m_firstGeometry;    // every placed widget, at the first size
    QHash<QWidget*, FontHandle> m_widgetFont;  // fonts set by the logic, scaled with it
    QHash<QWidget*, QString> m_unwrapped;      // multi-line buttons' captions before wrapping
    QHash<int, QPointer<QWidget>> m_pageControlsById;  // the last page control of each id
    QPointer<QWidget> m_pLastCaption;                  // the page caption made last
    QString m_strSavedSize;                            // the size setting as read at the start
    bool m_bSavedMaximised = false;
    std::map<ControlHandle, QPointer<QWidget>> m_controls;
    QHash<QObject*, int> m_ids;
    QHash<QWidget*, std::pair<std::string, QString>> m_lastTexts;  // bytes set, as shown
    std::map<int, std::vector<int>> m_radioGroups;                 // button id -> its group
    QTabBar* m_pTabBar = nullptr;
    IWindowLogic* m_pLogic = nullptr;
    std::map<FontHandle, QFont> m_fonts;
    FontHandle m_nNextFont = 1;
    ControlHandle m_nNextHandle = kFirstRuntimeHandle;
    QString m_strWindowMenuText;
    unsigned m_nWindowMenuCommand = 0;
    std::vector<std::pair<Rect, Pen>> m_rubberBands;
    int m_nModalDepth = 0;
    std::function<bool()> m_mailHandlerCheck;
    // A program taking an order answers in a second; one that has not ended in a minute
    // is stuck (waiting on a terminal, a lock), and is stopped.
    int m_nRunTimeoutMs = 60000;
    // The opener runs the mail program itself on a desktop without a launcher of its own,
    // and returns once the sailor has sent the mail in it (a terminal mail program) or
    // closed it: it is given the time to do so.
    int m_nOpenerTimeoutMs = 600000;
    std::vector<QPixmap> m_mapIcons;
    bool m_bDelivering = false;
    bool m_bPainting = false;
    bool m_bProgramTabChange = false;
    std::vector<Event> m_pending;
    QPointer<QWidget> m_pEntry;  // the edit the user is in, until its entry ends

    friend class MainDialog;
};

}  // namespace platform::qt
