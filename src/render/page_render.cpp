#include "render/page_render.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/screen_row.h"

namespace zentil {
namespace {

// The five-bit channels of a 16-bit pixel widened as the screen shows them
// (the top bits repeated below), as 0xRRGGBB.
std::uint32_t widen555(std::uint16_t v) {
    const auto widen = [](unsigned c) { return (c << 3) | (c >> 2); };
    return (widen((v >> 10) & 0x1F) << 16) | (widen((v >> 5) & 0x1F) << 8) | widen(v & 0x1F);
}

// Target pixels of a screen format: 3 bytes (B, G, R), 4 (a 0xFFRRGGBB
// word), or 2 (a 16-bit pixel copied unchanged).
template <int kBytes>
void putPixels(std::uint8_t* out, std::uint32_t rgb, int count) {
    if constexpr (kBytes == 4) {
        const std::uint32_t word = 0xFF000000u | rgb;
        for (int r = 0; r < count; ++r)
            std::memcpy(out + r * 4, &word, 4);
    } else if constexpr (kBytes == 3) {
        const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(rgb),
                                     static_cast<std::uint8_t>(rgb >> 8),
                                     static_cast<std::uint8_t>(rgb >> 16)};
        for (int r = 0; r < count; ++r)
            std::memcpy(out + r * 3, bgr, 3);
    } else {
        const auto v = static_cast<std::uint16_t>(rgb);
        for (int r = 0; r < count; ++r)
            std::memcpy(out + r * 2, &v, 2);
    }
}

// `count` page pixels, each shown `repeat` times; colour(k) gives the screen
// colour (0xRRGGBB, or for 2-byte targets the 16-bit pixel itself) of the k-th.
template <int kBytes, typename Colour>
std::uint8_t* scaleRun(std::uint8_t* out, int count, int repeat, Colour colour) {
    if (kBytes == 4 && repeat == 1) {
        for (int k = 0; k < count; ++k) {
            const std::uint32_t word = 0xFF000000u | colour(k);
            std::memcpy(out + k * 4, &word, 4);
        }
        return out + count * 4;
    }
    for (int k = 0; k < count; ++k, out += repeat * kBytes)
        putPixels<kBytes>(out, colour(k), repeat);
    return out;
}

// One target row from the page row starting at `rowStart`: every span's
// columns, each repeated. Runs of an 8-bit page at 3 bytes shown once go
// through the word-wise look-up.
template <int kBytes>
void scaleRow(std::uint8_t* out, const Page& page, std::size_t rowStart,
              std::span<const ColumnSpan> spans, const ScreenTable* screen,
              const std::uint32_t* table) {
    for (const ColumnSpan& span : spans) {
        if (span.count <= 0) continue;
        const std::size_t first = rowStart + static_cast<std::size_t>(span.column);
        switch (page.mode) {
            case kMode8: {
                const std::uint8_t* in = page.pixels8.get() + first;
                if (kBytes == 3 && span.repeat == 1) {
                    lookUpRow(out, in, span.count, *screen);
                    out += span.count * 3;
                    break;
                }
                out = scaleRun<kBytes>(out, span.count, span.repeat,
                                       [in, table](int k) { return table[in[k]]; });
                break;
            }
            case kMode16: {
                const std::uint16_t* in = page.pixels16.get() + first;
                out = scaleRun<kBytes>(out, span.count, span.repeat, [in](int k) {
                    return kBytes == 2 ? std::uint32_t{in[k]} : widen555(in[k]);
                });
                break;
            }
            case kMode24: {
                const std::uint8_t* in = page.pixels24.get() + first * 3;  // B, G, R
                out = scaleRun<kBytes>(out, span.count, span.repeat, [in](int k) {
                    const std::uint8_t* p = in + k * 3;
                    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                           (std::uint32_t{p[2]} << 16);
                });
                break;
            }
            default:
                break;
        }
    }
}

bool hasPixels(const Page& page) {
    return page.stride > 0 &&
           ((page.mode == kMode8 && page.pixels8) || (page.mode == kMode16 && page.pixels16) ||
            (page.mode == kMode24 && page.pixels24));
}

}  // namespace

QImage::Format renderFormatFor(int mode) {
    switch (mode) {
        case kMode8:
        case kMode24:
            return QImage::Format_BGR888;
        case kMode16:
            return QImage::Format_RGB555;
        default:
            return QImage::Format_Invalid;
    }
}

void renderPageSpans(QImage& image, int left, int top, const Page& page,
                     std::span<const ColumnSpan> spans, std::span<const int> rows) {
    if (!hasPixels(page) || image.isNull()) return;
    const QImage::Format format = image.format();
    const int bytes = format == QImage::Format_RGB32                            ? 4
                      : format == QImage::Format_BGR888                         ? 3
                      : format == QImage::Format_RGB555 && page.mode == kMode16 ? 2
                                                                                : 0;
    if (bytes == 0) return;
    std::int64_t width = 0;
    for (const ColumnSpan& span : spans) {
        if (span.column < 0 || span.count < 0 || span.repeat < 1 ||
            std::int64_t{span.column} + span.count > page.stride)
            return;
        width += std::int64_t{span.count} * span.repeat;
    }
    if (left < 0 || top < 0 || left + width > image.width() ||
        top + static_cast<std::int64_t>(rows.size()) > image.height() || width == 0)
        return;
    // 8-bit pages: the palette as B, G, R words for the 3-byte look-up, and
    // as 0xRRGGBB for the others.
    ScreenTable screen{};
    std::array<std::uint32_t, kPaletteEntries> table{};
    if (page.mode == kMode8) {
        screen = screenTable(page.paletteQuad);
        for (int i = 0; i < kPaletteEntries; ++i) {
            const std::uint8_t* q = &page.paletteQuad[static_cast<std::size_t>(i) * 4];
            table[static_cast<std::size_t>(i)] =
                (std::uint32_t{q[0]} << 16) | (std::uint32_t{q[1]} << 8) | q[2];
        }
    }
    std::uint8_t* const bits = image.bits();
    const auto bytesPerLine = static_cast<std::size_t>(image.bytesPerLine());
    const std::size_t offset = static_cast<std::size_t>(left) * bytes;
    const auto rowBytes = static_cast<std::size_t>(width) * bytes;
    int previous = -1;
    std::uint8_t* previousOut = nullptr;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int row = rows[k];
        if (row < 0 || row >= page.height) {
            previous = -1;
            continue;
        }
        std::uint8_t* out = bits + (static_cast<std::size_t>(top) + k) * bytesPerLine + offset;
        if (row == previous) {  // an enlarged row: the one above already holds it
            std::memcpy(out, previousOut, rowBytes);
        } else {
            const std::size_t start =
                static_cast<std::size_t>(row) * static_cast<std::size_t>(page.stride);
            if (bytes == 4)
                scaleRow<4>(out, page, start, spans, &screen, table.data());
            else if (bytes == 3)
                scaleRow<3>(out, page, start, spans, &screen, table.data());
            else
                scaleRow<2>(out, page, start, spans, &screen, table.data());
        }
        previous = row;
        previousOut = out;
    }
}

void renderPageFitted(QImage& image, const Page& page, int srcX, int srcY, int width, int height) {
    const QImage::Format format = renderFormatFor(page.mode);
    if (format == QImage::Format_Invalid || !hasPixels(page) || image.isNull()) return;
    if (image.format() != format) image.convertTo(format);
    if (image.format() != format || width <= 0 || height <= 0) return;
    // The source pixel under the centre of target pixel t of `target`.
    const auto under = [](int t, int target, int start, int size) {
        return start +
               static_cast<int>((std::int64_t{2} * t + 1) * size / (std::int64_t{2} * target));
    };
    std::vector<ColumnSpan> spans;
    int firstColumn = 0;
    for (int t = 0; t < image.width(); ++t) {
        const int column = under(t, image.width(), srcX, width);
        if (column < 0 || column >= page.stride) {
            if (spans.empty())
                firstColumn = t + 1;
            else
                break;  // columns beyond the stride end the row
            continue;
        }
        if (!spans.empty() && spans.back().column == column && spans.back().count == 1)
            ++spans.back().repeat;
        else if (!spans.empty() && spans.back().repeat == 1 &&
                 spans.back().column + spans.back().count == column)
            ++spans.back().count;
        else
            spans.push_back({column, 1, 1});
    }
    std::vector<int> rows(static_cast<std::size_t>(image.height()));
    for (int t = 0; t < image.height(); ++t)
        rows[static_cast<std::size_t>(t)] = under(t, image.height(), srcY, height);
    renderPageSpans(image, firstColumn, 0, page, spans, rows);
}

}  // namespace zentil
