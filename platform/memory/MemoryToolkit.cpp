#include "platform/memory/MemoryToolkit.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "app/layout/Layout.h"

namespace platform {

void RecordingPainter::FillRect(const Rect& rect, Color color) {
    ops.push_back({DrawOp::Fill, rect, {}, 0, {}, color});
}
void RecordingPainter::DrawText(const Rect& rect, const std::string& text, FontHandle,
                                Color background) {
    ops.push_back({DrawOp::Text, rect, text, 0, {}, background});
}
void RecordingPainter::DrawPicture(int bitmapId, const Rect& dest) {
    ops.push_back({DrawOp::Picture, dest, {}, bitmapId, {}, {}});
}
void RecordingPainter::DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    ops.push_back({DrawOp::Line, {x0, y0, x1, y1}, {}, 0, pen, pen.color});
}
void RecordingPainter::DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) {
    ops.push_back({DrawOp::RectOutline, {x0, y0, x1, y1}, {}, 0, pen, pen.color});
}
void RecordingPainter::DrawIcon(int x, int y) {
    ops.push_back({DrawOp::Icon, {x, y, x, y}, {}, 0, {}, {}});
}

MemoryToolkit::MemoryToolkit(int baseX, int baseY) : m_nBaseX(baseX), m_nBaseY(baseY) {
    for (const auto& layout : wavepost::MainWindowLayout().controls) {
        if (layout.id < 0) continue;
        MemoryControl& c = controls[layout.id];
        c.controlId = layout.id;
        c.visible = layout.visible;
        c.text = layout.text;
        c.rect = {layout.x * baseX / 4, layout.y * baseY / 8, (layout.x + layout.width) * baseX / 4,
                  (layout.y + layout.height) * baseY / 8};
    }
    // The texts of the edits start empty; labels and buttons keep their captions.
    for (const auto& layout : wavepost::MainWindowLayout().controls)
        if (layout.kind == wavepost::ControlKind::Edit) controls[layout.id].text.clear();
}

const MemoryControl& MemoryToolkit::Control(ControlHandle handle) const {
    auto it = controls.find(handle);
    if (it == controls.end()) throw std::out_of_range("no control " + std::to_string(handle));
    return it->second;
}

MemoryControl& MemoryToolkit::Control(ControlHandle handle) {
    auto it = controls.find(handle);
    if (it == controls.end()) throw std::out_of_range("no control " + std::to_string(handle));
    return it->second;
}

std::vector<ControlHandle> MemoryToolkit::RuntimeControls(int controlId) const {
    std::vector<ControlHandle> found;
    for (const auto& [handle, control] : controls)
        if (control.runtime && control.controlId == controlId) found.push_back(handle);
    return found;
}

void MemoryToolkit::ShowControl(ControlHandle control, bool show) {
    Control(control).visible = show;
}
bool MemoryToolkit::IsControlVisible(ControlHandle control) const {
    return Control(control).visible;
}
void MemoryToolkit::SetControlFont(ControlHandle control, FontHandle font) {
    Control(control).font = font;
}
void MemoryToolkit::SetControlText(ControlHandle control, const std::string& text) {
    Control(control).text = text;
}
std::string MemoryToolkit::GetControlText(ControlHandle control) const {
    return Control(control).text;
}

void MemoryToolkit::SetCheck(ControlHandle button, int state) {
    Control(button).check = state;
}
int MemoryToolkit::GetCheck(ControlHandle button) const {
    return Control(button).check;
}
Rect MemoryToolkit::GetControlRect(ControlHandle control) const {
    return Control(control).rect;
}
Rect MemoryToolkit::GetClientRect() const {
    const auto& layout = wavepost::MainWindowLayout();
    return {0, 0, layout.width * m_nBaseX / 4, layout.height * m_nBaseY / 8};
}

void MemoryToolkit::ComboReset(ControlHandle combo) {
    Control(combo).items.clear();
    Control(combo).selection = -1;
}
void MemoryToolkit::ComboAddItem(ControlHandle combo, const std::string& text) {
    Control(combo).items.push_back(text);
}
int MemoryToolkit::ComboGetCount(ControlHandle combo) const {
    return static_cast<int>(Control(combo).items.size());
}
std::string MemoryToolkit::ComboGetItemText(ControlHandle combo, int index) const {
    const auto& items = Control(combo).items;
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string();
}
int MemoryToolkit::ComboGetSelection(ControlHandle combo) const {
    return Control(combo).selection;
}
void MemoryToolkit::ComboSetSelection(ControlHandle combo, int index) {
    MemoryControl& c = Control(combo);
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
}

ControlHandle MemoryToolkit::CreatePageControl(RuntimeControlKind kind, int controlId,
                                               const std::string& text, const Rect& rect,
                                               FontHandle font) {
    ControlHandle handle = m_nNextHandle++;
    MemoryControl& c = controls[handle];
    c.controlId = controlId;
    c.runtime = true;
    c.runtimeKind = kind;
    c.visible = false;
    c.text = text;
    Rect tab = Control(wavepost::IDC_TAB_PAGES).rect;
    c.rect = {tab.left + rect.left, tab.top + rect.top, tab.left + rect.right,
              tab.top + rect.bottom};
    c.font = font;
    return handle;
}

void MemoryToolkit::DestroyPageControl(ControlHandle control) {
    if (!Control(control).runtime) throw std::logic_error("not a page control");
    controls.erase(control);
}

void MemoryToolkit::CheckListReset(ControlHandle list) {
    Control(list).checkItems.clear();
}
void MemoryToolkit::CheckListAddItem(ControlHandle list, const std::string& text) {
    Control(list).checkItems.push_back({text, 0, true});
}
int MemoryToolkit::CheckListGetCount(ControlHandle list) const {
    return static_cast<int>(Control(list).checkItems.size());
}
std::string MemoryToolkit::CheckListGetItemText(ControlHandle list, int index) const {
    const auto& items = Control(list).checkItems;
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index].text : std::string();
}
int MemoryToolkit::CheckListGetCheck(ControlHandle list, int index) const {
    const auto& items = Control(list).checkItems;
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index].check : 0;
}
void MemoryToolkit::CheckListSetCheck(ControlHandle list, int index, int state) {
    auto& items = Control(list).checkItems;
    if (index >= 0 && index < static_cast<int>(items.size())) items[index].check = state;
}
void MemoryToolkit::CheckListEnableItem(ControlHandle list, int index, bool enable) {
    auto& items = Control(list).checkItems;
    if (index >= 0 && index < static_cast<int>(items.size())) items[index].enabled = enable;
}
bool MemoryToolkit::CheckListIsItemEnabled(ControlHandle list, int index) const {
    const auto& items = Control(list).checkItems;
    return index >= 0 && index < static_cast<int>(items.size()) && items[index].enabled;
}

void MemoryToolkit::ListViewSetColors(ControlHandle, Color background, Color textBackground) {
    listBackground = background;
    listTextBackground = textBackground;
}
void MemoryToolkit::ListViewSetImageList(ControlHandle, const std::vector<int>& bitmapIds, Color) {
    imageList = bitmapIds;
}
void MemoryToolkit::ListViewInsertItem(ControlHandle list, int index, const std::string& text,
                                       int image) {
    auto& items = Control(list).listItems;
    index = std::clamp(index, 0, static_cast<int>(items.size()));
    items.insert(items.begin() + index, {text, image});
}
void MemoryToolkit::ListViewSetSelectionMark(ControlHandle list, int index) {
    Control(list).selectionMark = index;
}
int MemoryToolkit::ListViewGetSelectionMark(ControlHandle list) const {
    return Control(list).selectionMark;
}
void MemoryToolkit::ListViewSelectItem(ControlHandle list, int index) {
    Control(list).selectedItem = index;
}

void MemoryToolkit::TabInsert(ControlHandle tab, int index, const std::string& text) {
    auto& tabs = Control(tab).tabs;
    index = std::clamp(index, 0, static_cast<int>(tabs.size()));
    tabs.insert(tabs.begin() + index, text);
    // As a tab control does, the first tab inserted becomes the selected one.
    if (tabs.size() == 1) Control(tab).tabSelection = 0;
}
void MemoryToolkit::TabSelect(ControlHandle tab, int index) {
    Control(tab).tabSelection = index;
}
int MemoryToolkit::TabGetSelection(ControlHandle tab) const {
    return Control(tab).tabSelection;
}
void MemoryToolkit::TabSetIcon(ControlHandle tab, int index, int bitmapId,
                               const std::string& toolTip) {
    Control(tab).tabIcons[index] = {bitmapId, toolTip};
}
std::string MemoryToolkit::PickFolder(const std::string&, const std::string& startFolder) {
    folderPickerStarts.push_back(startFolder);
    return pickedFolder;
}

int MemoryToolkit::RunModal(IWindowLogic& logic) {
    m_pLogic = &logic;
    logic.OnInitDialog();
    return endResult.value_or(0);
}

bool MemoryToolkit::AddWindowMenuItem(const std::string& text, unsigned commandId) {
    if (!menuAvailable) return false;
    windowMenuItem = text;
    windowMenuCommand = commandId;
    return true;
}
void MemoryToolkit::SetWindowIcon(int colorBitmapId, int maskBitmapId) {
    windowIcon = {colorBitmapId, maskBitmapId};
}
FontHandle MemoryToolkit::CreateFont(const std::string& face, int pixelHeight) {
    FontHandle handle = m_nNextFont++;
    fonts[handle] = {face, pixelHeight};
    return handle;
}
void MemoryToolkit::ReleaseFont(FontHandle font) {
    fonts.erase(font);
}

void MemoryToolkit::MessageBox(const std::string& text) {
    messages.push_back(text);
    if (onMessageBox) onMessageBox(text);
}

bool MemoryToolkit::AskYesNo(const std::string& text) {
    questions.push_back(text);
    return yesAnswer;
}

bool MemoryToolkit::EditFields(const std::string& title, const std::vector<std::string>& labels,
                               std::vector<std::string>& values) {
    forms.push_back({title, labels, values});
    if (formAnswers.empty()) return false;
    values = formAnswers.front();
    formAnswers.erase(formAnswers.begin());
    return true;
}

void MemoryToolkit::ExitProcess(int status) {
    throw ProcessExit{status};
}

void MemoryToolkit::RedrawRect(const Rect& rect) {
    redraws.push_back(rect);
    if (paintOnRedraw && m_pLogic) {
        RecordingPainter painter;
        painter.depth = colorDepth;
        m_pLogic->OnPaint(painter);
    }
}

void MemoryToolkit::ToggleRubberBand(const Rect& rect, const Pen&) {
    ++rubberBandToggles;
    auto it = std::find(rubberBands.begin(), rubberBands.end(), rect);
    if (it == rubberBands.end())
        rubberBands.push_back(rect);
    else
        rubberBands.erase(it);
}

namespace {

// A mail URL the Qt front end hands over byte for byte: printable ASCII without blanks, no
// escape of an unreserved character (which Qt would write back unescaped).
bool IsHandedOverAsIs(const std::string& url) {
    for (std::size_t i = 0; i < url.size(); ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (c <= 0x20 || c >= 0x7F) return false;
        if (c != '%') continue;
        if (i + 2 >= url.size() || !std::isxdigit(static_cast<unsigned char>(url[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(url[i + 2])))
            return false;
        const char byte = static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
        if (std::isalnum(static_cast<unsigned char>(byte)) || byte == '-' || byte == '.' ||
            byte == '_' || byte == '~')
            return false;
    }
    return true;
}

}  // namespace

bool MemoryToolkit::ShellOpen(const std::string& target, ShowState show) {
    if (target.rfind("mailto:", 0) == 0 && !IsHandedOverAsIs(target)) return false;
    opened.emplace_back(target, show);
    return shellOpenSucceeds;
}

std::string MemoryToolkit::FindProgram(const std::string& name) const {
    auto it = programsOnPath.find(name);
    return it == programsOnPath.end() ? std::string() : it->second;
}

ProgramRun MemoryToolkit::RunProgram(const std::vector<std::string>& argv,
                                     const std::string& standardInput,
                                     const std::string& progressText) {
    runs.push_back({argv, standardInput, progressText});
    progressTexts.push_back(progressText);
    Running();
    return answer ? answer(argv) : runResult;
}

void MemoryToolkit::Running() {
    // The window takes no input while a program runs, as under a message box.
    const bool enabled = windowEnabled;
    windowEnabled = false;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{windowEnabled, enabled};
    if (whileRunning) whileRunning();
}

ProgramRun MemoryToolkit::OpenMailUrl(const std::string& url, const std::string& progressText) {
    opened.emplace_back(url, ShowState::Normal);
    progressTexts.push_back(progressText);
    Running();
    return answer ? answer({"xdg-open", url}) : runResult;
}

void MemoryToolkit::ReportPosition(const PositionReport& report) {
    position = report;
    Fire({EventKind::PositionChanged});
}

int MemoryToolkit::ChooseItem(const std::string&, const std::vector<std::string>& items) {
    choiceItems = items;
    if (chosenItems.empty()) return chosenItem;
    const int chosen = chosenItems.front();
    chosenItems.erase(chosenItems.begin());
    return chosen;
}

void MemoryToolkit::Fire(const Event& event) {
    if (!m_pLogic) throw std::logic_error("no window logic attached: call RunModal first");
    m_pLogic->OnEvent(event);
}

void MemoryToolkit::Type(int editId, const std::string& text) {
    Control(editId).text = text;
    Fire({EventKind::Changed, editId});
}

void MemoryToolkit::Leave(int editId) {
    Fire({EventKind::Left, editId});
}

void MemoryToolkit::Click(int buttonId) {
    if (const auto* group = wavepost::RadioGroupOf(buttonId)) {
        for (int id : *group) Control(id).check = id == buttonId ? 1 : 0;
    } else if (const auto* layout = wavepost::FindControl(buttonId);
               layout && layout->kind == wavepost::ControlKind::CheckBox) {
        Control(buttonId).check = Control(buttonId).check ? 0 : 1;
    }
    Fire({EventKind::Click, buttonId});
}

void MemoryToolkit::Choose(int comboId, int index) {
    ComboSetSelection(comboId, index);
    Fire({EventKind::SelectionChanged, comboId});
}

void MemoryToolkit::Spin(int spinId, int delta) {
    Fire({EventKind::SpinStep, spinId, delta});
}

void MemoryToolkit::SelectTab(int index) {
    Control(wavepost::IDC_TAB_PAGES).tabSelection = index;
    Fire({EventKind::TabChanged, wavepost::IDC_TAB_PAGES});
}

void MemoryToolkit::PressMouse(int x, int y) {
    Fire({EventKind::LButtonDown, 0, 0, x, y});
}
void MemoryToolkit::MoveMouse(int x, int y) {
    Fire({EventKind::MouseMove, 0, 0, x, y});
}
void MemoryToolkit::ReleaseMouse(int x, int y) {
    Fire({EventKind::LButtonUp, 0, 0, x, y});
}

void MemoryToolkit::ToggleCheckListItem(ControlHandle list, int index) {
    auto& items = Control(list).checkItems;
    if (index >= 0 && index < static_cast<int>(items.size()) && items[index].enabled)
        items[index].check = items[index].check ? 0 : 1;
    Fire({EventKind::CheckListButtonUp, list});
}

void MemoryToolkit::ClickMapList(int index) {
    if (index >= 0) {
        Control(wavepost::IDC_MAP_LIST).selectionMark = index;
        Control(wavepost::IDC_MAP_LIST).selectedItem = index;
    } else {
        Control(wavepost::IDC_MAP_LIST).selectedItem = -1;
    }
    Fire({EventKind::MapListClick, wavepost::IDC_MAP_LIST});
}

void MemoryToolkit::PressMapListKey(int key) {
    Fire({EventKind::MapListKeyDown, wavepost::IDC_MAP_LIST, key});
    // The list then moves its own selection.
    MemoryControl& list = Control(wavepost::IDC_MAP_LIST);
    int count = static_cast<int>(list.listItems.size());
    if (key == kKeyUp && list.selectionMark > 0) --list.selectionMark;
    if (key == kKeyDown && list.selectionMark < count - 1) ++list.selectionMark;
    list.selectedItem = list.selectionMark;
}

void MemoryToolkit::PressEscape() {
    Fire({EventKind::Escape});
}
void MemoryToolkit::PressClose() {
    Fire({EventKind::CloseRequest});
}

RecordingPainter MemoryToolkit::Paint() {
    RecordingPainter painter;
    painter.depth = colorDepth;
    if (m_pLogic) m_pLogic->OnPaint(painter);
    return painter;
}

}  // namespace platform
