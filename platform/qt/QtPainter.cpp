#include "platform/qt/QtPainter.h"

#include <algorithm>
#include <cstdlib>

#include "platform/qt/Pictures.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

QColor ToQColor(Color color) {
    return QColor(color.red, color.green, color.blue);
}

QRect ToQRect(const Rect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

void QtPainter::FillRect(const Rect& rect, Color color) {
    m_painter.fillRect(ToQRect(rect), ToQColor(color));
}

void QtPainter::DrawText(const Rect& rect, const std::string& text, FontHandle font,
                         Color background) {
    m_painter.save();
    m_painter.setFont(m_fonts(font));
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(ToQColor(background));
    m_painter.setPen(m_palette.color(QPalette::Text));
    // Not clipped to the rectangle: a wider font than the layout was made for must not
    // cut the end of a caption.
    m_painter.drawText(ToQRect(rect), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, Shown(text));
    m_painter.restore();
}

Color QtPainter::PanelColor() const {
    const QColor base = m_palette.color(QPalette::Base);
    return {static_cast<std::uint8_t>(base.red()), static_cast<std::uint8_t>(base.green()),
            static_cast<std::uint8_t>(base.blue())};
}

void QtPainter::DrawPicture(int bitmapId, const Rect& dest) {
    m_painter.drawPixmap(ToQRect(dest), LoadPicture(bitmapId));
}

void QtPainter::DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    m_painter.setPen(QPen(ToQColor(pen.color), pen.width));
    m_painter.drawLine(x0, y0, x1, y1);
}

void QtPainter::DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) {
    // The outline lies inside the rectangle, whose right and bottom edges are excluded:
    // a zone on the map's edge is drawn within the map, where the next repaint of the map
    // erases it.
    const QRect outer(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0));
    if (outer.width() <= 0 || outer.height() <= 0) return;
    const int w = std::max(1, std::min({pen.width, outer.width(), outer.height()}));
    const QColor colour = ToQColor(pen.color);
    m_painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), w), colour);
    m_painter.fillRect(QRect(outer.left(), outer.bottom() - w + 1, outer.width(), w), colour);
    m_painter.fillRect(QRect(outer.left(), outer.top(), w, outer.height()), colour);
    m_painter.fillRect(QRect(outer.right() - w + 1, outer.top(), w, outer.height()), colour);
}

void QtPainter::DrawIcon(int x, int y) {
    m_painter.drawPixmap(x, y, m_icon);
}

}  // namespace platform::qt
