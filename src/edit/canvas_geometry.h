// The arithmetic of the canvas: tile snapping and how a dragged outline
// follows the pointer. Divisions truncate toward zero.
#pragma once

namespace zentil {

// (v div t) x t.
constexpr int snap(int v, int t) {
    return t == 0 ? v : (v / t) * t;
}

// One axis of an outline dragged in whole tiles from the anchor tile at
// `anchor`: `pos` and `size` are the outline's left (top) and width (height),
// `p` the pointer, `t` the tile size and `limit` the image's width (height).
// Left of the anchor the outline grows from the pointer's tile through the
// anchor tile, but only while its edge is above 0; right of it, it grows
// through the pointer's tile while it ends before `limit`.
void dragTileAxis(int& pos, int& size, int anchor, int p, int t, int limit);

// One axis of an outline dragged at pixel grain (area rectangles).
void dragPixelAxis(int& pos, int& size, int anchor, int p);

}  // namespace zentil
