// Every edit taken back and done again puts the workspace back byte for byte.
#include <functional>
#include <string>
#include <vector>

#include "edit/blit.h"
#include "edit/block.h"
#include "edit/recolor.h"
#include "edit/relayout.h"
#include "edit/retile.h"
#include "edit/store_page.h"
#include "edit/trim.h"
#include "test_support.h"
#include "work/history.h"
#include "work/page_edits.h"
#include "work/store_edits.h"
#include "work/stroke_edit.h"
#include "workspace_snapshot.h"

namespace zentil {
namespace {

std::string snapshot(const Workspace& ws) {
    return test::workspaceSnapshot(ws);
}

std::unique_ptr<Page> patterned(const char* name, int tw, int cols, int th, int rows, int seed) {
    auto page = std::make_unique<Page>();
    createPage(*page, tw, cols, th, rows, kMode8);
    page->kind = kKindSprite;
    setPageName(*page, name);
    setPagePalette(*page, test::rampPalette());
    for (int y = 0; y < page->height; ++y)
        for (int x = 0; x < page->stride; ++x)
            putPixel(*page, x, y, (x * 3 + y * 5 + seed) % 7 == 0 ? 0 : (x + y * seed) % 250 + 1);
    return page;
}

class HistoryTest : public test::CoreTest {
  public:
    void SetUp() override {
        ws.sprites.append(patterned("A", 16, 4, 16, 2, 3));  // 64 x 32
        ws.sprites.append(patterned("B", 12, 3, 10, 1, 5));  // 36 x 10, stride 36
        ws.pictures.append(patterned("P", 32, 1, 16, 1, 7));
        ws.pictures.at(0).kind = kKindTga;
        setTileGrid(ws.pictures.at(0), 16, 16);
        Palette other = test::rampPalette();
        other[3] = 200;
        setPagePalette(ws.pictures.at(0), other);  // stamping from it brings its palette
        setColorKey(ws.pictures.at(0), 9);
        for (int i = 0; i < ws.sprites.size(); ++i)
            ws.markSaved(ws.sprites.at(i));
    }
    Page& a() { return ws.sprites.at(0); }
    Page& b() { return ws.sprites.at(1); }
    Page& picture() { return ws.pictures.at(0); }

    Workspace ws;
    History history;
};

using Step = std::function<std::unique_ptr<Command>(HistoryTest&, Workspace&, Outcome&)>;

TEST_F(HistoryTest, UndoingEveryEditRestoresTheWorkspaceAndRedoingRestoresTheEnd) {
    LiftedBlock lifted;
    ASSERT_TRUE(liftBlock(lifted, picture(), 0, 0, 32, 16, {}));
    const std::vector<std::pair<const char*, Step>> steps = {
        {"stamp, in front",
         [&](HistoryTest& t, Workspace& w, Outcome& o) {
             composeBlockView(lifted, t.a(), 16, 0, kBlitFront);
             return editRect(
                 w, t.a(), {16, 0, 32, 16}, [&](Page& p) { return stampBlock(p, lifted, 16, 0); },
                 o);
         }},
        {"stamp over the edge",
         [&](HistoryTest& t, Workspace& w, Outcome& o) {
             composeBlockView(lifted, t.a(), 48, 16, kBlitOpaque);
             return editRect(
                 w, t.a(), {48, 16, 32, 16}, [&](Page& p) { return stampBlock(p, lifted, 48, 16); },
                 o);
         }},
        {"nudge right", [](HistoryTest& t, Workspace& w,
                           Outcome& o) { return nudgePageStep(w, t.b(), Nudge::Right, o); }},
        {"nudge up and left", [](HistoryTest& t, Workspace& w,
                                 Outcome& o) { return nudgePageStep(w, t.b(), Nudge::LeftUp, o); }},
        {"nudge down and right",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return nudgePageStep(w, t.a(), Nudge::RightDown, o);
         }},
        {"write-back",
         [&](HistoryTest& t, Workspace& w, Outcome& o) {
             lifted.originX = 4;
             lifted.originY = 8;
             return editRect(
                 w, t.b(), {4, 8, 32, 16}, [&](Page& p) { return applyBlock(p, lifted); }, o);
         }},
        {"page copy",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             auto copy = std::make_unique<Page>();
             o = newStorePage(*copy, 3, 1, 12, 10, {}, w.sprites.size(), kMode8, w.defaults());
             copyPageRect(*copy, 0, 0, t.b(), 0, 0, t.b().stride, t.b().height);
             std::vector<std::unique_ptr<Page>> pages;
             pages.push_back(std::move(copy));
             return addPages(w, ListId::Sprites, std::move(pages));
         }},
        {"clear",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return editPixels(
                 w, t.a(),
                 [](Page& p) {
                     clearPage(p);
                     return Outcome::done();
                 },
                 o);
         }},
        {"delete the first",
         [](HistoryTest&, Workspace& w, Outcome&) {
             return removePages(w, ListId::Sprites, {&w.sprites.at(0)});
         }},
        {"re-layout",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             const PageDefaults d = w.defaults();
             return rebuildPage(
                 w, t.a(), [&](Page& p) { return relayoutColumns(p, 2, d); }, o);
         }},
        {"resize, centred",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return rebuildPage(
                 w, t.a(), [](Page& p) { return retilePage(p, 20, 14, 1, 1, TileAlign::Center); },
                 o);
         }},
        {"trim",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return rebuildPage(
                 w, t.a(), [](Page& p) { return trimTiles(p, p); }, o);
         }},
        {"key",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return editRect(
                 w, t.b(), {},
                 [](Page& p) {
                     setColorKey(p, 77);
                     return Outcome::done();
                 },
                 o);
         }},
        {"recolour",
         [](HistoryTest& t, Workspace& w, Outcome& o) {
             return editPixels(
                 w, t.b(), [](Page& p) { return replaceColor(p, 0, 5, true); }, o);
         }},
        {"palette",
         [](HistoryTest&, Workspace& w, Outcome&) {
             Palette p{};
             p[7] = 1;
             return applySpritePalette(w, p, std::string("colours/Next.Pal"));
         }},
        {"delete all",
         [](HistoryTest&, Workspace& w, Outcome&) {
             std::vector<Page*> all;
             for (int i = 0; i < w.sprites.size(); ++i)
                 all.push_back(&w.sprites.at(i));
             return removePages(w, ListId::Sprites, all);
         }},
    };

    std::vector<std::string> states{snapshot(ws)};
    for (const auto& [name, step] : steps) {
        Outcome outcome;
        std::unique_ptr<Command> command = step(*this, ws, outcome);
        ASSERT_TRUE(command) << name << ": " << outcome.text;
        history.push(std::move(command));
        history.closeStep();
        states.push_back(snapshot(ws));
        ASSERT_TRUE(states.back() != states[states.size() - 2]) << name << " changed nothing";
    }
    ASSERT_EQ(history.undoCount(), steps.size());
    for (std::size_t i = steps.size(); i-- > 0;) {
        ASSERT_NE(history.undo(ws), nullptr);
        ASSERT_TRUE(snapshot(ws) == states[i]) << "undo of " << steps[i].first;
    }
    EXPECT_FALSE(history.canUndo());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Outcome outcome;
        ASSERT_NE(history.redo(ws, outcome), nullptr) << outcome.text;
        ASSERT_TRUE(snapshot(ws) == states[i + 1]) << "redo of " << steps[i].first;
    }
    EXPECT_FALSE(history.canRedo());
}

// The stamps of one press are one step keeping only their rectangles; the
// modified mark follows the page back to its saved state.
TEST_F(HistoryTest, OnePressIsOneStepAndTheSavedStateComesBack) {
    LiftedBlock lifted;
    ASSERT_TRUE(liftBlock(lifted, picture(), 0, 0, 16, 16, {}));
    composeBlockView(lifted, a(), 0, 0, kBlitOpaque);
    const std::string before = snapshot(ws);
    EXPECT_FALSE(ws.spritesModified());
    for (int stroke : {1, 2}) {
        const int top = (stroke - 1) * 16;
        for (int tile = 0; tile < 4; ++tile) {
            Outcome outcome;
            history.push(strokeEdit(
                ws, a(), {tile * 16, top, 16, 16},
                [&](Page& p) { return stampBlock(p, lifted, tile * 16, top); }, outcome, stroke));
        }
        history.closeStep();
    }
    EXPECT_EQ(history.undoCount(), 2u);
    // Four 16 x 16 rectangles with the palette and key they replaced, not the page.
    EXPECT_LT(history.bytes(), 2 * 4 * (16 * 16 + 2500));
    EXPECT_TRUE(ws.spritesModified());
    history.undo(ws);
    history.undo(ws);
    EXPECT_TRUE(snapshot(ws) == before);
    EXPECT_FALSE(ws.spritesModified());
    Outcome outcome;
    history.redo(ws, outcome);
    EXPECT_TRUE(ws.spritesModified());
    ws.markSaved(a());  // saved with the first press done
    EXPECT_FALSE(ws.spritesModified());
    history.undo(ws);
    EXPECT_TRUE(ws.spritesModified());
    // A step pushed now drops the step that could have been redone.
    history.push(nudgePageStep(ws, b(), Nudge::Down, outcome));
    EXPECT_FALSE(history.canRedo());
}

// Escape during a press takes its open step back and forgets it: the page as
// before the press, nothing to redo, the earlier steps kept. A closed step or
// one taken back is never dropped.
TEST_F(HistoryTest, OnlyTheOpenStepOfAPressIsDropped) {
    Outcome outcome;
    history.push(nudgePageStep(ws, b(), Nudge::Down, outcome));
    history.closeStep();
    EXPECT_EQ(history.openStep(), nullptr);
    history.dropOpenStep(ws);
    EXPECT_EQ(history.undoCount(), 1u);
    const std::string before = snapshot(ws);
    const auto dab = [&](int x) {
        return strokeEdit(
            ws, a(), {x, 3, 1, 1},
            [&](Page& p) {
                putPixel(p, x, 3, 251);
                return Outcome::done();
            },
            outcome, 7);
    };
    history.push(dab(2));
    const Command* step = history.openStep();
    ASSERT_NE(step, nullptr);
    history.push(dab(40));  // joins the same step
    EXPECT_EQ(history.openStep(), step);
    history.dropOpenStep(ws);
    EXPECT_TRUE(snapshot(ws) == before);
    EXPECT_EQ(history.undoCount(), 1u);
    EXPECT_FALSE(history.canRedo());
    history.undo(ws);
    EXPECT_EQ(history.openStep(), nullptr);
    history.dropOpenStep(ws);
    EXPECT_TRUE(history.canRedo());
}

// A press held on a lifted block stamps at every move; the step it makes keeps
// each pixel it changed once, however often and wherever it stamped, and a
// stamp that changes nothing keeps nothing.
TEST_F(HistoryTest, AStrokeKeepsEachChangedPixelOnce) {
    struct Case {
        const char* name;
        int blockTiles;                       // the block's side, in 16-pixel tiles
        std::vector<std::pair<int, int>> at;  // where each stamp of the press stands
        bool changesNothing;
    };
    const std::vector<Case> cases = {
        {"400 stamps in one place", 8, std::vector<std::pair<int, int>>(400, {16, 16}), false},
        {"back and forth over overlapping places",
         8,
         {{0, 0}, {16, 0}, {32, 16}, {0, 0}, {48, 48}, {16, 0}, {0, 32}, {48, 48}, {0, 0}},
         false},
        {"a path over the whole page and beyond its edges",
         2,
         {{-16, -16}, {0, 0}, {32, 0}, {64, 0}, {96, 32}, {128, 64}, {160, 96}, {176, 112}},
         false},
        {"a stamp of the page's own pixels", 4, {{32, 32}, {32, 32}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace w;
        Page& page = w.sprites.at(w.sprites.append(patterned("S", 16, 12, 16, 8, 3)));  // 192 x 128
        w.markSaved(page);
        const int side = c.blockTiles * 16;
        const std::unique_ptr<Page> source = patterned("SRC", 16, 8, 16, 8, 11);  // 128 x 128
        setColorKey(*source, 9);
        LiftedBlock lifted;
        ASSERT_TRUE(liftBlock(lifted, c.changesNothing ? page : *source, 0, 0, side, side, {}));
        History h;
        const std::string before = snapshot(w);
        std::size_t afterFirst = 0;
        for (const auto& [x, y] : c.at) {
            Outcome outcome;
            if (c.changesNothing) liftBlock(lifted, page, x, y, side, side, {});
            composeBlockView(lifted, page, x, y, c.changesNothing ? kBlitFront : kBlitOpaque);
            h.push(strokeEdit(
                w, page, {x, y, side, side}, [&](Page& p) { return stampBlock(p, lifted, x, y); },
                outcome, 7));
            ASSERT_TRUE(outcome) << outcome.text;
            if (afterFirst == 0) afterFirst = h.bytes();
        }
        h.closeStep();
        if (c.changesNothing) {
            EXPECT_EQ(h.undoCount(), 0u);
            EXPECT_FALSE(w.spritesModified());
            continue;
        }
        ASSERT_EQ(h.undoCount(), 1u);
        // At most one copy of the page's buffer (the cells it touched), with
        // the palette and key it had.
        EXPECT_LE(h.bytes(), pixelBufferBytes(page) + 8192);
        if (c.at.size() == 400) {
            EXPECT_EQ(h.bytes(), afterFirst);
        }
        const std::string after = snapshot(w);
        h.undo(w);
        EXPECT_TRUE(snapshot(w) == before);
        EXPECT_FALSE(w.spritesModified());
        Outcome outcome;
        h.redo(w, outcome);
        EXPECT_TRUE(snapshot(w) == after);
    }
}

// The oldest steps go first when the history keeps more than its limit; the
// newest always stays. A redo that no longer fits its store changes nothing.
TEST_F(HistoryTest, TheOldestStepsGoWhenTheMemoryBoundIsReached) {
    Outcome outcome;
    History probe;
    probe.push(nudgePageStep(ws, a(), Nudge::Right, outcome));
    const std::size_t step = probe.bytes();  // a nudge keeps a row and a column
    EXPECT_LT(step, 8192u);
    History small(step * 3 + step / 2);
    for (int i = 0; i < 6; ++i) {
        small.push(nudgePageStep(ws, a(), Nudge::Right, outcome));
        small.closeStep();
    }
    EXPECT_EQ(small.undoCount(), 3u);
    std::vector<std::unique_ptr<Page>> big;
    big.push_back(patterned("BIG", 64, 4, 64, 4, 1));  // 256 x 256: more than the limit
    small.push(addPages(ws, ListId::Sprites, std::move(big)));
    EXPECT_EQ(small.undoCount(), 1u);
    ASSERT_NE(small.undo(ws), nullptr);
    EXPECT_EQ(ws.sprites.size(), 2);
    while (ws.sprites.size() < ws.sprites.capacity())
        ws.sprites.append(std::make_unique<Page>());
    EXPECT_EQ(small.redo(ws, outcome), nullptr);
    EXPECT_EQ(outcome.text, texts::kStoreFull);
    EXPECT_EQ(ws.sprites.size(), ws.sprites.capacity());
}

}  // namespace
}  // namespace zentil
