#include "edit/canvas_projection.h"

#include <algorithm>

namespace zentil {

int zoomLevelAfter(int zoom, int steps) {
    // The index of the highest level not above `zoom` (the first for anything below it).
    const auto above = std::upper_bound(kZoomLevels.begin(), kZoomLevels.end(), zoom);
    const int index = std::max(static_cast<int>(above - kZoomLevels.begin()) - 1, 0);
    const int last = static_cast<int>(kZoomLevels.size()) - 1;
    return kZoomLevels[static_cast<std::size_t>(std::clamp(index + steps, 0, last))];
}

int validZoomLevel(int zoom) {
    return std::find(kZoomLevels.begin(), kZoomLevels.end(), zoom) != kZoomLevels.end() ? zoom : 1;
}

namespace {

// One axis of zoomedAbout: the new origin that keeps the page pixel under `at`
// there, with the pointer's offset inside the pixel scaled to the new zoom.
std::int64_t originAbout(std::int64_t origin, int from, int to, std::int64_t at) {
    const std::int64_t pixel = floorDiv(at - origin, from);
    const std::int64_t inside = at - origin - pixel * from;  // 0 .. from - 1
    return at - pixel * to - inside * to / from;
}

}  // namespace

CanvasProjection zoomedAbout(const CanvasProjection& from, int zoom, std::int64_t screenX,
                             std::int64_t screenY) {
    CanvasProjection to = from;
    if (zoom <= 0 || from.zoom <= 0) return to;
    to.zoom = zoom;
    to.originX = originAbout(from.originX, from.zoom, zoom, screenX);
    to.originY = originAbout(from.originY, from.zoom, zoom, screenY);
    return to;
}

}  // namespace zentil
