// The two ends of the byte map's scale: the fewest and the most GPF bytes any
// tile of the page takes. Kept up to date edit by edit, so that a repaint
// never passes over all the tiles of a large page (an 8192 x 8192 page of
// 8 x 8 tiles has a million): the tiles are kept in chunks, each with its own
// extremes, and an edit scans again only the chunks holding the tiles it
// touched, then the chunks' extremes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/gpf_figure.h"
#include "image/page.h"
#include "image/pixel_rect.h"

namespace zentil {

class ByteMapScale {
  public:
    // Tiles per chunk: the cost of an edit is one chunk per touched tile
    // run plus one pass over the chunks.
    static constexpr std::size_t kChunkTiles = 1024;

    // Brings the scale to `figure`, which must describe `page` as it is now
    // (else the scale becomes unknown). `changed` holds every pixel of the
    // page that changed since the scale was last updated, as given to the
    // figure (nullopt: not known); another page, another grid or key, or an
    // unknown change is scanned whole.
    void update(const Page& page, const GpfFigure& figure, std::optional<PixelRect> changed);
    // Scans `sizes` whole (for a figure kept elsewhere); empty sizes leave
    // the scale unknown.
    void measure(const GpfSizes& sizes);

    // Whether the scale describes sizes; a scale that does not draws nothing.
    bool known() const { return tiles_ != 0; }
    std::size_t tileCount() const { return tiles_; }
    std::uint64_t cheapest() const { return cheapest_; }
    std::uint64_t dearest() const { return dearest_; }

  private:
    // What decides which tiles a changed rectangle touches, besides pixels.
    struct Shape {
        std::int32_t stride = 0, height = 0, tileWidth = 0, tileHeight = 0, cols = 0, rows = 0;
        std::uint8_t key = 0;
        bool operator==(const Shape&) const = default;
    };
    static Shape shapeOf(const Page& page);
    void forget();
    void scanChunk(const std::vector<std::uint64_t>& bytes, std::size_t chunk);
    void combineChunks();
    void rescanTiles(const Page& page, const std::vector<std::uint64_t>& bytes, PixelRect changed);

    const Page* page_ = nullptr;
    std::uint64_t revision_ = 0;
    Shape shape_;
    std::size_t tiles_ = 0;
    std::uint64_t cheapest_ = 0, dearest_ = 0;
    std::vector<std::uint64_t> chunkCheapest_, chunkDearest_;
};

}  // namespace zentil
