#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "block_tool.h"
#include "form_main.h"
#include "image/palette.h"
#include "system/config.h"
#include "ui_form_main.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

// Pixel (x, y) of the numbered pages below.
std::uint32_t numbered(int x, int y) {
    return 1 + (x * 3 + y * 7) % 250;
}

}  // namespace

class CanvasTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    uitest::Recorder silent_;

    Ui::TMainWin& ui() { return main_->form(); }
    Page& current() { return *main_->workspace().currentPage(); }

    // A sprite page of cols x rows tiles of 16 x 16, numbered, key 0; shown.
    void sprite(int cols, int rows) {
        QVERIFY(uitest::newSprite(*main_, cols, rows, 16, 16, QStringLiteral("S"), kMode8));
        Page& page = current();
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                putPixel(page, x, y, numbered(x, y));
        main_->Lb_SprClick();
    }
    // A click on page pixel `at` where the canvas shows it.
    void pressAndRelease(QPoint at) {
        QWidget* view = ui().Sb_Page->viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, ui().Sb_Page->toView(at));
        QTest::mouseRelease(view, Qt::LeftButton, {}, ui().Sb_Page->toView(at));
    }

  private slots:
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        main_ = std::make_unique<TMainWin>();
        main_->setMessageSink(&silent_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() {
        main_.reset();
        state_.reset();
    }

    void aClickOnOneTileLiftsExactlyThatTile() {
        sprite(8, 4);
        pressAndRelease(QPoint(37, 21));
        const Page& block = main_->blockTool().lifted().block;
        QCOMPARE(block.cols, 1);
        QCOMPARE(block.rows, 1);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(pixelAt(block, x, y), numbered(32 + x, 16 + y));
        QVERIFY(main_->blockTool().blockShown());
        QCOMPARE(main_->blockTool().captureRect(), QRect(32, 16, 16, 16));
        QVERIFY(ui().Btn_MoveOk->isEnabled());
        QCOMPARE(main_->canvas().canvasColor(), 0xBBA0EBu);
        QCOMPARE((int)main_->blockTool().state(), 2);
        QVERIFY(!main_->blockTool().outlineShown());
        // The page itself is not changed by a lift.
        QCOMPARE(pixelAt(current(), 40, 20), numbered(40, 20));
    }

    // Moving over the column field, its arrows or its text, parks a lifted
    // block out of sight; the block stays lifted.
    void theColumnFieldParksALiftedBlock() {
        sprite(8, 4);
        auto* text = ui().Edit_Col->findChild<QLineEdit*>();
        QVERIFY(text);
        for (QWidget* over : {static_cast<QWidget*>(ui().Edit_Col), static_cast<QWidget*>(text)}) {
            pressAndRelease(QPoint(37, 21));
            QCOMPARE(main_->blockTool().captureRect().topLeft(), QPoint(32, 16));
            QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), over->mapToGlobal(QPointF(3, 3)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(over, &move);
            QCOMPARE(main_->blockTool().captureRect().topLeft(), QPoint(-100000, -100000));
            QVERIFY(main_->blockTool().blockShown());
            main_->blockTool().Image_CaptureMouseDown(Qt::RightButton, 2, 2);  // put away
        }
    }

    // Two quick presses on a carried block: the second arrives as a
    // double-click and stamps like the first.
    void aQuickSecondPressStampsToo() {
        sprite(8, 4);
        pressAndRelease(QPoint(5, 5));  // lifts tile (0, 0)
        const std::size_t steps = main_->history().undoCount();
        QWidget* view = ui().Sb_Page->viewport();
        const auto send = [&](QEvent::Type type, QPoint page, Qt::MouseButtons held) {
            const QPointF at(ui().Sb_Page->toView(page));
            QMouseEvent event(type, at, view->mapToGlobal(at),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(view, &event);
        };
        // Carried to tile (2, 0); the next move over it composes it.
        send(QEvent::MouseMove, QPoint(40, 5), Qt::NoButton);
        send(QEvent::MouseMove, QPoint(41, 5), Qt::NoButton);
        send(QEvent::MouseButtonPress, QPoint(40, 5), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, QPoint(40, 5), Qt::NoButton);
        send(QEvent::MouseMove, QPoint(72, 5), Qt::NoButton);  // tile (4, 0)
        send(QEvent::MouseMove, QPoint(73, 5), Qt::NoButton);
        send(QEvent::MouseButtonDblClick, QPoint(72, 5), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, QPoint(72, 5), Qt::NoButton);
        QCOMPARE(pixelAt(current(), 32 + 3, 4), numbered(3, 4));
        QCOMPARE(pixelAt(current(), 64 + 3, 4), numbered(3, 4));
        QCOMPARE(main_->history().undoCount(), steps + 2);
    }

    void aDragUpAndLeftSelectsThroughTheAnchorAndAppliesThere() {
        sprite(8, 8);
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 85, 85);  // tile column 5, row 5
        main_->blockTool().Image_PageMouseMove(50, 37);                  // tile column 3, row 2
        QCOMPARE(main_->blockTool().outlineRect(), QRect(48, 32, 48, 64));
        QVERIFY(main_->blockTool().outlineShown());
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 50, 37);
        QCOMPARE(main_->blockTool().lifted().block.cols, 3);
        QCOMPARE(main_->blockTool().lifted().block.rows, 4);
        QCOMPARE(main_->blockTool().lifted().originX, 48);  // where it goes back
        QCOMPARE(main_->blockTool().lifted().originY, 32);

        main_->pageCommands().Btn_MoveRightClick();
        main_->blockTool().Btn_MoveOkClick();
        QCOMPARE(pixelAt(current(), 48, 40), 0u);  // the strip left behind: key
        QCOMPARE(pixelAt(current(), 60, 40), numbered(59, 40));
        QCOMPARE(pixelAt(current(), 47, 40), numbered(47, 40));  // outside: unchanged
        QVERIFY(!main_->blockTool().blockShown());
        QVERIFY(!ui().Btn_MoveOk->isEnabled());
        QCOMPARE(main_->canvas().canvasColor(), 0x000000u);
        QCOMPARE(ui().Sb_Page->horizontalScrollBar()->value(), 0);
    }

    void theOutlineStopsAtTheImageEdges() {
        sprite(4, 2);  // 64 x 32
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 40, 5);
        main_->blockTool().Image_PageMouseMove(60, 20);  // into the last tile column and row
        QCOMPARE(main_->blockTool().outlineRect(), QRect(32, 0, 32, 32));
        main_->blockTool().Image_PageMouseMove(200, 100);  // once at the edges it grows no more
        QCOMPARE(main_->blockTool().outlineRect(), QRect(32, 0, 32, 32));

        // Far left of the image while the edge is above 0: a negative Left.
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 20, 5);
        main_->blockTool().Image_PageMouseMove(-20, 5);
        QCOMPARE(main_->blockTool().outlineRect().x(), -16);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, -20, 5);
        QCOMPARE(pixelAt(main_->blockTool().lifted().block, 3, 3),
                 0u);  // columns left of the page: key
        QCOMPARE(pixelAt(main_->blockTool().lifted().block, 16, 3), numbered(0, 3));
        // The first move over the panel pulls it back to Left 0.
        main_->blockTool().Image_CaptureMouseMove(1, 1);
        QCOMPARE(main_->blockTool().captureRect().x(), 0);
    }

    void stampsComposeByTheCopyMode() {
        sprite(4, 1);  // page A, slot 0
        Page& source = current();
        clearPage(source);
        putPixel(source, 1, 1, 250);  // tile 0: one mark on key
        pressAndRelease(QPoint(3, 3));
        sprite(4, 1);  // page B, slot 1, shown; the block floats over it
        for (int x = 0; x < 64; ++x)
            putPixel(current(), x, 1, x % 16 < 2 ? 0 : 7);

        struct Case {
            int mode, tile;
            std::uint32_t at0, at1, at5;
        };
        for (const Case c : {Case{0, 0, 0, 250, 0}, Case{1, 1, 0, 250, 7}, Case{2, 2, 0, 250, 7}}) {
            ui().Combo_CopyMode->setCurrentIndex(c.mode);
            main_->blockTool().Image_CaptureMouseMove(
                c.tile * 16 - main_->blockTool().captureRect().x() + 2, 2);
            QCOMPARE(main_->blockTool().captureRect().x(), c.tile * 16);
            main_->blockTool().Image_CaptureMouseDown(Qt::LeftButton, 2, 2);
            main_->blockTool().Image_CaptureMouseUp();
            const int x0 = c.tile * 16;
            QCOMPARE(pixelAt(current(), x0 + 0, 1), c.at0);
            QCOMPARE(pixelAt(current(), x0 + 1, 1), c.at1);
            QCOMPARE(pixelAt(current(), x0 + 5, 1), c.at5);
        }
        // Behind: the block shows only where the page has its key.
        putPixel(current(), 49, 1, 9);
        ui().Combo_CopyMode->setCurrentIndex(2);
        main_->blockTool().Image_CaptureMouseMove(48 - main_->blockTool().captureRect().x() + 2, 2);
        main_->blockTool().Image_CaptureMouseDown(Qt::LeftButton, 2, 2);
        QCOMPARE(pixelAt(current(), 49, 1), 9u);

        // A right press puts the block away and keeps the stamps.
        main_->blockTool().Image_CaptureMouseDown(Qt::RightButton, 2, 2);
        QVERIFY(!main_->blockTool().blockShown());
        QCOMPARE(main_->canvas().canvasColor(), 0xC08080u);
        QCOMPARE((int)main_->blockTool().state(), 0);
        QCOMPARE(pixelAt(current(), 1, 1), 250u);
    }

    void aBlockFromAPictureStampsOnlyIntoSpritePages() {
        Page& picture = uitest::addPicture(*main_, 32, 16, "PIC");
        QVERIFY(setTileGrid(picture, 16, 16));
        putPixel(picture, 0, 0, 99);
        main_->Lb_TgaClick();
        pressAndRelease(QPoint(4, 4));
        main_->blockTool().Image_CaptureMouseMove(2, 2);
        main_->blockTool().Image_CaptureMouseDown(Qt::LeftButton, 2, 2);
        QVERIFY(!main_->blockTool().stamping());
        QVERIFY(uitest::newSprite(*main_, 1, 1, 32, 16, QStringLiteral("S"),
                                  kMode8));  // shows the sprite
        main_->blockTool().Image_CaptureMouseMove(2, 2);
        main_->blockTool().Image_CaptureMouseDown(Qt::LeftButton, 2, 2);
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 0, 0), 99u);
    }

    void nudgesMoveThePageOrTheBlock() {
        sprite(2, 1);  // 32 x 16
        main_->pageCommands().Btn_MoveLeftClick();
        QCOMPARE(pixelAt(current(), 0, 3), numbered(1, 3));
        QCOMPARE(pixelAt(current(), 31, 3), 0u);
        main_->pageCommands().Btn_MoveLeftUpClick();
        QCOMPARE(pixelAt(current(), 0, 0), numbered(2, 1));
        QCOMPARE(pixelAt(current(), 5, 15), 0u);

        // With a block lifted the buttons move the block, and a right press
        // leaves the page as it was.
        const std::uint32_t before = pixelAt(current(), 4, 4);
        pressAndRelease(QPoint(4, 4));
        main_->pageCommands().Btn_MoveDownClick();
        QCOMPARE(pixelAt(main_->blockTool().lifted().block, 4, 5), before);
        QCOMPARE(pixelAt(current(), 4, 4), before);
        main_->blockTool().Image_CaptureMouseDown(Qt::RightButton, 1, 1);
        QCOMPARE(pixelAt(current(), 4, 4), before);

        // A picture without a lifted block is not nudged.
        putPixel(uitest::addPicture(*main_, 8, 8), 0, 0, 5);
        main_->Lb_TgaClick();
        main_->pageCommands().Btn_MoveRightClick();
        QCOMPARE(pixelAt(uitest::picture(*main_, 0), 0, 0), 5u);
    }

    void areaRectanglesReachTheChosenScope() {
        sprite(8, 2);
        ui().Cb_CrossIndex->setCurrentIndex(1);
        ui().Cb_ApplyArea->setCurrentIndex(1);                           // one row
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 35, 20);  // tile 10
        main_->blockTool().Image_PageMouseMove(40, 26);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 40, 26);
        const AreaLayer& layer = *current().areas[0];
        for (int i = 0; i < 16; ++i)
            QCOMPARE(layer[i], (i >= 8 ? AreaRect{3, 4, 8, 10} : AreaRect{}));
        QCOMPARE((int)main_->blockTool().state(), 1);
        QVERIFY(!main_->blockTool().outlineShown());
        // A right release clears the same scope.
        main_->blockTool().Image_PageMouseUp(Qt::RightButton, 20, 20);
        QCOMPARE((*current().areas[0])[12], AreaRect{});
    }

    void pressesRightAfterAFileCommandAreIgnored() {
        sprite(2, 1);
        main_->Timer_FileOpen.start();
        pressAndRelease(QPoint(3, 3));
        QVERIFY(!main_->blockTool().blockShown());
        QTRY_VERIFY_WITH_TIMEOUT(main_->canvasAcceptsClicks(), 1000);
        pressAndRelease(QPoint(3, 3));
        QVERIFY(main_->blockTool().blockShown());
    }

    void withoutAPageTheCanvasDoesNothing() {
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 3, 3);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 3, 3);
        main_->blockTool().Timer_ScrollTimer();
        main_->pageCommands().Btn_MoveLeftClick();
        QCOMPARE((int)main_->blockTool().state(), 0);
        QVERIFY(!main_->blockTool().outlineShown());
    }
};

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
