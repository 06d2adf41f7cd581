#include "platform/qt/Widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace platform::qt {

CheckListWidget::CheckListWidget(QWidget* parent, int handle, EventSink sink)
    : QListWidget(parent), m_nHandle(handle), m_sink(std::move(sink)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
}

void CheckListWidget::Toggle(QListWidgetItem* item) {
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
    item->setCheckState(item->checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}

void CheckListWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Toggle(itemAt(event->position().toPoint()));
    QListWidget::mousePressEvent(event);
}

void CheckListWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_sink({EventKind::CheckListButtonUp, m_nHandle});
    QListWidget::mouseReleaseEvent(event);
}

void CheckListWidget::keyPressEvent(QKeyEvent* event) {
    // The space bar ticks as well, and the estimate follows as after a mouse tick.
    if (event->key() == Qt::Key_Space) {
        Toggle(currentItem());
        m_sink({EventKind::CheckListButtonUp, m_nHandle});
        return;
    }
    QListWidget::keyPressEvent(event);
}

MapListWidget::MapListWidget(QWidget* parent, int id, EventSink sink)
    : QListWidget(parent), m_nId(id), m_sink(std::move(sink)) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(32, 32));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setSpacing(6);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void MapListWidget::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::RightButton) {
        m_sink({EventKind::MapListOther, m_nId});
        return;
    }
    if (QListWidgetItem* item = itemAt(event->position().toPoint())) selectionMark = row(item);
}

void MapListWidget::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) m_sink({EventKind::MapListClick, m_nId});
}

void MapListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    m_sink({EventKind::MapListOther, m_nId});
}

void MapListWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The dialog's keys: they never reach the list's handler.
            event->ignore();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int key = event->key() == Qt::Key_Up ? kKeyUp : kKeyDown;
            m_sink({EventKind::MapListKeyDown, m_nId, key});
            // Then the list moves its own selection, as usual for the key.
            const int next =
                std::clamp(selectionMark + (key == kKeyUp ? -1 : 1), 0, std::max(count() - 1, 0));
            selectionMark = next;
            setCurrentRow(next);
            return;
        }
        default:
            break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        event->ignore();  // shortcuts of the window (Ctrl+Tab, mnemonics)
        return;
    }
    // Home, End, Page Up and Down and type-ahead letters choose an item as a click on it
    // would: the selection mark, the highlight and the map shown stay together.
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const int after = currentRow();
    if (after >= 0 && after != before) {
        selectionMark = after;
        m_sink({EventKind::MapListClick, m_nId});
    } else {
        m_sink({EventKind::MapListKeyDown, m_nId, 0});
    }
}

void MapListWidget::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    m_sink({EventKind::MapListOther, m_nId});
}

SpinArrows::SpinArrows(QWidget* parent, int id, EventSink sink) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto makeArrow = [&](Qt::ArrowType arrow, int delta) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        QObject::connect(button, &QToolButton::clicked, this, [sink, id, delta] {
            sink({EventKind::SpinStep, id, delta});
        });
        layout->addWidget(button);
    };
    makeArrow(Qt::UpArrow, -1);
    makeArrow(Qt::DownArrow, 1);
}

void SpinArrows::SetAccessibleNames(const QString& field) {
    const QList<QToolButton*> arrows = findChildren<QToolButton*>();
    for (QToolButton* arrow : arrows)
        arrow->setAccessibleName(field + (arrow->arrowType() == Qt::UpArrow
                                              ? QStringLiteral(" ▲")
                                              : QStringLiteral(" ▼")));
}

}  // namespace platform::qt
