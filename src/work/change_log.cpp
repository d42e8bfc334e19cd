#include "work/change_log.h"

namespace zentil {

void ChangeLog::note(const Page& page, std::uint64_t from, PixelRect rect) {
    changes_[next_] = {&page, from, page.revision, rect};
    next_ = (next_ + 1) % kKept;
    if (count_ < kKept) ++count_;
}

std::optional<PixelRect> ChangeLog::changedSince(const Page& page, std::uint64_t revision) const {
    // Back from the newest change, following the page's revisions until
    // they reach `revision`; a change of the page that does not continue the
    // chain means a step the log was not told of.
    std::uint64_t at = page.revision;
    PixelRect changed;
    for (std::size_t i = 0; i < count_ && at != revision; ++i) {
        const Change& c = changes_[(next_ + kKept - 1 - i) % kKept];
        if (c.page != &page) continue;
        if (c.to != at) return std::nullopt;
        changed = unite(changed, c.rect);
        at = c.from;
    }
    if (at != revision) return std::nullopt;
    return changed;
}

}  // namespace zentil
