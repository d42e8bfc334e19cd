// The block tool alone on a canvas, driven by synthetic pointer events in
// page pixels, with a host that records what it is asked.
#include <QtTest>
#include <memory>
#include <vector>

#include "block_tool.h"
#include "page_canvas.h"
#include "work/history.h"
#include "work/workspace.h"

using namespace zentil;

namespace {

class FakeHost final : public BlockToolHost {
  public:
    Workspace ws;
    History history;
    int mode = 0;
    bool lifted = false;
    int reports = 0;
    Workspace& workspace() override { return ws; }
    void record(std::unique_ptr<Command> command) override { history.push(std::move(command)); }
    void closeStep() override { history.closeStep(); }
    void dropStep(const Command*) override {}
    void report(const Outcome& outcome) override { reports += outcome.reportable() ? 1 : 0; }
    void showPixelInfo(int, int) override {}
    int copyMode() const override { return mode; }
    int areaLayer() const override { return 0; }
    int areaScope() const override { return 0; }
    bool acceptsClicks() const override { return true; }
    void blockLiftedChanged(bool now) override { lifted = now; }
    void showCurrent() override {}
};

// Pointer events, the nudge right and the write-back of the buttons, and the
// keys offered to the tool (x: whether it takes them).
enum class Kind { Press, Move, Release, NudgeRight, WriteBack, Escape, Return, Arrow };
struct Event {
    Kind kind;
    int x, y;
    Qt::MouseButton button = Qt::LeftButton;
};

}  // namespace

class BlockToolTest : public QObject {
    Q_OBJECT
  private slots:
    void gesturesOfPagePixels() {
        // Pixel (x, y) of the page, 8 x 4 tiles of 16 x 16.
        const auto numbered = [](int x, int y) { return std::uint32_t(1 + (x * 3 + y * 7) % 250); };
        const struct {
            const char* name;
            std::vector<Event> events;
            BlockState state;
            QRect block;         // where the lifted block stands, if shown
            QRect outline;       // the outline, if shown
            std::size_t steps;   // of the history
            QPoint stampedTile;  // a tile that now holds tile (0, 0), or (-1, -1)
        } rows[] = {
            {"a click lifts the tile under it",
             {{Kind::Press, 37, 21}, {Kind::Release, 37, 21}},
             BlockState::Lifted,
             QRect(32, 16, 16, 16),
             {},
             0,
             {-1, -1}},
            {"a drag outlines through the anchor tile, also with the pointer below the page",
             {{Kind::Press, 85, 40}, {Kind::Move, 50, 5}, {Kind::Move, 60, 70}},
             BlockState::Selecting,
             {},
             QRect(48, 0, 48, 80),
             0,
             {-1, -1}},
            {"the block follows the pointer tile by tile and each press stamps once",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Move, 40, 3},
              {Kind::Move, 41, 3},
              {Kind::Press, 41, 3},
              {Kind::Release, 41, 3},
              {Kind::Move, 70, 20},
              {Kind::Move, 71, 21},
              {Kind::Press, 71, 21},
              {Kind::Release, 71, 21}},
             BlockState::Lifted,
             QRect(64, 16, 16, 16),
             {},
             2,
             {2, 0}},
            {"a press right after the block jumped under the pointer stamps what it shows",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Move, 40, 3},
              {Kind::Press, 40, 3},
              {Kind::Release, 40, 3}},
             BlockState::Lifted,
             QRect(32, 0, 16, 16),
             {},
             1,
             {2, 0}},
            {"a held press stamps along the pointer's path as one step",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Move, 40, 40},
              {Kind::Move, 41, 41},
              {Kind::Press, 41, 41},
              {Kind::Move, 60, 41},
              {Kind::Move, 90, 41},
              {Kind::Release, 90, 41}},
             BlockState::Lifted,
             QRect(80, 32, 16, 16),
             {},
             1,
             {5, 2}},
            {"a right press puts the block away",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Move, 4, 4},
              {Kind::Press, 4, 4, Qt::RightButton},
              {Kind::Release, 4, 4, Qt::RightButton}},
             BlockState::Idle,
             {},
             {},
             0,
             {-1, -1}},
            {"a block written back as it was lifted is no edit",
             {{Kind::Press, 3, 3}, {Kind::Release, 3, 3}, {Kind::WriteBack, 0, 0}},
             BlockState::Idle,
             {},
             {},
             0,
             {-1, -1}},
            {"a block nudged and written back is one step",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::NudgeRight, 0, 0},
              {Kind::WriteBack, 0, 0}},
             BlockState::Idle,
             {},
             {},
             1,
             {-1, -1}},
            {"Escape puts a carried block away and then is the window's",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Escape, 1, 0},
              {Kind::Escape, 0, 0}},
             BlockState::Idle,
             {},
             {},
             0,
             {-1, -1}},
            {"an arrow nudges the carried block and Return writes it back as one step",
             {{Kind::Press, 3, 3},
              {Kind::Release, 3, 3},
              {Kind::Arrow, 1, 0},
              {Kind::Return, 1, 0},
              {Kind::Arrow, 0, 0},
              {Kind::Return, 0, 0}},
             BlockState::Idle,
             {},
             {},
             1,
             {-1, -1}},
            {"keys during an outline drag are the window's",
             {{Kind::Press, 3, 3}, {Kind::Escape, 0, 0}, {Kind::Arrow, 0, 0}},
             BlockState::Selecting,
             {},
             QRect(0, 0, 16, 16),
             0,
             {-1, -1}},
            {"presses beside the page do nothing",
             {{Kind::Press, 200, 10}, {Kind::Release, 200, 10}, {Kind::Press, -1, 3}},
             BlockState::Idle,
             {},
             {},
             0,
             {-1, -1}},
        };
        for (const auto& row : rows) {
            FakeHost host;
            auto page = std::make_unique<Page>();
            QVERIFY(createPage(*page, 16, 8, 16, 4, kMode8));
            for (int y = 0; y < page->height; ++y)
                for (int x = 0; x < page->width; ++x)
                    putPixel(*page, x, y, numbered(x, y));
            Page& shown = host.ws.sprites.at(host.ws.sprites.append(std::move(page)));
            host.ws.setCurrent(ListId::Sprites, &shown);
            PageCanvas canvas;
            canvas.resize(400, 300);
            canvas.showPage(&shown);
            BlockTool tool(canvas, host);
            canvas.setTool(&tool);
            Qt::MouseButtons held;
            for (const Event& e : row.events) {
                if (e.kind == Kind::Press) held |= e.button;
                if (e.kind == Kind::Release) held &= ~Qt::MouseButtons(e.button);
                const CanvasPointer pointer{QPoint(e.x, e.y),
                                            e.kind == Kind::Move ? Qt::NoButton : e.button, held,
                                            Qt::NoModifier};
                if (e.kind == Kind::Press) tool.press(pointer);
                if (e.kind == Kind::Move) tool.move(pointer);
                if (e.kind == Kind::Release) tool.release(pointer);
                if (e.kind == Kind::NudgeRight) tool.nudgeBlock(Nudge::Right);
                if (e.kind == Kind::WriteBack) tool.Btn_MoveOkClick();
                const std::pair<Kind, CanvasKey> keys[] = {
                    {Kind::Escape, CanvasKey::escape()},
                    {Kind::Return, CanvasKey::confirm()},
                    {Kind::Arrow, CanvasKey::nudge(Nudge::Right)}};
                for (const auto& [kind, key] : keys)
                    if (e.kind == kind) QVERIFY2(tool.key(key) == (e.x != 0), row.name);
            }
            QVERIFY2(tool.state() == row.state, row.name);
            QCOMPARE(tool.blockShown(), !row.block.isNull());
            QCOMPARE(host.lifted, !row.block.isNull());
            if (!row.block.isNull()) QCOMPARE(tool.captureRect(), row.block);
            QCOMPARE(tool.outlineShown(), !row.outline.isNull());
            if (!row.outline.isNull()) QCOMPARE(tool.outlineRect(), row.outline);
            QCOMPARE(host.history.undoCount(), row.steps);
            if (row.stampedTile.x() >= 0)
                QCOMPARE(pixelAt(shown, row.stampedTile.x() * 16 + 5, row.stampedTile.y() * 16 + 9),
                         numbered(5, 9));
            QCOMPARE(host.reports, 0);
        }
    }
};

QTEST_MAIN(BlockToolTest)
#include "block_tool_test.moc"
