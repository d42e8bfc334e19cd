#include "work/store_edits.h"

#include <algorithm>

#include "system/texts.h"

namespace zentil {
namespace {

// Pages of one list with the places they take there; a page out of the list
// is held here until it goes back.
struct HeldPage {
    Page* page;
    int index;
    std::unique_ptr<Page> held;
};

std::size_t heldBytes(const std::vector<HeldPage>& pages) {
    std::size_t total = 0;
    for (const HeldPage& p : pages)
        total += pixelBufferBytes(*p.page) + sizeof(Page);
    return total;
}

void takeOut(PageStore& store, std::vector<HeldPage>& pages) {
    for (auto p = pages.rbegin(); p != pages.rend(); ++p)
        p->held = store.take(store.indexOf(p->page));
}

void putBack(PageStore& store, std::vector<HeldPage>& pages) {
    for (HeldPage& p : pages)
        store.insert(p.index, std::move(p.held));
}

// Pages added to a list or removed from it: one direction takes them out and
// holds them, the other puts them back at their places (when they still fit).
class PagesEdit final : public Command {
  public:
    PagesEdit(ListId list, std::vector<HeldPage> pages, bool added)
        : list_(list), pages_(std::move(pages)), added_(added) {}
    void undo(Workspace& workspace) override {
        added_ ? takeOut(*workspace.store(list_), pages_)
               : putBack(*workspace.store(list_), pages_);
    }
    Outcome redo(Workspace& workspace) override {
        PageStore& store = *workspace.store(list_);
        if (!added_) {
            takeOut(store, pages_);
            return Outcome::done();
        }
        if (store.size() + static_cast<int>(pages_.size()) > store.capacity())
            return Outcome::error(texts::kStoreFull);
        putBack(store, pages_);
        return Outcome::done();
    }
    std::size_t bytes() const override { return sizeof(*this) + heldBytes(pages_); }
    // The last page added, or the first put back, while it is in the list.
    Page* touched() const override {
        if (pages_.empty()) return nullptr;
        const HeldPage& shown = added_ ? pages_.back() : pages_.front();
        return shown.held ? nullptr : shown.page;
    }
    Change changes() const override {
        Change change;
        (list_ == ListId::Sprites ? change.sprites : change.pictures) = true;
        return change;
    }

  private:
    ListId list_;
    std::vector<HeldPage> pages_;  // in ascending places
    bool added_;
};

}  // namespace

std::unique_ptr<Command> addPages(Workspace& workspace, ListId list,
                                  std::vector<std::unique_ptr<Page>> pages) {
    PageStore& store = *workspace.store(list);
    std::vector<HeldPage> added;
    for (auto& page : pages) {
        page->revision = workspace.nextRevision();
        page->savedRevision = 0;
        page->filePath.clear();
        Page* raw = page.get();
        added.push_back({raw, store.append(std::move(page)), nullptr});
    }
    return std::make_unique<PagesEdit>(list, std::move(added), true);
}

std::unique_ptr<Command> removePages(Workspace& workspace, ListId list,
                                     const std::vector<Page*>& pages) {
    PageStore& store = *workspace.store(list);
    std::vector<HeldPage> removed;
    for (Page* page : pages)
        if (const int index = store.indexOf(page); index >= 0)
            removed.push_back({page, index, nullptr});
    std::sort(removed.begin(), removed.end(),
              [](const HeldPage& a, const HeldPage& b) { return a.index < b.index; });
    takeOut(store, removed);
    return std::make_unique<PagesEdit>(list, std::move(removed), false);
}

}  // namespace zentil
