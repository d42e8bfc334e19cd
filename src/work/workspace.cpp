#include "work/workspace.h"

#include <string>

namespace zentil {

void Workspace::setCurrent(ListId list, Page* page) {
    activeList_ = page ? list : ListId::None;
    current_ = page;
}

PageStore* Workspace::store(ListId list) {
    switch (list) {
        case ListId::Sprites:
            return &sprites;
        case ListId::Pictures:
            return &pictures;
        default:
            return nullptr;
    }
}

const PageStore* Workspace::store(ListId list) const {
    return const_cast<Workspace*>(this)->store(list);
}

PagePlace Workspace::placeOf(const Page* page) const {
    if (const int i = sprites.indexOf(page); i >= 0) return {ListId::Sprites, i};
    if (const int i = pictures.indexOf(page); i >= 0) return {ListId::Pictures, i};
    return {};
}

PageDefaults Workspace::defaults() const {
    PageDefaults d;
    d.key8 = settings.defaultColorKey8;
    d.key16 = settings.defaultColorKey16;
    d.key24 = settings.defaultColorKey24;
    d.palette = palette;
    return d;
}

PageFile* Workspace::fileOf(const Page& page) {
    if (PageFile* file = sprites.fileOf(&page)) return file;
    return pictures.fileOf(&page);
}

const PageFile* Workspace::fileOf(const Page& page) const {
    return const_cast<Workspace*>(this)->fileOf(page);
}

std::string Workspace::filePath(const Page& page) const {
    const PageFile* file = fileOf(page);
    return file ? file->path : std::string();
}

void Workspace::markSaved(Page& page, std::string path) {
    if (PageFile* file = fileOf(page)) file->path = std::move(path);
    markSaved(page);
}

void Workspace::markSaved(Page& page) {
    if (page.revision == 0) page.revision = nextRevision();
    PageFile* file = fileOf(page);
    if (!file) return;
    file->savedRevision = page.revision;
    if (!file->path.empty()) handledFiles_.insert(file->path);
}

bool Workspace::modified(const Page& page) const {
    const PageFile* file = fileOf(page);
    return file == nullptr || file->savedRevision != page.revision;
}

bool Workspace::spritesModified() const {
    for (int i = 0; i < sprites.size(); ++i)
        if (sprites.file(i).savedRevision != sprites.at(i).revision) return true;
    return false;
}

void Workspace::clearPages() {
    sprites.clear();
    pictures.clear();
    clearCurrent();
}

}  // namespace zentil
