#include "formats/palette_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "system/byte_source.h"
#include "system/files.h"
#include "system/safe_file_writer.h"
#include "system/texts.h"

namespace zentil {

namespace {

constexpr int kSteps = 8;

// ---------------------------------------------------------------------------
// Mixing arithmetic

// The blend table is defined by the x87 80-bit format (64-bit mantissa).
constexpr bool kNativeExtended = std::numeric_limits<long double>::digits == 64;

__extension__ typedef unsigned __int128 Wide;

// Emulated extended values are whole multiples of 2^-67: q lies in [1/16, 1/8),
// so its last mantissa bit is worth 2^-67, and every other value of the
// formula is either 0 or at least q, so none has a finer last bit.
constexpr int kUnitBits = 67;

int bitLength(Wide n) {
    const auto high = static_cast<std::uint64_t>(n >> 64);
    const auto low = static_cast<std::uint64_t>(n);
    if (high != 0) return 128 - __builtin_clzll(high);
    return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// Rounds a whole number to 64 significant bits, to nearest with ties to even.
Wide roundToExtended(Wide n) {
    const int excess = bitLength(n) - 64;
    if (excess <= 0) return n;
    Wide kept = n >> excess;
    const Wide rest = n - (kept << excess);
    const Wide half = Wide{1} << (excess - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
    return kept << excess;
}

// q = 1/9 in units of 2^-67, rounded to nearest: 2^67 / 9 has exactly 64 bits
// before the point, so this whole number is q's mantissa.
Wide ninthInUnits() {
    const Wide scaled = Wide{1} << kUnitBits;
    const Wide whole = scaled / 9;
    const Wide rest = scaled % 9;
    return rest * 2 > 9 ? whole + 1 : whole;
}

// For every step k and channel values a (of entry i) and b (of entry j):
// mixes[((k - 1) * 256 + a) * 256 + b] = blendChannel(a, b, k).
//
// The exact mix is n / 9 with n = a * k + b * (9 - k); the extended result
// differs from it by a few units of its last place only. When n is not a
// multiple of 9 the exact value lies at least 1/9 away from a whole number, so
// the cut result is n div 9; when it is a multiple, the result is n / 9, or one
// less when the extended sum came out below it. Only that comparison needs the
// extended arithmetic, which spares a float-to-integer conversion per entry.
void buildMixTable(std::uint8_t* mixes) {
    const long double q = 1.0L / 9;
    std::array<long double, 256> firstTerm{};
    std::array<long double, 256> secondTerm{};
    for (int k = 1; k <= kSteps; ++k) {
        if constexpr (kNativeExtended) {
            for (int v = 0; v < 256; ++v) {
                firstTerm[v] = v * (k * q);
                secondTerm[v] = (v * (9 - k)) * q;
            }
        }
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                const int n = a * k + b * (9 - k);
                int mix = n / 9;
                if (mix * 9 == n) {
                    bool below = false;
                    if constexpr (kNativeExtended) {
                        below = firstTerm[a] + secondTerm[b] < mix;
                    } else {
                        below = blendChannelEmulated(a, b, k) < mix;
                    }
                    if (below) --mix;
                }
                *mixes++ = static_cast<std::uint8_t>(mix);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Nearest-index search for the blend table

// The distinct colours of a palette in entry order, each at its first entry.
// A later entry of the same colour is never strictly nearer than the first,
// so searching these gives the same answer as searching all 256 entries.
struct DistinctColours {
    int count = 0;
    std::array<std::int16_t, kPaletteEntries> red{};
    std::array<std::int16_t, kPaletteEntries> green{};
    std::array<std::int16_t, kPaletteEntries> blue{};
    std::array<std::uint8_t, kPaletteEntries> entry{};
    // For every entry, the first entry of its colour.
    std::array<std::uint8_t, kPaletteEntries> firstOf{};
};

DistinctColours findDistinctColours(const Palette& palette) {
    DistinctColours colours;
    for (int n = 0; n < kPaletteEntries; ++n) {
        const std::uint8_t* e = &palette[n * 3];
        int first = n;
        for (int m = 0; m < colours.count; ++m) {
            if (colours.red[m] == e[0] && colours.green[m] == e[1] && colours.blue[m] == e[2]) {
                first = colours.entry[m];
                break;
            }
        }
        colours.firstOf[n] = static_cast<std::uint8_t>(first);
        if (first == n) {
            const int rank = colours.count++;
            colours.red[rank] = e[0];
            colours.green[rank] = e[1];
            colours.blue[rank] = e[2];
            colours.entry[rank] = static_cast<std::uint8_t>(n);
        }
    }
    return colours;
}

// Colour space is cut into cubes on two levels, coarse ones of 32 units on a
// side and fine ones of 16, each with the list of distinct colours that can be
// the answer for some point inside it. A search looks only at the list of its
// fine cube. Lists are built when first needed, the coarse ones from all
// colours and the fine ones from the list of their coarse cube.
constexpr int kCoarseBits = 5;
constexpr int kFineBits = 4;
constexpr int cellsOnLevel(int bits) {
    return 1 << (3 * (8 - bits));
}

int cellOf(int red, int green, int blue, int bits) {
    const int shift = 8 - bits;
    return ((red >> bits) << (2 * shift)) | ((green >> bits) << shift) | (blue >> bits);
}

// Fine lists are stored in groups of 8 for the search: 8 reds, 8 greens,
// 8 blues, 8 entry numbers. Unused places hold a colour far outside the cube,
// which is never the nearest: a list always holds two different colours, and
// at most one of them matches a colour exactly.
constexpr int kGroup = 8;
constexpr int kGroupValues = 4 * kGroup;
constexpr std::int16_t kFarAway = 2000;
constexpr std::int16_t kNoDistance = std::numeric_limits<std::int16_t>::max();

class NearestFinder {
  public:
    explicit NearestFinder(const DistinctColours& colours)
        : colours_(colours),
          coarseStart_(cellsOnLevel(kCoarseBits), -1),
          coarseCount_(cellsOnLevel(kCoarseBits), 0),
          fineStart_(cellsOnLevel(kFineBits), -1),
          fineGroups_(cellsOnLevel(kFineBits), 0) {
        allRanks_.resize(static_cast<std::size_t>(colours.count));
        for (int rank = 0; rank < colours.count; ++rank)
            allRanks_[rank] = static_cast<std::uint8_t>(rank);
    }

    // nearestIndex for a colour, given that the palette has two distinct colours or more.
    int find(int red, int green, int blue) {
        const int cell = cellOf(red, green, blue, kFineBits);
        if (fineStart_[cell] < 0) buildFine(red, green, blue);
        return searchGroups(&fineData_[static_cast<std::size_t>(fineStart_[cell])],
                            fineGroups_[cell], red, green, blue);
    }

  private:
    // Picks from `from` (colour ranks in entry order) those that can be the
    // answer somewhere in the cube of side 2^bits that holds the colour, in
    // order, into picked_. For a point p of the cube, of the two colours whose
    // farthest point of the cube is nearest, at least one differs from p, so
    // p's answer is at most `limit`, the larger of those two farthest
    // distances, away. A colour whose nearest point of the cube lies beyond
    // `limit` can neither be the answer nor tie with it.
    void selectCandidates(int red, int green, int blue, int bits, const std::uint8_t* from,
                          int fromCount) {
        const int side = (1 << bits) - 1;
        const int low[3] = {red >> bits << bits, green >> bits << bits, blue >> bits << bits};
        int nearest = std::numeric_limits<int>::max();
        int limit = std::numeric_limits<int>::max();
        for (int n = 0; n < fromCount; ++n) {
            const int rank = from[n];
            const int value[3] = {colours_.red[rank], colours_.green[rank], colours_.blue[rank]};
            int closest = 0;
            int farthest = 0;
            for (int c = 0; c < 3; ++c) {
                const int high = low[c] + side;
                closest += std::max(low[c] - value[c], 0) + std::max(value[c] - high, 0);
                farthest += std::max(value[c] - low[c], high - value[c]);
            }
            closestDistance_[n] = closest;
            if (farthest < nearest) {
                limit = nearest;
                nearest = farthest;
            } else if (farthest < limit) {
                limit = farthest;
            }
        }
        picked_.clear();
        for (int n = 0; n < fromCount; ++n)
            if (closestDistance_[n] <= limit) picked_.push_back(from[n]);
    }

    void buildFine(int red, int green, int blue) {
        const int coarse = cellOf(red, green, blue, kCoarseBits);
        if (coarseStart_[coarse] < 0) {
            selectCandidates(red, green, blue, kCoarseBits, allRanks_.data(), colours_.count);
            coarseStart_[coarse] = static_cast<std::int32_t>(coarseRanks_.size());
            coarseCount_[coarse] = static_cast<std::int32_t>(picked_.size());
            coarseRanks_.insert(coarseRanks_.end(), picked_.begin(), picked_.end());
        }
        selectCandidates(red, green, blue, kFineBits, &coarseRanks_[coarseStart_[coarse]],
                         coarseCount_[coarse]);

        const int fine = cellOf(red, green, blue, kFineBits);
        const int groups = (static_cast<int>(picked_.size()) + kGroup - 1) / kGroup;
        const std::size_t start = fineData_.size();
        fineData_.resize(start + static_cast<std::size_t>(groups) * kGroupValues);
        std::int16_t* data = &fineData_[start];
        for (int g = 0; g < groups; ++g) {
            std::int16_t* group = data + g * kGroupValues;
            for (int lane = 0; lane < kGroup; ++lane) {
                const std::size_t n = static_cast<std::size_t>(g * kGroup + lane);
                const bool used = n < picked_.size();
                const int rank = used ? picked_[n] : 0;
                group[lane] = used ? colours_.red[rank] : kFarAway;
                group[kGroup + lane] = used ? colours_.green[rank] : kFarAway;
                group[2 * kGroup + lane] = used ? colours_.blue[rank] : kFarAway;
                group[3 * kGroup + lane] = used ? colours_.entry[rank] : 0;
            }
        }
        fineStart_[fine] = static_cast<std::int32_t>(start);
        fineGroups_[fine] = static_cast<std::int32_t>(groups);
    }

    // The nearestIndex rule over the candidates: smallest non-zero distance,
    // the first in entry order on a tie.
    static int searchGroups(const std::int16_t* data, int groups, int red, int green, int blue) {
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i none = _mm_set1_epi16(kNoDistance);
        const __m128i r = _mm_set1_epi16(static_cast<std::int16_t>(red));
        const __m128i g = _mm_set1_epi16(static_cast<std::int16_t>(green));
        const __m128i b = _mm_set1_epi16(static_cast<std::int16_t>(blue));
        __m128i distances[kPaletteEntries / kGroup];
        __m128i least = none;
        for (int n = 0; n < groups; ++n) {
            const std::int16_t* group = data + n * kGroupValues;
            __m128i dr = _mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(group)), r);
            __m128i dg =
                _mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(group + kGroup)), g);
            __m128i db = _mm_sub_epi16(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(group + 2 * kGroup)), b);
            dr = _mm_max_epi16(dr, _mm_sub_epi16(zero, dr));
            dg = _mm_max_epi16(dg, _mm_sub_epi16(zero, dg));
            db = _mm_max_epi16(db, _mm_sub_epi16(zero, db));
            __m128i d = _mm_add_epi16(_mm_add_epi16(dr, dg), db);
            // An exact match counts as no candidate at all.
            d = _mm_or_si128(d, _mm_and_si128(_mm_cmpeq_epi16(d, zero), none));
            distances[n] = d;
            least = _mm_min_epi16(least, d);
        }
        least = _mm_min_epi16(least, _mm_shuffle_epi32(least, 0x4E));
        least = _mm_min_epi16(least, _mm_shuffle_epi32(least, 0xB1));
        least = _mm_min_epi16(least, _mm_srli_epi32(least, 16));
        const int smallest = _mm_cvtsi128_si32(least) & 0xFFFF;
        if (smallest == kNoDistance) return 0;
        const __m128i wanted = _mm_set1_epi16(static_cast<std::int16_t>(smallest));
        for (int n = 0; n < groups; ++n) {
            const int hits = _mm_movemask_epi8(_mm_cmpeq_epi16(distances[n], wanted));
            if (hits != 0) return data[n * kGroupValues + 3 * kGroup + __builtin_ctz(hits) / 2];
        }
        return 0;
#else
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int n = 0; n < groups; ++n) {
            const std::int16_t* group = data + n * kGroupValues;
            for (int lane = 0; lane < kGroup; ++lane) {
                const int d = std::abs(group[lane] - red) + std::abs(group[kGroup + lane] - green) +
                              std::abs(group[2 * kGroup + lane] - blue);
                if (d != 0 && d < bestDistance) {
                    bestDistance = d;
                    best = group[3 * kGroup + lane];
                }
            }
        }
        return best;
#endif
    }

    const DistinctColours& colours_;
    std::vector<std::uint8_t> allRanks_;
    std::vector<std::int32_t> coarseStart_;
    std::vector<std::int32_t> coarseCount_;
    std::vector<std::uint8_t> coarseRanks_;
    std::vector<std::int32_t> fineStart_;
    std::vector<std::int32_t> fineGroups_;
    std::vector<std::int16_t> fineData_;
    std::vector<std::uint8_t> picked_;
    std::array<int, kPaletteEntries> closestDistance_{};
};

// Remembers the last search, since neighbouring steps of one pair often mix
// to the same colour.
class LastSearch {
  public:
    explicit LastSearch(NearestFinder& finder) : finder_(finder) {}
    int find(int red, int green, int blue) {
        const int colour = (red << 16) | (green << 8) | blue;
        if (colour != colour_) {
            colour_ = colour;
            result_ = finder_.find(red, green, blue);
        }
        return result_;
    }

  private:
    NearestFinder& finder_;
    int colour_ = -1;
    int result_ = 0;
};

// Fills the table entries of the pairs (i, j) and (j, i) for every first entry
// of a colour j >= i. The mix of step k for (i, j) and that of step 9 - k for
// (j, i) are the same fraction of the same two colours and nearly always come
// out equal, so one search serves both; when the rounding makes them differ
// each is searched. Entries of repeated colours are filled in afterwards.
void fillBlendPairs(const Palette& palette, const DistinctColours& colours,
                    const std::uint8_t* mixes, NearestFinder& finder, int i, std::uint8_t* table) {
    const std::uint8_t* pi = &palette[i * 3];
    for (int j = i; j < kPaletteEntries; ++j) {
        if (colours.firstOf[j] != j) continue;
        const std::uint8_t* pj = &palette[j * 3];
        std::uint8_t* forward = table + (i * kPaletteEntries + j) * kSteps;
        std::uint8_t* backward = table + (j * kPaletteEntries + i) * kSteps;
        LastSearch forwardSearch(finder);
        LastSearch backwardSearch(finder);
        for (int k = 1; k <= kSteps; ++k) {
            const std::uint8_t* stepMixes = mixes + (k - 1) * 65536;
            const int red = stepMixes[pi[0] * 256 + pj[0]];
            const int green = stepMixes[pi[1] * 256 + pj[1]];
            const int blue = stepMixes[pi[2] * 256 + pj[2]];
            const int result = forwardSearch.find(red, green, blue);
            forward[k - 1] = static_cast<std::uint8_t>(result);
            if (j == i) continue;
            const std::uint8_t* mirrorMixes = mixes + (kSteps - k) * 65536;
            const int mirrorRed = mirrorMixes[pj[0] * 256 + pi[0]];
            const int mirrorGreen = mirrorMixes[pj[1] * 256 + pi[1]];
            const int mirrorBlue = mirrorMixes[pj[2] * 256 + pi[2]];
            const bool same = mirrorRed == red && mirrorGreen == green && mirrorBlue == blue;
            backward[kSteps - k] = static_cast<std::uint8_t>(
                same ? result : backwardSearch.find(mirrorRed, mirrorGreen, mirrorBlue));
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------

int blendChannelEmulated(int first, int second, int step) {
    static const Wide ninth = ninthInUnits();
    const Wide stepNinth = roundToExtended(static_cast<Wide>(step) * ninth);
    const Wide firstPart = roundToExtended(static_cast<Wide>(first) * stepNinth);
    const Wide secondPart = roundToExtended(static_cast<Wide>(second * (9 - step)) * ninth);
    const Wide sum = roundToExtended(firstPart + secondPart);
    return static_cast<int>(sum >> kUnitBits);
}

int blendChannel(int first, int second, int step) {
    if constexpr (kNativeExtended) {
        const long double q = 1.0L / 9;
        const long double mix = first * (step * q) + (second * (9 - step)) * q;
        return static_cast<int>(mix);
    } else {
        return blendChannelEmulated(first, second, step);
    }
}

int nearestIndex(const Palette& palette, int red, int green, int blue) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int n = 0; n < kPaletteEntries; ++n) {
        const std::uint8_t* e = &palette[n * 3];
        const int d = std::abs(e[0] - red) + std::abs(e[1] - green) + std::abs(e[2] - blue);
        if (d != 0 && d < bestDistance) {
            bestDistance = d;
            best = n;
        }
    }
    return best;
}

bool buildBlendTable(const Palette& palette, std::uint8_t* out) {
    try {
        const DistinctColours colours = findDistinctColours(palette);
        if (colours.count < 2) {
            // One colour: every mix is either that colour (all entries match
            // exactly) or not (entry 0 is the first nearest); both give 0.
            std::memset(out, 0, kBlendTableBytes);
            return true;
        }
        std::vector<std::uint8_t> mixes(kSteps * 256 * 256);
        buildMixTable(mixes.data());

        // The first entries of the colours are shared out between the
        // workers, each with its own search lists, so the result never depends
        // on how the work was divided. Each worker writes only the pairs it
        // owns.
        std::vector<int> firsts;
        for (int i = 0; i < kPaletteEntries; ++i)
            if (colours.firstOf[i] == i) firsts.push_back(i);
        auto work = [&](std::size_t first, std::size_t stride) {
            NearestFinder finder(colours);
            for (std::size_t n = first; n < firsts.size(); n += stride)
                fillBlendPairs(palette, colours, mixes.data(), finder, firsts[n], out);
        };

        const std::size_t workers = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
        bool helperFailed = false;
        std::thread helper;
        if (workers == 2) {
            try {
                helper = std::thread([&] {
                    try {
                        work(1, 2);
                    } catch (const std::exception&) {
                        helperFailed = true;
                    }
                });
            } catch (const std::exception&) {
                // No thread to be had: this thread does the other half too.
            }
        }
        bool failed = false;
        try {
            work(0, workers);
            if (workers == 2 && !helper.joinable()) work(1, 2);
        } catch (const std::exception&) {
            failed = true;
        }
        if (helper.joinable()) helper.join();
        if (failed || helperFailed) return false;

        // A repeated colour mixes exactly as its first entry does.
        constexpr int kRowBytes = kSteps * kPaletteEntries;
        for (int i : firsts) {
            std::uint8_t* row = out + i * kRowBytes;
            for (int j = 0; j < kPaletteEntries; ++j)
                if (colours.firstOf[j] != j)
                    std::memcpy(row + j * kSteps, row + colours.firstOf[j] * kSteps, kSteps);
        }
        for (int i = 0; i < kPaletteEntries; ++i)
            if (colours.firstOf[i] != i)
                std::memcpy(out + i * kRowBytes, out + colours.firstOf[i] * kRowBytes, kRowBytes);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool applyPalette(Page& page, const Palette& palette) {
    if (page.mode != kMode8) return false;
    page.palette = palette;
    for (int n = 0; n < kPaletteEntries; ++n) {
        page.paletteQuad[n * 4 + 0] = palette[n * 3 + 0];
        page.paletteQuad[n * 4 + 1] = palette[n * 3 + 1];
        page.paletteQuad[n * 4 + 2] = palette[n * 3 + 2];
    }
    return true;
}

Outcome readPaletteFile(const std::string& path, Palette& palette) {
    // Only the marker byte and the colours are read; the blend table is not.
    FileSource file;
    const ReadResult opened = file.open(path, std::numeric_limits<std::uint64_t>::max());
    if (opened == ReadResult::NotAFile) return Outcome::error(texts::kNotAFile);
    std::uint8_t header[kPaletteHeaderBytes];
    if (opened != ReadResult::Ok || !file.copy(0, header, sizeof header) ||
        header[0] != kPaletteFileMarker)
        return Outcome::error(texts::kCannotReadPalette);
    std::memcpy(palette.data(), header + 1, kPaletteColourBytes);
    return Outcome::done();
}

void applyPaletteToSprites(PageStore& sprites, const Palette& palette) {
    for (int i = 0; i < sprites.size(); ++i) {
        Page& page = sprites.at(i);
        if (page.inUse() && page.kind == kKindSprite) applyPalette(page, palette);
    }
}

const Palette& shownPalette(const Page* page, const Palette& spritePalette) {
    return page && page->inUse() && page->mode == kMode8 ? page->palette : spritePalette;
}

const Palette* paletteToSave(const Page& page, const Palette& spritePalette) {
    if (page.kind == kKindTga && page.mode != kMode8) return nullptr;
    return &shownPalette(&page, spritePalette);
}

Outcome savePaletteFile(const std::string& path, const Page& page, const Palette& spritePalette) {
    const Palette* colours = paletteToSave(page, spritePalette);
    if (!colours) return Outcome::error(texts::kNoPaletteToSave);
    return savePaletteFile(path, *colours);
}

Outcome savePaletteFile(const std::string& path, const Palette& colours) {
    std::unique_ptr<std::uint8_t[]> table(new (std::nothrow) std::uint8_t[kBlendTableBytes]);
    SafeFileWriter writer;
    const bool saved = table && buildBlendTable(colours, table.get()) && writer.open(path) &&
                       writer.write(&kPaletteFileMarker, 1) && writer.writeAll(colours) &&
                       writer.write(table.get(), kBlendTableBytes) && writer.commit();
    if (!saved) return Outcome::error(texts::kCannotSavePalette, writer.error());
    return Outcome::done();
}

}  // namespace zentil
