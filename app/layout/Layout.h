// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed layouts of the main window and the about box, in dialog units.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/layout/ResourceIds.h"

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

// The pages of the tab control, in tab order.
enum TabPage : int {
    kZonePage = 0,
    kParametersPage = 1,
    kOptionsPage = 2,
    kBulletinsPage = 3,
    kImagesPage = 4,
    kOrderPage = 5,
    kHelpPage = 6,
    kPageCount = 7,
};

const DialogLayout& MainWindowLayout();
const DialogLayout& AboutBoxLayout();

// The label that names a control for screen readers, and the title that tells it from a
// control of the same label elsewhere in the window: a control, a tab page (kPageTitle)
// or none (0). Labels and titles may be controls made at run time (PageControlId).
constexpr int kPageTitle(int page) {
    return -1 - page;
}
struct LabelBuddy {
    int control;
    int label;
    int context;
    int textId = 0;  // a text of the string table, for a control no label names
};
const std::vector<LabelBuddy>& LabelBuddies();

// The radio groups of the main window, buttons in index order: the layout groups them,
// the window binds and exchanges them, the toolkits make them exclusive.
inline constexpr std::array<int, 3> kMapRadios{IDC_MAP_WORLD_RADIO, IDC_MAP_EUROPE_RADIO,
                                               IDC_MAP_FRANCE_RADIO};
inline constexpr std::array<int, 2> kZoneModeRadios{IDC_ZONE_CENTRED_RADIO,
                                                    IDC_ZONE_RECTANGLE_RADIO};
inline constexpr std::array<int, 2> kLandDataRadios{IDC_LAND_YES_RADIO, IDC_LAND_NO_RADIO};
inline constexpr std::array<int, 4> kCompressionRadios{
    IDC_COMPRESSION_NONE_RADIO, IDC_COMPRESSION_ZIP_RADIO, IDC_COMPRESSION_GZIP_RADIO,
    IDC_COMPRESSION_BZIP2_RADIO};
inline constexpr std::array<int, 4> kSubscriptionRadios{
    IDC_SUBSCRIPTION_SINGLE_RADIO, IDC_SUBSCRIPTION_DAYS_RADIO, IDC_SUBSCRIPTION_PERMANENT_RADIO,
    IDC_SUBSCRIPTION_CANCEL_RADIO};

const std::vector<std::vector<int>>& RadioGroups();
// The group holding a radio button, or nullptr.
const std::vector<int>* RadioGroupOf(int buttonId);
const ControlLayout* FindControl(int id);
// The identifier's name in the source, as "IDC_LON1_EDIT"; nullptr for a number no control has.
const char* ControlIdName(int id);

}  // namespace wavepost
