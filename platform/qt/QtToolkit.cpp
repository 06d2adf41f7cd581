// SPDX-License-Identifier: GPL-3.0-or-later
// The window's run, message boxes, fonts, painting and the delivery of the window's events
// to the logic.
#include "platform/qt/QtToolkit.h"

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "platform/qt/Pictures.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

using wavepost::ControlKind;
using wavepost::ControlLayout;

// --- window ------------------------------------------------------------------------

void QtToolkit::Open(IWindowLogic& logic) {
    m_pLogic = &logic;
    logic.OnInitDialog();
    RestoreWindowSize();
    m_pDialog->show();
    // The keyboard focus goes to the first shown control of the tab order.
    if (QWidget* maps = Widget(wavepost::IDC_MAP_LIST)) maps->setFocus(Qt::OtherFocusReason);
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
    m_strWindowMenuText = Shown(text);
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
    if (it == m_fonts.end()) return m_pDialog->font();
    QFont scaled = it->second;
    if (m_dScale != 1.0)
        scaled.setPixelSize(
            std::max(1, static_cast<int>(std::lround(scaled.pixelSize() * m_dScale))));
    return scaled;
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
                    QFileInfo(QCoreApplication::applicationFilePath()).baseName(), Shown(text),
                    QMessageBox::Ok, m_pDialog->isVisible() ? m_pDialog.data() : nullptr);
    ++m_nModalDepth;
    box.exec();
    --m_nModalDepth;
    FlushPending();
}

bool QtToolkit::AskYesNo(const std::string& text) {
    CheckNotPainting("AskYesNo");
    QMessageBox box(QMessageBox::Question,
                    QFileInfo(QCoreApplication::applicationFilePath()).baseName(), Decode(text),
                    QMessageBox::Yes | QMessageBox::No,
                    m_pDialog->isVisible() ? m_pDialog.data() : nullptr);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    box.setDefaultButton(QMessageBox::Yes);
    ++m_nModalDepth;
    const int answer = box.exec();
    --m_nModalDepth;
    FlushPending();
    return answer == QMessageBox::Yes;
}

bool QtToolkit::EditFields(const std::string& title, const std::vector<std::string>& labels,
                           std::vector<std::string>& values) {
    CheckNotPainting("EditFields");
    QDialog form(m_pDialog->isVisible() ? m_pDialog.data() : nullptr);
    form.setWindowTitle(Decode(title));
    auto* layout = new QVBoxLayout(&form);
    std::vector<QLineEdit*> edits;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(Decode(labels[i]), &form);
        auto* edit = new QLineEdit(Decode(i < values.size() ? values[i] : std::string()), &form);
        edit->setObjectName(QStringLiteral("field%1").arg(i));
        edit->setMinimumWidth(320);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    layout->addWidget(buttons);
    ++m_nModalDepth;
    const int result = form.exec();
    --m_nModalDepth;
    FlushPending();
    if (result != QDialog::Accepted) return false;
    values.clear();
    for (QLineEdit* edit : edits) values.push_back(Encode(edit->text()));
    return true;
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

void QtToolkit::ShowPointerTip(int x, int y, const std::string& text) {
    CheckNotPainting("ShowPointerTip");
    if (!m_pDialog->isVisible()) return;
    // Shown for the window, the tip goes when the pointer leaves it.
    QToolTip::showText(m_pDialog->mapToGlobal(QPoint(x, y)), Decode(text), m_pDialog);
}

void QtToolkit::HidePointerTip() {
    CheckNotPainting("HidePointerTip");
    if (QToolTip::isVisible()) QToolTip::hideText();
}

void QtToolkit::PaintLogic(QPainter& painter) {
    if (!m_pLogic) return;
    QtPainter surface(
        painter, [this](FontHandle font) { return Font(font); },
        m_pDialog->windowIcon().pixmap(16, 16), ColorDepth(), m_pDialog->palette());
    m_pLogic->OnPaint(surface);
    for (const auto& [rect, pen] : m_rubberBands)
        surface.DrawRectOutline(rect.left, rect.top, rect.right, rect.bottom, pen);
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
        // what is news rather than input (the end of an entry, a change of the boat's
        // position, which the reader tells once) is kept, once, for when the box has closed.
        const bool news = event.kind == EventKind::Left || event.kind == EventKind::PositionChanged;
        if (m_nModalDepth > 0 && !news) return;
        if (news) {
            for (const Event& waiting : m_pending)
                if (waiting.kind == event.kind && waiting.source == event.source) return;
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
