#include "edit/paint.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace zentil {
namespace {

bool paintable(const Page& page) {
    return page.mode == kMode8 && page.pixels8 != nullptr;
}

std::uint8_t* rowOf(Page& page, int y) {
    return page.pixels8.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(page.stride);
}

// The first position from `from` on (before `end`) whose byte is not
// `value`, eight bytes at a time while they all are.
int runEnd(const std::uint8_t* row, int from, int end, std::uint8_t value) {
    const std::uint64_t all = 0x0101010101010101ull * value;
    int x = from;
    while (end - x >= 8) {
        std::uint64_t word;
        std::memcpy(&word, row + x, 8);
        if (const std::uint64_t differ = word ^ all; differ != 0) {
            // The lowest differing byte comes first in memory on this
            // platform's byte order.
            if constexpr (std::endian::native == std::endian::little)
                return x + std::countr_zero(differ) / 8;
            break;
        }
        x += 8;
    }
    while (x < end && row[x] == value)
        ++x;
    return x;
}

// The first position before `end` (from `from` on) whose byte is `value`, or `end`.
int findValue(const std::uint8_t* row, int from, int end, std::uint8_t value) {
    if (from >= end) return end;
    const void* at = std::memchr(row + from, value, static_cast<std::size_t>(end - from));
    return at ? static_cast<int>(static_cast<const std::uint8_t*>(at) - row) : end;
}

// A run of filled pixels, and the neighbouring row still to look at.
struct Span {
    int y, left, right;  // row y, columns [left, right)
    int dir;             // the row to look at is y + dir
};

}  // namespace

void PaintedArea::add(int x, int y) {
    if (empty()) {
        *this = {x, y, x + 1, y + 1};
        return;
    }
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x + 1);
    y1 = std::max(y1, y + 1);
}

PaintedArea paintLine(Page& page, int x0, int y0, int x1, int y1, std::uint8_t index) {
    PaintedArea area;
    if (!paintable(page)) return area;
    forLinePixels(x0, y0, x1, y1, [&](int x, int y) {
        if (x < 0 || y < 0 || x >= page.width || y >= page.height) return;
        std::uint8_t& pixel = rowOf(page, y)[x];
        if (pixel == index) return;
        pixel = index;
        area.add(x, y);
    });
    return area;
}

PaintedArea fillRegion(Page& page, int x, int y, std::uint8_t index) {
    PaintedArea area;
    if (!paintable(page) || x < 0 || y < 0 || x >= page.width || y >= page.height) return area;
    const std::uint8_t target = rowOf(page, y)[x];
    if (target == index) return area;
    const int width = page.width;
    std::vector<Span> spans;
    // Fills the run of the target through `at` on row `y`, and gives it.
    const auto fillRun = [&](std::uint8_t* row, int y, int at) {
        int left = at;
        while (left > 0 && row[left - 1] == target)
            --left;
        const int right = runEnd(row, at, width, target);
        std::memset(row + left, index, static_cast<std::size_t>(right - left));
        area.add(left, y);
        area.add(right - 1, y);
        return Span{y, left, right, 0};
    };
    const Span first = fillRun(rowOf(page, y), y, x);
    spans.push_back({first.y, first.left, first.right, 1});
    spans.push_back({first.y, first.left, first.right, -1});
    while (!spans.empty()) {
        const Span from = spans.back();
        spans.pop_back();
        const int ny = from.y + from.dir;
        if (ny < 0 || ny >= page.height) continue;
        std::uint8_t* row = rowOf(page, ny);
        for (int at = findValue(row, from.left, from.right, target); at < from.right;
             at = findValue(row, at, from.right, target)) {
            const Span run = fillRun(row, ny, at);
            spans.push_back({ny, run.left, run.right, from.dir});
            // Where the new run reaches past the one it came from, the row
            // behind it is looked at too.
            if (run.left < from.left - 1) spans.push_back({ny, run.left, from.left - 1, -from.dir});
            if (run.right > from.right + 1)
                spans.push_back({ny, from.right + 1, run.right, -from.dir});
            at = run.right;
        }
    }
    return area;
}

}  // namespace zentil
