// What an edit, or taking it back or doing it again, changed: the windows
// follow it (lists, canvas, status bar, watched files) instead of each
// caller refreshing them by hand.
#pragma once

#include <algorithm>
#include <vector>

namespace zentil {

struct Page;

struct Change {
    // Pages whose pixels, grid, size, palette or key changed.
    std::vector<const Page*> pages;
    // The lists that gained or lost pages.
    bool sprites = false;
    bool pictures = false;
    // The palette of the sprite pages (and the palette file the next start reads).
    bool palette = false;
    // What counts as saved changed (a page loaded, saved or opened).
    bool saved = false;
    // The page shown was chosen again (it may be the same page): the canvas
    // shows it afresh, from its top left corner.
    bool current = false;
    // The lists' selection was set (the lists show it).
    bool selection = false;

    bool touches(const Page* page) const {
        return std::find(pages.begin(), pages.end(), page) != pages.end();
    }
    void add(const Change& other) {
        pages.insert(pages.end(), other.pages.begin(), other.pages.end());
        sprites = sprites || other.sprites;
        pictures = pictures || other.pictures;
        palette = palette || other.palette;
        saved = saved || other.saved;
        current = current || other.current;
        selection = selection || other.selection;
    }
    // Pages came into a list or left it.
    bool listed() const { return sprites || pictures; }
};

// Pages that came into the lists from files (no edit: they count as saved).
inline Change loadedChange() {
    Change change;
    change.sprites = change.pictures = change.saved = true;
    return change;
}

// Pages written to their files.
inline Change savedChange() {
    Change change;
    change.saved = true;
    return change;
}

}  // namespace zentil
