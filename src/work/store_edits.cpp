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

class AddPagesEdit final : public Command {
  public:
    AddPagesEdit(ListId list, std::vector<HeldPage> pages)
        : list_(list), pages_(std::move(pages)) {}
    void undo(Workspace& workspace) override { takeOut(*workspace.store(list_), pages_); }
    Outcome redo(Workspace& workspace) override {
        PageStore& store = *workspace.store(list_);
        if (store.size() + static_cast<int>(pages_.size()) > store.capacity())
            return Outcome::error(texts::kStoreFull);
        putBack(store, pages_);
        return Outcome::done();
    }
    std::size_t bytes() const override { return sizeof(*this) + heldBytes(pages_); }
    Page* touched() const override {
        return pages_.empty() || pages_.back().held ? nullptr : pages_.back().page;
    }

  private:
    ListId list_;
    std::vector<HeldPage> pages_;  // in ascending places
};

class RemovePagesEdit final : public Command {
  public:
    RemovePagesEdit(ListId list, std::vector<HeldPage> pages)
        : list_(list), pages_(std::move(pages)) {}
    void undo(Workspace& workspace) override {
        PageStore& store = *workspace.store(list_);
        putBack(store, pages_);
    }
    Outcome redo(Workspace& workspace) override {
        takeOut(*workspace.store(list_), pages_);
        return Outcome::done();
    }
    std::size_t bytes() const override { return sizeof(*this) + heldBytes(pages_); }
    Page* touched() const override {
        return pages_.empty() || pages_.front().held ? nullptr : pages_.front().page;
    }

  private:
    ListId list_;
    std::vector<HeldPage> pages_;  // in ascending places
};

}  // namespace

std::unique_ptr<Command> addPages(Workspace& workspace, ListId list,
                                  std::vector<std::unique_ptr<Page>> pages) {
    PageStore& store = *workspace.store(list);
    std::vector<HeldPage> added;
    for (auto& page : pages) {
        page->revision = workspace.nextRevision();
        page->savedRevision = 0;
        Page* raw = page.get();
        added.push_back({raw, store.append(std::move(page)), nullptr});
    }
    return std::make_unique<AddPagesEdit>(list, std::move(added));
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
    return std::make_unique<RemovePagesEdit>(list, std::move(removed));
}

}  // namespace zentil
