// The fixed layouts of the main window and the about box, in dialog units.
#pragma once

#include <string>
#include <vector>

namespace wavepost {

enum class ControlKind {
    RadioButton,
    CheckBox,
    PushButton,
    DefaultPushButton,
    Edit,
    Label,
    CentredLabel,
    GroupBox,
    DropDownList,
    SpinArrows,
    ListView,
    TabControl,
    Picture,
    Icon,
};

enum ControlStyle : unsigned {
    kStyleNone = 0,
    kStyleMultiLine = 1u << 0,
    kStyleRightAligned = 1u << 1,
    kStyleReadOnly = 1u << 2,
    kStylePushLike = 1u << 3,
};

struct ControlLayout {
    int id;  // -1 for controls without an identifier
    ControlKind kind;
    std::string text;
    int x, y, width, height;  // dialog units
    bool visible;
    unsigned style;
    int bitmap;  // pictures and icons; 0 otherwise
};

struct DialogLayout {
    std::string caption;
    std::string fontFace;
    int fontPoints;
    int width, height;                    // dialog units
    std::vector<ControlLayout> controls;  // creation order = tab order
};

constexpr int IDD_MARLOCK_DIALOG = 103;
constexpr int IDD_ABOUTBOX = 100;

const DialogLayout& MainWindowLayout();
const DialogLayout& AboutBoxLayout();

// The radio groups of the main window, buttons in index order.
const std::vector<std::vector<int>>& RadioGroups();
// The group holding a radio button, or nullptr.
const std::vector<int>* RadioGroupOf(int buttonId);
const ControlLayout* FindControl(int id);

}  // namespace wavepost
