// The history in the window: the undo and redo buttons and keys, one step
// for a press that stamps, and the question when unsaved work would be lost.
#include <QtTest>
#include <memory>

#include "block_tool.h"
#include "form_main.h"
#include "ui_form_main.h"
#include "ui_test_support.h"

using namespace zentil;

class UndoTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    uitest::Recorder recorder_;

    Ui::TMainWin& ui() { return main_->form(); }
    void key(int keyCode, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(main_.get(), static_cast<Qt::Key>(keyCode), modifiers);
    }

  private slots:
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        recorder_ = uitest::Recorder{};
        main_ = std::make_unique<TMainWin>();
        main_->setMessageSink(&recorder_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        main_->activateWindow();
    }
    void cleanup() {
        recorder_.answer = true;  // closing never waits on a question here
        main_.reset();
        state_.reset();
    }

    // Buttons and keys take edits back and do them again; the buttons
    // follow what can be done.
    void buttonsAndKeysUndoAndRedo() {
        QVERIFY(!ui().Btn_Undo->isEnabled() && !ui().Btn_Redo->isEnabled());
        QVERIFY(uitest::newSprite(*main_, 2, 1, 8, 8, "A"));
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, "B"));
        putPixel(uitest::sprite(*main_, 0), 3, 3, 7);
        ui().Lb_Spr->deselectAll();
        ui().Lb_Spr->selectEntry(0);
        QTest::mouseClick(ui().Btn_ClearPage, Qt::LeftButton);
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 3, 3), 0u);
        ui().Lb_Spr->selectEntry(1);
        QTest::mouseClick(ui().Btn_DeletePage, Qt::LeftButton);
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), QStringList{});
        QVERIFY(ui().Btn_Undo->isEnabled());

        QTest::mouseClick(ui().Btn_Undo, Qt::LeftButton);  // the delete
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), (QStringList{"A", "B"}));
        key(Qt::Key_Z, Qt::ControlModifier);  // the clear, of A while B was shown
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 3, 3), 7u);
        QCOMPARE(uitest::current(*main_), uitest::spriteAt(1));
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{0});
        key(Qt::Key_Z, Qt::ControlModifier);  // the two new pages
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui().Lb_Spr->count(), 0);
        QVERIFY(!ui().Btn_Undo->isEnabled() && ui().Btn_Redo->isEnabled());

        key(Qt::Key_Y, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::mouseClick(ui().Btn_Redo, Qt::LeftButton);
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 3, 3), 0u);
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), QStringList{});
        QVERIFY(ui().Btn_Undo->isEnabled() && !ui().Btn_Redo->isEnabled());

        // While an outline is being dragged out neither works.
        key(Qt::Key_Z, Qt::ControlModifier);
        main_->Lb_SprClick();
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 2, 2);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pixelAt(uitest::sprite(*main_, 0), 3, 3), 0u);
    }

    // Undo brings back the selection of both lists and the page shown as an
    // edit started from them, redo as it ended them; the next command acts
    // on what is selected then.
    void undoAndRedoBringBackTheSelection() {
        for (const char* name : {"A", "B", "C", "D", "E"})
            QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, name));
        uitest::addPicture(*main_, 8, 8, "P");
        uitest::addPicture(*main_, 8, 8, "Q");
        const auto shows = [this](ListId list, QList<int> sprites, QList<int> pictures,
                                  int current) {
            QCOMPARE(uitest::current(*main_), (PagePlace{list, current}));
            QCOMPARE(ui().Lb_Spr->selectedRows(), sprites);
            QCOMPARE(ui().Lb_Tga->selectedRows(), pictures);
        };
        ui().Lb_Spr->setMarks({{1, 3}, 3});
        ui().Lb_Tga->setMarks({{1}, 0});
        main_->Lb_SprClick();
        QTest::mouseClick(ui().Btn_DeletePage, Qt::LeftButton);
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), (QStringList{"A", "C", "E"}));
        shows(ListId::Sprites, {1}, {1}, 1);

        main_->Btn_UndoClick();
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), (QStringList{"A", "B", "C", "D", "E"}));
        shows(ListId::Sprites, {1, 3}, {1}, 3);
        main_->Btn_RedoClick();
        shows(ListId::Sprites, {1}, {1}, 1);
        QTest::mouseClick(ui().Btn_DeletePage, Qt::LeftButton);
        QCOMPARE(uitest::entryNames(*ui().Lb_Spr), (QStringList{"A", "E"}));

        // A copy of both pictures, then shown on the sprite list, is taken
        // back to the picture list it was made from.
        main_->showOnly(ListId::Pictures, 0);
        ui().Lb_Tga->selectEntry(1);
        ui().Lb_Spr->setMarks({{0}, 0});
        QTest::mouseClick(ui().BtnPageCopy, Qt::LeftButton);
        shows(ListId::Sprites, {3}, {0, 1}, 3);
        main_->Btn_UndoClick();
        shows(ListId::Pictures, {0}, {0, 1}, 0);
        main_->Btn_RedoClick();
        shows(ListId::Sprites, {3}, {0, 1}, 3);
    }

    // A press that stamps while the pointer moves over three tiles is one step.
    void onePressThatStampsIsOneStep() {
        QVERIFY(uitest::newSprite(*main_, 4, 1, 16, 16, "S"));
        Page& page = uitest::sprite(*main_, 0);
        putPixel(page, 1, 1, 9);
        const std::size_t before = main_->history().undoCount();
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 1, 1);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 1, 1);  // the first tile lifted
        main_->blockTool().Image_CaptureMouseDown(Qt::LeftButton, 2, 2);
        for (const int tile : {1, 2, 3})
            main_->blockTool().Image_CaptureMouseMove(
                tile * 16 - main_->blockTool().captureRect().x() + 2, 2);
        main_->blockTool().Image_CaptureMouseUp();
        for (const int tile : {1, 2, 3})
            QCOMPARE(pixelAt(page, tile * 16 + 1, 1), 9u);
        QCOMPARE(main_->history().undoCount(), before + 1);
        main_->Btn_UndoClick();
        for (const int tile : {1, 2, 3})
            QCOMPARE(pixelAt(page, tile * 16 + 1, 1), 0u);
    }

    // Unsaved sprite pages show the mark and make closing ask; No keeps the
    // editor open. Saving clears the mark; an unchanged session closes at once.
    void closingWithUnsavedWorkAsksFirst() {
        main_->close();
        QVERIFY(recorder_.questions.isEmpty());
        main_->show();

        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, "NEW"));
        QVERIFY(main_->isWindowModified());
        recorder_.answer = false;
        main_->close();
        QCOMPARE(recorder_.questions,
                 QStringList{"저장하지 않은 변경 사항이 있습니다. 종료하시겠습니까?"});
        QVERIFY(main_->isVisible());
        QCOMPARE(ui().Lb_Spr->count(), 1);  // nothing was released

        main_->workspace().markSaved(uitest::sprite(*main_, 0));
        main_->pageCommands().Btn_MoveRightClick();  // a nudge is an edit too
        QVERIFY(main_->isWindowModified());
        main_->Btn_UndoClick();
        QVERIFY(!main_->isWindowModified());  // back to what was saved
        recorder_.questions.clear();
        main_->close();
        QVERIFY(recorder_.questions.isEmpty());
        QVERIFY(!main_->isVisible());
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
