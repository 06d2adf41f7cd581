#include "platform/qt/QtPainter.h"

#include "platform/qt/Pictures.h"
#include "platform/qt/TextCodec.h"

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
    m_painter.setPen(Qt::black);
    m_painter.drawText(ToQRect(rect), Qt::AlignLeft | Qt::AlignTop, Decode(text));
    m_painter.restore();
}

void QtPainter::DrawPicture(int bitmapId, const Rect& dest) {
    m_painter.drawPixmap(ToQRect(dest), LoadPicture(bitmapId));
}

void QtPainter::DrawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    m_painter.setPen(QPen(ToQColor(pen.color), pen.width));
    m_painter.drawLine(x0, y0, x1, y1);
}

void QtPainter::DrawRectOutline(int x0, int y0, int x1, int y1, const Pen& pen) {
    m_painter.save();
    m_painter.setPen(
        QPen(ToQColor(pen.color), pen.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRect(QPoint(x0, y0), QPoint(x1, y1)).normalized());
    m_painter.restore();
}

void QtPainter::DrawIcon(int x, int y) {
    m_painter.drawPixmap(x, y, m_icon);
}

}  // namespace platform::qt
