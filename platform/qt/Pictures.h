// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures compiled into the program, by bitmap identifier.
#pragma once

#include <QPixmap>

namespace platform::qt {

// The picture; a plain placeholder of a sensible size when it is not compiled in.
QPixmap LoadPicture(int bitmapId);
// An icon from a colour bitmap and a mask bitmap (mask white = transparent).
QPixmap MaskedPicture(int colorBitmapId, int maskBitmapId);
// The picture with one colour made transparent.
QPixmap WithTransparentColor(const QPixmap& picture, QColor transparent);

}  // namespace platform::qt
