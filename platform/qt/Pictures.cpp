#include "platform/qt/Pictures.h"

#include <QBitmap>
#include <QHash>
#include <QImage>
#include <QPainter>

namespace platform::qt {

namespace {

QSize PlaceholderSize(int bitmapId) {
    switch (bitmapId) {
        case 131:
            return {126, 36};
        case 187:
            return {118, 22};
        case 128:
        case 137:
        case 138:
        case 139:
        case 174:
        case 175:
        case 176:
            return {32, 32};
        case 179:
        case 180:
            return {16, 16};
        default:
            return {446, 219};
    }
}

}  // namespace

QPixmap LoadPicture(int bitmapId) {
    static QHash<int, QPixmap> cache;
    auto it = cache.find(bitmapId);
    if (it != cache.end()) return *it;
    QPixmap picture(QStringLiteral(":/resources/%1.png").arg(bitmapId));
    if (picture.isNull()) {
        picture = QPixmap(PlaceholderSize(bitmapId));
        picture.fill(QColor(170, 200, 230));
    }
    cache.insert(bitmapId, picture);
    return picture;
}

QPixmap MaskedPicture(int colorBitmapId, int maskBitmapId) {
    QPixmap picture = LoadPicture(colorBitmapId);
    QImage mask = LoadPicture(maskBitmapId).toImage().convertToFormat(QImage::Format_Mono);
    if (mask.size() == picture.size()) {
        mask.invertPixels();  // the mask marks transparent pixels white
        picture.setMask(QBitmap::fromImage(mask));
    }
    return picture;
}

QPixmap WithTransparentColor(const QPixmap& picture, QColor transparent) {
    QPixmap result = picture;
    result.setMask(picture.createMaskFromColor(transparent, Qt::MaskInColor));
    return result;
}

}  // namespace platform::qt
