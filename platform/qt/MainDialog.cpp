#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "platform/qt/QtToolkit.h"

namespace platform::qt {

MainDialog::MainDialog(QtToolkit& toolkit) : QDialog(nullptr), m_toolkit(toolkit) {
    // A normal top-level window with its own task-bar button: a parentless dialog would be
    // made transient for the application's leader window, which some task bars hide.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setMouseTracking(true);
}

void MainDialog::done(int result) {
    if (!m_bEnding) m_toolkit.SaveWindowSize();
    m_bEnding = true;
    QDialog::done(result);
}

void MainDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_toolkit.BeginPaint();
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = m_toolkit.TabPaneRect();
    frame.shape = QTabBar::RoundedNorth;
    if (m_toolkit.TabBar()) {
        frame.tabBarSize = m_toolkit.TabBar()->sizeHint();
        frame.selectedTabRect = m_toolkit.TabBar()->tabRect(m_toolkit.TabBar()->currentIndex());
    }
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
    m_toolkit.PaintLogic(painter);
    m_toolkit.EndPaint();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab and Ctrl+Page Down go to the next tab, with Shift or Page Up to the previous.
    QTabBar* tabs = m_toolkit.TabBar();
    const bool control = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (control && event->key() == Qt::Key_Tab) step = 1;
    if (control && event->key() == Qt::Key_Backtab) step = -1;
    if (control && event->key() == Qt::Key_PageDown) step = 1;
    if (control && event->key() == Qt::Key_PageUp) step = -1;
    if (step != 0 && tabs && tabs->count() > 0) {
        tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::closeEvent(QCloseEvent* event) {
    if (m_bEnding) {
        event->accept();
        return;
    }
    // The logic decides: it ends the modal run, or hides the window.
    event->ignore();
    m_toolkit.Deliver({EventKind::CloseRequest});
}

void MainDialog::reject() {
    if (m_bEnding) return;
    m_toolkit.Deliver({EventKind::Escape});
}

void MainDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_toolkit.Relayout();
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    if (m_toolkit.WindowMenuText().isEmpty()) return;
    QMenu menu(this);
    QAction* about = menu.addAction(m_toolkit.WindowMenuText());
    QObject::connect(about, &QAction::triggered, this, [this] {
        m_toolkit.Deliver(
            {EventKind::WindowMenuCommand, 0, static_cast<int>(m_toolkit.WindowMenuCommand())});
    });
    menu.exec(event->globalPos());
}

void MainDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QPoint p = event->position().toPoint();
        m_toolkit.Deliver({EventKind::LButtonDown, 0, 0, p.x(), p.y()});
    }
    QDialog::mousePressEvent(event);
}

void MainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QPoint p = event->position().toPoint();
        m_toolkit.Deliver({EventKind::LButtonUp, 0, 0, p.x(), p.y()});
    }
    QDialog::mouseReleaseEvent(event);
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    m_toolkit.Deliver({EventKind::MouseMove, 0, 0, p.x(), p.y()});
    QDialog::mouseMoveEvent(event);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* radio = qobject_cast<QRadioButton*>(watched);
    if (radio && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                         : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                     : 0;
        if (step != 0 && m_toolkit.MoveInRadioGroup(radio, step)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace platform::qt
