// The GPF figure kept edit by edit equals a whole encode after every edit,
// undo and redo; the change log tells exactly what it may.
#include <random>
#include <vector>

#include "formats/gpf_figure.h"
#include "test_support.h"
#include "work/history.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"

namespace zentil {
namespace {

class GpfFigureTest : public test::CoreTest {
  protected:
    std::mt19937 rng{24};
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // Few values, so that runs of keys and of literal pixels form.
    std::uint8_t randomPixel(const Page& page) {
        return uniform(0, 2) == 0 ? page.colorKey8 : static_cast<std::uint8_t>(uniform(1, 3));
    }

    // Tiles of widths that are not whole words, and now and then taller than
    // one run of the code holds.
    std::unique_ptr<Page> randomPage() {
        auto page = std::make_unique<Page>();
        const bool tall = uniform(0, 5) == 0;
        EXPECT_TRUE(createPage(*page, uniform(1, 13), uniform(1, 5),
                               tall ? uniform(250, 300) : uniform(1, 12), tall ? 1 : uniform(1, 5),
                               kMode8));
        setColorKey(*page, static_cast<std::uint32_t>(uniform(0, 3)));
        for (int y = 0; y < page->height; ++y)
            for (int x = 0; x < page->stride; ++x)
                putPixel(*page, x, y, randomPixel(*page));
        return page;
    }

    // Paints random pixels into a rectangle that may hang over any edge.
    std::unique_ptr<Command> stamp(Page& page, Outcome& outcome) {
        const PixelRect rect{uniform(-4, page.stride), uniform(-4, page.height),
                             uniform(0, page.stride + 4), uniform(0, page.height + 4)};
        const bool solid = uniform(0, 3) == 0;  // a run of one value, often the key
        const std::uint8_t value = randomPixel(page);
        const PageEdit paint = [&](Page& p) {
            for (int y = rect.y; y < rect.y + rect.h; ++y)
                for (int x = rect.x; x < rect.x + rect.w; ++x)
                    putPixel(p, x, y, solid ? value : randomPixel(p));
            return Outcome::done();
        };
        // Stamps of a press (the history joins those of one stroke) or lone edits.
        if (uniform(0, 1) == 0) return strokeEdit(workspace, page, rect, paint, outcome, stroke);
        return editRect(workspace, page, rect, paint, outcome);
    }
    int stroke = 1;

    Workspace workspace;
    History history;
};

TEST_F(GpfFigureTest, EqualsAWholeEncodeAfterEveryEditUndoAndRedo) {
    int partial = 0;
    for (int round = 0; round < 60; ++round) {
        std::unique_ptr<Page> pages[2] = {randomPage(), randomPage()};
        history.clear();
        GpfFigure figure;
        for (int step = 0; step < 80; ++step) {
            Page& page = *pages[uniform(0, 3) == 0 ? 1 : 0];
            Outcome outcome;
            std::unique_ptr<Command> command;
            switch (uniform(0, 9)) {
                case 0:
                case 1:
                case 2:
                    command = stamp(page, outcome);
                    break;
                case 3:  // scattered pixels: only the rectangle around them is noted
                    command = editPixels(
                        workspace, page,
                        [&](Page& p) {
                            for (int n = uniform(1, 4); n > 0; --n)
                                putPixel(p, uniform(0, p.stride - 1), uniform(0, p.height - 1),
                                         randomPixel(p));
                            return Outcome::done();
                        },
                        outcome);
                    break;
                case 4:  // another key: every tile's rectangle may change
                    command = editRect(
                        workspace, page, {},
                        [&](Page& p) {
                            setColorKey(p, static_cast<std::uint32_t>(uniform(0, 3)));
                            return Outcome::done();
                        },
                        outcome);
                    break;
                case 5:  // a nudge moves everything and is not noted
                    command =
                        nudgePageStep(workspace, page, static_cast<Nudge>(uniform(0, 7)), outcome);
                    break;
                case 6:
                case 7:
                    history.undo(workspace);
                    break;
                default:
                    history.redo(workspace, outcome);
                    break;
            }
            if (command) history.push(std::move(command));
            if (uniform(0, 1) == 0) {
                history.closeStep();
                ++stroke;
            }
            // Now and then the figure misses a few steps, as when another
            // page is shown, and must take all of them in at once.
            if (uniform(0, 2) == 0) continue;
            const Page& shown = *pages[uniform(0, 4) == 0 ? 1 : 0];
            const std::optional<PixelRect> changed =
                workspace.changes.changedSince(shown, figure.revision());
            if (figure.page() == &shown && changed && !changed->empty()) ++partial;
            ASSERT_TRUE(figure.update(shown, changed));
            std::vector<std::uint8_t> scratch;
            GpfSizes whole;
            ASSERT_TRUE(measureSpriteFile(shown, scratch, whole));
            ASSERT_EQ(figure.sizes().fileBytes, whole.fileBytes)
                << "round " << round << " step " << step;
            ASSERT_EQ(figure.sizes().tileBytes, whole.tileBytes)
                << "round " << round << " step " << step;
        }
    }
    EXPECT_GT(partial, 500);  // most updates measured only some tiles
}

TEST_F(GpfFigureTest, PagesTheFormatCannotHoldFailAsTheEncoderDoes) {
    Page deep;
    ASSERT_TRUE(createSinglePage(deep, 8, 8, kMode24));
    GpfFigure figure;
    std::vector<std::uint8_t> scratch;
    GpfSizes none;
    EXPECT_EQ(test::said(figure.update(deep, std::nullopt)),
              test::said(measureSpriteFile(deep, scratch, none)));
}

TEST_F(GpfFigureTest, TheChangeLogFollowsAPageBackOrSaysItCannot) {
    auto page = randomPage();
    auto other = randomPage();
    Page& p = *page;
    const std::uint64_t start = p.revision;
    Outcome outcome;
    // Every pixel of the rectangle changes (an edit that changes none is none).
    const auto paint = [&](Page& target, PixelRect rect) {
        const auto flip = [rect](Page& t) {
            for (int y = rect.y; y < rect.y + rect.h; ++y)
                for (int x = rect.x; x < rect.x + rect.w; ++x)
                    putPixel(t, x, y, pixelAt(t, x, y) ^ 1);
            return Outcome::done();
        };
        history.push(editRect(workspace, target, rect, flip, outcome));
        history.closeStep();
    };
    paint(p, {1, 1, 2, 2});
    paint(*other, {0, 0, 1, 1});
    paint(p, {5, 0, 1, 3});
    EXPECT_EQ(workspace.changes.changedSince(p, p.revision), PixelRect{});
    EXPECT_EQ(workspace.changes.changedSince(p, start), (PixelRect{1, 0, 5, 3}));
    const std::uint64_t third = p.revision;
    history.undo(workspace);  // undoing changes the same pixels back
    EXPECT_EQ(workspace.changes.changedSince(p, third), (PixelRect{5, 0, 1, 3}));
    // A change the log was not told of breaks the chain.
    const std::uint64_t before = p.revision;
    p.revision = workspace.nextRevision();
    EXPECT_EQ(workspace.changes.changedSince(p, before), std::nullopt);
    // Nor does it reach back past what it keeps.
    paint(p, {0, 0, 1, 1});
    const std::uint64_t old = p.revision;
    for (int i = 0; i < 70; ++i)
        paint(*other, {0, 0, 1, 1});
    EXPECT_EQ(workspace.changes.changedSince(p, old), PixelRect{});
    for (int i = 0; i < 70; ++i)
        paint(p, {0, 0, 1, 1});
    EXPECT_EQ(workspace.changes.changedSince(p, old), std::nullopt);
}

}  // namespace
}  // namespace zentil
