#include "platform/qt/QtToolkit.h"

#include <unistd.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QMimeDatabase>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabBar>
#include <QUrl>
#include <cstdio>
#include <optional>

#include "platform/qt/Pictures.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/TextCodec.h"

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

// Buttons with a multi-line style wrap their caption at their width.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ')) {
        QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join('\n');
}

Qt::CheckState ToCheckState(int state) {
    return state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

int FromCheckState(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

}  // namespace

QtToolkit::QtToolkit() {
    BuildWindow();
    QObject::connect(qApp, &QApplication::focusChanged, m_pDialog,
                     [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

QtToolkit::~QtToolkit() {
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
    m_baseUnits = MeasureBaseUnits(font);
    m_pDialog->setWindowTitle(Decode(layout.caption));
    m_pDialog->setFixedSize(DialogToPixels(0, 0, layout.width, layout.height).size());
    for (const auto& group : wavepost::RadioGroups())
        for (int id : group) m_radioGroups[id] = group;
    // Creation order is the tab order.
    for (const auto& control : layout.controls) {
        QWidget* widget = CreateControl(control);
        if (!widget) continue;
        if (control.id >= 0) {
            m_controls[control.id] = widget;
            m_ids.insert(widget, control.id);
        }
        widget->setVisible(control.visible);
    }
    // The tab strip sits below the page controls, which are created after it at run time.
    if (m_pTabBar) m_pTabBar->lower();
    for (const auto& group : wavepost::RadioGroups()) {
        auto* buttons = new QButtonGroup(m_pDialog);
        buttons->setExclusive(false);  // the logic may leave a group with none checked
        for (int id : group) buttons->addButton(qobject_cast<QAbstractButton*>(Widget(id)));
        UpdateRadioTabStops(group.front());
    }
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
    const QString text = Decode(c.text);
    auto sink = [this](const Event& event) { Deliver(event); };
    QWidget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::RadioButton:
        case ControlKind::CheckBox: {
            QAbstractButton* button;
            if (c.kind == ControlKind::RadioButton) {
                auto* radio = new QRadioButton(dialog);
                radio->setAutoExclusive(false);
                radio->installEventFilter(dialog);  // the arrow keys move in the group
                button = radio;
            } else {
                auto* check = new QCheckBox(dialog);
                check->setTristate(false);
                button = check;
            }
            button->setText(
                (c.style & wavepost::kStyleMultiLine)
                    ? WrapToWidth(text, QFontMetrics(dialog->font()), geometry.width() - 20)
                    : text);
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
            combo->setGeometry(geometry.x(), geometry.y(), geometry.width(),
                               combo->sizeHint().height());
            return combo;
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
            // Every change the user makes, by click, key or wheel; the program's own
            // selections raise nothing.
            QObject::connect(m_pTabBar, &QTabBar::currentChanged, dialog, [this](int index) {
                if (index >= 0 && !m_bProgramTabChange) Deliver({EventKind::TabChanged, 1063});
            });
            m_pTabBar->setGeometry(geometry.x() + 2, geometry.y(), geometry.width() - 4,
                                   m_pTabBar->sizeHint().height());
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
    widget->setGeometry(geometry);
    return widget;
}

QRect QtToolkit::TabPaneRect() const {
    const auto* tab = wavepost::FindControl(1063);
    QRect whole = DialogToPixels(tab->x, tab->y, tab->width, tab->height);
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
    if (QWidget* w = Widget(control)) w->setFont(Font(font));
}

void QtToolkit::SetControlText(ControlHandle control, const std::string& text) {
    CheckNotPainting("SetControlText");
    QWidget* w = Widget(control);
    if (!w) return;
    QString shown = Decode(text);
    m_lastTexts[w] = {text, shown};
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != shown) edit->setText(shown);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (plain->toPlainText() != shown) plain->setPlainText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(shown);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(shown);
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
    if (control == 1063) {
        const auto* tab = wavepost::FindControl(1063);
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
        c->addItem(Decode(text), QByteArray::fromStdString(text));
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
    Rect tab = GetControlRect(1063);
    QRect geometry(tab.left + rect.left, tab.top + rect.top, rect.Width(), rect.Height());
    QWidget* widget;
    if (kind == RuntimeControlKind::CheckList) {
        widget = new CheckListWidget(m_pDialog, handle, [this](const Event& e) { Deliver(e); });
    } else {
        auto* label = new QLabel(Decode(text), m_pDialog);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        widget = label;
    }
    widget->setObjectName(QStringLiteral("page-control-%1").arg(controlId));
    widget->setFont(Font(font));
    widget->setGeometry(geometry);
    widget->hide();
    m_controls[handle] = widget;
    return handle;
}

void QtToolkit::DestroyPageControl(ControlHandle control) {
    auto it = m_controls.find(control);
    if (it == m_controls.end()) return;
    m_lastTexts.remove(it->second.data());
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

void QtToolkit::ListViewSetColors(ControlHandle list, Color background, Color) {
    if (auto* w = qobject_cast<QListWidget*>(Widget(list))) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Base, ToQColor(background));
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
    auto* item = new QListWidgetItem(Decode(text));
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
    m_pTabBar->insertTab(index, Decode(text));
    m_bProgramTabChange = false;
    m_pTabBar->resize(m_pTabBar->width(), m_pTabBar->sizeHint().height());
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

// --- window ------------------------------------------------------------------------

void QtToolkit::Open(IWindowLogic& logic) {
    m_pLogic = &logic;
    logic.OnInitDialog();
    m_pDialog->show();
    // The keyboard focus goes to the first shown control of the tab order.
    if (QWidget* maps = Widget(1060)) maps->setFocus(Qt::OtherFocusReason);
}

int QtToolkit::RunModal(IWindowLogic& logic) {
    Open(logic);
    // Not QDialog::exec(): that ends the run as soon as the window is hidden, and an
    // automation client keeps a hidden window running.
    int result = m_pDialog->result();
    if (!m_pDialog->Ended()) {
        QEventLoop run;
        QObject::connect(m_pDialog, &QDialog::finished, &run, &QEventLoop::exit);
        result = run.exec(QEventLoop::DialogExec);
    }
    m_pLogic = nullptr;
    return result;
}

bool QtToolkit::AddWindowMenuItem(const std::string& text, unsigned commandId) {
    // No window-menu API on X11: the item is offered in the window's context menu.
    m_strWindowMenuText = Decode(text);
    m_nWindowMenuCommand = commandId;
    return true;
}

void QtToolkit::SetWindowIcon(int colorBitmapId, int maskBitmapId) {
    QIcon icon(MaskedPicture(colorBitmapId, maskBitmapId));
    m_pDialog->setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
}

FontHandle QtToolkit::CreateFont(const std::string& face, int pixelHeight) {
    QFont font(Decode(face));
    font.setStyleHint(QFont::SansSerif);
    // The height is the character cell; Qt sizes by the em, about four fifths of it.
    font.setPixelSize(std::max(1, pixelHeight * 4 / 5));
    FontHandle handle = m_nNextFont++;
    m_fonts[handle] = font;
    return handle;
}

void QtToolkit::ReleaseFont(FontHandle font) {
    m_fonts.erase(font);
}

QFont QtToolkit::Font(FontHandle font) const {
    auto it = m_fonts.find(font);
    return it == m_fonts.end() ? m_pDialog->font() : it->second;
}

int QtToolkit::ColorDepth() const {
    QScreen* screen = m_pDialog->screen() ? m_pDialog->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

void QtToolkit::HideWindow() {
    m_pDialog->hide();
}

bool QtToolkit::IsWindowMinimised() const {
    return m_pDialog->isMinimized();
}

void QtToolkit::EndModal(int result) {
    m_pDialog->done(result);
}

void QtToolkit::MessageBox(const std::string& text) {
    CheckNotPainting("MessageBox");
    QMessageBox box(QMessageBox::Warning,
                    QFileInfo(QCoreApplication::applicationFilePath()).baseName(), Decode(text),
                    QMessageBox::Ok, m_pDialog->isVisible() ? m_pDialog.data() : nullptr);
    ++m_nModalDepth;
    box.exec();
    --m_nModalDepth;
    FlushPending();
}

void QtToolkit::ShowAboutBox() {
    const auto& layout = wavepost::AboutBoxLayout();
    QDialog about(m_pDialog);
    about.setWindowTitle(Decode(layout.caption));
    about.setFont(m_pDialog->font());
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
            auto* ok = new QPushButton(Decode(c.text), &about);
            ok->setDefault(true);
            ok->setGeometry(geometry);
            QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
        } else {
            auto* label = new QLabel(Decode(c.text), &about);
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

void QtToolkit::ExitProcess(int status) {
    std::fflush(nullptr);
    ::_exit(status);
}

// --- drawing -----------------------------------------------------------------------

void QtToolkit::RedrawRect(const Rect& rect) {
    if (!m_pDialog->isVisible()) return;
    // Asked for while painting, a repaint would nest in the paint: it waits its turn.
    if (m_bPainting) {
        CheckNotPainting("RedrawRect");
        m_pDialog->update(ToQRect(rect));
        return;
    }
    m_pDialog->repaint(ToQRect(rect));
}

void QtToolkit::ToggleRubberBand(const Rect& rect, const Pen& pen) {
    auto it = std::find_if(m_rubberBands.begin(), m_rubberBands.end(),
                           [&](const auto& band) { return band.first == rect; });
    if (it == m_rubberBands.end())
        m_rubberBands.emplace_back(rect, pen);
    else
        m_rubberBands.erase(it);
    QRect area = QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)).normalized();
    area = area.adjusted(-pen.width - 1, -pen.width - 1, pen.width + 1, pen.width + 1);
    if (!m_pDialog->isVisible()) return;
    if (m_bPainting) {
        CheckNotPainting("ToggleRubberBand");
        m_pDialog->update(area);
        return;
    }
    m_pDialog->repaint(area);
}

void QtToolkit::PaintLogic(QPainter& painter) {
    if (!m_pLogic) return;
    QtPainter surface(
        painter, [this](FontHandle font) { return Font(font); },
        m_pDialog->windowIcon().pixmap(16, 16), ColorDepth());
    m_pLogic->OnPaint(surface);
    for (const auto& [rect, pen] : m_rubberBands)
        surface.DrawRectOutline(rect.left, rect.top, rect.right, rect.bottom, pen);
}

// --- shell -------------------------------------------------------------------------

namespace {

// The desktop's default program for a type as xdg-mime names it: empty for none, nothing
// when it cannot be asked.
std::optional<QByteArray> DefaultProgram(const QString& type) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForStarted(3000)) return std::nullopt;
    query.waitForFinished(5000);
    return query.readAllStandardOutput().trimmed();
}

// The opener runs detached and fails unseen when no program takes a document, so it is
// asked beforehand: a default program for the document's type, else the web browser the
// opener falls back on. When nobody can be asked, the opening decides.
bool HasViewerFor(const QString& path) {
    const std::optional<QByteArray> program =
        DefaultProgram(QMimeDatabase().mimeTypeForFile(path).name());
    if (!program || !program->isEmpty()) return true;
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    for (const char* browser : {"x-www-browser", "www-browser"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty()) return true;
    return false;
}

}  // namespace

bool QtToolkit::ShellOpen(const std::string& target, ShowState) {
    // The logic hands over UTF-8 with its own escapes (%0A, %26 ...); tolerant parsing keeps
    // every escape as it is and only encodes blanks and other bytes a URL cannot hold.
    if (target.rfind("mailto:", 0) == 0)
        return QDesktopServices::openUrl(
            QUrl::fromEncoded(QByteArray::fromStdString(target), QUrl::TolerantMode));
    const QString path = QFileInfo(Decode(target)).absoluteFilePath();
    if (!HasViewerFor(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtToolkit::HasMailHandler() const {
    if (m_mailHandlerCheck) return m_mailHandlerCheck();
    const std::optional<QByteArray> program =
        DefaultProgram(QStringLiteral("x-scheme-handler/mailto"));
    return !program || !program->isEmpty();  // no way to ask: let the opening decide
}

void QtToolkit::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(Decode(text));
}

std::string QtToolkit::SystemDirectory() const {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/state");
    QString dir = base + QStringLiteral("/wavepost");
    if (!QDir().mkpath(dir)) return {};
    return Encode(dir);
}

// --- events ------------------------------------------------------------------------

void QtToolkit::Deliver(const Event& event) {
    if (!m_pLogic || m_pDialog->Ended()) return;
    if (m_bPainting) {
        // Never reached by the window's own events; kept for after the paint all the same.
        CheckNotPainting("an event handler");
        m_pending.push_back(event);
        QMetaObject::invokeMethod(
            m_pDialog, [this] { FlushPending(); }, Qt::QueuedConnection);
        return;
    }
    if (m_nModalDepth > 0 || m_bDelivering) {
        // While a message box or the about box is open the window takes no user input;
        // only the end of an entry is kept, once, for when the box has closed.
        if (m_nModalDepth > 0 && event.kind != EventKind::Left) return;
        if (event.kind == EventKind::Left) {
            for (const Event& waiting : m_pending)
                if (waiting.kind == EventKind::Left && waiting.source == event.source) return;
        }
        m_pending.push_back(event);
        return;
    }
    m_bDelivering = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_bDelivering};
    m_pLogic->OnEvent(event);
    while (!m_pending.empty() && m_pLogic && !m_pDialog->Ended() && m_nModalDepth == 0) {
        Event next = m_pending.front();
        m_pending.erase(m_pending.begin());
        m_pLogic->OnEvent(next);
    }
}

void QtToolkit::FlushPending() {
    if (m_bDelivering || m_bPainting || m_nModalDepth > 0 || m_pending.empty()) return;
    Event next = m_pending.front();
    m_pending.erase(m_pending.begin());
    Deliver(next);  // delivers the rest after it
}

void QtToolkit::FocusMoved(QWidget* now) {
    // Another window taking the focus (a message box, a menu, another program) leaves the
    // entry going on: the focus comes back to the same field. Within the window, any
    // other widget taking it ends the entry, whatever moved it (a click, a key, a page
    // hidden by the program, even while the window was inactive).
    if (!now || now->window() != m_pDialog) return;
    if (m_pEntry && now != m_pEntry) EndEntry();
    if (qobject_cast<QLineEdit*>(now) && IdOf(now)) m_pEntry = now;
}

void QtToolkit::EndEntry() {
    QPointer<QWidget> edit = m_pEntry;
    m_pEntry = nullptr;
    if (edit)
        if (int id = IdOf(edit)) Deliver({EventKind::Left, id});
}

void QtToolkit::CheckNotPainting(const char* call) const {
    if (m_bPainting) qWarning("wavepost: %s inside a paint event", call);
}

}  // namespace platform::qt
