// The keys of the main window: each does what its button does, where it
// applies, and the button's tooltip names it.
#include <QLineEdit>
#include <QtTest>
#include <functional>
#include <memory>

#include "block_tool.h"
#include "canvas_tools.h"
#include "file_dialogs.h"
#include "ui_form_main.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

// Remembers the titles of the file dialogs asked for, and cancels them.
class AskedDialogs final : public FileDialogs {
  public:
    std::optional<FileChoice> openFiles(const FileRequest& r) override { return ask(r); }
    std::optional<FileChoice> saveFile(const FileRequest& r) override { return ask(r); }
    std::optional<SheetCut> sheetCut(const QString&, QSize, const SheetCut&) override {
        return std::nullopt;
    }
    QStringList titles;

  private:
    std::optional<FileChoice> ask(const FileRequest& request) {
        titles.append(request.title);
        return std::nullopt;
    }
};

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<uitest::Recorder> recorder_;
    std::unique_ptr<uitest::Editor> editor_;

  private slots:
    // The editor's windows, the main window active, with one sprite page.
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        recorder_ = std::make_unique<uitest::Recorder>();
        editor_ = std::make_unique<uitest::Editor>(*recorder_);
        QVERIFY(QTest::qWaitForWindowExposed(&editor_->main));
        editor_->main.activateWindow();
        QVERIFY(uitest::newSprite(editor_->main, 2, 1, 16, 16, "A"));
    }
    void cleanup() {
        editor_.reset();
        recorder_.reset();
        state_.reset();
    }

    void everyKeyDoesWhatItsButtonDoes() {
        uitest::Editor& e = *editor_;
        recorder_->answer = true;
        AskedDialogs dialogs;
        e.main.setFileDialogs(&dialogs);
        QVERIFY(uitest::newSprite(e.main, 2, 1, 16, 16, "B"));
        Page& b = uitest::sprite(e.main, 1);
        putPixel(b, 5, 5, 9);
        Ui::TMainWin& ui = e.ui();
        const auto lift = [&] {
            e.main.blockTool().Image_PageMouseDown(Qt::LeftButton, 1, 1);
            e.main.blockTool().Image_PageMouseUp(Qt::LeftButton, 1, 1);
        };

        const struct {
            const char* what;
            QKeySequence keys;
            QWidget* focus;  // where the key is pressed
            std::function<void()> before;
            std::function<bool()> done;
        } rows[] = {
            {"save", QKeySequence(Qt::CTRL | Qt::Key_S), &e.main, [] {},
             [&] { return dialogs.titles == QStringList{"저장하기"}; }},
            {"load", QKeySequence(Qt::CTRL | Qt::Key_O), ui.Lb_Tga, [] {},
             [&] { return dialogs.titles.last() == QStringLiteral("불러오기"); }},
            {"nudge", QKeySequence(Qt::Key_Left), ui.Sb_Page, [] {},
             [&] { return pixelAt(b, 4, 5) == 9u; }},
            {"escape", QKeySequence(Qt::Key_Escape), ui.Sb_Page, lift,
             [&] { return !e.main.blockTool().blockShown(); }},
            {"write back", QKeySequence(Qt::Key_Return), ui.Sb_Page,
             [&] {
                 lift();
                 e.main.pageCommands().Btn_MoveRightClick();  // the block moves inside itself
             },
             [&] { return !e.main.blockTool().blockShown() && pixelAt(b, 5, 5) == 9u; }},
            {"delete", QKeySequence(Qt::Key_Delete), ui.Lb_Spr,
             [&] { e.main.showOnly(ListId::Sprites, 0); },
             [&] { return uitest::entryNames(*ui.Lb_Spr) == QStringList{"B"}; }},
            {"new", QKeySequence(Qt::CTRL | Qt::Key_N), ui.Lb_Spr, [] {},
             [&] { return e.newWin.isVisible(); }},
        };
        for (const auto& row : rows) {
            row.before();
            row.focus->setFocus();
            QTest::keySequence(row.focus, row.keys);
            QVERIFY2(row.done(), row.what);
        }

        // Every button with a key names it in its tooltip.
        for (const TMainWin::KeyBinding& binding : e.main.keyBindings())
            if (binding.button)
                QVERIFY2(binding.button->toolTip().contains(
                             binding.keys.toString(QKeySequence::NativeText)),
                         qPrintable(binding.button->objectName()));
    }

    // Escape, Return and the nudges go to the current tool first; what it
    // does not take the window does: an arrow or a nudge button moves the
    // sprite page.
    void canvasKeysGoToTheCurrentToolFirst() {
        uitest::Editor& e = *editor_;
        Page& a = uitest::sprite(e.main, 0);
        Ui::TMainWin& ui = e.ui();
        CanvasTools& tools = e.main.tools();
        BlockTool& block = e.main.blockTool();
        const auto left = [&] {
            ui.Sb_Page->setFocus();
            QTest::keyClick(ui.Sb_Page, Qt::Key_Left);
        };
        const auto pageAt = [&](int x) { return pixelAt(a, x, 5) == 9u; };
        const struct {
            const char* what;
            ToolId tool;
            bool lift;
            std::function<void()> act;
            std::function<bool()> done;
        } rows[] = {
            {"an arrow with the pencil moves the page", PencilTool::kId, false, left,
             [&] { return pageAt(4); }},
            {"an arrow moves a carried block, not the page, and the block can be copied",
             BlockTool::kId, true, left,
             [&] {
                 return pageAt(5) && pixelAt(block.lifted().block, 4, 5) == 9u &&
                        ui.Btn_BlockCopy->isEnabled();
             }},
            {"the buttons nudge and write back a carried block", BlockTool::kId, true,
             [&] {
                 ui.Btn_MoveRight->click();
                 ui.Btn_MoveOk->click();
             },
             [&] { return pageAt(6) && !block.blockShown(); }},
            {"another tool puts the block away, which can still be copied", BlockTool::kId, true,
             [&] { tools.choose(PencilTool::kId); },
             [&] {
                 return !block.blockShown() && block.hasBlock() && !ui.Btn_MoveOk->isEnabled();
             }},
        };
        for (const auto& row : rows) {
            tools.choose(BlockTool::kId);
            clearPage(a);
            putPixel(a, 5, 5, 9);
            e.main.showOnly(ListId::Sprites, 0);
            if (row.lift) {
                block.Image_PageMouseDown(Qt::LeftButton, 1, 1);
                block.Image_PageMouseUp(Qt::LeftButton, 1, 1);
            }
            tools.choose(row.tool);
            row.act();
            QVERIFY2(row.done(), row.what);
            block.putAwayByHand();
        }
    }

    // A dialog of the toolbar closed with Escape gives the focus back where
    // it was: the canvas keeps its arrows and Enter, the list its Delete.
    void theFocusComesBackWhenADialogCloses() {
        uitest::Editor& e = *editor_;
        const std::pair<void (TMainWin::*)(), QDialog*> dialogs[] = {
            {&TMainWin::Btn_NewClick, &e.newWin},
            {&TMainWin::Btn_ShowAniClick, &e.aniWin},
            {&TMainWin::Btn_ShowPageClick, &e.tileWin},
            {&TMainWin::Btn_ConfigClick, &e.configWin},
            {&TMainWin::Btn_ColorKeyClick, &e.colorKeyWin},
            {&TMainWin::Btn_ChgColorClick, &e.chgColorWin},
            {&TMainWin::Btn_ShowPaletteClick, &e.paletteWin},
        };
        for (const auto& [open, dialog] : dialogs)
            for (QWidget* place :
                 {static_cast<QWidget*>(e.ui().Sb_Page), static_cast<QWidget*>(e.ui().Lb_Spr)}) {
                place->setFocus();
                QTRY_VERIFY(QApplication::focusWidget() == place);
                (e.main.*open)();
                QVERIFY(dialog->isVisible());
                QTest::keyClick(dialog, Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
                QTRY_VERIFY2(QApplication::focusWidget() == place,
                             qPrintable(dialog->objectName()));
            }
    }

    // Undo and redo keys step through the history also while the column
    // field has the focus, right after typing into it.
    void historyKeysWorkInTheColumnField() {
        uitest::Editor& e = *editor_;
        QVERIFY(uitest::newSprite(e.main, 4, 1, 16, 16, "B"));
        auto* text = e.ui().Edit_Col->findChild<QLineEdit*>();
        QVERIFY(text);
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, "2");
        QTest::keyClick(e.ui().Edit_Col, Qt::Key_Return);
        QCOMPARE(uitest::sprite(e.main, 1).cols, 2);
        for (const auto& [keys, cols] :
             {std::pair{QKeySequence(QKeySequence::Undo), 4},
              std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), 2},
              std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), 4},
              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), 2}}) {
            text->setFocus();
            QTest::keySequence(text, keys);
            QCOMPARE(uitest::sprite(e.main, 1).cols, cols);
        }
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
