// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window and the about box from the layout tables, and finding their
// controls again.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "platform/qt/Pictures.h"
#include "platform/qt/PositionReader.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

using wavepost::ControlKind;
using wavepost::ControlLayout;

namespace {

// The dialog font's face is not on Linux; asking for it lets the font match fall back to
// the system sans font.
QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// Average character width and height of the font, as dialog units are defined.
QSize MeasureBaseUnits(const QFont& font) {
    QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int width = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    return QSize(std::max(width, 1), std::max(metrics.height(), 1));
}

// Tests and tools find a control by the name its identifier has in the source.
QString ObjectName(int id) {
    return QLatin1String(wavepost::ControlIdName(id));
}

}  // namespace

QtToolkit::QtToolkit() {
    InstallAccessibleDropDowns();
    BuildWindow();
    QObject::connect(qApp, &QApplication::focusChanged, m_pDialog,
                     [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

QtToolkit::~QtToolkit() {
    m_pPositionReader.reset();
    delete m_pDialog;
}

QRect QtToolkit::DialogToPixels(int x, int y, int width, int height) const {
    int left = x * m_baseUnits.width() / 4;
    int top = y * m_baseUnits.height() / 8;
    int right = (x + width) * m_baseUnits.width() / 4;
    int bottom = (y + height) * m_baseUnits.height() / 8;
    return QRect(left, top, right - left, bottom - top);
}

void QtToolkit::BuildWindow() {
    const auto& layout = wavepost::MainWindowLayout();
    m_pDialog = new MainDialog(*this);
    QFont font = DialogFont();
    m_pDialog->setFont(font);
    m_firstFont = font;
    m_baseUnits = MeasureBaseUnits(font);
    m_pDialog->setWindowTitle(Decode(layout.caption));
    m_firstSize = DialogToPixels(0, 0, layout.width, layout.height).size();
    m_pDialog->resize(m_firstSize);
    m_pDialog->setMinimumSize(m_firstSize / 2);
    for (const auto& group : wavepost::RadioGroups())
        for (int id : group) m_radioGroups[id] = group;
    // Creation order is the tab order.
    for (const auto& control : layout.controls) {
        QWidget* widget = CreateControl(control);
        if (!widget) continue;
        if (control.id >= 0) {
            m_controls[control.id] = widget;
            m_ids.insert(widget, control.id);
            widget->setObjectName(ObjectName(control.id));
        }
        widget->setVisible(control.visible);
    }
    // Frames lie beneath the controls they frame, which some come before in the layout: a
    // style sheet giving frames a background must not cover the fields.
    for (QGroupBox* frame : m_pDialog->findChildren<QGroupBox*>()) frame->lower();
    // The map is painted by the window beneath its frame, which must stay see-through.
    if (QWidget* frame = Widget(wavepost::IDC_MAP_FRAME))
        frame->setStyleSheet(QStringLiteral("QGroupBox { background: transparent; }"));
    // "Antiméridien" and the boat's state are written over the map: in the map's own ink,
    // whatever the desktop's colours.
    for (int id : {wavepost::IDC_ANTIMERIDIAN_CHECK, wavepost::IDC_BOAT_STATE_LABEL}) {
        QWidget* overMap = Widget(id);
        if (!overMap) continue;
        QPalette palette = overMap->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        overMap->setPalette(palette);
    }
    // The tab strip sits below the page controls, which are created after it at run time.
    if (m_pTabBar) m_pTabBar->lower();
    for (const auto& group : wavepost::RadioGroups()) {
        auto* buttons = new QButtonGroup(m_pDialog);
        buttons->setExclusive(false);  // the logic may leave a group with none checked
        for (int id : group) buttons->addButton(qobject_cast<QAbstractButton*>(Widget(id)));
        UpdateRadioTabStops(group.front());
    }
    UpdateAccessibleNames();
}

void QtToolkit::UpdateRadioTabStops(int buttonId) {
    auto it = m_radioGroups.find(buttonId);
    if (it == m_radioGroups.end()) return;
    int stop = it->second.front();
    for (int id : it->second)
        if (auto* b = qobject_cast<QAbstractButton*>(Widget(id)); b && b->isChecked()) stop = id;
    for (int id : it->second)
        if (QWidget* b = Widget(id))
            b->setFocusPolicy(id == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool QtToolkit::MoveInRadioGroup(QWidget* button, int step) {
    const int id = IdOf(button);
    auto it = m_radioGroups.find(id);
    if (it == m_radioGroups.end()) return false;
    const std::vector<int>& group = it->second;
    const int count = static_cast<int>(group.size());
    const int at = static_cast<int>(std::find(group.begin(), group.end(), id) - group.begin());
    for (int i = 1; i < count; ++i) {
        const int next = group[static_cast<std::size_t>(((at + step * i) % count + count) % count)];
        auto* b = qobject_cast<QAbstractButton*>(Widget(next));
        if (!b || !b->isVisible() || !b->isEnabled()) continue;
        b->setFocus(Qt::TabFocusReason);
        b->click();  // checks it, unchecks the group and sends its Click, as a mouse click does
        return true;
    }
    return true;  // alone in its group: the key has nothing else to do
}

QWidget* QtToolkit::CreateControl(const ControlLayout& c) {
    MainDialog* dialog = m_pDialog;
    const QRect geometry = DialogToPixels(c.x, c.y, c.width, c.height);
    const QString text = Shown(c.text);
    auto sink = [this](const Event& event) { Deliver(event); };
    QWidget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::RadioButton:
        case ControlKind::CheckBox: {
            QAbstractButton* button;
            if (c.kind == ControlKind::RadioButton) {
                // Its group (below) keeps it exclusive, or lets the logic leave none
                // checked; a radio button for screen readers.
                auto* radio = new QRadioButton(dialog);
                radio->installEventFilter(dialog);  // the arrow keys move in the group
                button = radio;
            } else {
                auto* check = new QCheckBox(dialog);
                check->setTristate(false);
                button = check;
            }
            button->setText(text);
            if (c.style & wavepost::kStyleMultiLine) m_unwrapped[button] = text;
            int id = c.id;
            QObject::connect(button, &QAbstractButton::clicked, dialog, [this, id, button] {
                // A radio button stays checked when clicked again, and unchecks its group.
                if (auto it = m_radioGroups.find(id); it != m_radioGroups.end()) {
                    for (int other : it->second)
                        if (auto* b = qobject_cast<QAbstractButton*>(Widget(other)))
                            b->setChecked(other == id);
                    UpdateRadioTabStops(id);
                }
                // "Undetermined" is a state the program shows, never one a click goes to.
                if (auto* check = qobject_cast<QCheckBox*>(button)) check->setTristate(false);
                EndEntry();
                Deliver({EventKind::Click, id});
            });
            widget = button;
            break;
        }
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(text, dialog);
            if (c.kind == ControlKind::DefaultPushButton) button->setDefault(true);
            int id = c.id;
            QObject::connect(button, &QPushButton::clicked, dialog, [this, id] {
                // Return presses the default button with the focus still in a field: what
                // leaving the field does comes first.
                EndEntry();
                Deliver({EventKind::Click, id});
            });
            widget = button;
            break;
        }
        case ControlKind::Edit: {
            if (c.style & wavepost::kStyleMultiLine) {
                auto* edit = new QPlainTextEdit(dialog);
                edit->setReadOnly(c.style & wavepost::kStyleReadOnly);
                widget = edit;
                break;
            }
            auto* edit = new QLineEdit(dialog);
            edit->setReadOnly(c.style & wavepost::kStyleReadOnly);
            if (c.style & wavepost::kStyleRightAligned) edit->setAlignment(Qt::AlignRight);
            int id = c.id;
            // textEdited fires on the user's edits only: texts the program writes raise no
            // handler.
            QObject::connect(edit, &QLineEdit::textEdited, dialog, [this, id, edit] {
                m_pEntry = edit;  // typing starts an entry again, after a button ended one
                Deliver({EventKind::Changed, id});
            });
            widget = edit;
            break;
        }
        case ControlKind::Label:
        case ControlKind::CentredLabel: {
            auto* label = new QLabel(text, dialog);
            label->setWordWrap(c.height > 10);
            label->setAlignment(c.kind == ControlKind::CentredLabel
                                    ? Qt::AlignHCenter | Qt::AlignTop
                                    : Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(text, dialog);
            // The map frame must not hide the map painted beneath it, and mouse presses on
            // the map reach the window.
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            group->setFlat(false);
            widget = group;
            break;
        }
        case ControlKind::DropDownList: {
            auto* combo = new QComboBox(dialog);
            combo->setMaxVisibleItems(std::max(3, geometry.height() / 16));
            int id = c.id;
            // activated is the user's choice; a selection the program sets raises none.
            QObject::connect(combo, &QComboBox::activated, dialog, [this, id] {
                Deliver({EventKind::SelectionChanged, id});
            });
            widget = combo;  // as high as its font needs, the layout's height is its list's
            break;
        }
        case ControlKind::SpinArrows:
            widget = new SpinArrows(dialog, c.id, sink);
            break;
        case ControlKind::ListView: {
            auto* list = new MapListWidget(dialog, c.id, sink);
            widget = list;
            break;
        }
        case ControlKind::TabControl: {
            m_pTabBar = new QTabBar(dialog);
            m_pTabBar->setDrawBase(false);
            m_pTabBar->setExpanding(false);
            // In a window shrunk to fit a small screen every tab stays in sight, its text
            // shortened, rather than some behind scroll arrows.
            m_pTabBar->setUsesScrollButtons(false);
            m_pTabBar->setElideMode(Qt::ElideRight);
            // Every change the user makes, by click, key or wheel; the program's own
            // selections raise nothing.
            QObject::connect(m_pTabBar, &QTabBar::currentChanged, dialog, [this](int index) {
                if (index >= 0 && !m_bProgramTabChange)
                    Deliver({EventKind::TabChanged, wavepost::IDC_TAB_PAGES});
            });
            Place(m_pTabBar, geometry.adjusted(2, 0, -2, 0));  // as high as its font needs
            m_pTabBar->setObjectName(ObjectName(c.id));
            m_controls[c.id] = m_pTabBar;
            m_ids.insert(m_pTabBar, c.id);
            m_pTabBar->setVisible(true);
            return nullptr;  // registered here: its rectangle is the whole control
        }
        case ControlKind::Picture:
        case ControlKind::Icon: {
            auto* label = new QLabel(dialog);
            label->setPixmap(LoadPicture(c.bitmap));
            label->setScaledContents(c.kind == ControlKind::Picture);
            widget = label;
            break;
        }
    }
    Place(widget, geometry);
    return widget;
}

QRect QtToolkit::TabPaneRect() const {
    const auto* tab = wavepost::FindControl(wavepost::IDC_TAB_PAGES);
    QRect whole = Scaled(DialogToPixels(tab->x, tab->y, tab->width, tab->height));
    int barHeight = m_pTabBar ? m_pTabBar->sizeHint().height() : 0;
    return whole.adjusted(0, barHeight - 2, 0, 0);
}

QWidget* QtToolkit::Widget(ControlHandle control) const {
    auto it = m_controls.find(control);
    return it == m_controls.end() ? nullptr : it->second.data();
}

QListWidgetItem* QtToolkit::CheckItem(ControlHandle list, int index) const {
    auto* widget = qobject_cast<QListWidget*>(Widget(list));
    return widget && index >= 0 && index < widget->count() ? widget->item(index) : nullptr;
}

void QtToolkit::ShowAboutBox() {
    const auto& layout = wavepost::AboutBoxLayout();
    QDialog about(m_pDialog);
    about.setWindowTitle(Shown(layout.caption));
    about.setFont(m_firstFont);
    about.setFixedSize(DialogToPixels(0, 0, layout.width, layout.height).size());
    // Labels may run wider than the layout's font made them, up to the button's left.
    int labelsEnd = about.width();
    int contentBottom = 0;
    for (const auto& c : layout.controls)
        if (c.kind == ControlKind::DefaultPushButton)
            labelsEnd = DialogToPixels(c.x, c.y, c.width, c.height).left() - 4;
    for (const auto& c : layout.controls) {
        QRect geometry = DialogToPixels(c.x, c.y, c.width, c.height);
        if (c.kind == ControlKind::Icon) {
            auto* icon = new QLabel(&about);
            icon->setPixmap(LoadPicture(c.bitmap));
            icon->setGeometry(geometry.x(), geometry.y(), 32, 32);
        } else if (c.kind == ControlKind::DefaultPushButton) {
            auto* ok = new QPushButton(Shown(c.text), &about);
            ok->setObjectName(QStringLiteral("IDC_ABOUT_OK"));
            ok->setDefault(true);
            ok->setGeometry(geometry);
            QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
        } else {
            auto* label = new QLabel(Shown(c.text), &about);
            label->setWordWrap(true);
            geometry.setRight(std::max(geometry.right(), labelsEnd));
            geometry.setHeight(
                std::max(geometry.height(), label->heightForWidth(geometry.width())));
            label->setGeometry(geometry);
            contentBottom = std::max(contentBottom, geometry.bottom());
        }
    }
    // A wrapped label makes the box taller rather than cut.
    about.setFixedSize(about.width(), std::max(about.height(), contentBottom + 8));
    ++m_nModalDepth;
    about.exec();
    --m_nModalDepth;
    FlushPending();
}

}  // namespace platform::qt
