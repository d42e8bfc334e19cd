#include "editor_host.h"

namespace zentil {

std::vector<Page*> EditorHost::selectedPages(ListId list) {
    std::vector<Page*> pages;
    PageStore* store = workspace().store(list);
    if (store == nullptr) return pages;
    for (const int row : selectedRows(list))
        if (Page* page = store->find(row); page && page->inUse()) pages.push_back(page);
    return pages;
}

}  // namespace zentil
