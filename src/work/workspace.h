// Everything the editor works on, in one object: the two stores of pages,
// the palette of the sprite pages, the settings and which page is shown.
// The windows hold one; tests and the command-line tool make their own.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "image/page_store.h"
#include "image/palette.h"
#include "system/config.h"
#include "work/change_log.h"
#include "work/list_id.h"

namespace zentil {

// Where a page stands: its list and its position there.
struct PagePlace {
    ListId list = ListId::None;
    int index = -1;
    bool valid() const { return list != ListId::None && index >= 0; }
    bool operator==(const PagePlace&) const = default;
};

class Workspace {
  public:
    Workspace() = default;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    PageStore sprites{kSpriteCapacity};
    PageStore pictures{kPictureCapacity};
    // The palette of every page made in the sprite store; all black until a
    // palette file is applied.
    Palette palette{};
    Config settings{};

    // Where the edits, their undos and redos changed pages' pixels.
    ChangeLog changes;

    // The page shown on the canvas and its list.
    ListId activeList() const { return activeList_; }
    Page* currentPage() const { return current_; }
    void setCurrent(ListId list, Page* page);
    void clearCurrent() { setCurrent(ListId::None, nullptr); }

    // nullptr for ListId::None.
    PageStore* store(ListId list);
    const PageStore* store(ListId list) const;
    PagePlace placeOf(const Page* page) const;

    // What new pages take: the default keys of the settings and the palette.
    PageDefaults defaults() const;

    // Empties both stores and forgets the current page.
    void clearPages();

    // A revision no page has had yet (see Page::revision).
    std::uint64_t nextRevision() { return ++revisions_; }
    // The file of a page of either list (nullptr for a page of neither).
    PageFile* fileOf(const Page& page);
    const PageFile* fileOf(const Page& page) const;
    // The path of the page's file; empty for a page made in the editor.
    std::string filePath(const Page& page) const;
    // Marks the page as it now is as read from or saved to `path`.
    void markSaved(Page& page, std::string path);
    // Marks the page as it now is as read or saved, its file unchanged.
    void markSaved(Page& page);
    // Whether the editor read or wrote the file since this workspace was
    // made: the files of pages marked saved. A file only named by an opened
    // work file is not one of them.
    bool handledFile(const std::string& path) const { return handledFiles_.contains(path); }
    // Whether the page differs from what was last read or saved.
    bool modified(const Page& page) const;
    // Whether any sprite page does.
    bool spritesModified() const;

  private:
    std::set<std::string> handledFiles_;
    std::uint64_t revisions_ = 0;
    ListId activeList_ = ListId::None;
    Page* current_ = nullptr;
};

}  // namespace zentil
