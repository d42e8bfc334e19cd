// Feeds arbitrary bytes to the BMP reader, held in memory and handed over a
// few bytes at a time. Both must give the same answer, and an accepted
// picture must be whole: as many indexes or channels as its size says, the
// size its headers describe.
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/bmp_picture.h"
#include "fuzz_support.h"
#include "trickle_source.h"

using namespace zentil;

namespace {

// Small enough that every input runs in a moment, large enough for any
// picture a short input can fill.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 22;

bool samePicture(const DecodedPicture& a, const DecodedPicture& b) {
    if (a.index() != b.index()) return false;
    if (const auto* x = std::get_if<IndexedPicture>(&a)) {
        const auto& y = std::get<IndexedPicture>(b);
        return x->width == y.width && x->height == y.height && x->indexes == y.indexes &&
               x->palette == y.palette;
    }
    const auto& x = std::get<RgbaPicture>(a);
    const auto& y = std::get<RgbaPicture>(b);
    return x.width == y.width && x.height == y.height && x.rgba == y.rgba;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // A picture of its own before the read shows whether a refusal leaves it alone.
    DecodedPicture picture = RgbaPicture{3, 5, {}};
    const Outcome read = decodeBmp(bytes, picture, kMaxPixels);
    test::TrickleSource pieces(bytes, 1 + size % 13);
    DecodedPicture again;
    const Outcome readAgain = decodeBmp(pieces, again, kMaxPixels);
    fuzz::require(read.ok == readAgain.ok && read.text == readAgain.text, "pieces read otherwise");
    if (!read) {
        const auto* kept = std::get_if<RgbaPicture>(&picture);
        fuzz::require(kept && kept->width == 3 && kept->height == 5, "refusal changed the picture");
        return 0;
    }
    fuzz::require(samePicture(picture, again), "pieces gave another picture");
    MemorySource source(bytes);
    BmpFacts facts;
    fuzz::require(describeBmp(source, facts).ok, "accepted picture not described");
    const std::size_t pixels = static_cast<std::size_t>(facts.width) * facts.height;
    fuzz::require(pixels > 0 && pixels <= kMaxPixels, "picture size");
    if (const auto* indexed = std::get_if<IndexedPicture>(&picture)) {
        fuzz::require(facts.bitsPerPixel <= 8, "indexes of a true-colour picture");
        fuzz::require(indexed->width == facts.width && indexed->height == facts.height &&
                          indexed->indexes.size() == pixels,
                      "indexes");
        for (std::uint8_t index : indexed->indexes)
            fuzz::require(index < (1u << facts.bitsPerPixel), "index past the depth");
    } else {
        const auto& rgba = std::get<RgbaPicture>(picture);
        fuzz::require(facts.bitsPerPixel > 8, "true colour of a picture of indexes");
        fuzz::require(rgba.width == facts.width && rgba.height == facts.height &&
                          rgba.rgba.size() == pixels * 4,
                      "channels");
        if (!facts.alpha)
            for (std::size_t n = 3; n < rgba.rgba.size(); n += 4)
                fuzz::require(rgba.rgba[n] == 255, "alpha without an alpha mask");
    }
    return 0;
}
