#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "platform/qt/QtToolkit.h"

namespace platform::qt {

MainDialog::MainDialog(QtToolkit& toolkit) : QDialog(nullptr), m_toolkit(toolkit) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setMouseTracking(true);
}

void MainDialog::done(int result) {
    m_bEnding = true;
    QDialog::done(result);
}

void MainDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
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
    if (event->type() == QEvent::FocusOut) {
        if (int id = m_toolkit.IdOf(watched)) m_toolkit.Deliver({EventKind::Left, id});
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace platform::qt
