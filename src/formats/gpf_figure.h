// The GPF size of one page kept up to date edit by edit: the size of every
// tile is kept, and after an edit only the tiles it touched are measured
// again. The figure always equals what measureSpriteFile gives for the page.
#pragma once

#include <cstdint>
#include <optional>

#include "formats/gpf_file.h"
#include "image/page.h"
#include "image/pixel_rect.h"
#include "system/outcome.h"

namespace zentil {

class GpfFigure {
  public:
    // Brings the figure to `page` as it is now. `changed` holds every pixel
    // of the page that changed since the figure last described it, as the
    // workspace's change log tells (nullopt: not known). Another page, a page
    // of another revision with no known change, or a change of its grid or
    // key is measured whole; otherwise only the tiles that hold a changed
    // pixel or code it (a tile's block may reach three columns into the next
    // tile) are. Fails as encodeSpriteFile does, for pages the format cannot
    // hold.
    const Outcome& update(const Page& page, std::optional<PixelRect> changed);

    // What the last update gave; the sizes are those of the page's revision().
    const Outcome& outcome() const { return outcome_; }
    const GpfSizes& sizes() const { return sizes_; }
    // The page and revision the figure describes (nullptr before the first update).
    const Page* page() const { return page_; }
    std::uint64_t revision() const { return revision_; }

  private:
    // What decides the tiles and their rectangles besides the pixels.
    struct Shape {
        std::int32_t mode = 0, stride = 0, height = 0, tileWidth = 0, tileHeight = 0, cols = 0,
                     rows = 0;
        std::uint8_t key = 0;
        bool operator==(const Shape&) const = default;
    };
    static Shape shapeOf(const Page& page);
    void measureAll(const Page& page);
    void measureTiles(const Page& page, PixelRect changed);

    const Page* page_ = nullptr;
    std::uint64_t revision_ = 0;
    Shape shape_;
    Outcome outcome_ = Outcome::silent();
    GpfSizes sizes_;
};

// The tiles, as a block of columns and rows of the page's grid, whose GPF
// coding a change of the pixels in `changed` may alter: the tiles holding a
// changed pixel and those up to three columns left of one (a tile's block is
// widened to whole words, so it codes up to three columns past its right
// edge). Empty when the rectangle misses the page's buffer.
struct TileBlock {
    int col0 = 0, col1 = -1, row0 = 0, row1 = -1;
    bool empty() const { return col0 > col1 || row0 > row1; }
};
TileBlock gpfTilesTouched(const Page& page, PixelRect changed);

// The bytes tile `tile` takes in a GPF file of the page: its entries in the
// rectangle and size tables and its coded block. Counted without coding; the
// page must be one encodeSpriteFile accepts.
std::uint64_t gpfTileBytes(const Page& page, int tile);

}  // namespace zentil
