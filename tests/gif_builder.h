// GIF files written with giflib's encoder from a plain description, for
// reader tests and fuzz seeds, and the pictures a viewer shows of them,
// worked out pixel by pixel.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zentil::test {

using GifBytes = std::vector<std::uint8_t>;
using GifColour = std::array<std::uint8_t, 3>;

struct GifFrameLayout {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indexes;  // width x height, top row first
    bool interlaced = false;
    std::vector<GifColour> localTable;  // none when empty; 2, 4, ... 256 entries
    bool control = false;               // a Graphics Control Extension before it
    int disposal = 0;
    int transparent = -1;
};

struct GifLayout {
    int width = 0, height = 0;
    std::vector<GifColour> globalTable;  // none when empty
    std::vector<GifFrameLayout> frames;
};

inline ColorMapObject* gifTable(const std::vector<GifColour>& colours) {
    if (colours.empty()) return nullptr;
    std::vector<GifColorType> entries;
    for (const GifColour& c : colours)
        entries.push_back({c[0], c[1], c[2]});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
    if (!map) throw std::runtime_error("a colour table of a size GIF files cannot hold");
    return map;
}

inline GifBytes gifFile(const GifLayout& layout) {
    struct MapFree {
        void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
    };
    using Map = std::unique_ptr<ColorMapObject, MapFree>;
    GifBytes out;
    const auto write = [](GifFileType* gif, const GifByteType* bytes, int length) {
        auto& to = *static_cast<GifBytes*>(gif->UserData);
        to.insert(to.end(), bytes, bytes + length);
        return length;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&out, write, &error);
    if (!gif) throw std::runtime_error("EGifOpen failed");
    EGifSetGifVersion(gif, true);
    bool ok = true;
    {
        const Map global(gifTable(layout.globalTable));
        ok = EGifPutScreenDesc(gif, layout.width, layout.height, 8, 0, global.get()) == GIF_OK;
    }
    // Passes of interlaced rows: from these rows, every so many.
    static constexpr int kFirst[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (const GifFrameLayout& f : layout.frames) {
        if (!ok) break;
        if (f.control) {
            GraphicsControlBlock gcb{f.disposal, false, 10, f.transparent};
            GifByteType extension[4];
            EGifGCBToExtension(&gcb, extension);
            ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
        }
        const Map local(gifTable(f.localTable));
        // giflib 5.2 forgets, rather than frees, the last frame's local table
        // when a frame without one follows.
        if (!local && gif->Image.ColorMap) {
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced,
                                    local.get()) == GIF_OK;
        std::vector<GifPixelType> row(static_cast<std::size_t>(f.width));
        for (int pass = 0; pass < (f.interlaced ? 4 : 1); ++pass)
            for (int y = f.interlaced ? kFirst[pass] : 0; ok && y < f.height;
                 y += f.interlaced ? kStep[pass] : 1) {
                std::copy_n(&f.indexes[static_cast<std::size_t>(y) * f.width], f.width,
                            row.begin());
                ok = EGifPutLine(gif, row.data(), f.width) == GIF_OK;
            }
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    if (!ok) throw std::runtime_error("writing a GIF failed");
    return out;
}

// What a viewer shows of the file, frame after frame, as RGBA (clear pixels
// 0, 0, 0, 0) and as the index each pixel was drawn with (-1 where clear):
// each frame over what the last left, clipped to the screen, its transparent
// index skipped; then its disposal: 2 clears its rectangle, 3 brings back
// what was there before it.
struct GifShownFrame {
    std::vector<std::array<std::uint8_t, 4>> rgba;
    std::vector<int> indexes;
};

inline std::vector<GifShownFrame> gifShown(const GifLayout& layout) {
    const std::size_t w = static_cast<std::size_t>(layout.width);
    GifShownFrame screen{std::vector<std::array<std::uint8_t, 4>>(w * layout.height, {0, 0, 0, 0}),
                         std::vector<int>(w * layout.height, -1)};
    std::vector<GifShownFrame> shown;
    for (const GifFrameLayout& f : layout.frames) {
        const GifShownFrame before = screen;
        const auto& table = f.localTable.empty() ? layout.globalTable : f.localTable;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) {
                const int index = f.indexes[static_cast<std::size_t>(y) * f.width + x];
                const int sx = f.left + x, sy = f.top + y;
                if (sx >= layout.width || sy >= layout.height ||
                    (f.control && index == f.transparent))
                    continue;
                const GifColour c = table[static_cast<std::size_t>(index)];
                screen.rgba[sy * w + sx] = {c[0], c[1], c[2], 255};
                screen.indexes[sy * w + sx] = index;
            }
        shown.push_back(screen);
        if (f.control && f.disposal == 3) screen = before;
        if (f.control && f.disposal == 2)
            for (int y = f.top; y < std::min(layout.height, f.top + f.height); ++y)
                for (int x = f.left; x < std::min(layout.width, f.left + f.width); ++x) {
                    screen.rgba[y * w + x] = {0, 0, 0, 0};
                    screen.indexes[y * w + x] = -1;
                }
    }
    return shown;
}

}  // namespace zentil::test
