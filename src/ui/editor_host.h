// What the dialogs may see of the main window: the window they are centred
// over and disable, the page shown and the selection of its list, the
// palette, the settings, the canvas zoom and the block carried on it. The
// dialogs change nothing through it: the ones that edit hand back what was
// chosen as a value, and the main window decides what to do with it.
#pragma once

#include <vector>

#include "image/palette.h"
#include "work/list_id.h"

class QWidget;

namespace zentil {

struct Config;
struct Page;

class EditorHost {
  public:
    virtual ~EditorHost() = default;

    // The window the dialogs are centred over and that they disable.
    virtual QWidget* hostWindow() = 0;
    // The page shown on the canvas and its list (nullptr and ListId::None
    // when no page is shown).
    virtual const Page* currentPage() const = 0;
    virtual ListId activeList() const = 0;
    // Rows of the selected entries of a list, ascending.
    virtual std::vector<int> selectedRows(ListId list) const = 0;
    // The palette of the sprite pages.
    virtual const Palette& spritePalette() const = 0;
    // The settings as they stand (default keys, grid colour).
    virtual const Config& settings() const = 0;
    // The block carried on the canvas, nullptr while none is lifted.
    virtual const Page* liftedBlock() const = 0;
    // Screen pixels per page pixel on the canvas.
    virtual int canvasZoom() const { return 1; }
};

}  // namespace zentil
