// SPDX-License-Identifier: GPL-3.0-or-later
// The controls that Qt offers in another shape than the main window needs.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <functional>

#include "platform/Events.h"

namespace platform::qt {

using EventSink = std::function<void(const Event&)>;

// A check list whose items toggle on the button press. On every left-button release
// inside the list the window is told first, then the list handles the release.
class CheckListWidget : public QListWidget {
    Q_OBJECT
  public:
    CheckListWidget(QWidget* parent, int handle, EventSink sink);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Toggle(QListWidgetItem* item);
    int m_nHandle;
    EventSink m_sink;
};

// The list of maps: reports clicks, keys before it moves its selection, and the
// selection mark (the item last selected by click or key).
class MapListWidget : public QListWidget {
    Q_OBJECT
  public:
    MapListWidget(QWidget* parent, int id, EventSink sink);
    int selectionMark = -1;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int m_nId;
    EventSink m_sink;
};

// Up and down arrows; the up arrow reports a negative change, as an up-down control
// left at its default range does.
class SpinArrows : public QWidget {
    Q_OBJECT
  public:
    SpinArrows(QWidget* parent, int id, EventSink sink);
    // Screen readers tell the two arrows by the name of the field they step.
    void SetAccessibleNames(const QString& field);
};

}  // namespace platform::qt
