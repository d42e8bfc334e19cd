// The drawing tools driven with page-pixel events, as the canvas hands them
// over: the page after each gesture, one step per press-drag-release, undo
// back to the page before; and the keys and the strip that choose them.
#include <QColorDialog>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <set>
#include <utility>

#include "block_tool.h"
#include "byte_map_switch.h"
#include "canvas_tools.h"
#include "page_canvas.h"
#include "two_point_tools.h"
#include "ui_form_main.h"
#include "ui_test_support.h"
#include "work/page_edits.h"

using namespace zentil;

namespace {

struct Event {
    char kind;  // 'p' press, 'm' move with the button held, 'r' release, 'e' Escape
    int x, y;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

using Points = std::set<std::pair<int, int>>;

constexpr std::uint8_t kGround = 3, kRing = 7, kKey = 9, kColour = 5;

// A 10 x 7 sprite page (rows of 12 with the padding) of kGround, with a ring
// of kRing from (1, 1) to (5, 5).
void drawRing(Page& page) {
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            pixelBytes(page)[y * page.stride + x] = kGround;
    for (int i = 1; i <= 5; ++i)
        for (const auto& [x, y] : {std::pair{i, 1}, {i, 5}, {1, i}, {5, i}})
            pixelBytes(page)[y * page.stride + x] = kRing;
    page.colorKey8 = kKey;
}

struct Case {
    const char* name;
    ToolId tool;
    std::vector<Event> events;
    std::function<bool(int, int)> painted;  // inside the page
    std::uint8_t colour = kColour;          // what painted pixels become
    int steps = 1;
    int pickedColour = kColour;  // the current colour after
};

std::function<bool(int, int)> at(Points points) {
    return [points](int x, int y) { return points.count({x, y}) > 0; };
}

bool insideRing(int x, int y) {
    return x >= 2 && x <= 4 && y >= 2 && y <= 4;
}
bool onRing(int x, int y) {
    return x >= 1 && x <= 5 && y >= 1 && y <= 5 && !insideRing(x, y);
}

}  // namespace

class PaintToolsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    uitest::Recorder silent_;

    void send(CanvasTool& tool, const Event& e) {
        CanvasPointer pointer;
        pointer.page = QPoint(e.x, e.y);
        pointer.modifiers = e.modifiers;
        if (e.kind == 'p') {
            pointer.button = Qt::LeftButton;
            pointer.buttons = Qt::LeftButton;
            tool.press(pointer);
        } else if (e.kind == 'e') {
            main_->tools().key(CanvasKey::escape());
        } else if (e.kind == 'm') {
            pointer.buttons = Qt::LeftButton;
            tool.move(pointer);
        } else {
            pointer.button = Qt::LeftButton;
            tool.release(pointer);
        }
    }

    // A 64 x 64 sprite page of 4 x 4 tiles whose palette entry c is
    // (21c, 21c + 7, 21c + 14) modulo 256: each small index a colour of its own.
    bool colouredSprite() {
        if (!uitest::newSprite(*main_, 4, 4, 16, 16, QStringLiteral("S"))) return false;
        main_->record(applySpritePalette(main_->workspace(), [] {
            Palette p{};
            for (int i = 0; i < 768; ++i)
                p[i] = static_cast<std::uint8_t>(i * 7);
            return p;
        }()));
        return true;
    }

  private slots:
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        main_ = std::make_unique<TMainWin>();
        main_->setMessageSink(&silent_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        QTRY_VERIFY(main_->canvasAcceptsClicks());
    }
    void cleanup() {
        main_.reset();
        state_.reset();
    }

    void eachToolPaintsWhatItShouldAsOneStep() {
        const std::vector<Case> cases = {
            {"pencil dab", PencilTool::kId, {{'p', 3, 3}, {'r', 3, 3}}, at({{3, 3}})},
            {"a fast stroke leaves no gap",
             PencilTool::kId,
             {{'p', 0, 0}, {'m', 6, 2}, {'r', 6, 2}},
             at({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}})},
            {"a stroke from outside stops at the page's width",
             PencilTool::kId,
             {{'p', -3, 6}, {'m', 14, 6}, {'m', 9, 40}, {'r', 9, 40}},
             [](int x, int y) { return y == 6 || (x == 9 && y >= 6); }},
            {"shift with a press draws from the last painted pixel",
             PencilTool::kId,
             {{'p', 8, 0}, {'r', 8, 0}, {'p', 8, 3, Qt::ShiftModifier}, {'r', 8, 3}},
             [](int x, int y) { return x == 8 && y <= 3; },
             kColour,
             2},
            {"the eraser paints the key",
             EraserTool::kId,
             {{'p', 0, 6}, {'m', 0, 4}, {'m', 2, 4}, {'r', 2, 4}},
             at({{0, 6}, {0, 5}, {0, 4}, {1, 4}, {2, 4}}),
             kKey},
            {"a line is drawn on release only, in any octant",
             LineTool::kId,
             {{'p', 4, 0}, {'m', 9, 6}, {'m', 2, 6}, {'r', 2, 6}},
             at({{4, 0}, {4, 1}, {3, 2}, {3, 3}, {3, 4}, {2, 5}, {2, 6}})},
            {"the fill stays inside the ring",
             FillTool::kId,
             {{'p', 3, 3}, {'r', 3, 3}},
             insideRing},
            {"the fill goes round the ring, not through it",
             FillTool::kId,
             {{'p', 9, 0}, {'r', 9, 0}},
             [](int x, int y) { return !onRing(x, y) && !insideRing(x, y); }},
            {"the fill outside the page does nothing",
             FillTool::kId,
             {{'p', 10, 0}},
             at({}),
             kColour,
             0},
            {"alt with a press picks the colour instead",
             PencilTool::kId,
             {{'p', 1, 3, Qt::AltModifier}, {'r', 1, 3}},
             at({}),
             kColour,
             0,
             kRing},
            {"the eyedropper picks",
             EyedropperTool::kId,
             {{'p', 0, 0}, {'r', 0, 0}},
             at({}),
             kColour,
             0,
             kGround},
            {"a rectangle's outline, dragged up and left",
             RectangleTool::kId,
             {{'p', 6, 4}, {'m', 0, 0}, {'m', 2, 1}, {'r', 2, 1}},
             [](int x, int y) {
                 return x >= 2 && x <= 6 && y >= 1 && y <= 4 &&
                        (x == 2 || x == 6 || y == 1 || y == 4);
             }},
            {"a filled rectangle stops at the page's edges",
             FilledRectangleTool::kId,
             {{'p', 7, 4}, {'m', 12, 9}, {'r', 12, 9}},
             [](int x, int y) { return x >= 7 && y >= 4; }},
            {"shift makes a circle of an ellipse",
             EllipseTool::kId,
             {{'p', 0, 0}, {'m', 4, 2, Qt::ShiftModifier}, {'r', 4, 2, Qt::ShiftModifier}},
             [](int x, int y) {
                 const bool corner = (x == 0 || x == 4) && (y == 0 || y == 4);
                 return x <= 4 && y <= 4 && (x == 0 || x == 4 || y == 0 || y == 4) && !corner;
             }},
            {"a filled ellipse",
             FilledEllipseTool::kId,
             {{'p', 4, 0}, {'r', 0, 2}},
             [](int x, int y) { return y <= 2 && x <= 4 && (y == 1 || (x >= 1 && x <= 3)); }},
            {"shift keeps a line level",
             LineTool::kId,
             {{'p', 1, 1}, {'m', 8, 3, Qt::ShiftModifier}, {'r', 8, 3, Qt::ShiftModifier}},
             [](int x, int y) { return y == 1 && x >= 1 && x <= 8; }},
            {"escape drops a shape's drag",
             FilledEllipseTool::kId,
             {{'p', 1, 1}, {'m', 8, 6}, {'e', 0, 0}, {'r', 8, 6}},
             at({}),
             kColour,
             0},
            {"escape takes back a stroke whole, leaving nothing to redo",
             PencilTool::kId,
             {{'p', 0, 0}, {'m', 9, 0}, {'m', 9, 6}, {'e', 0, 0}, {'m', 0, 6}, {'r', 0, 6}},
             at({}),
             kColour,
             0},
        };
        for (const Case& c : cases) {
            QVERIFY(uitest::newSprite(*main_, 2, 1, 5, 7, QStringLiteral("S")));
            Page& page = *main_->workspace().currentPage();
            QCOMPARE(page.stride, 12);
            drawRing(page);
            const std::vector<std::uint8_t> before(pixelBytes(page),
                                                   pixelBytes(page) + page.stride * page.height);
            CanvasTools& tools = main_->tools();
            tools.setCurrentColour(kColour);
            tools.choose(c.tool);
            const std::size_t steps = main_->history().undoCount();
            for (const Event& e : c.events)
                send(*tools.tool(c.tool), e);
            for (int y = 0; y < page.height; ++y)
                for (int x = 0; x < page.stride; ++x) {
                    const bool painted = x < page.width && c.painted(x, y);
                    const std::uint8_t want = painted ? c.colour : before[y * page.stride + x];
                    if (pixelBytes(page)[y * page.stride + x] != want)
                        QFAIL(qPrintable(QStringLiteral("%1: pixel (%2, %3) is %4, not %5")
                                             .arg(c.name)
                                             .arg(x)
                                             .arg(y)
                                             .arg(pixelBytes(page)[y * page.stride + x])
                                             .arg(want)));
                }
            QVERIFY2(main_->history().undoCount() == steps + c.steps, c.name);
            QVERIFY2(!main_->history().canRedo(), c.name);
            QVERIFY2(tools.currentColour() == c.pickedColour, c.name);
            for (int i = 0; i < c.steps; ++i)
                main_->Btn_UndoClick();
            QVERIFY2(std::equal(before.begin(), before.end(), pixelBytes(page)), c.name);
        }
    }

    void picturesAreNotPaintedAndTheStatusBarSaysWhy() {
        Page& picture = uitest::addPicture(*main_, 8, 8);
        main_->showOnly(ListId::Pictures, 0);
        QCOMPARE(main_->workspace().currentPage(), &picture);
        const std::vector<std::uint8_t> before(pixelBytes(picture), pixelBytes(picture) + 64);
        main_->tools().choose(PencilTool::kId);
        send(*main_->tools().tool(PencilTool::kId), {'p', 2, 2});
        send(*main_->tools().tool(PencilTool::kId), {'r', 2, 2});
        QVERIFY(std::equal(before.begin(), before.end(), pixelBytes(picture)));
        QVERIFY(!main_->form().Status_Bar->currentMessage().isEmpty());
        QCOMPARE(main_->history().undoCount(), std::size_t{0});
    }

    // A double-click in the chooser edits the entry in the palette the page
    // shows, which becomes the sprite palette of every sprite page, as one
    // step; only that entry changes, also on a page that shows colours of
    // its own (copied from a picture). A picture's palette is not edited.
    void aPaletteEntryIsEditedAsOneStep() {
        Palette ramp{};
        for (int i = 0; i < 768; ++i)
            ramp[i] = static_cast<std::uint8_t>(i * 5 + 1);
        QVERIFY(uitest::newSprite(*main_, 2, 1, 5, 7, QStringLiteral("S")));
        QVERIFY(uitest::newSprite(*main_, 1, 1, 4, 4, QStringLiteral("C")));
        setPagePalette(uitest::sprite(*main_, 1), ramp);
        uitest::addPicture(*main_, 4, 4);
        Workspace& ws = main_->workspace();
        const Palette black = ws.palette;
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                dialog->setCurrentColor(QColor(10, 200, 30));
                dialog->accept();
            }
        });
        answer.start();
        const struct {
            PagePlace shown;
            const Palette* before;  // nullptr: refused
        } cases[] = {{uitest::spriteAt(0), &black},
                     {uitest::spriteAt(1), &ramp},
                     {uitest::pictureAt(0), nullptr}};
        for (const auto& c : cases) {
            main_->showOnly(c.shown.list, c.shown.index);
            const std::size_t steps = main_->history().undoCount();
            const Palette& shown = main_->tools().shownPalette();
            main_->tools().editEntry(33, QColor(shown[99], shown[100], shown[101]));
            if (!c.before) {
                QCOMPARE(main_->history().undoCount(), steps);
                QVERIFY(ws.palette == black);
                QVERIFY(!main_->form().Status_Bar->currentMessage().isEmpty());
                continue;
            }
            Palette want = *c.before;
            want[99] = 10, want[100] = 200, want[101] = 30;
            QCOMPARE(main_->tools().currentColour(), 33);
            QCOMPARE(main_->tools().colourText(), QStringLiteral("색 33: 10, 200, 30"));
            for (const Palette* palette :
                 {&ws.palette, &ws.sprites.at(0).palette, &ws.sprites.at(1).palette})
                QVERIFY(*palette == want);
            main_->Btn_UndoClick();
            QVERIFY(ws.palette == black);
            QVERIFY(ws.sprites.at(1).palette == ramp);
        }
    }

    // Ctrl+B lays the byte map over the canvas; it follows an edit that
    // changes a tile's bytes.
    void theByteMapShowsAndFollowsEdits() {
        QVERIFY(colouredSprite());
        QWidget* view = main_->canvas().viewport();
        const QImage plain = view->grab().toImage();
        QTest::keyClick(main_.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(main_->byteMap().shown());
        QVERIFY(main_->byteMap().button()->isChecked());
        const QImage mapped = view->grab().toImage();
        QVERIFY(mapped != plain);
        // A noisy stroke across tile 5 makes it dearer than the others.
        main_->tools().choose(PencilTool::kId);
        for (int i = 0; i < 16; ++i) {
            main_->tools().setCurrentColour(1 + i % 2 * 40);
            send(*main_->tools().tool(PencilTool::kId), {'p', 16 + i, 16 + i % 3});
            send(*main_->tools().tool(PencilTool::kId), {'r', 16 + i, 16 + i % 3});
        }
        const QImage after = view->grab().toImage();
        const QPoint inTile = main_->canvas().toView({30, 30}) * after.devicePixelRatio();
        const QPoint otherTile = main_->canvas().toView({60, 60}) * after.devicePixelRatio();
        QVERIFY(after.pixel(inTile) != after.pixel(otherTile));
        QTest::keyClick(main_.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!main_->byteMap().shown());
    }

    // Through the canvas's own events at 1x and 8x: a filled rectangle is
    // shown while dragged, Shift pressed with the button held makes it a
    // square at once, Escape drops it; then one drawn for real is one step.
    // A drag past the view's edge scrolls the view after it.
    void shapesFollowThePointerAtEveryZoom() {
        QVERIFY(colouredSprite());
        Page& page = *main_->workspace().currentPage();
        PageCanvas& canvas = main_->canvas();
        QWidget* view = canvas.viewport();
        CanvasTools& tools = main_->tools();
        tools.setCurrentColour(kColour);
        const QRgb shown = qRgb(kColour * 21, kColour * 21 + 7, kColour * 21 + 14);
        for (const int zoom : {1, 8}) {
            canvas.setZoom(zoom);
            canvas.scrollToOrigin();
            QTest::keySequence(main_.get(), QKeySequence(Qt::SHIFT | Qt::Key_U));
            QVERIFY(tools.current() == FilledRectangleTool::kId);
            const auto at = [&](int x, int y) {
                return canvas.toView(QPoint(x, y)) + QPoint(zoom / 2, zoom / 2);
            };
            const auto showsColour = [&](int x, int y) {
                const QImage image = view->grab().toImage();
                return image.pixel(at(x, y) * image.devicePixelRatio()) == shown;
            };
            QTest::mousePress(view, Qt::LeftButton, {}, at(2, 2));
            QTest::mouseMove(view, at(10, 5));
            QVERIFY(showsColour(10, 5));
            QVERIFY(!showsColour(6, 8));
            QCursor::setPos(view->mapToGlobal(at(10, 5)));
            QTest::keyPress(&canvas, Qt::Key_Shift);
            QVERIFY(showsColour(6, 8));  // the square from (2, 2) to (10, 10)
            QTest::keyRelease(&canvas, Qt::Key_Shift);
            QVERIFY(!showsColour(6, 8));
            QTest::keyClick(main_.get(), Qt::Key_Escape);
            QVERIFY(!showsColour(10, 5));
            QTest::mouseRelease(view, Qt::LeftButton, {}, at(10, 5));
            QVERIFY(pixelBytes(page)[5 * page.stride + 10] != kColour);

            const std::size_t steps = main_->history().undoCount();
            QTest::mousePress(view, Qt::LeftButton, {}, at(3, 4));
            QTest::mouseMove(view, at(6, 9));
            QTest::mouseRelease(view, Qt::LeftButton, {}, at(6, 9));
            QCOMPARE(main_->history().undoCount(), steps + 1);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x)
                    QCOMPARE(pixelBytes(page)[y * page.stride + x] == kColour,
                             x >= 3 && x <= 6 && y >= 4 && y <= 9);
            main_->Btn_UndoClick();
            QVERIFY(pixelBytes(page)[4 * page.stride + 3] != kColour);
        }
        // At 8x the page is 512 pixels wide on the screen: a drag past the
        // view's right edge scrolls it and the rectangle grows with it.
        canvas.resize(300, canvas.height());
        QScrollBar* h = canvas.horizontalScrollBar();
        QTest::mousePress(view, Qt::LeftButton, {}, canvas.toView({2, 2}));
        const QPoint beyond = view->mapToGlobal(QPoint(view->width() + 20, 40));
        QCursor::setPos(beyond);
        const int before = h->value();
        tools.tool(FilledRectangleTool::kId)->tick();
        QCOMPARE(h->value(), before + 32);
        const QPoint end = canvas.toPage(view->mapFromGlobal(QPointF(beyond)));
        QTest::mouseRelease(view, Qt::LeftButton, {}, canvas.toView(end));
        QCOMPARE(pixelBytes(page)[2 * page.stride + end.x()], kColour);
    }

    void keysAndTheStripChooseToolsAndColours() {
        CanvasTools& tools = main_->tools();
        QVERIFY(tools.current() == BlockTool::kId);  // every start
        const std::pair<Qt::Key, ToolId> keys[] = {
            {Qt::Key_B, PencilTool::kId},     {Qt::Key_E, EraserTool::kId},
            {Qt::Key_I, EyedropperTool::kId}, {Qt::Key_G, FillTool::kId},
            {Qt::Key_L, LineTool::kId},       {Qt::Key_U, RectangleTool::kId},
            {Qt::Key_O, EllipseTool::kId},    {Qt::Key_M, BlockTool::kId}};
        for (const auto& [key, kind] : keys) {
            QTest::keyClick(main_.get(), key);
            QVERIFY(tools.current() == kind);
            QCOMPARE(main_->canvas().tool(), tools.tool(kind));
            QVERIFY(tools.button(kind)->isChecked());
        }
        tools.button(FillTool::kId)->click();
        QVERIFY(tools.current() == FillTool::kId);
        QVERIFY(tools.button(FillTool::kId)->toolTip().contains(QLatin1String("(G)")));
        // Every tool of the list, by its key and by its button, with its cursor.
        const QList<CanvasTools::Entry> entries = tools.entries();
        QCOMPARE(entries.size(), 10);
        std::set<QString> names, keyTexts;
        for (const CanvasTools::Entry& entry : entries) {
            names.insert(entry.name);
            keyTexts.insert(entry.key.toString());
            QTest::keySequence(main_.get(), entry.key);
            QVERIFY2(tools.current() == entry.id, qPrintable(entry.name));
            QVERIFY(tools.button(entry.id)->isChecked());
            const ToolCursor& cursor = tools.tool(entry.id)->look().cursor;
            QCOMPARE(main_->canvas().viewport()->cursor().shape(),
                     cursor.picture ? Qt::BitmapCursor : cursor.shape);
            tools.choose(BlockTool::kId);
            tools.button(entry.id)->click();
            QVERIFY(tools.current() == entry.id);
        }
        QCOMPARE(names.size(), std::size_t(entries.size()));
        QCOMPARE(keyTexts.size(), std::size_t(entries.size()));
        QVERIFY(names.count(QStringLiteral("채운 타원")));

        tools.setCurrentColour(0);
        QTest::keyClick(main_.get(), Qt::Key_BracketLeft);  // not below 0
        QCOMPARE(tools.currentColour(), 0);
        QTest::keyClick(main_.get(), Qt::Key_BracketRight);
        QTest::keyClick(main_.get(), Qt::Key_BracketRight);
        QCOMPARE(tools.currentColour(), 2);
        QVERIFY(tools.colourText().startsWith(QStringLiteral("색 2: ")));
    }
};

QTEST_MAIN(PaintToolsTest)
#include "paint_tools_test.moc"
