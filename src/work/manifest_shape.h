// The shape of a work file's manifest, checked in one pass over its text
// before anything is built from it. A hostile manifest can be small when
// compressed and still ask for much: an object of a million keys, millions
// of empty objects, a list of palettes far longer than the pages. Only the
// fields the manifest has, each once and of its kind, and lists no longer
// than the stores, pass; what parsing the rest will take is counted, so that
// it is weighed with the pages.
#pragma once

#include <cstdint>
#include <span>

namespace zentil {

// The most shared palettes a manifest lists: one for every page of both stores.
inline constexpr std::uint64_t kMaxManifestPalettes = 2048 + 512;

// Whether the text is one JSON object of the manifest's shape: its fields and
// those of its pages and their area entries known, none twice, each of its
// kind (whole numbers, texts, flags, objects and lists where they belong),
// page lists no longer than the larger store, area lists no longer than a
// page's area entries, entries of six numbers, and no more palettes than
// kMaxManifestPalettes. `parsedBytes` gives, for a manifest of that shape, an
// upper bound of the memory its parsed form takes. Linear in the text's
// length, with memory that does not grow with it.
bool checkManifestShape(std::span<const std::uint8_t> text, std::uint64_t& parsedBytes);

}  // namespace zentil
