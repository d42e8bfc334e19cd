// A zlib stream inflated in one go, refusing exactly what zlib's inflate
// refuses. The PNG reader streams files through zlib (inside the library), and
// small pictures held in memory come through here: the same bytes must get
// the same answer either way. General-purpose inflaters take streams zlib
// refuses (length symbols 286 and 287, distance symbols 30 and 31 of the
// fixed code, more code lengths than a block may have, repeats that run past
// the list, incomplete codes), so this one keeps zlib's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zentil {

// Bytes past the inflated ones that the inflater may overwrite: matches are
// copied in 8-byte pieces, at least five of them.
inline constexpr std::size_t kInflateSlack = 40;

// Inflates `stream` (a zlib header, deflate blocks, then the four bytes of the
// Adler-32, which are not checked) into the first `size` bytes of `out`,
// resized to `size` + kInflateSlack. True when zlib would inflate it to
// exactly `size` bytes ending at the stream's last byte. False for anything
// else, including streams zlib might take that this does not judge (a preset
// dictionary, bytes after the stream, more or fewer bytes).
bool inflateAsZlib(std::span<const std::uint8_t> stream, std::size_t size,
                   std::vector<std::uint8_t>& out);

}  // namespace zentil
