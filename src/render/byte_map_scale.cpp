#include "render/byte_map_scale.h"

#include <algorithm>
#include <limits>

#include "edit/canvas_projection.h"

namespace zentil {

ByteMapScale::Shape ByteMapScale::shapeOf(const Page& page) {
    return {page.stride, page.height, page.tileWidth, page.tileHeight,
            page.cols,   page.rows,   page.colorKey8};
}

void ByteMapScale::forget() {
    page_ = nullptr;
    revision_ = 0;
    tiles_ = 0;
    cheapest_ = dearest_ = 0;
    chunkCheapest_.clear();
    chunkDearest_.clear();
}

void ByteMapScale::scanChunk(const std::vector<std::uint64_t>& bytes, std::size_t chunk) {
    const std::size_t from = chunk * kChunkTiles;
    const std::size_t to = std::min(bytes.size(), from + kChunkTiles);
    std::uint64_t low = std::numeric_limits<std::uint64_t>::max(), high = 0;
    for (std::size_t t = from; t < to; ++t) {
        low = std::min(low, bytes[t]);
        high = std::max(high, bytes[t]);
    }
    chunkCheapest_[chunk] = low;
    chunkDearest_[chunk] = high;
}

void ByteMapScale::combineChunks() {
    cheapest_ = *std::min_element(chunkCheapest_.begin(), chunkCheapest_.end());
    dearest_ = *std::max_element(chunkDearest_.begin(), chunkDearest_.end());
}

void ByteMapScale::measure(const GpfSizes& sizes) {
    forget();
    const std::vector<std::uint64_t>& bytes = sizes.tileBytes;
    if (bytes.empty()) return;
    const std::size_t chunks = (bytes.size() + kChunkTiles - 1) / kChunkTiles;
    chunkCheapest_.resize(chunks);
    chunkDearest_.resize(chunks);
    for (std::size_t c = 0; c < chunks; ++c)
        scanChunk(bytes, c);
    tiles_ = bytes.size();
    combineChunks();
}

// The figure measures again the tiles holding a changed pixel and the tiles
// up to three columns left of one (a tile's block is widened to whole
// words); the scale scans again the chunks holding those tiles.
void ByteMapScale::rescanTiles(const Page& page, const std::vector<std::uint64_t>& bytes,
                               PixelRect changed) {
    const TileBlock touched = gpfTilesTouched(page, changed);
    if (touched.empty()) return;
    const std::int64_t col0 = touched.col0, col1 = touched.col1;
    const std::int64_t row0 = touched.row0, row1 = touched.row1;
    std::size_t last = std::numeric_limits<std::size_t>::max();
    for (std::int64_t row = row0; row <= row1; ++row) {
        const auto first = static_cast<std::size_t>(row * page.cols + col0) / kChunkTiles;
        const auto end = static_cast<std::size_t>(row * page.cols + col1) / kChunkTiles;
        // Rows of a narrow page share chunks: each is scanned once.
        for (std::size_t c = first; c <= end; ++c)
            if (last == std::numeric_limits<std::size_t>::max() || c > last) {
                scanChunk(bytes, c);
                last = c;
            }
    }
    combineChunks();
}

void ByteMapScale::update(const Page& page, const GpfFigure& figure,
                          std::optional<PixelRect> changed) {
    const std::vector<std::uint64_t>& bytes = figure.sizes().tileBytes;
    if (figure.page() != &page || figure.revision() != page.revision || !figure.outcome().ok ||
        bytes.size() != static_cast<std::size_t>(std::max(page.tileCount, 0)) || bytes.empty()) {
        forget();
        return;
    }
    const Shape shape = shapeOf(page);
    const bool same = known() && page_ == &page && shape == shape_ && tiles_ == bytes.size();
    if (same && revision_ == page.revision) return;
    if (same && changed) {
        rescanTiles(page, bytes, *changed);
    } else {
        measure(figure.sizes());
    }
    page_ = &page;
    revision_ = page.revision;
    shape_ = shape;
}

}  // namespace zentil
