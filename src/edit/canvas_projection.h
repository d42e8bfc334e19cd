// Page pixels on the screen: the canvas shows page pixel (x, y) as the square
// of `zoom` x `zoom` screen pixels whose top-left corner is
// (originX + x * zoom, originY + y * zoom). Screen positions are in the view's
// own pixels; they are 64-bit so that no page size or zoom can overflow them.
#pragma once

#include <array>
#include <cstdint>

namespace zentil {

// The zoom levels of the canvas, in screen pixels per page pixel.
inline constexpr std::array<int, 10> kZoomLevels = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32};
inline constexpr int kMinZoom = kZoomLevels.front();
inline constexpr int kMaxZoom = kZoomLevels.back();
// From this level on the faint lines between page pixels can be shown.
inline constexpr int kPixelGridMinZoom = 8;

// a div b rounded toward negative infinity (b > 0).
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The level `steps` levels above (negative: below) `zoom` in kZoomLevels,
// held at the first and last level. A zoom between two levels counts as the
// level below it.
int zoomLevelAfter(int zoom, int steps);
// `zoom` if it is one of kZoomLevels, else 1.
int validZoomLevel(int zoom);

struct CanvasProjection {
    int zoom = 1;
    std::int64_t originX = 0;  // the screen position of page pixel (0, 0)'s corner
    std::int64_t originY = 0;

    // The page pixel under a screen pixel (or any point of it).
    std::int64_t pageX(std::int64_t screenX) const { return floorDiv(screenX - originX, zoom); }
    std::int64_t pageY(std::int64_t screenY) const { return floorDiv(screenY - originY, zoom); }
    // The first screen pixel of a page pixel (or of the page edge left of
    // / above it).
    std::int64_t screenX(std::int64_t pageX) const { return originX + pageX * zoom; }
    std::int64_t screenY(std::int64_t pageY) const { return originY + pageY * zoom; }

    bool operator==(const CanvasProjection&) const = default;
};

// The projection at `zoom` that keeps the page pixel under screen point
// (screenX, screenY) under it, at the same place inside that pixel scaled to
// the new size.
CanvasProjection zoomedAbout(const CanvasProjection& from, int zoom, std::int64_t screenX,
                             std::int64_t screenY);

}  // namespace zentil
