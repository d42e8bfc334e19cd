// Each page operation is one step of the history: undone, the workspace is
// back byte for byte; done again, it is as the operation left it.
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"
#include "work/history.h"
#include "work/page_copies.h"
#include "work/page_edits.h"
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

std::vector<Page*> sprites(Workspace& w, std::vector<int> rows) {
    return pagesAt(w, ListId::Sprites, rows);
}
std::vector<Page*> pictures(Workspace& w, std::vector<int> rows) {
    return pagesAt(w, ListId::Pictures, rows);
}

struct Row {
    const char* name;
    std::function<OperationResult(Workspace&)> run;
    PagePlace focus;                         // where the page to mark stands afterwards
    std::vector<std::string> problems = {};  // their texts
    bool changes = true;
};

TEST(PageOperationsTest, EachIsOneStepUndoneAndRedoneByteForByte) {
    const std::vector<Row> rows = {
        {"clear",
         [](Workspace& w) {
             return clearPages(w, sprites(w, {0, 2}));
         },
         {ListId::Sprites, 2}},
        {"delete",
         [](Workspace& w) {
             return deletePages(w, ListId::Sprites, sprites(w, {0, 2}));
         },
         {ListId::Sprites, 0}},
        {"delete the last",
         [](Workspace& w) { return deletePages(w, ListId::Sprites, sprites(w, {2})); },
         {ListId::Sprites, 1}},
        {"delete all", [](Workspace& w) { return deleteAllPages(w, ListId::Pictures); }, {}},
        {"colour key",
         [](Workspace& w) {
             return setColourKeys(w, sprites(w, {0, 1}), 77);
         },
         {ListId::Sprites, 1}},
        {"change colour",
         [](Workspace& w) {
             return changeColour(w, sprites(w, {0, 1}), {0, 40, false});
         },
         {ListId::Sprites, 1}},
        {"size settings, centred",
         [](Workspace& w) {
             return retilePages(w, sprites(w, {0, 1}), {20, 14, 1, 1, TileAlign::Center});
         },
         {ListId::Sprites, 1}},
        // The transparent picture has nothing to keep and stays.
        {"optimise",
         [](Workspace& w) {
             return trimPages(w, {&w.sprites.at(2), &w.pictures.at(3)});
         },
         {ListId::Sprites, 2}},
        {"column re-layout",
         [](Workspace& w) { return relayoutPage(w, w.sprites.at(0), 3); },
         {ListId::Sprites, 0}},
        {"page copy",
         [](Workspace& w) {
             return copyPages(w, pictures(w, {0, 1, 2}));
         },
         {ListId::Sprites, 5}},
        {"gather copy",
         [](Workspace& w) {
             return gatherPages(w, pictures(w, {0, 1}));
         },
         {ListId::Sprites, 3}},
        {"block copy",
         [](Workspace& w) { return copyBlock(w, w.sprites.at(1)); },
         {ListId::Sprites, 3}},
        {"new image",
         [](Workspace& w) {
             return newImage(w, {3, 2, 16, 24, 5});
         },
         {ListId::Sprites, 3}},
        {"palette",
         [](Workspace& w) {
             return OperationResult{applySpritePalette(w, test::rampPalette()), {}, nullptr};
         },
         {}},
        {"gather copy of pages of different sizes",
         [](Workspace& w) {
             return gatherPages(w, sprites(w, {0, 1}));
         },
         {},
         {texts::kSizesDiffer},
         false},
        {"gather copy with a 16-bit page",
         [](Workspace& w) { return gatherPages(w, pictures(w, {2})); },
         {},
         {texts::kModesDiffer},
         false},
        {"change colour beyond the mode",
         [](Workspace& w) {
             return changeColour(w, sprites(w, {0}), {0, 300, false});
         },
         {},
         {texts::kColorRange8},
         false},
        {"optimise a page with nothing to keep",
         [](Workspace& w) { return trimPages(w, pictures(w, {3})); },
         {},
         {},
         false},
        {"clear of a clear page",
         [](Workspace& w) { return clearPages(w, pictures(w, {3})); },
         {},
         {},
         false},
        {"delete of no page",
         [](Workspace& w) { return deletePages(w, ListId::Sprites, {}); },
         {},
         {},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Workspace w;
        fill(w);
        const std::string before = test::workspaceSnapshot(w);
        OperationResult result = row.run(w);
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
        History history;
        history.push(std::move(result.step));
        EXPECT_EQ(history.undoCount(), 1u);
        history.undo(w);
        EXPECT_TRUE(test::workspaceSnapshot(w) == before);
        Outcome redone;
        history.redo(w, redone);
        EXPECT_TRUE(test::workspaceSnapshot(w) == after);
    }
}

}  // namespace
}  // namespace zentil
