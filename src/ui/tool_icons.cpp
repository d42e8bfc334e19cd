#include "tool_icons.h"

#include <QImage>
#include <QPixmap>

namespace zentil {
namespace {

QRgb colourOf(char c) {
    switch (c) {
        case 'k':
            return qRgb(0x20, 0x20, 0x20);
        case 'w':
            return qRgb(0xF4, 0xF4, 0xF0);
        case 'y':
            return qRgb(0xF2, 0xC1, 0x2E);
        case 'r':
            return qRgb(0xE0, 0x5A, 0x6E);
        case 'b':
            return qRgb(0x3D, 0x8B, 0xE0);
        case 'g':
            return qRgb(0x90, 0x90, 0x90);
        default:
            return qRgba(0, 0, 0, 0);
    }
}

// Twice the size, pixel for pixel, so the picture stays crisp.
QPixmap drawn(const ToolPicture& picture) {
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, colourOf(picture[y][x]));
    return QPixmap::fromImage(image.scaled(32, 32));
}

}  // namespace

QIcon toolIcon(const ToolPicture& picture) {
    return QIcon(drawn(picture));
}

QCursor toolCursor(const ToolCursor& cursor) {
    if (!cursor.picture) return QCursor(cursor.shape);
    // The middle of the hot pixel, as drawn twice the size.
    return QCursor(drawn(*cursor.picture), cursor.hotSpot.x() * 2 + 1, cursor.hotSpot.y() * 2 + 1);
}

}  // namespace zentil
