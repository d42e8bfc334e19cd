#include "workspace_snapshot.h"

#include <sstream>

namespace zentil::test {

std::string workspaceSnapshot(const Workspace& ws) {
    std::ostringstream out;
    const auto bytes = [&out](const void* data, std::size_t size) {
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    };
    bytes(ws.palette.data(), ws.palette.size());
    out << "|paletteFile:" << configText(ws.settings.palettePath);
    for (const PageStore* store : {&ws.sprites, &ws.pictures}) {
        out << "|list";
        for (int i = 0; i < store->size(); ++i) {
            const Page& p = store->at(i);
            out << '|' << pageName(p) << ':' << p.mode << ',' << p.kind << ',' << p.width << ','
                << p.stride << ',' << p.height << ',' << p.tileWidth << ',' << p.tileHeight << ','
                << p.cols << ',' << p.rows << ',' << colorKeyOf(p) << ',' << p.filePath << ','
                << p.modified() << ',';
            bytes(p.palette.data(), p.palette.size());
            bytes(p.paletteQuad.data(), p.paletteQuad.size());
            bytes(pixelBytes(p), pixelBufferBytes(p));
            for (int layer = 0; layer < kAreaLayerCount; ++layer) {
                out << "|areas" << layer;
                if (p.areas[layer]) bytes(p.areas[layer]->data(), sizeof(AreaLayer));
            }
        }
    }
    return out.str();
}

}  // namespace zentil::test
