// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface of the main window over a QPainter.
#pragma once

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <functional>

#include "platform/Toolkit.h"

namespace platform::qt {

class QtPainter : public IPainter {
  public:
    QtPainter(QPainter& painter, std::function<QFont(FontHandle)> fonts, QPixmap icon, int depth,
              QPalette palette = QGuiApplication::palette())
        : m_painter(painter),
          m_fonts(std::move(fonts)),
          m_icon(std::move(icon)),
          m_nDepth(depth),
          m_palette(std::move(palette)) {}

    void FillRect(const Rect& rect, Color color) override;
    void DrawText(const Rect& rect, const std::string& text, FontHandle font,
                  Color background) override;
    void DrawPicture(int bitmapId, const Rect& dest) override;
    void DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) override;
    void DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) override;
    void DrawIcon(int x, int y) override;
    int ColorDepth() const override { return m_nDepth; }
    Color PanelColor() const override;

  private:
    QPainter& m_painter;
    std::function<QFont(FontHandle)> m_fonts;
    QPixmap m_icon;
    int m_nDepth;
    QPalette m_palette;
};

QColor ToQColor(Color color);
QRect ToQRect(const Rect& rect);

}  // namespace platform::qt
