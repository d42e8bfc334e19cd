#include "edit/canvas_geometry.h"

namespace zentil {

void dragTileAxis(int& pos, int& size, int anchor, int p, int t, int limit) {
    if (t <= 0) return;
    if (p < anchor) {
        if (pos > 0) {
            pos = snap(p, t);
            size = ((t + anchor - p - 1) / t) * t + t;
        }
    } else if (p < anchor + t) {
        pos = anchor;
        size = t;
    } else if (pos + size < limit) {
        size = ((p - pos) / t) * t + t;
    }
}

void dragPixelAxis(int& pos, int& size, int anchor, int p) {
    if (p < anchor) {
        pos = p;
        size = anchor - p - 1;
    } else {
        pos = anchor;
        size = p - anchor;
    }
}

}  // namespace zentil
