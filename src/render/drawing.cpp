#include "render/drawing.h"

#include <QPainter>
#include <QRect>

namespace zentil {

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

void drawPaletteGrid(QImage& image, const Palette& palette) {
    if (image.isNull()) return;
    constexpr int kCell = 16;
    constexpr int kCellsPerRow = 16;
    QPainter painter(&image);
    if (!painter.isActive()) return;
    for (int n = 0; n < kPaletteEntries; ++n) {
        const int x = (n % kCellsPerRow) * kCell;
        const int y = (n / kCellsPerRow) * kCell;
        if (x >= image.width() - 1 || y >= image.height() - 1) continue;
        // A one-pixel outline on the cell's outermost pixels, the rest filled.
        painter.fillRect(QRect(x, y, kCell, kCell), QColor(0, 0, 0));
        painter.fillRect(QRect(x + 1, y + 1, kCell - 2, kCell - 2),
                         QColor(palette[n * 3 + 0], palette[n * 3 + 1], palette[n * 3 + 2]));
    }
}

}  // namespace zentil
