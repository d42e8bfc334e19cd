#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "block_tool.h"
#include "editor_actions.h"
#include "form_main.h"
#include "form_new.h"
#include "image/palette.h"
#include "system/config.h"
#include "ui_form_main.h"
#include "ui_form_new.h"
#include "ui_test_support.h"

using namespace zentil;
using uitest::Recorder;

namespace {}  // namespace

class PageCommandsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    std::unique_ptr<TNewWin> newWin_;
    Recorder recorder_;

    Ui::TMainWin& ui() { return main_->form(); }
    static QStringList names(PageList* list) { return uitest::entryNames(*list); }
    // A picture in the TGA store: one tile of w x h, pixel value `fill`, key `key`.
    void picture(int w, int h, std::uint8_t fill, std::uint8_t key, const char* name) {
        Page& page = uitest::addPicture(*main_, w, h, name);
        setColorKey(page, fill);
        clearPage(page);
        setColorKey(page, key);
        Palette palette{};
        palette[3] = 77;
        setPagePalette(page, palette);
        ui().Lb_Tga->setCurrentEntry(ui().Lb_Tga->count() - 1);
    }
    void sprites(int count, int tw, int th) {
        for (int i = 0; i < count; ++i) {
            QVERIFY(uitest::newSprite(*main_, 1, 1, tw, th, QString("P%1").arg(i), kMode8));
            putPixel(uitest::sprite(*main_, i), 0, 0, 10 + i);
        }
    }

  private slots:
    void init() {
        recorder_ = Recorder{};
        recorder_.answer = true;
        state_ = std::make_unique<uitest::FreshState>();
        main_ = std::make_unique<TMainWin>();
        newWin_ = std::make_unique<TNewWin>(main_.get());
        main_->setDialogs({newWin_.get()});
        main_->setMessageSink(&recorder_);
        main_->show();
    }
    void cleanup() {
        newWin_.reset();
        main_.reset();
        state_.reset();
    }

    void pageCopyMakesSpritePagesOfTheSelectedPictures() {
        sprites(1, 8, 8);
        for (const char* n : {"A", "B", "C"})
            picture(32, 32, 4, 9, n);
        main_->Lb_TgaClick();
        for (int i = 0; i < 3; ++i)
            ui().Lb_Tga->selectEntry(i);
        main_->pageCommands().BtnPageCopyClick();
        QCOMPARE(names(ui().Lb_Spr), (QStringList{"P0", "NoName1", "NoName2", "NoName3"}));
        const Page& copy = uitest::sprite(*main_, 3);
        QCOMPARE(copy.kind, kKindSprite);
        QCOMPARE(copy.colorKey8, std::uint8_t{9});
        QCOMPARE(int{copy.palette[3]}, 77);
        QCOMPARE(pixelAt(copy, 31, 31), 4u);
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{3});
        QCOMPARE(uitest::current(*main_), uitest::spriteAt(3));
        QCOMPARE(uitest::activeList(*main_), uitest::kListSprite);

        // Fitted to the sprite palette, the copy shows it, as one step.
        Palette grey{};
        for (int i = 0; i < kPaletteEntries * 3; ++i)
            grey[i] = static_cast<std::uint8_t>(i / 3);
        main_->workspace().palette = grey;
        main_->actions().action(QStringLiteral("edit.remapPalette"))->trigger();
        QVERIFY(copy.palette == main_->workspace().palette);
        QCOMPARE(copy.colorKey8, std::uint8_t{9});
        main_->Btn_UndoClick();
        QCOMPARE(int{copy.palette[3]}, 77);
    }

    void sumCopyGathersPagesIntoOneRow() {
        sprites(4, 16, 24);
        for (int i = 0; i < 4; ++i)
            ui().Lb_Spr->selectEntry(i);
        main_->Lb_SprClick();
        main_->pageCommands().BtnSumCopyClick();
        const Page& sum = uitest::sprite(*main_, 4);
        QCOMPARE(sum.width, 64);
        QCOMPARE(sum.height, 24);
        QCOMPARE(sum.cols, 4);
        QCOMPARE(sum.tileWidth, 16);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(pixelAt(sum, j * 16, 0), 10u + j);
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{4});

        // Different sizes: the message, nothing created.
        QVERIFY(uitest::newSprite(*main_, 1, 1, 16, 16, "SMALL", kMode8));
        ui().Lb_Spr->deselectAll();
        ui().Lb_Spr->selectEntry(0);
        ui().Lb_Spr->selectEntry(5);
        main_->pageCommands().BtnSumCopyClick();
        QCOMPARE(recorder_.texts.last(), QStringLiteral("그림 크기가 서로 일치하지 않습니다."));
        QCOMPARE(ui().Lb_Spr->count(), 6);
        // A 16-bit page among 8-bit ones.
        QVERIFY(uitest::newSprite(*main_, 1, 1, 16, 24, "DEEP", kMode16));
        ui().Lb_Spr->deselectAll();
        ui().Lb_Spr->selectEntry(6);
        main_->pageCommands().BtnSumCopyClick();
        QCOMPARE(recorder_.texts.last(), QStringLiteral("다른 색상모드의 그림이 있습니다."));
    }

    void deletingClosesGapsAndMarksTheNextEntry() {
        sprites(5, 4, 4);
        main_->Lb_SprClick();
        ui().Lb_Spr->deselectAll();
        ui().Lb_Spr->selectEntry(1);
        ui().Lb_Spr->selectEntry(3);
        main_->pageCommands().Btn_DeletePageClick();
        QCOMPARE(names(ui().Lb_Spr), (QStringList{"P0", "P2", "P4"}));
        QCOMPARE(pixelAt(uitest::sprite(*main_, 1), 0, 0), 12u);
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{1});
        QCOMPARE(main_->workspace().sprites.size(), 3);

        ui().Lb_Spr->deselectAll();
        ui().Lb_Spr->selectEntry(2);
        main_->pageCommands().Btn_DeletePageClick();
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{1});  // the new last entry

        ui().Lb_Spr->deselectAll();
        main_->pageCommands()
            .Btn_DeletePageClick();  // nothing selected: nothing removed, nothing marked
        QCOMPARE(ui().Lb_Spr->count(), 2);
        QVERIFY(ui().Lb_Spr->selectedRows().isEmpty());

        ui().Lb_Spr->selectEntry(0);
        ui().Lb_Spr->selectEntry(1);
        main_->pageCommands().Btn_DeletePageClick();
        QCOMPARE(ui().Lb_Spr->count(), 0);
        QCOMPARE(ui().Sb_Page->pageFrame().size(), QSize(400, 300));
        QCOMPARE(uitest::current(*main_), PagePlace{});
    }

    void clearAndDeleteAllWorkOnTheirLists() {
        sprites(2, 4, 4);
        picture(8, 8, 3, 0, "PIC");
        main_->Lb_TgaClick();
        ui().Lb_Spr->selectEntry(1);
        main_->pageCommands()
            .Btn_ClearPageClick();  // the TGA list is active: sprite pages are still cleared
        QCOMPARE(pixelAt(uitest::sprite(*main_, 1), 0, 0), 0u);
        QCOMPARE(pixelAt(uitest::picture(*main_, 0), 0, 0), 3u);

        main_->Lb_SprClick();
        recorder_.answer = false;
        main_->pageCommands().Btn_AllDeletePageClick();
        QCOMPARE(recorder_.questions.last(),
                 QStringLiteral("모든 스프라이트 작업 페이지를 삭제하시겠습니까?"));
        QCOMPARE(ui().Lb_Spr->count(), 2);
        recorder_.answer = true;
        main_->pageCommands().Btn_AllDeletePageClick();
        QCOMPARE(ui().Lb_Spr->count(), 0);
        QVERIFY(main_->workspace().sprites.empty());
        QCOMPARE(uitest::activeList(*main_), uitest::kListTga);  // the pictures are shown
        QCOMPARE(ui().Lb_Tga->count(), 1);
        main_->pageCommands().Btn_AllDeletePageClick();
        QCOMPARE(recorder_.questions.last(), QStringLiteral("모든 TGA 페이지를 삭제하시겠습니까?"));
        QCOMPARE(ui().Lb_Tga->count(), 0);
        QCOMPARE(ui().Sb_Page->pageFrame().size(), QSize(400, 300));
    }

    void blockCopyMakesAPageOfTheComposedBlock() {
        picture(32, 32, 6, 0, "PIC");
        main_->Lb_TgaClick();
        ui().Lb_Tga->selectEntry(0);
        main_->pageCommands().Btn_BlockCopyClick();  // nothing lifted yet: nothing happens
        QCOMPARE(ui().Lb_Spr->count(), 0);

        // Make the picture one of 16 x 16 tiles and lift one.
        QVERIFY(setTileGrid(uitest::picture(*main_, 0), 16, 16));
        main_->Lb_TgaClick();
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 20, 3);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 20, 3);
        main_->blockTool().Image_CaptureMouseMove(1, 1);  // composes the view
        main_->pageCommands().Btn_BlockCopyClick();
        QCOMPARE(names(ui().Lb_Spr), QStringList{"NoName0"});
        QCOMPARE(uitest::sprite(*main_, 0).width, 16);
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 5, 5), 6u);
        QVERIFY(!main_->blockTool().blockShown());
        QVERIFY(!ui().Btn_MoveOk->isEnabled());
        QCOMPARE((int)main_->blockTool().state(), 0);
        QCOMPARE(uitest::activeList(*main_), uitest::kListTga);  // the picture stays shown
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{0});

        // Right after a lift, before any move over the block, the copy takes
        // what the block shows.
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 3, 20);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 3, 20);
        main_->pageCommands().Btn_BlockCopyClick();
        QCOMPARE(names(ui().Lb_Spr), (QStringList{"NoName0", "NoName1"}));
        QCOMPARE(pixelAt(uitest::sprite(*main_, 1), 5, 5), 6u);
    }

    void copiesStopAtAFullStore() {
        PageStore& sprites = main_->workspace().sprites;
        for (int i = 0; i < kSpriteCapacity - 1; ++i) {
            sprites.append(std::make_unique<Page>());
            QVERIFY(createSinglePage(sprites.at(i), 1, 1, kMode8));
        }
        ui().Lb_Spr->showPages(sprites);
        picture(4, 4, 1, 0, "A");
        picture(4, 4, 1, 0, "B");
        main_->Lb_TgaClick();
        ui().Lb_Tga->selectEntry(0);
        ui().Lb_Tga->selectEntry(1);
        main_->pageCommands().BtnPageCopyClick();
        QCOMPARE(ui().Lb_Spr->count(), kSpriteCapacity);
        QCOMPARE(recorder_.texts, QStringList{"총 읽어들일 수 있는 파일 수를 초과했습니다."});
    }

    void columnsAreAppliedWithTheButtonOrEnter() {
        QVERIFY(uitest::newSprite(*main_, 5, 2, 4, 4, "TEN", kMode8));
        ui().Edit_Col->setValue(4);
        QTest::keyClick(ui().Edit_Col, Qt::Key_Return);
        const Page& page = uitest::sprite(*main_, 0);
        QCOMPARE(page.cols, 4);
        QCOMPARE(page.rows, 3);
        QCOMPARE(page.tileCount, 12);
        QCOMPARE(ui().Edit_Col->value(), 4);

        // A typed 0 puts the page's column count back in the field, by the
        // button and by Enter, and changes nothing.
        for (const bool enter : {false, true}) {
            ui().Edit_Col->selectAll();
            QTest::keyClicks(ui().Edit_Col, QStringLiteral("0"));
            if (enter)
                QTest::keyClick(ui().Edit_Col, Qt::Key_Return);
            else
                ui().Btn_Col->click();
            QCOMPARE(ui().Edit_Col->text(), QStringLiteral("4"));
            QCOMPARE(page.cols, 4);
            QCOMPARE(page.tileCount, 12);
        }
    }

    void optimisingTrimsTheSelectedSpritePages() {
        for (int i = 0; i < 3; ++i) {
            QVERIFY(uitest::newSprite(*main_, 2, 1, 16, 16, QString("S%1").arg(i), kMode8));
            putPixel(uitest::sprite(*main_, i), 5, 5, 1);
        }
        QVERIFY(uitest::newSprite(*main_, 2, 1, 16, 16, "EMPTY", kMode8));
        for (int i = 0; i < 4; ++i)
            ui().Lb_Spr->selectEntry(i);
        main_->pageCommands().Btn_OptimizeClick();
        for (int i = 0; i < 3; ++i) {
            const Page& p = uitest::sprite(*main_, i);
            QCOMPARE(p.tileWidth, 8);  // m = 5: 16 - 10 = 6, rounded up to 8
            QCOMPARE(p.tileHeight, 1);
            QCOMPARE(p.width, p.cols * p.tileWidth);
            QVERIFY(p.stride >= p.width);
        }
        QCOMPARE(uitest::sprite(*main_, 3).tileWidth, 16);  // all transparent: left alone
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{2});
    }

    void theNewImageDialogMakesAPage() {
        QVERIFY(uitest::newSprite(*main_, 1, 1, 4, 4, "FIRST", kMode8));
        main_->Btn_NewClick();
        QVERIFY(newWin_->isVisible());
        QVERIFY(!main_->isEnabled());
        newWin_->Btn_OkClick();
        QVERIFY(!newWin_->isVisible());
        QVERIFY(main_->isEnabled());
        QCOMPARE(ui().Lb_Spr->item(1)->text(), QStringLiteral("NoName1"));
        QCOMPARE(uitest::sprite(*main_, 1).width, 100);
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{1});

        Ui::TNewWin& form = newWin_->form();
        form.Edit_Col->setValue(3);
        form.Edit_Row->setValue(2);
        form.Edit_TileWidth->setValue(16);
        form.Edit_TileHeight->setValue(24);
        form.Edit_ColorKey->setValue(5);
        main_->Btn_NewClick();
        newWin_->Btn_OkClick();
        const Page& page = uitest::sprite(*main_, 2);
        QCOMPARE(page.width, 48);
        QCOMPARE(page.height, 48);
        QCOMPARE(page.tileCount, 6);
        QCOMPARE(pixelAt(page, 47, 47), 5u);
        QCOMPARE(int{main_->workspace().settings.defaultColorKey8}, 5);

        main_->Btn_NewClick();
        newWin_->Btn_CancelClick();
        QCOMPARE(ui().Lb_Spr->count(), 3);

        // A page whose buffer cannot exist is refused; the dialog still closes.
        form.Edit_TileWidth->setValue(65536);
        form.Edit_TileHeight->setValue(65536);
        main_->Btn_NewClick();
        newWin_->Btn_OkClick();
        QCOMPARE(recorder_.texts.last(), QStringLiteral("이미지를 생성할 수 없습니다."));
        QCOMPARE(ui().Lb_Spr->count(), 3);
        QVERIFY(!newWin_->isVisible());
        QCOMPARE(form.Edit_Col->value(), 3);  // the fields keep their values
    }
};

QTEST_MAIN(PageCommandsTest)
#include "page_commands_test.moc"
