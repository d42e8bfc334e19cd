#include "edit/area_layers.h"

#include <algorithm>

namespace zentil {
namespace {

template <typename Visit>
void eachEntry(Page& page, int layer, int scope, int tile, Visit&& visit) {
    if (layer < 1 || layer > kAreaLayerCount || !page.areas[layer - 1] || page.cols <= 0) return;
    AreaLayer& entries = *page.areas[layer - 1];
    int first = 0, last = -1;
    switch (scope) {
        case kAreaScopeOne:
            first = last = tile;
            break;
        case kAreaScopeRow:
            first = (tile / page.cols) * page.cols;
            last = first + page.cols - 1;
            break;
        case kAreaScopeAll:
            first = 0;
            last = page.tileCount - 1;
            break;
        default:
            return;
    }
    first = std::max(first, 0);
    last = std::min(last, kAreaEntries - 1);
    for (int i = first; i <= last; ++i)
        visit(entries[static_cast<std::size_t>(i)]);
}

}  // namespace

void setAreaEntries(Page& page, int layer, int scope, int tile, const AreaRect& rect) {
    eachEntry(page, layer, scope, tile, [&](AreaRect& entry) { entry = rect; });
}

void clearAreaEntries(Page& page, int layer, int scope, int tile) {
    eachEntry(page, layer, scope, tile, [](AreaRect& entry) { entry = AreaRect{}; });
}

}  // namespace zentil
