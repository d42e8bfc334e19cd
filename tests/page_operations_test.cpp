// Each page operation is one step of the history: undone, the workspace is
// back byte for byte; done again, it is as the operation left it.
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"
#include "work/history.h"
#include "work/page_copies.h"
#include "work/page_edits.h"
#include "work/sheet_import.h"
#include "workspace_snapshot.h"

namespace zentil {
namespace {

// Sprites 0 and 1 patterned, sprite 2 two transparent tiles with one dot;
// two patterned 32 x 16 pictures, a 16-bit one and a transparent one; all
// as saved.
void fill(Workspace& w) {
    const auto add = [](PageStore& store, int tw, int cols, int th, int rows, int mode, int seed) {
        auto page = std::make_unique<Page>();
        createPage(*page, tw, cols, th, rows, mode);
        setPagePalette(*page, test::rampPalette());
        for (int y = 0; seed != 0 && y < page->height; ++y)
            for (int x = 0; x < page->stride; ++x)
                putPixel(*page, x, y,
                         (x * 3 + y * 5 + seed) % 7 == 0 ? 0 : (x + y * seed) % 250 + 1);
        setPageName(*page, "P");
        return &store.at(store.append(std::move(page)));
    };
    add(w.sprites, 16, 4, 16, 2, kMode8, 3);
    add(w.sprites, 12, 3, 10, 1, kMode8, 5);
    putPixel(*add(w.sprites, 16, 2, 16, 1, kMode8, 0), 5, 5, 1);
    add(w.pictures, 32, 1, 16, 1, kMode8, 7);
    add(w.pictures, 16, 2, 16, 1, kMode8, 9);
    add(w.pictures, 32, 1, 16, 1, kMode16, 11);
    add(w.pictures, 16, 2, 16, 1, kMode8, 0);
    for (PageStore* store : {&w.sprites, &w.pictures})
        for (int i = 0; i < store->size(); ++i)
            w.markSaved(store->at(i));
}

using Pages = std::vector<Page*>;
using Run = std::function<OperationResult(Workspace&, const Pages&)>;
constexpr ListId kSprites = ListId::Sprites, kPictures = ListId::Pictures;

struct Row {
    const char* name;
    ListId list;  // the operation gets the pages at these rows of this list
    std::vector<int> rows;
    Run run;
    bool changes;
    PagePlace focus;                    // where the page to mark stands afterwards
    std::vector<std::string> problems;  // their texts
};
// An operation that changes the workspace, and one that leaves it as it is.
Row edit(const char* name, ListId list, std::vector<int> rows, PagePlace focus, Run run) {
    return {name, list, std::move(rows), std::move(run), true, focus, {}};
}
Row refusal(const char* name, ListId list, std::vector<int> rows, std::vector<std::string> problems,
            Run run) {
    return {name, list, std::move(rows), std::move(run), false, {}, std::move(problems)};
}

TEST(PageOperationsTest, EachIsOneStepUndoneAndRedoneByteForByte) {
    const std::vector<Row> table = {
        edit("clear", kSprites, {0, 2}, {kSprites, 2}, clearPages),
        edit("delete", kSprites, {0, 2}, {kSprites, 0},
             [](Workspace& w, const Pages& p) { return deletePages(w, kSprites, p); }),
        edit("delete the last", kSprites, {2}, {kSprites, 1},
             [](Workspace& w, const Pages& p) { return deletePages(w, kSprites, p); }),
        edit("delete all", kPictures, {}, {},
             [](Workspace& w, const Pages&) { return deleteAllPages(w, kPictures); }),
        edit("colour key", kSprites, {0, 1}, {kSprites, 1},
             [](Workspace& w, const Pages& p) { return setColourKeys(w, p, 77); }),
        edit("change colour", kSprites, {0, 1}, {kSprites, 1},
             [](Workspace& w, const Pages& p) {
                 return changeColour(w, p, {0, 40, false});
             }),
        edit("size settings, centred", kSprites, {0, 1}, {kSprites, 1},
             [](Workspace& w, const Pages& p) {
                 return retilePages(w, p, {20, 14, 1, 1, TileAlign::Center});
             }),
        // The transparent picture has nothing to keep and stays.
        edit("optimise", kPictures, {3}, {kSprites, 2},
             [](Workspace& w, const Pages& p) {
                 return trimPages(w, {&w.sprites.at(2), p[0]});
             }),
        edit("column re-layout", kSprites, {0}, {kSprites, 0},
             [](Workspace& w, const Pages& p) { return relayoutPage(w, *p[0], 3); }),
        edit("page copy", kPictures, {0, 1, 2}, {kSprites, 5}, copyPages),
        edit("gather copy", kPictures, {0, 1}, {kSprites, 3}, gatherPages),
        edit("block copy", kSprites, {1}, {kSprites, 3},
             [](Workspace& w, const Pages& p) { return copyBlock(w, *p[0]); }),
        edit("new image", kSprites, {}, {kSprites, 3},
             [](Workspace& w, const Pages&) {
                 return newImage(w, {3, 2, 16, 24, 5});
             }),
        edit("sheet import", kPictures, {0}, {kSprites, 3},
             [](Workspace& w, const Pages& p) {
                 return importSheet(w, *p[0], {8, 8, 1, 2});
             }),
        edit("remap to the sprite palette", kSprites, {0, 1}, {kSprites, 1},
             [](Workspace& w, const Pages& p) { return remapToSpritePalette(w, p, 0.0f); }),
        edit("palette", kSprites, {}, {},
             [](Workspace& w, const Pages&) {
                 return OperationResult{applySpritePalette(w, test::rampPalette()), {}, nullptr};
             }),
        refusal("gather copy of pages of different sizes", kSprites, {0, 1}, {texts::kSizesDiffer},
                gatherPages),
        refusal("gather copy with a 16-bit page", kPictures, {2}, {texts::kModesDiffer},
                gatherPages),
        refusal("change colour beyond the mode", kSprites, {0}, {texts::kColorRange8},
                [](Workspace& w, const Pages& p) {
                    return changeColour(w, p, {0, 300, false});
                }),
        refusal("optimise a page with nothing to keep", kPictures, {3}, {}, trimPages),
        refusal("remap of a 16-bit picture", kPictures, {2}, {texts::kModeRefused},
                [](Workspace& w, const Pages& p) { return remapToSpritePalette(w, p, 0.0f); }),
        refusal("sheet import of a cut holding no whole tile", kPictures, {0},
                {texts::kSheetHoldsNoTile},
                [](Workspace& w, const Pages& p) {
                    return importSheet(w, *p[0], {8, 16, 1, 0});
                }),
        refusal("delete of no page", kSprites, {}, {},
                [](Workspace& w, const Pages& p) { return deletePages(w, kSprites, p); }),
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        Workspace w;
        fill(w);
        const std::string before = test::workspaceSnapshot(w);
        OperationResult result = row.run(w, pagesAt(w, row.list, row.rows));
        std::vector<std::string> problems;
        for (const Outcome& problem : result.problems)
            problems.push_back(problem.text);
        EXPECT_EQ(problems, row.problems);
        EXPECT_EQ(w.placeOf(result.focus), row.focus);
        const std::string after = test::workspaceSnapshot(w);
        if (!row.changes) {
            EXPECT_EQ(result.step, nullptr);
            EXPECT_TRUE(after == before);
            continue;
        }
        ASSERT_NE(result.step, nullptr);
        ASSERT_FALSE(after == before);
        // One step takes all of it back, and brings all of it again.
        History history;
        history.push(std::move(result.step));
        history.undo(w);
        EXPECT_TRUE(test::workspaceSnapshot(w) == before);
        Outcome redone;
        history.redo(w, redone);
        EXPECT_TRUE(test::workspaceSnapshot(w) == after);
    }
}

// A sheet's whole tiles, past its margin and between its spacing, stand
// side by side on the sprite page as they stood on the sheet.
TEST(PageOperationsTest, ASheetIsCutAlongItsMarginAndSpacing) {
    const struct {
        int width, height;
        SheetCut cut;
        int across, down;
    } grids[] = {
        {32, 16, {8, 8, 0, 0}, 4, 2},   {32, 16, {8, 8, 1, 2}, 3, 1},
        {31, 16, {8, 8, 0, 0}, 3, 2},   {8, 8, {8, 8, 1, 0}, 0, 0},
        {20, 20, {10, 10, 0, 1}, 1, 1}, {21, 21, {10, 10, 0, 1}, 2, 2},
        {64, 64, {0, 8, 0, 0}, 0, 0},   {64, 64, {8, 8, -1, 0}, 0, 0},
        {64, 64, {8, 8, 0, -1}, 0, 0},  {2147483647, 64, {1, 8, 0, 2147483647}, 1, 1},
    };
    for (const auto& g : grids) {
        const SheetGrid grid = sheetGrid(g.width, g.height, g.cut);
        EXPECT_EQ(grid.across, g.across) << g.width << " / " << g.cut.tileWidth;
        EXPECT_EQ(grid.down, g.down) << g.height << " / " << g.cut.tileHeight;
    }
    Workspace w;
    fill(w);
    const Page& sheet = w.pictures.at(0);
    ASSERT_NE(importSheet(w, sheet, {8, 8, 1, 2}).step, nullptr);
    const Page& cut = w.sprites.at(3);
    EXPECT_EQ(cut.cols, 3);
    EXPECT_EQ(cut.rows, 1);
    for (int tile = 0; tile < 3; ++tile)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(pixelAt(cut, tile * 8 + x, y), pixelAt(sheet, 1 + tile * 10 + x, 1 + y));
}

}  // namespace
}  // namespace zentil
