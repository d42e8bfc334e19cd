#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "block_tool.h"
#include "form_ani.h"
#include "form_main.h"
#include "form_palette.h"
#include "form_tile.h"
#include "image/palette.h"
#include "render/page_render.h"
#include "system/config.h"
#include "ui_form_ani.h"
#include "ui_form_main.h"
#include "ui_form_palette.h"
#include "ui_form_tile.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

// A palette whose entries all differ from each other and from black.
Palette rainbow(int seed) {
    Palette palette{};
    for (int n = 0; n < kPaletteEntries; ++n) {
        palette[n * 3 + 0] = static_cast<std::uint8_t>(n);
        palette[n * 3 + 1] = static_cast<std::uint8_t>(255 - n);
        palette[n * 3 + 2] = static_cast<std::uint8_t>((n * 7 + seed) % 256);
    }
    return palette;
}

QColor entryColor(const Palette& palette, int n) {
    return QColor(palette[n * 3 + 0], palette[n * 3 + 1], palette[n * 3 + 2]);
}

// Fills tile i of the page with palette index i + 1.
void numberTiles(Page& page) {
    for (int i = 0; i < page.tileCount; ++i) {
        const int left = (i % page.cols) * page.tileWidth;
        const int top = (i / page.cols) * page.tileHeight;
        for (int y = 0; y < page.tileHeight; ++y)
            for (int x = 0; x < page.tileWidth; ++x)
                putPixel(page, left + x, top + y, static_cast<std::uint32_t>(i + 1));
    }
}

// The editor of these tests: its sprite pages take a palette of distinct colours.
struct Editor : uitest::Editor {
    explicit Editor(MessageSink& sink) : uitest::Editor(sink) {
        main.workspace().palette = rainbow(0);
    }
};

// A picture in the TGA store, listed as the current entry of the TGA list.
Page& addTga(Editor& e, int width, int height, int mode, const char* name) {
    Page& page = uitest::addPicture(e.main, width, height, name);
    if (mode != kMode8) {
        createSinglePage(page, width, height, mode);
        page.kind = kKindTga;
        setPageName(page, name);
    }
    e.ui().Lb_Tga->setCurrentEntry(e.ui().Lb_Tga->count() - 1);
    return page;
}

// A pointer move over `widget` with no button held, as the window system reports it.
void movePointer(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QPoint centredOver(const QWidget& main, const QWidget& own) {
    const QRect m = main.frameGeometry(), o = own.frameGeometry();
    return QPoint(m.left() + (m.width() - o.width()) / 2, m.top() + (m.height() - o.height()) / 2);
}

}  // namespace

class ViewDialogsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    uitest::Recorder silent_;

    // A sprite page of cols x rows tiles, tile i painted with index i + 1, shown.
    static Page& addSprite(Editor& e, int tw, int th, int cols, int rows) {
        uitest::newSprite(e.main, cols, rows, tw, th, QStringLiteral("S"), kMode8);
        Page& page = *e.main.workspace().currentPage();
        numberTiles(page);
        e.main.Lb_SprClick();
        return page;
    }

    // The tile shown in the preview, by its colour (tile i holds index i + 1).
    static int shownTile(Editor& e) {
        const QImage& frame = e.aniWin.form().Image_Put->picture();
        if (frame.isNull()) return -1;
        const QColor colour = frame.pixelColor(0, 0);
        for (int n = 1; n < kPaletteEntries; ++n)
            if (entryColor(e.main.workspace().palette, n) == colour) return n - 1;
        return -1;
    }
    static QList<int> nextFrames(Editor& e, int count) {
        QList<int> tiles;
        for (int i = 0; i < count; ++i) {
            e.aniWin.Timer_AniTimer();
            tiles.append(shownTile(e));
        }
        return tiles;
    }

  private slots:
    void init() { state_ = std::make_unique<uitest::FreshState>(); }
    void cleanup() { state_.reset(); }

    // Palette view.

    void thePaletteShownFollowsTheCurrentPicture() {
        Editor e(silent_);
        e.main.Btn_ShowPaletteClick();  // no page at all
        QVERIFY(e.paletteWin.isVisible());
        QVERIFY(e.paletteWin.shownPalette() == e.main.workspace().palette);
        e.paletteWin.close();

        // A sprite page with a palette of its own still shows the default one.
        Page& sprite = addSprite(e, 8, 8, 1, 1);
        setPagePalette(sprite, rainbow(1));
        e.main.Btn_ShowPaletteClick();
        QVERIFY(e.paletteWin.shownPalette() == e.main.workspace().palette);
        e.paletteWin.close();

        // An 8-bit picture shown from the TGA list shows its own palette once
        // it is selected there.
        Page& picture = addTga(e, 8, 8, kMode8, "PIC");
        setPagePalette(picture, rainbow(2));
        e.main.Lb_TgaClick();
        e.main.Btn_ShowPaletteClick();
        QVERIFY(e.paletteWin.shownPalette() == e.main.workspace().palette);
        e.paletteWin.close();
        e.ui().Lb_Tga->selectEntry(0);
        e.main.Btn_ShowPaletteClick();
        QVERIFY(e.paletteWin.shownPalette() == picture.palette);
        const QImage& box = e.paletteWin.form().Image_PaletteBox->picture();
        QCOMPARE(box.pixelColor(3 * 16 + 8, 2 * 16 + 8), entryColor(picture.palette, 35));
        e.paletteWin.close();

        // A 16-bit picture, current and selected, shows the default palette.
        Page& deep = addTga(e, 8, 8, kMode16, "DEEP");
        setPagePalette(deep, rainbow(3));
        e.ui().Lb_Tga->selectEntry(1);
        e.main.Lb_TgaClick();
        QCOMPARE(uitest::current(e.main), uitest::pictureAt(1));
        e.main.Btn_ShowPaletteClick();
        QVERIFY(e.paletteWin.shownPalette() == e.main.workspace().palette);
        e.paletteWin.close();

        // Every showing chooses again: a new default palette is seen at once.
        e.main.workspace().palette = rainbow(4);
        e.main.Btn_ShowPaletteClick();
        QCOMPARE(e.paletteWin.form().Image_PaletteBox->picture().pixelColor(8, 8),
                 entryColor(rainbow(4), 0));
    }

    void theSwatchesFillTheBoxAndThePointerReadsTheirNumbers() {
        Editor e(silent_);
        e.main.Btn_ShowPaletteClick();
        QVERIFY(QTest::qWaitForWindowExposed(&e.paletteWin));
        QCOMPARE(e.paletteWin.size(), QSize(275, 306));
        QCOMPARE(e.paletteWin.frameGeometry().topLeft(), centredOver(e.main, e.paletteWin));
        ImageView* box = e.paletteWin.form().Image_PaletteBox;
        QCOMPARE(box->geometry(), QRect(9, 10, 256, 256));
        const QImage& picture = box->picture();
        QCOMPARE(picture.size(), QSize(256, 256));
        for (int n = 0; n < kPaletteEntries; ++n) {
            const int left = (n % 16) * 16, top = (n / 16) * 16;
            QCOMPARE(picture.pixelColor(left + 1, top + 1),
                     entryColor(e.main.workspace().palette, n));
            QCOMPARE(picture.pixelColor(left + 14, top + 14),
                     entryColor(e.main.workspace().palette, n));
            QCOMPARE(picture.pixelColor(left, top + 7), QColor(Qt::black));
            QCOMPARE(picture.pixelColor(left + 15, top + 7), QColor(Qt::black));
        }

        QLabel* number = e.paletteWin.form().Panel_PalNumber;
        QCOMPARE(number->text(), QStringLiteral("0"));
        movePointer(box, QPoint(40, 20));
        QCOMPARE(number->text(), QStringLiteral("18"));
        movePointer(box, QPoint(255, 255));
        QCOMPARE(number->text(), QStringLiteral("255"));
        movePointer(box, QPoint(15, 16));
        QCOMPARE(number->text(), QStringLiteral("16"));
        movePointer(box, QPoint(0, 0));
        QCOMPARE(number->text(), QStringLiteral("0"));
        // Moves reported outside the box while a button is held point at no swatch.
        e.paletteWin.Image_PaletteBoxMouseMove(300, 40);
        e.paletteWin.Image_PaletteBoxMouseMove(-3, 40);
        QCOMPARE(number->text(), QStringLiteral("0"));
    }

    void everyViewGivesTheMainWindowBackHoweverItIsHidden() {
        Editor e(silent_);
        addSprite(e, 16, 16, 2, 1);
        const QList<std::pair<TDialogBase*, QPushButton*>> views = {
            {&e.paletteWin, e.paletteWin.form().Btn_Ok},
            {&e.aniWin, e.aniWin.form().Btn_Ok},
            {&e.tileWin, e.tileWin.form().Btn_Ok}};
        for (const auto& [view, ok] : views) {
            view->open();
            QVERIFY(view->isVisible() && !e.main.isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!view->isVisible() && e.main.isEnabled());
            view->open();
            view->close();  // the close box
            QVERIFY(!view->isVisible() && e.main.isEnabled());
        }
        QVERIFY(!e.aniWin.Timer_Ani.isActive());
    }

    // Animation preview.

    void framesRunInReadingOrderStartingWithTileOne() {
        Editor e(silent_);
        addSprite(e, 8, 8, 4, 1);
        e.main.Btn_ShowAniClick();
        QVERIFY(e.aniWin.Timer_Ani.isActive());
        QCOMPARE(e.aniWin.Timer_Ani.interval(), 40);
        QCOMPARE(nextFrames(e, 6), (QList<int>{1, 2, 3, 0, 1, 2}));
        e.aniWin.close();

        // Rows follow each other; each showing starts again from tile 0.
        addSprite(e, 8, 8, 2, 2);
        e.main.Btn_ShowAniClick();
        QCOMPARE(e.aniWin.frameX(), 0);
        QCOMPARE(e.aniWin.frameY(), 0);
        QCOMPARE(nextFrames(e, 5), (QList<int>{1, 2, 3, 0, 1}));
        e.aniWin.close();

        // One tile: tile 0 at every tick.
        addSprite(e, 8, 8, 1, 1);
        e.main.Btn_ShowAniClick();
        QCOMPARE(nextFrames(e, 2), (QList<int>{0, 0}));
    }

    void aLiftedBlockPlaysOnlyItsOwnTiles() {
        Editor e(silent_);
        QVERIFY(QTest::qWaitForWindowExposed(&e.main));
        addSprite(e, 16, 16, 4, 1);
        // Lift tiles 1 to 3 of the page.
        e.main.blockTool().Image_PageMouseDown(Qt::LeftButton, 20, 5);
        e.main.blockTool().Image_PageMouseMove(60, 5);
        e.main.blockTool().Image_PageMouseUp(Qt::LeftButton, 60, 5);
        QCOMPARE(e.main.blockTool().lifted().block.cols, 3);
        QVERIFY(e.main.blockTool().blockShown());

        e.main.Btn_ShowAniClick();
        QCOMPARE(e.aniWin.size(), QSize(200, 200));  // still the page's tile size
        QCOMPARE(nextFrames(e, 4), (QList<int>{2, 3, 1, 2}));
        e.aniWin.close();

        // With the block written back the whole page plays again.
        e.main.blockTool().Btn_MoveOkClick();
        QVERIFY(!e.main.blockTool().blockShown());
        e.main.Btn_ShowAniClick();
        QCOMPARE(nextFrames(e, 4), (QList<int>{1, 2, 3, 0}));
    }

    void thePreviewIsSizedByTheTileAndCentredOnTheScreen() {
        Editor e(silent_);
        addSprite(e, 16, 16, 2, 1);
        e.main.Btn_ShowAniClick();
        Ui::TAniWin& form = e.aniWin.form();
        // The speed label is always whole inside the window, clear of the
        // other controls.
        const auto labelIsClear = [&] {
            const QRect label = form.Label1->geometry();
            return e.aniWin.rect().contains(label) &&
                   !label.intersects(form.Edit_Delay->geometry()) &&
                   !label.intersects(form.Btn_Ok->geometry()) &&
                   !label.intersects(form.Image_Put->geometry());
        };
        QCOMPARE(e.aniWin.size(), QSize(200, 200));
        QCOMPARE(form.Btn_Ok->geometry(), QRect(105, 167, 87, 25));
        QCOMPARE(form.Edit_Delay->geometry(), QRect(24, 170, 73, 20));
        QVERIFY(labelIsClear());
        QCOMPARE(form.Image_Put->geometry(), QRect(92, 11, 16, 16));
        const QRect screen = e.aniWin.screen()->geometry();
        const QRect own = e.aniWin.frameGeometry();
        QCOMPARE(own.left(), screen.left() + std::max(0, (screen.width() - own.width()) / 2));
        QCOMPARE(own.top(), screen.top() + std::max(0, (screen.height() - own.height()) / 2));
        e.aniWin.Timer_AniTimer();
        QCOMPARE(form.Image_Put->picture().size(), QSize(16, 16));
        e.aniWin.close();

        addSprite(e, 300, 250, 1, 1);
        e.main.Btn_ShowAniClick();
        QCOMPARE(e.aniWin.size(), QSize(340, 302));
        QCOMPARE(form.Image_Put->geometry(), QRect(20, 11, 300, 250));
        QCOMPARE(form.Btn_Ok->pos(), QPoint(245, 269));
        // Where it fits, the label keeps its place left of the speed field.
        QCOMPARE(form.Label1->geometry().right() + 5, form.Edit_Delay->x());
        QCOMPARE(form.Label1->y(), form.Edit_Delay->y() + 3);
        e.aniWin.close();

        addSprite(e, 170, 300, 1, 1);  // narrow and tall
        e.main.Btn_ShowAniClick();
        QVERIFY(labelIsClear());
    }

    void theSpeedMovesInStepsOfFiveAndSetsTheInterval() {
        Editor e(silent_);
        addSprite(e, 8, 8, 4, 1);
        e.main.Btn_ShowAniClick();
        QSpinBox* speed = e.aniWin.form().Edit_Delay;
        QTimer& timer = e.aniWin.Timer_Ani;
        QCOMPARE(speed->value(), 25);

        // Typing changes nothing; the arrow keys step by 5.
        speed->setFocus();
        QTest::keyClicks(speed, QStringLiteral("7"));
        QCOMPARE(speed->value(), 25);
        QVERIFY(speed->findChild<QLineEdit*>()->isReadOnly());
        QTest::keyClick(speed, Qt::Key_Up);
        QCOMPARE(speed->value(), 30);
        QCOMPARE(timer.interval(), 33);
        speed->setValue(100);
        speed->stepUp();
        QCOMPARE(speed->value(), 100);
        QCOMPARE(timer.interval(), 10);
        QTRY_VERIFY(e.aniWin.frameX() != 0);  // the timer itself moves the frames
        speed->setValue(5);
        QCOMPARE(timer.interval(), 200);

        // At 0 frames per second the frame is held; raising the speed goes on.
        speed->stepDown();
        QCOMPARE(speed->value(), 0);
        QVERIFY(!timer.isActive());
        const int held = e.aniWin.frameX();
        speed->stepDown();
        QCOMPARE(speed->value(), 0);
        QTest::qWait(30);
        QCOMPARE(e.aniWin.frameX(), held);
        speed->stepUp();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 200);

        // Shown again at 0, the preview waits for a speed.
        speed->setValue(0);
        e.aniWin.close();
        e.main.Btn_ShowAniClick();
        QVERIFY(!timer.isActive());
        speed->setValue(50);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 20);
        // Changing the speed while hidden does not start it.
        e.aniWin.close();
        speed->setValue(60);
        QVERIFY(!timer.isActive());
    }

    // Whole-image view.

    void theViewIsFittedToThePageProportions() {
        Editor e(silent_);
        addSprite(e, 256, 128, 1, 1);
        e.main.Btn_ShowPageClick();
        QVERIFY(e.tileWin.isVisible());
        Ui::TTileWin& form = e.tileWin.form();
        const QSize frame = e.tileWin.frameGeometry().size() - e.tileWin.size();
        QCOMPARE(e.tileWin.frameGeometry().width(), 600);
        int clientWidth = 600 - frame.width();
        QCOMPARE(e.tileWin.height(), clientWidth / 2 + 40);
        QCOMPARE(form.Image_Tile->size(), QSize(clientWidth, clientWidth / 2));
        QCOMPARE(form.Image_Tile->picture().size(), form.Image_Tile->size());
        QCOMPARE(form.Btn_Ok->pos(), QPoint(clientWidth - 103 - 8, clientWidth / 2 + 40 - 33));
        QCOMPARE(e.tileWin.frameGeometry().topLeft(), centredOver(e.main, e.tileWin));
        e.tileWin.close();

        // Taller than wide: the height is kept and the width follows, truncated.
        addSprite(e, 128, 256, 1, 1);
        e.main.Btn_ShowPageClick();
        QCOMPARE(e.tileWin.frameGeometry().height(), 600);
        const int clientHeight = 600 - frame.height();
        clientWidth = static_cast<int>((clientHeight - 40) * 128.0 / 256.0);
        QCOMPARE(e.tileWin.size(), QSize(clientWidth, clientHeight));
        QCOMPARE(form.Image_Tile->size(), QSize(clientWidth, clientHeight - 40));
        QCOMPARE(e.tileWin.frameGeometry().topLeft(), centredOver(e.main, e.tileWin));
        e.tileWin.close();

        // The stride counts, not the width: 13 x 16 with stride 16 is square.
        addSprite(e, 13, 16, 1, 1);
        e.main.Btn_ShowPageClick();
        QCOMPARE(form.Image_Tile->height(), form.Image_Tile->width());

        // A page so narrow that the fitted client could not hold the button.
        e.tileWin.close();
        addSprite(e, 4, 2000, 1, 1);
        e.main.Btn_ShowPageClick();
        QVERIFY(e.tileWin.width() >= 103 + 16);
        QVERIFY(form.Btn_Ok->x() >= 0);
        QCOMPARE(form.Image_Tile->width(), 1);
    }

    void theScaledPictureKeepsPixelsWhole() {
        Editor e(silent_);
        Page& page = addSprite(e, 16, 8, 1, 1);
        clearPage(page);
        putPixel(page, 3, 2, 5);
        e.main.Lb_SprClick();
        e.main.Btn_ShowPageClick();
        const QImage& picture = e.tileWin.form().Image_Tile->picture();
        const int w = picture.width(), h = picture.height();
        QCOMPARE(h, w / 2);
        const QColor key = entryColor(e.main.workspace().palette, page.colorKey8);
        const QColor five = entryColor(e.main.workspace().palette, 5);
        // Only the page's two colours appear, the enlarged pixel a solid block
        // about w / 16 square, where the pixel lies in the page.
        QRect block;
        int count = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c != five) QCOMPARE(c, key);
                if (c == five) block |= QRect(x, y, 1, 1), ++count;
            }
        QCOMPARE(count, block.width() * block.height());
        QVERIFY(std::abs(block.width() - w / 16) <= 1 && std::abs(block.height() - h / 8) <= 1);
        QVERIFY(std::abs(block.left() - 3 * w / 16) <= 1 && std::abs(block.top() - h / 4) <= 1);
        e.tileWin.close();
    }

    void aLargePageIsReducedAndPaddingShowsAtTheRight() {
        Editor e(silent_);
        // 1300 x 700: the left half index 1, the right half index 2.
        Page& large = addSprite(e, 650, 700, 2, 1);
        e.main.Btn_ShowPageClick();
        const QImage& picture = e.tileWin.form().Image_Tile->picture();
        const QColor left = entryColor(e.main.workspace().palette, 1),
                     right = entryColor(e.main.workspace().palette, 2);
        QVERIFY(picture.width() < large.stride);
        QCOMPARE(picture.pixelColor(0, 0), left);
        QCOMPARE(picture.pixelColor(picture.width() / 2 - 2, picture.height() - 1), left);
        QCOMPARE(picture.pixelColor(picture.width() / 2 + 2, 0), right);
        e.tileWin.close();

        // 13 pixels wide, stride 16: the three padding columns hold the key.
        Page& narrow = addSprite(e, 13, 13, 1, 1);
        QCOMPARE(narrow.stride, 16);
        e.main.Btn_ShowPageClick();
        const QImage& small = e.tileWin.form().Image_Tile->picture();
        const QColor key = entryColor(e.main.workspace().palette, narrow.colorKey8);
        const int w = small.width();
        QCOMPARE(small.pixelColor(12 * w / 16 + 2, 5), entryColor(e.main.workspace().palette, 1));
        QCOMPARE(small.pixelColor(13 * w / 16 + 2, 5), key);
        QCOMPARE(small.pixelColor(w - 1, 5), key);
    }

    void aSixteenBitPictureIsScaledInItsOwnFormat() {
        Editor e(silent_);
        Page& deep = addTga(e, 8, 4, kMode16, "DEEP");
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x)
                putPixel(deep, x, y, x < 4 ? 0x7C00u : 0x001Fu);
        e.main.Lb_TgaClick();
        e.main.Btn_ShowPageClick();
        const QImage& picture = e.tileWin.form().Image_Tile->picture();
        QCOMPARE(picture.pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(picture.pixelColor(picture.width() - 1, picture.height() - 1), QColor(Qt::blue));
    }

    void stretchingTakesThePixelUnderEachCentre() {
        Page source;
        QVERIFY(createSinglePage(source, 4, 1, kMode24));
        const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::white};
        for (int x = 0; x < 4; ++x)
            putPixel(source, x, 0, colours[x].rgb() & 0xFFFFFF);
        QImage reduced(2, 1, QImage::Format_BGR888);
        renderPageFitted(reduced, source, 0, 0, 4, 1);
        QCOMPARE(reduced.pixelColor(0, 0), QColor(Qt::green));
        QCOMPARE(reduced.pixelColor(1, 0), QColor(Qt::white));
        QImage enlarged(10, 3, QImage::Format_RGB32);  // takes the page's format
        renderPageFitted(enlarged, source, 0, 0, 4, 1);
        QCOMPARE(enlarged.format(), QImage::Format_BGR888);
        const int expected[10] = {0, 0, 1, 1, 1, 2, 2, 3, 3, 3};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 10; ++x)
                QCOMPARE(enlarged.pixelColor(x, y), colours[expected[x]]);
        QImage empty;
        renderPageFitted(empty, source, 0, 0, 4, 1);
        QVERIFY(empty.isNull());
    }
};

QTEST_MAIN(ViewDialogsTest)
#include "view_dialogs_test.moc"
