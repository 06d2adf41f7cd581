// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's calls on the controls: texts, checks, drop-down lists, check lists, the
// list of maps and the tab strip.
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>

#include "platform/qt/Pictures.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

namespace {

Qt::CheckState ToCheckState(int state) {
    return state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

int FromCheckState(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

}  // namespace

// --- controls ----------------------------------------------------------------------

void QtToolkit::ShowControl(ControlHandle control, bool show) {
    CheckNotPainting("ShowControl");
    if (QWidget* w = Widget(control)) w->setVisible(show);
}

bool QtToolkit::IsControlVisible(ControlHandle control) const {
    QWidget* w = Widget(control);
    return w && !w->isHidden();
}

void QtToolkit::SetControlFont(ControlHandle control, FontHandle font) {
    if (QWidget* w = Widget(control)) {
        m_widgetFont[w] = font;  // scaled with the window
        w->setFont(Font(font));
    }
}

void QtToolkit::SetControlText(ControlHandle control, const std::string& text) {
    CheckNotPainting("SetControlText");
    QWidget* w = Widget(control);
    if (!w) return;
    // Labels, buttons and the order page's texts are the program's own, shown in the
    // window's language; what the user types or reads from the files is shown as it is.
    const bool own = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                     control == wavepost::IDC_ORDER_TEXT_EDIT ||
                     control == wavepost::IDC_HISTORY_EDIT;
    QString shown = own ? Shown(text) : Decode(text);
    m_lastTexts[w] = {text, shown};
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != shown) edit->setText(shown);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (plain->toPlainText() != shown) plain->setPlainText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(shown);
        UpdateAccessibleNames();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(shown);
        UpdateAccessibleNames();
    }
}

std::string QtToolkit::GetControlText(ControlHandle control) const {
    QWidget* w = Widget(control);
    if (!w) return {};
    QString shown;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        shown = edit->text();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        shown = plain->toPlainText();
    else if (auto* label = qobject_cast<QLabel*>(w))
        shown = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        shown = button->text();
    // Bytes the program wrote come back unchanged while the user has not edited them.
    auto it = m_lastTexts.find(w);
    if (it != m_lastTexts.end() && it->second == shown) return it->first;
    return Encode(shown);
}

void QtToolkit::SetCheck(ControlHandle button, int state) {
    auto* b = qobject_cast<QAbstractButton*>(Widget(button));
    if (!b) return;
    CheckNotPainting("SetCheck");
    if (auto* check = qobject_cast<QCheckBox*>(b)) {
        // Three states only while "undetermined" is shown: a click then leaves it for good.
        check->setTristate(state == 2);
        check->setCheckState(ToCheckState(state));
    } else {
        b->setChecked(state != 0);
        UpdateRadioTabStops(button);
    }
}

int QtToolkit::GetCheck(ControlHandle button) const {
    auto* b = qobject_cast<QAbstractButton*>(Widget(button));
    if (!b) return 0;
    if (auto* check = qobject_cast<QCheckBox*>(b)) return FromCheckState(check->checkState());
    return b->isChecked() ? 1 : 0;
}

Rect QtToolkit::GetControlRect(ControlHandle control) const {
    QWidget* w = Widget(control);
    if (!w) return {};
    if (control == wavepost::IDC_TAB_PAGES) {
        // The frame the page controls are placed in: the layout's rectangle at the
        // window's first size, whatever the window's size (the toolkit scales them).
        const auto* tab = wavepost::FindControl(wavepost::IDC_TAB_PAGES);
        QRect r = DialogToPixels(tab->x, tab->y, tab->width, tab->height);
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    QRect r = w->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect QtToolkit::GetClientRect() const {
    return {0, 0, m_pDialog->width(), m_pDialog->height()};
}

// --- drop-down lists ---------------------------------------------------------------

void QtToolkit::ComboReset(ControlHandle combo) {
    if (auto* c = qobject_cast<QComboBox*>(Widget(combo))) c->clear();
}

void QtToolkit::ComboAddItem(ControlHandle combo, const std::string& text) {
    if (auto* c = qobject_cast<QComboBox*>(Widget(combo))) {
        c->addItem(Shown(text), QByteArray::fromStdString(text));
        if (c->count() == 1) c->setCurrentIndex(-1);
    }
}

int QtToolkit::ComboGetCount(ControlHandle combo) const {
    auto* c = qobject_cast<QComboBox*>(Widget(combo));
    return c ? c->count() : 0;
}

std::string QtToolkit::ComboGetItemText(ControlHandle combo, int index) const {
    auto* c = qobject_cast<QComboBox*>(Widget(combo));
    if (!c || index < 0 || index >= c->count()) return {};
    return c->itemData(index).toByteArray().toStdString();
}

int QtToolkit::ComboGetSelection(ControlHandle combo) const {
    auto* c = qobject_cast<QComboBox*>(Widget(combo));
    return c ? c->currentIndex() : -1;
}

void QtToolkit::ComboSetSelection(ControlHandle combo, int index) {
    if (auto* c = qobject_cast<QComboBox*>(Widget(combo)))
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
}

// --- page controls -----------------------------------------------------------------

ControlHandle QtToolkit::CreatePageControl(RuntimeControlKind kind, int controlId,
                                           const std::string& text, const Rect& rect,
                                           FontHandle font) {
    ControlHandle handle = m_nNextHandle++;
    // In the first size's pixels, like the tab control's rectangle; scaled with the window.
    Rect tab = GetControlRect(wavepost::IDC_TAB_PAGES);
    QRect geometry(tab.left + rect.left, tab.top + rect.top, rect.Width(), rect.Height());
    QWidget* widget;
    if (kind == RuntimeControlKind::CheckList) {
        widget = new CheckListWidget(m_pDialog, handle, [this](const Event& e) { Deliver(e); });
    } else {
        auto* label = new QLabel(Shown(text), m_pDialog);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        widget = label;
    }
    widget->setObjectName(QStringLiteral("page-control-%1").arg(controlId));
    m_widgetFont[widget] = font;
    widget->setFont(Font(font));
    Place(widget, geometry);
    widget->hide();
    m_controls[handle] = widget;
    m_pageControlsById[controlId] = widget;
    NamePageControl(widget, kind == RuntimeControlKind::CheckList);
    return handle;
}

void QtToolkit::DestroyPageControl(ControlHandle control) {
    auto it = m_controls.find(control);
    if (it == m_controls.end()) return;
    m_lastTexts.remove(it->second.data());
    Forget(it->second.data());
    delete it->second.data();
    m_controls.erase(it);
}

void QtToolkit::CheckListReset(ControlHandle list) {
    if (auto* w = qobject_cast<QListWidget*>(Widget(list))) w->clear();
}

void QtToolkit::CheckListAddItem(ControlHandle list, const std::string& text) {
    auto* w = qobject_cast<QListWidget*>(Widget(list));
    if (!w) return;
    auto* item = new QListWidgetItem(Decode(text), w);
    item->setToolTip(item->text());  // the narrow lists cut long labels
    item->setData(Qt::UserRole, QByteArray::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
}

int QtToolkit::CheckListGetCount(ControlHandle list) const {
    auto* w = qobject_cast<QListWidget*>(Widget(list));
    return w ? w->count() : 0;
}

std::string QtToolkit::CheckListGetItemText(ControlHandle list, int index) const {
    QListWidgetItem* item = CheckItem(list, index);
    return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

int QtToolkit::CheckListGetCheck(ControlHandle list, int index) const {
    QListWidgetItem* item = CheckItem(list, index);
    return item ? FromCheckState(item->checkState()) : 0;
}

void QtToolkit::CheckListSetCheck(ControlHandle list, int index, int state) {
    if (QListWidgetItem* item = CheckItem(list, index)) item->setCheckState(ToCheckState(state));
}

void QtToolkit::CheckListEnableItem(ControlHandle list, int index, bool enable) {
    if (QListWidgetItem* item = CheckItem(list, index))
        item->setFlags(enable ? item->flags() | Qt::ItemIsEnabled
                              : item->flags() & ~Qt::ItemIsEnabled);
}

bool QtToolkit::CheckListIsItemEnabled(ControlHandle list, int index) const {
    QListWidgetItem* item = CheckItem(list, index);
    return item && (item->flags() & Qt::ItemIsEnabled);
}

// --- list view ---------------------------------------------------------------------

void QtToolkit::ListViewSetColors(ControlHandle list, Color, Color) {
    // The grey asked for is the classic face of the controls: the desktop's palette gives
    // it, with its ink, light or dark.
    if (auto* w = qobject_cast<QListWidget*>(Widget(list))) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
}

void QtToolkit::ListViewSetImageList(ControlHandle, const std::vector<int>& bitmapIds,
                                     Color transparent) {
    m_mapIcons.clear();
    for (int id : bitmapIds)
        m_mapIcons.push_back(WithTransparentColor(LoadPicture(id), ToQColor(transparent)));
}

void QtToolkit::ListViewInsertItem(ControlHandle list, int index, const std::string& text,
                                   int image) {
    auto* w = qobject_cast<QListWidget*>(Widget(list));
    if (!w) return;
    auto* item = new QListWidgetItem(Shown(text));
    if (image >= 0 && image < static_cast<int>(m_mapIcons.size()))
        item->setIcon(QIcon(m_mapIcons[static_cast<std::size_t>(image)]));
    item->setTextAlignment(Qt::AlignHCenter);
    w->insertItem(index, item);
}

void QtToolkit::ListViewSetSelectionMark(ControlHandle list, int index) {
    if (auto* w = qobject_cast<MapListWidget*>(Widget(list))) w->selectionMark = index;
}

int QtToolkit::ListViewGetSelectionMark(ControlHandle list) const {
    auto* w = qobject_cast<MapListWidget*>(Widget(list));
    return w ? w->selectionMark : -1;
}

void QtToolkit::ListViewSelectItem(ControlHandle list, int index) {
    auto* w = qobject_cast<QListWidget*>(Widget(list));
    if (!w || index < 0 || index >= w->count()) return;
    w->setCurrentRow(index);
    w->item(index)->setSelected(true);
}

// --- tab control -------------------------------------------------------------------

void QtToolkit::TabInsert(ControlHandle, int index, const std::string& text) {
    if (!m_pTabBar) return;
    m_bProgramTabChange = true;  // the first tab inserted becomes the current one
    m_pTabBar->insertTab(index, Shown(text));
    m_bProgramTabChange = false;
    m_pTabBar->resize(m_pTabBar->width(), m_pTabBar->sizeHint().height());
    UpdateAccessibleNames();
}

void QtToolkit::TabSelect(ControlHandle, int index) {
    if (!m_pTabBar) return;
    CheckNotPainting("TabSelect");
    m_bProgramTabChange = true;
    m_pTabBar->setCurrentIndex(index);
    m_bProgramTabChange = false;
}

int QtToolkit::TabGetSelection(ControlHandle) const {
    return m_pTabBar ? m_pTabBar->currentIndex() : -1;
}

void QtToolkit::TabSetIcon(ControlHandle, int index, int bitmapId, const std::string& toolTip) {
    if (!m_pTabBar) return;
    CheckNotPainting("TabSetIcon");
    m_pTabBar->setTabText(index, QString());
    m_pTabBar->setTabIcon(index, QIcon(LoadPicture(bitmapId)));
    // The "&" marks the mnemonic, which a picture cannot show: it is kept off the tooltip.
    const QString text = Shown(toolTip);
    m_pTabBar->setTabToolTip(index, QString(text).remove('&'));
    m_pTabBar->setAccessibleTabName(index, QString(text).remove('&'));
    AddTabMnemonic(index, text);
    m_pTabBar->resize(m_pTabBar->width(), m_pTabBar->sizeHint().height());
    UpdateAccessibleNames();
}

}  // namespace platform::qt
