// The canvas at every zoom, driven like a user: the zoom keys and Ctrl with
// the wheel, then pointer moves, drags, lifts, carries and stamps at the
// zoomed level, read back from the page, the readouts and the screen; the
// status bar; the zoom and pixel grid kept for the next start. The suite also
// runs on a screen of twice the density (QT_SCALE_FACTOR=2).
#include <QScrollBar>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "block_tool.h"
#include "canvas_tools.h"
#include "edit/canvas_geometry.h"
#include "edit/canvas_projection.h"
#include "form_main.h"
#include "formats/gpf_file.h"
#include "page_canvas.h"
#include "ui_form_main.h"
#include "ui_test_support.h"
#include "work/page_edits.h"

using namespace zentil;

namespace {

// Pixel (x, y) of the numbered pages below.
std::uint32_t numbered(int x, int y) {
    return 1 + (x * 3 + y * 7) % 250;
}

// Entries that differ from each other and from black.
Palette rainbow() {
    Palette palette{};
    for (int n = 0; n < kPaletteEntries; ++n) {
        palette[n * 3 + 0] = static_cast<std::uint8_t>(n);
        palette[n * 3 + 1] = static_cast<std::uint8_t>(255 - n);
        palette[n * 3 + 2] = static_cast<std::uint8_t>(n * 7 + 3);
    }
    return palette;
}

QColor entryColour(int n) {
    const Palette p = rainbow();
    return QColor(p[n * 3], p[n * 3 + 1], p[n * 3 + 2]);
}

// "12,345".
QString grouped(std::uint64_t n) {
    QString digits = QString::number(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    uitest::Recorder silent_;

    Ui::TMainWin& ui() { return main_->form(); }
    PageCanvas& canvas() { return *ui().Sb_Page; }
    QWidget* view() { return canvas().viewport(); }
    Page& current() { return *main_->workspace().currentPage(); }

    void start() {
        main_ = std::make_unique<TMainWin>();
        main_->setMessageSink(&silent_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        // Wide enough that a block carried at 32x stays inside the view
        // beside the tool strip.
        main_->resize(std::max(main_->width(), 900), main_->height());
        main_->activateWindow();
    }

    // A numbered sprite page of cols x rows tiles of `tile` x `tile` pixels
    // in rainbow colours, with a row of the key in tile (1, 1); shown.
    void sprite(int cols, int rows, int tile) {
        QVERIFY(uitest::newSprite(*main_, cols, rows, tile, tile, QStringLiteral("S"), kMode8));
        main_->record(applySpritePalette(main_->workspace(), rainbow()));
        Page& page = current();
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                putPixel(page, x, y, numbered(x, y));
        for (int x = tile; x < 2 * tile; ++x)
            putPixel(page, x, tile + 1, 0);
        main_->Lb_SprClick();
    }

    void keys(const QKeySequence& keys) { QTest::keySequence(main_.get(), keys); }

    // The middle of page pixel p on the view.
    QPoint onView(QPoint p) {
        const int z = canvas().zoom();
        return canvas().toView(p) + QPoint((z - 1) / 2, (z - 1) / 2);
    }
    void move(QPoint page) { QTest::mouseMove(view(), onView(page)); }
    void press(QPoint page, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(view(), button, {}, onView(page));
    }
    void release(QPoint page, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(view(), button, {}, onView(page));
    }
    // The pointer moved with a fractional position, as a screen of higher
    // density delivers it: the last half pixel of page pixel p.
    void moveNearEdge(QPoint p) {
        const int z = canvas().zoom();
        const QPointF at = QPointF(canvas().toView(p)) + QPointF(z - 0.5, z - 0.5);
        QMouseEvent event(QEvent::MouseMove, at, view()->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &event);
    }
    void wheel(QPoint at, int steps) {
        QWheelEvent event(at, view()->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &event);
    }
    // Scrolls so that page pixel p shows at `at` on the view, when the page
    // is larger than the view.
    void bringTo(QPoint p, QPoint at) {
        // Scroll bars come and go once the events after a zoom are handled.
        QCoreApplication::processEvents();
        const QPoint now = canvas().toView(p);
        QScrollBar* h = canvas().horizontalScrollBar();
        QScrollBar* v = canvas().verticalScrollBar();
        h->setValue(h->value() + now.x() - at.x());
        v->setValue(v->value() + now.y() - at.y());
    }

    // What the status bar must say of the current page, with the tile under
    // the pointer, from the encoder itself.
    QString gpfText(int tile) {
        std::vector<std::uint8_t> file;
        if (!encodeSpriteFile(current(), file)) return {};
        GpfLayout layout;
        const char* message = nullptr;
        if (!parseGpfLayout(file, layout, message)) return {};
        QString text = QStringLiteral("GPF %1 바이트").arg(grouped(file.size()));
        if (tile >= 0)
            text += QStringLiteral(" · 타일 %1: %2 바이트")
                        .arg(tile)
                        .arg(grouped(12 + static_cast<std::uint64_t>(layout.sizes[tile])));
        return text;
    }

    // At the zoom the canvas has now, everything works as at 1x: readouts,
    // dragging an outline in whole tiles, lifting, carrying tile by tile,
    // stamping and putting away; the page pixels show as solid squares. The
    // page has tiles of 4 x 4, so that all of it happens in sight at 32x.
    void workAtThisZoom() {
        const int z = canvas().zoom();
        bringTo({4, 4}, {40, 40});
        QCOMPARE(main_->status().zoom->text(), QStringLiteral("배율 %1%").arg(z * 100));

        // Readouts are page values, also for a pointer in the last half pixel.
        move({13, 11});
        QCOMPARE(ui().Panel_TileXY->text(), QStringLiteral("1, 3"));
        QCOMPARE(ui().Panel_TileNum->text(), QStringLiteral("67"));
        moveNearEdge({14, 11});
        QCOMPARE(ui().Panel_TileXY->text(), QStringLiteral("2, 3"));
        QCOMPARE(main_->status().gpf->text(), gpfText(67));

        // Page pixel (13, 11), off the grid lines, is a solid square of its
        // colour on the screen.
        const QImage shot = view()->grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        const QRect square(canvas().toView({13, 11}) * dpr, QSize(z, z) * dpr);
        for (int y = square.top(); y <= square.bottom(); ++y)
            for (int x = square.left(); x <= square.right(); ++x)
                QCOMPARE(shot.pixelColor(x, y), entryColour(static_cast<int>(numbered(13, 11))));

        // A drag from tile (1, 1) into tile (2, 2) outlines both in whole tiles.
        press({5, 5});
        move({6, 7});
        QCOMPARE(main_->blockTool().outlineRect(), QRect(4, 4, 4, 4));
        move({9, 9});
        QCOMPARE(main_->blockTool().outlineRect(), QRect(4, 4, 8, 8));
        release({9, 9});
        const Page& block = main_->blockTool().lifted().block;
        QVERIFY(main_->blockTool().blockShown());
        QCOMPARE(block.cols, 2);
        QCOMPARE(block.rows, 2);
        QCOMPARE(pixelAt(block, 3, 6), numbered(7, 10));

        // Carried tile by tile, composed over the page as it goes, stamped.
        move({17, 5});
        QCOMPARE(main_->blockTool().captureRect(), QRect(16, 4, 8, 8));
        const QString before = main_->status().gpf->text();
        QCOMPARE(before, gpfText(36));
        move({18, 6});
        press({18, 6});
        release({18, 6});
        for (const QPoint p : {QPoint(0, 0), QPoint(7, 7), QPoint(3, 6), QPoint(1, 1)})
            QCOMPARE(pixelAt(current(), 16 + p.x(), 4 + p.y()), pixelAt(block, p.x(), p.y()));
        QCOMPARE(pixelAt(current(), 17, 5), 0u);
        QCOMPARE(pixelAt(current(), 24, 4), numbered(24, 4));
        QCOMPARE(main_->status().undo->text(),
                 QStringLiteral("되돌리기 %1단계").arg(main_->history().undoCount()));
        QCOMPARE(main_->status().gpf->text(), gpfText(36));  // follows the stamp
        QVERIFY(main_->status().gpf->text() != before);

        // A right press puts it away; the stamp is taken back with its key.
        press({18, 6}, Qt::RightButton);
        release({18, 6}, Qt::RightButton);
        QVERIFY(!main_->blockTool().blockShown());
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(pixelAt(current(), 17, 5), numbered(17, 5));
        QCOMPARE(canvas().zoom(), z);
    }

  private slots:
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        start();
    }
    void cleanup() {
        silent_.answer = true;
        main_.reset();
        state_.reset();
    }

    // Up through every level with the keys, down again with the wheel, the
    // page worked on at each.
    void keysAndTheWheelZoomAndEverythingLinesUp() {
        sprite(32, 24, 4);  // 128 x 96
        QCOMPARE(canvas().zoom(), 1);
        workAtThisZoom();
        if (QTest::currentTestFailed()) return;
        for (std::size_t i = 1; i < kZoomLevels.size(); ++i) {
            keys(i % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Equal)
                       : QKeySequence(Qt::CTRL | Qt::Key_Plus));
            QCOMPARE(canvas().zoom(), kZoomLevels[i]);
            workAtThisZoom();
            if (QTest::currentTestFailed()) return;
        }
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));  // no level above the last
        QCOMPARE(canvas().zoom(), kMaxZoom);
        for (std::size_t i = kZoomLevels.size() - 1; i-- > 0;) {
            wheel(canvas().viewCentre(), -1);
            QCOMPARE(canvas().zoom(), kZoomLevels[i]);
            workAtThisZoom();
            if (QTest::currentTestFailed()) return;
        }
        keys(QKeySequence(Qt::CTRL | Qt::Key_Minus));
        QCOMPARE(canvas().zoom(), 1);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Minus));
        QCOMPARE(canvas().zoom(), 2);
        keys(QKeySequence(Qt::CTRL | Qt::Key_0));
        QCOMPARE(canvas().zoom(), 1);
    }

    // Ctrl with the wheel keeps the page pixel under the pointer where it is,
    // and brings it back there once a page that stood in the middle of the
    // view has grown larger than it.
    void theWheelZoomsAboutThePointer() {
        sprite(16, 12, 8);  // 128 x 96, in the middle of the view up to 4x
        const QPoint over = onView({60, 40});
        for (int i = 0; i < 5; ++i)
            wheel(over, 1);
        QCOMPARE(canvas().zoom(), 8);
        QCOMPARE(canvas().toPage(over), QPoint(60, 40));

        sprite(64, 64, 8);  // 512 x 512, larger than the view from 2x on
        keys(QKeySequence(Qt::CTRL | Qt::Key_0));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        const QPoint at(200, 150);
        bringTo({256, 300}, at);
        QCOMPARE(canvas().toPage(at), QPoint(256, 300));
        for (std::size_t i = 2; i < kZoomLevels.size(); ++i) {
            wheel(at, 1);
            QCOMPARE(canvas().zoom(), kZoomLevels[i]);
            QCOMPARE(canvas().toPage(at), QPoint(256, 300));
        }
        for (int i = 0; i < 4; ++i)
            wheel(at, -1);
        QCOMPARE(canvas().zoom(), 8);
        QCOMPARE(canvas().toPage(at), QPoint(256, 300));
        // The readouts follow the pixel under the pointer.
        QCOMPARE(ui().Panel_TileXY->text(), QStringLiteral("0, 4"));
    }

    // An outline dragged beyond the view scrolls it one tile at a time and
    // grows into the tiles that come into sight.
    void anOutlineDraggedBeyondTheViewScrollsItAlong() {
        sprite(64, 8, 8);  // 512 x 64
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));  // 4x: 2048 wide
        canvas().scrollToOrigin();
        press({3, 3});
        const QScrollBar* h = canvas().horizontalScrollBar();
        const int before = h->value();
        const QPoint beyond = view()->mapToGlobal(QPoint(view()->width() + 20, 20));
        QCursor::setPos(beyond);
        main_->blockTool().Timer_ScrollTimer();
        QCOMPARE(h->value(), before + 8 * 4);
        const QPoint under = canvas().toPage(view()->mapFromGlobal(QPointF(beyond)));
        QCOMPARE(main_->blockTool().outlineRect().right(), snap(under.x(), 8) + 7);
        release({3, 3});
    }

    // Zoomed in: the write-back keeps the view where it is, a plain wheel
    // step scrolls a few lines rather than a whole view, a carried block near
    // the view's edge scrolls it, and the pixel grid switch is off where no
    // grid is drawn, keeping the choice.
    void theViewStaysWithTheWorkWhenZoomedIn() {
        sprite(32, 32, 16);  // 512 x 512
        QVERIFY(!main_->status().pixelGrid->isEnabled());
        keys(QKeySequence(Qt::CTRL | Qt::Key_G));
        QVERIFY(main_->status().pixelGrid->isChecked());
        for (int i = 0; i < 5; ++i)
            keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));  // 8x: 4096 wide
        QCOMPARE(canvas().zoom(), 8);
        QVERIFY(main_->status().pixelGrid->isEnabled());
        QVERIFY(canvas().pixelGrid());
        QScrollBar* h = canvas().horizontalScrollBar();
        QScrollBar* v = canvas().verticalScrollBar();

        bringTo({300, 200}, {100, 100});
        const int left = h->value(), top = v->value();
        QWheelEvent plain(QPointF(50, 50), view()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &plain);
        QVERIFY(v->value() > top);
        QVERIFY(v->value() - top < view()->height() / 2);
        v->setValue(top);

        press({300, 200});
        release({300, 200});  // lifts tile (18, 12)
        QVERIFY(main_->blockTool().blockShown());
        main_->pageCommands().Btn_MoveRightClick();
        main_->blockTool().Btn_MoveOkClick();
        QCOMPARE(h->value(), left);
        QCOMPARE(v->value(), top);

        press({300, 200});
        release({300, 200});
        const QPoint nearEdge = view()->mapToGlobal(QPoint(view()->width() - 5, 100));
        QCursor::setPos(nearEdge);
        main_->blockTool().Timer_ScrollTimer();
        QCOMPARE(h->value(), left + 16 * 8);
        const QPoint under = canvas().toPage(view()->mapFromGlobal(QPointF(nearEdge)));
        QCOMPARE(main_->blockTool().captureRect().topLeft(),
                 QPoint(snap(under.x(), 16), snap(under.y(), 16)));
        // Far from the view (over the toolbar, say) nothing scrolls.
        QCursor::setPos(view()->mapToGlobal(QPoint(view()->width() + 200, 100)));
        main_->blockTool().Timer_ScrollTimer();
        QCOMPARE(h->value(), left + 16 * 8);
    }

    // At every zoom, 1x included, a block carried to the view's edge scrolls
    // the view a tile at a time and follows the pointer.
    void aCarriedBlockScrollsTheViewAtEveryZoom() {
        sprite(128, 2, 16);  // 2048 wide: wider than the view at 1x
        QScrollBar* h = canvas().horizontalScrollBar();
        for (const int zoom : {1, 2, 8}) {
            while (canvas().zoom() < zoom)
                keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
            QCOMPARE(canvas().zoom(), zoom);
            QCoreApplication::processEvents();
            h->setValue(0);
            press({3, 3});
            release({3, 3});
            const QPoint nearEdge = view()->mapToGlobal(QPoint(view()->width() - 5, 10));
            QCursor::setPos(nearEdge);
            main_->blockTool().Timer_ScrollTimer();
            QCOMPARE(h->value(), 16 * zoom);
            const QPoint under = canvas().toPage(view()->mapFromGlobal(QPointF(nearEdge)));
            QCOMPARE(main_->blockTool().captureRect().topLeft(),
                     QPoint(snap(under.x(), 16), snap(under.y(), 16)));
            main_->blockTool().putAwayByHand();
        }
    }

    // Area rectangles are dragged out at pixel grain and drawn where they lie.
    void areaRectanglesAtAZoom() {
        sprite(8, 4, 8);  // 64 x 32: 256 x 128 at 4x
        for (int i = 0; i < 3; ++i)
            keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        QCoreApplication::processEvents();
        ui().Cb_CrossIndex->setCurrentIndex(1);
        press({9, 10});
        move({12, 14});
        release({12, 14});
        QCOMPARE((*current().areas[0])[9], (AreaRect{1, 2, 4, 6}));
        const QImage shot = view()->grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        const QPoint corner = canvas().toView({9, 10});
        QCOMPARE(shot.pixelColor(corner * dpr), QColor(Qt::yellow));
        QCOMPARE(shot.pixelColor((corner + QPoint(1, 1)) * dpr),
                 entryColour(static_cast<int>(numbered(9, 10))));
    }

    void theStatusBarFollowsThePageAndThePalette() {
        QVERIFY(uitest::newSprite(*main_, 4, 2, 8, 8, QStringLiteral("S"), kMode8));
        // Sprite pages with the default palette show black: the hint says so.
        QVERIFY(main_->status().hint->isVisible());
        QVERIFY(main_->status().hint->text().contains(QStringLiteral("팔레트 적용")));
        QCOMPARE(main_->status().gpf->text(), gpfText(0));  // the readouts start at pixel 0, 0
        QCOMPARE(main_->status().undo->text(), QStringLiteral("되돌리기 1단계"));
        main_->record(applySpritePalette(main_->workspace(), rainbow()));
        main_->showCurrent();
        QVERIFY(!main_->status().hint->isVisible());
        QCOMPARE(main_->status().undo->text(), QStringLiteral("되돌리기 2단계"));
        // Only a page drawn black: one with colours of its own, or of 16
        // bits, shows them whatever the sprite palette.
        main_->workspace().palette = Palette{};
        main_->showCurrent();
        QVERIFY(!main_->status().hint->isVisible());
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, QStringLiteral("D"), kMode16));
        QVERIFY(!main_->status().hint->isVisible());
        uitest::addPicture(*main_, 8, 8);
        main_->Lb_TgaClick();  // not for pictures
        QVERIFY(!main_->status().hint->isVisible());
        // One message at a time: a line on the status bar stands for the hint.
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, QStringLiteral("B"), kMode8));
        QVERIFY(main_->status().hint->isVisible());
        main_->tools().explain(QStringLiteral("..."));
        main_->showCurrent();
        QVERIFY(!main_->status().hint->isVisible());
        ui().Status_Bar->clearMessage();
        QVERIFY(main_->status().hint->isVisible());
        // Pages the format cannot hold say why.
        Page& deep = uitest::addPicture(*main_, 8, 8);
        QVERIFY(createSinglePage(deep, 8, 8, kMode16));
        main_->showOnly(ListId::Pictures, 1);
        QCOMPARE(main_->status().gpf->text(),
                 QStringLiteral("GPF: ") + uitest::fromView(texts::kGpfOnly8Bit));
    }

    // The zoom and the pixel grid come back at the next start, from the
    // platform's settings (here the test's own folder).
    void zoomAndPixelGridAreKeptForTheNextStart() {
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        keys(QKeySequence(Qt::CTRL | Qt::Key_G));
        QVERIFY(canvas().pixelGrid());
        QCOMPARE(canvas().zoom(), 3);
        QVERIFY(QSettings().fileName().startsWith(state_->folder()));
        main_.reset();
        start();
        QCOMPARE(canvas().zoom(), 3);
        QVERIFY(canvas().pixelGrid());
        QVERIFY(main_->status().pixelGrid->isChecked());
        QCOMPARE(main_->status().zoom->text(), QStringLiteral("배율 300%"));
        keys(QKeySequence(Qt::CTRL | Qt::Key_G));
        QVERIFY(!canvas().pixelGrid());
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
