// Feeds arbitrary bytes to the work file reader: after a first byte that is
// odd, as a whole archive; after an even one, as the manifest of an archive
// that also holds a small palette PNG and a colour PNG, so that the manifest
// checks are reached rather than stopping at the zip checksums. A refused
// file must leave the workspace as it was and say so; one that is read must
// come back the same through the writer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/png_codec.h"
#include "fuzz_support.h"
#include "system/texts.h"
#include "work/work_file.h"
#include "workspace_snapshot.h"
#include "zip_entries.h"

using namespace zentil;

namespace {

std::string pngOf(bool colour) {
    std::vector<std::uint8_t> bytes;
    if (colour) {
        RgbPicture picture;
        picture.width = 3;
        picture.height = 2;
        picture.rgb.assign(18, 0x48);
        picture.transparentColour = 0x484848;
        encodePngRgb(picture, bytes);
    } else {
        IndexedPicture picture;
        picture.width = 3;
        picture.height = 2;
        picture.indexes = {0, 1, 2, 3, 4, 5};
        picture.transparentIndex = 0;
        encodePng(picture, bytes);
    }
    return {bytes.begin(), bytes.end()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::uint8_t> archive;
    if (data[0] & 1) {
        archive.assign(data + 1, data + size);
    } else {
        static const std::string palettePng = pngOf(false), colourPng = pngOf(true);
        archive = test::zipOf({{"workspace.json", std::string(data + 1, data + size)},
                               {"pictures/0001.png", palettePng},
                               {"sprites/0001.png", colourPng}});
    }

    Workspace ws;
    auto page = std::make_unique<Page>();
    createPage(*page, 4, 1, 2, 1, kMode8);
    ws.sprites.append(std::move(page));
    ws.setCurrent(ListId::Sprites, &ws.sprites.at(0));
    const std::string before = test::workspaceSnapshot(ws);

    const Outcome read = decodeWorkFile(archive, ws);
    if (!read) {
        fuzz::require(read.text == texts::kWorkFileCannotRead, "refusal text");
        fuzz::require(
            test::workspaceSnapshot(ws) == before && ws.currentPage() == &ws.sprites.at(0),
            "a refused file changed the workspace");
        return 0;
    }
    std::vector<std::uint8_t> again;
    fuzz::require(static_cast<bool>(encodeWorkFile(ws, again)), "a read workspace is written");
    Workspace copy;
    fuzz::require(static_cast<bool>(decodeWorkFile(again, copy)), "a written workspace is read");
    fuzz::require(test::workspaceSnapshot(copy) == test::workspaceSnapshot(ws),
                  "the workspace comes back the same");
    return 0;
}
