#include "gpf_reference.h"

#include "edit/blit.h"
#include "formats/gpf_file.h"
#include "image/palette.h"

namespace zentil::test {
namespace {

void put32(std::vector<std::uint8_t>& out, std::int64_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Runs of one block in column order: a run is closed when the kind of pixel
// changes, at every column end, and at 255 pixels.
std::vector<std::uint8_t> encodeBlock(const std::vector<std::uint8_t>& pixels, int h,
                                      std::uint8_t key) {
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> literal;
    bool open = false, keyRun = false;
    int count = 0;
    auto close = [&] {
        if (!open) return;
        data.push_back(static_cast<std::uint8_t>(count));
        if (keyRun)
            data.push_back(key);
        else
            data.insert(data.end(), literal.begin(), literal.end());
        open = false;
    };
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const bool isKey = pixels[i] == key;
        if (!open || keyRun != isKey) {
            close();
            open = true;
            keyRun = isKey;
            count = 0;
            literal.clear();
        }
        ++count;
        if (!isKey) literal.push_back(pixels[i]);
        if ((i + 1) % h == 0 || count == 255) close();
    }
    close();
    return data;
}

}  // namespace

void referenceTileBounds(const Page& page, int tileIndex, TileRect& rect) {
    const int tw = page.tileWidth, th = page.tileHeight;
    const int x0 = (tileIndex % page.cols) * tw;
    const int y0 = (tileIndex / page.cols) * th;
    const std::uint32_t key = colorKeyOf(page);
    auto opaque = [&](int x, int y) { return pixelAt(page, x0 + x, y0 + y) != key; };
    int left = 0, right = 0, top = 0, bottom = 0;
    bool found = false;
    for (int x = 0; x < tw && !found; ++x)
        for (int y = 0; y < th && !found; ++y)
            if (opaque(x, y)) {
                left = x;
                found = true;
            }
    found = false;
    for (int x = tw - 1; x >= 0 && !found; --x)
        for (int y = 0; y < th && !found; ++y)
            if (opaque(x, y)) {
                right = x + 1;
                found = true;
            }
    found = false;
    for (int y = 0; y < th && !found; ++y)
        for (int x = 0; x < tw && !found; ++x)
            if (opaque(x, y)) {
                top = y;
                found = true;
            }
    found = false;
    for (int y = th - 1; y >= 0 && !found; --y)
        for (int x = 0; x < tw && !found; ++x)
            if (opaque(x, y)) {
                bottom = y + 1;
                found = true;
            }
    int x = left, w = right - left;
    while ((w * page.mode) % 4 != 0) {
        if (x > 0) --x;
        ++w;
    }
    rect.x = static_cast<std::uint16_t>(x);
    rect.y = static_cast<std::uint16_t>(top);
    rect.w = static_cast<std::uint16_t>(w);
    rect.h = static_cast<std::uint16_t>(bottom - top);
}

void referenceEncodeSpriteFile(const Page& page, std::vector<std::uint8_t>& out) {
    const std::uint8_t key = page.colorKey8;
    std::vector<TileRect> rects;
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int t = 0; t < page.tileCount; ++t) {
        TileRect r;
        referenceTileBounds(page, t, r);
        const int left = (t % page.cols) * page.tileWidth + r.x;
        const int top = (t / page.cols) * page.tileHeight + r.y;
        // The block as rows, top first.
        std::vector<std::uint8_t> block(std::size_t{r.w} * r.h);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                block[std::size_t{r.w} * y + x] =
                    left + x < page.stride
                        ? static_cast<std::uint8_t>(pixelAt(page, left + x, top + y))
                        : key;
        // Columns left to right, each from the bottom row up.
        std::vector<std::uint8_t> columns(block.size());
        for (int x = 0; x < r.w; ++x)
            for (int y = 0; y < r.h; ++y)
                columns[std::size_t{r.h} * x + (r.h - 1 - y)] = block[std::size_t{r.w} * y + x];
        rects.push_back(r);
        blocks.push_back(encodeBlock(columns, r.h, key));
    }
    out.clear();
    for (std::int64_t v :
         {std::int64_t{0x7839}, std::int64_t{1}, std::int64_t{page.tileWidth} * page.tileHeight,
          std::int64_t{page.cols}, std::int64_t{page.rows}, std::int64_t{page.tileWidth},
          std::int64_t{page.tileHeight}, std::int64_t{page.tileCount},
          std::int64_t{page.colorKey8}})
        put32(out, v);
    for (const TileRect& r : rects)
        for (int v : {r.x, r.y, r.w, r.h})
            put16(out, v);
    for (const auto& b : blocks)
        put32(out, static_cast<std::int64_t>(b.size()));
    for (const auto& b : blocks)
        out.insert(out.end(), b.begin(), b.end());
}

bool referenceDecodeSpriteFile(std::span<const std::uint8_t> bytes, Page& page,
                               const PageDefaults& defaults) {
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) return false;
    const GpfHeader& hd = layout.header;
    Page fresh;
    if (!createPage(fresh, hd.tileWidth, hd.cols, hd.tileHeight, hd.rows, kMode8, defaults))
        return false;
    setColorKey(fresh, static_cast<std::uint32_t>(hd.colorKey));
    Page scratch;
    if (!createSinglePage(scratch, hd.tileWidth, hd.tileHeight, kMode8)) return false;
    setColorKey(scratch, static_cast<std::uint32_t>(hd.colorKey));
    const std::uint8_t key = fresh.colorKey8;

    std::size_t at = kGpfHeaderSize + layout.rects.size() * 12;
    for (int t = 0; t < hd.tileCount; ++t) {
        const TileRect r = layout.rects[t];
        const std::size_t size = static_cast<std::size_t>(layout.sizes[t]);
        const std::span<const std::uint8_t> data = bytes.subspan(at, size);
        at += size;

        const std::size_t pixels = std::size_t{r.w} * r.h;
        std::vector<std::uint8_t> columns(pixels, key);
        std::size_t done = 0, in = 0;
        // A count byte needs at least one byte after it.
        while (in + 1 < data.size() && done < pixels) {
            const std::size_t n = data[in];
            if (data[in + 1] == key) {
                done += n;  // already key
                in += 2;
            } else {
                for (std::size_t i = 0; i < n && in + 1 + i < data.size() && done < pixels; ++i)
                    columns[done++] = data[in + 1 + i];
                in += n + 1;
            }
        }
        std::vector<std::uint8_t> rows(pixels);
        for (int x = 0; x < r.w; ++x)
            for (int y = 0; y < r.h; ++y)
                rows[std::size_t{r.w} * y + x] = columns[std::size_t{r.h} * x + (r.h - 1 - y)];

        clearPage(scratch);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                putPixel(scratch, r.x + x, r.y + y, rows[std::size_t{r.w} * y + x]);
        copyPageRect(fresh, (t % hd.cols) * hd.tileWidth, (t / hd.cols) * hd.tileHeight, scratch, 0,
                     0, hd.tileWidth, hd.tileHeight);
    }
    setPagePalette(fresh, defaults.palette);
    fresh.kind = kKindSprite;
    page = std::move(fresh);
    return true;
}

}  // namespace zentil::test
