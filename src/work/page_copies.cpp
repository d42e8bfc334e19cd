#include "work/page_copies.h"

#include "edit/blit.h"
#include "edit/store_page.h"
#include "system/texts.h"
#include "work/sheet_import.h"
#include "work/store_edits.h"

namespace zentil {
namespace {

// New sprite pages made by one operation, added as one step. Each takes the
// place after the sprites and the pages made before it.
class NewSprites {
  public:
    NewSprites(Workspace& workspace, const PageDefaults& defaults)
        : workspace_(workspace), defaults_(defaults) {}
    explicit NewSprites(Workspace& workspace) : NewSprites(workspace, workspace.defaults()) {}

    // A page of the given grid, or nullptr after a full store or a page that
    // cannot be made (kept as the problem).
    Page* make(int cols, int rows, int tileWidth, int tileHeight, std::string_view name, int mode) {
        const int position = workspace_.sprites.size() + static_cast<int>(pages_.size());
        if (position >= workspace_.sprites.capacity())
            return refuse(Outcome::error(texts::kStoreFull));
        auto page = std::make_unique<Page>();
        const Outcome made =
            newStorePage(*page, cols, rows, tileWidth, tileHeight, name, position, mode, defaults_);
        if (!made) return refuse(made);
        pages_.push_back(std::move(page));
        return pages_.back().get();
    }
    OperationResult finish() {
        if (!pages_.empty()) {
            result_.focus = pages_.back().get();
            result_.step = addPages(workspace_, ListId::Sprites, std::move(pages_));
        }
        return std::move(result_);
    }

  private:
    Page* refuse(const Outcome& outcome) {
        if (outcome.reportable()) result_.problems.push_back(outcome);
        return nullptr;
    }

    Workspace& workspace_;
    PageDefaults defaults_;
    std::vector<std::unique_ptr<Page>> pages_;
    OperationResult result_;
};

// Why the pages cannot be gathered into one, or nothing when they can: each
// must match the one before in size, and all be of one mode, the first
// compared with the 8-bit mode.
Outcome gatherable(const std::vector<Page*>& pages) {
    int keptWidth = 0, keptHeight = 0, keptMode = kMode8;
    for (const Page* p : pages) {
        if (keptWidth != 0 && keptHeight != 0 && (p->width != keptWidth || p->height != keptHeight))
            return Outcome::error(texts::kSizesDiffer);
        if (p->mode != keptMode) return Outcome::error(texts::kModesDiffer);
        keptWidth = p->width;
        keptHeight = p->height;
        keptMode = p->mode;
    }
    return Outcome::done();
}

}  // namespace

OperationResult copyPages(Workspace& workspace, const std::vector<Page*>& pages) {
    NewSprites made(workspace);
    for (const Page* s : pages) {
        // A page whose size is not a whole number of tiles is copied as one tile.
        const bool ragged = s->width % s->cols != 0 || s->height % s->rows != 0;
        Page* copy = ragged ? made.make(1, 1, s->width, s->height, pageName(*s), s->mode)
                            : made.make(s->cols, s->rows, s->tileWidth, s->tileHeight, {}, s->mode);
        if (!copy) break;  // the pages made so far stay
        copyPageRect(*copy, 0, 0, *s, 0, 0, s->stride, s->height);
    }
    return made.finish();
}

OperationResult gatherPages(Workspace& workspace, const std::vector<Page*>& pages) {
    if (pages.empty()) return {};
    if (Outcome refused = gatherable(pages); !refused) {
        OperationResult result;
        result.problems.push_back(std::move(refused));
        return result;
    }
    const Page& last = *pages.back();
    NewSprites made(workspace);
    Page* gathered = made.make(static_cast<int>(pages.size()), 1, last.tileWidth, last.tileHeight,
                               {}, last.mode);
    for (std::size_t j = 0; gathered && j < pages.size(); ++j) {
        const Page& p = *pages[j];
        copyPageRect(*gathered, static_cast<int>(j) * p.width, 0, p, 0, 0, p.width, p.height);
    }
    return made.finish();
}

OperationResult copyBlock(Workspace& workspace, const Page& view) {
    NewSprites made(workspace);
    if (Page* copy = made.make(1, 1, view.width, view.height, {}, view.mode))
        copyPageRect(*copy, 0, 0, view, 0, 0, view.stride, view.height);
    return made.finish();
}

OperationResult newImage(Workspace& workspace, const NewImage& image) {
    PageDefaults defaults = workspace.defaults();
    defaults.key8 = image.key;
    NewSprites made(workspace, defaults);
    made.make(image.cols, image.rows, image.tileWidth, image.tileHeight, {}, kMode8);
    return made.finish();
}

SheetGrid sheetGrid(int width, int height, const SheetCut& cut) {
    if (cut.tileWidth <= 0 || cut.tileHeight <= 0 || cut.margin < 0 || cut.spacing < 0) return {};
    // n tiles take margin + n * tile + (n - 1) * spacing; in 64 bits, so
    // that no sum of fields can overflow.
    const auto fit = [&](std::int64_t length, std::int64_t tile) {
        const std::int64_t room = length - cut.margin + cut.spacing;
        return room < tile + cut.spacing ? 0 : static_cast<int>(room / (tile + cut.spacing));
    };
    return {fit(width, cut.tileWidth), fit(height, cut.tileHeight)};
}

OperationResult importSheet(Workspace& workspace, const Page& sheet, const SheetCut& cut) {
    const SheetGrid grid = sheetGrid(sheet.width, sheet.height, cut);
    if (grid.empty()) {
        OperationResult result;
        result.problems.push_back(Outcome::error(texts::kSheetHoldsNoTile));
        return result;
    }
    NewSprites made(workspace);
    Page* page = made.make(grid.across, grid.down, cut.tileWidth, cut.tileHeight, {}, sheet.mode);
    if (page) {
        for (int row = 0; row < grid.down; ++row)
            for (int col = 0; col < grid.across; ++col)
                copyPageRect(*page, col * cut.tileWidth, row * cut.tileHeight, sheet,
                             cut.margin + col * (cut.tileWidth + cut.spacing),
                             cut.margin + row * (cut.tileHeight + cut.spacing), cut.tileWidth,
                             cut.tileHeight);
    }
    return made.finish();
}

}  // namespace zentil
