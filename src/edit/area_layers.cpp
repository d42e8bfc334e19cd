#include "edit/area_layers.h"

#include <algorithm>
#include <memory>
#include <new>

namespace zentil {
namespace {

// Visits the entries of the scope; a layer that does not exist yet is made
// when `make`, else it has nothing to visit.
template <typename Visit>
void eachEntry(Page& page, int layer, int scope, int tile, bool make, Visit&& visit) {
    if (layer < 1 || layer > kAreaLayerCount || page.cols <= 0) return;
    std::unique_ptr<AreaLayer>& held = page.areas[static_cast<std::size_t>(layer - 1)];
    if (!held && !make) return;
    if (!held) held.reset(new (std::nothrow) AreaLayer{});
    if (!held) return;  // no memory for the layer: the entries stay unset
    AreaLayer& entries = *held;
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
    eachEntry(page, layer, scope, tile, true, [&](AreaRect& entry) { entry = rect; });
}

void clearAreaEntries(Page& page, int layer, int scope, int tile) {
    eachEntry(page, layer, scope, tile, false, [](AreaRect& entry) { entry = AreaRect{}; });
}

}  // namespace zentil
