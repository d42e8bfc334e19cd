// The editor's commands as one table of actions: complete in both
// languages, one key for one command, shown by the toolbar, held by the
// menus, listed by the keys window, and each running its command.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "about_box.h"
#include "byte_map_switch.h"
#include "canvas_tools.h"
#include "editor_actions.h"
#include "editor_language.h"
#include "editor_menus.h"
#include "keys_window.h"
#include "page_canvas.h"
#include "ui_test_support.h"
#include "zentil_version.h"

using namespace zentil;

namespace {

// Every text of a tree, each row as "text|keys".
QStringList rowsOf(const QTreeWidget& tree) {
    QStringList rows;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* group = tree.topLevelItem(i);
        rows.append(group->text(0));
        for (int j = 0; j < group->childCount(); ++j)
            rows.append(group->child(j)->text(0) + QLatin1Char('|') + group->child(j)->text(1));
    }
    return rows;
}

QString plainText(const QAction* action) {
    return action->text().remove(QLatin1Char('&'));
}

}  // namespace

class ActionsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<uitest::Recorder> recorder_;
    std::unique_ptr<uitest::Editor> editor_;

    void start() {
        editor_ = std::make_unique<uitest::Editor>(*recorder_);
        QVERIFY(QTest::qWaitForWindowExposed(&editor_->main));
        editor_->main.activateWindow();
    }
    QAction* action(const char* id) { return editor_->main.actions().action(QLatin1String(id)); }

  private slots:
    void init() {
        state_ = std::make_unique<uitest::FreshState>();
        recorder_ = std::make_unique<uitest::Recorder>();
    }
    void cleanup() {
        editor_.reset();
        recorder_.reset();
        state_.reset();
        installLanguage(*qApp, Language::korean());
    }

    // In each language every action has a text and a tooltip of that
    // language, a unique id, keys no other action or focused key has, one
    // place in the menus, and the menus open with Alt and their letter.
    void everyActionIsCompleteInBothLanguages() {
        for (const Language& language : {Language::korean(), Language("en")}) {
            QVERIFY(installLanguage(*qApp, language));
            start();
            TMainWin& main = editor_->main;
            const std::vector<QAction*> actions = main.actions().all();
            QVERIFY(actions.size() >= EditorActions::commands().size() + 6);  // and the tools
            QSet<QString> ids;
            QMap<QKeySequence, QString> owners;
            for (const TMainWin::KeyBinding& binding : main.keyBindings())
                owners.insert(binding.keys, QStringLiteral("focus key"));
            for (const QAction* a : actions) {
                const QString id = a->objectName();
                QVERIFY2(!id.isEmpty() && !ids.contains(id), qPrintable(id));
                ids.insert(id);
                QVERIFY2(!plainText(a).isEmpty() && !a->toolTip().isEmpty(), qPrintable(id));
                // Hangul in Korean, none in English.
                const bool hangul =
                    plainText(a).contains(QRegularExpression(QStringLiteral("[가-힣]")));
                QVERIFY2(hangul == (language == Language::korean()), qPrintable(id + a->text()));
                for (const QKeySequence& k : a->shortcuts()) {
                    QVERIFY2(!owners.contains(k), qPrintable(id + " and " + owners.value(k)));
                    owners.insert(k, id);
                    QVERIFY2(a->toolTip().contains(k.toString(QKeySequence::NativeText)),
                             qPrintable(id));
                }
                int places = 0;
                for (QAction* title : main.menus().bar()->actions())
                    places += title->menu()->actions().count(const_cast<QAction*>(a));
                QVERIFY2(places == 1, qPrintable(id));
            }
            const QStringList titles =
                language == Language::korean()
                    ? QStringList{"파일(&F)", "편집(&E)", "페이지(&P)",
                                  "보기(&V)", "도구(&T)", "도움말(&H)"}
                    : QStringList{"&File", "&Edit", "&Page", "&View", "&Tools", "&Help"};
            const QList<QAction*> bar = main.menus().bar()->actions();
            QCOMPARE(bar.size(), titles.size());
            for (int i = 0; i < bar.size(); ++i) {
                QCOMPARE(bar[i]->text(), titles[i]);
                const QKeySequence alt = QKeySequence::mnemonic(titles[i]);
                QVERIFY(!alt.isEmpty());
                QTest::keySequence(&main, alt);
                QTRY_VERIFY2(bar[i]->menu()->isVisible(), qPrintable(titles[i]));
                bar[i]->menu()->close();
            }
            editor_.reset();
        }
    }

    // The grid's 21 buttons show their actions' texts, tooltips and enabled
    // states, and follow them as the editor changes.
    void theToolbarShowsItsActions() {
        start();
        TMainWin& main = editor_->main;
        std::vector<std::pair<QToolButton*, QAction*>> shown;
        for (QToolButton* button : main.form().Panel_Btn->findChildren<QToolButton*>())
            shown.emplace_back(button, button->defaultAction());
        QCOMPARE(shown.size(), std::size_t{21});
        const auto check = [&] {
            for (const auto& [button, a] : shown) {
                QVERIFY2(a, qPrintable(button->objectName()));
                QCOMPARE(button->text(), plainText(a));
                QCOMPARE(button->toolTip(), a->toolTip());
                QVERIFY2(button->isEnabled() == a->isEnabled(), qPrintable(button->objectName()));
            }
        };
        check();
        QVERIFY(!main.form().Btn_ShowAni->isEnabled() && !main.form().Btn_Undo->isEnabled());
        QVERIFY(uitest::newSprite(main, 2, 1, 16, 16, "A"));
        main.showOnly(ListId::Sprites, 0);
        check();
        QVERIFY(main.form().Btn_ShowAni->isEnabled() && main.form().Btn_Undo->isEnabled());
        // A click on a button runs its command once.
        main.form().BtnPageCopy->click();
        QCOMPARE(main.workspace().sprites.size(), 2);
        QCOMPARE(main.form().Btn_New->text(), QStringLiteral("새로 만들기"));
    }

    // Entries of the menus run their commands through the real action.
    void menuEntriesRunTheirCommands() {
        start();
        TMainWin& main = editor_->main;
        QVERIFY(uitest::newSprite(main, 2, 1, 16, 16, "A"));
        main.showOnly(ListId::Sprites, 0);
        const int pages = main.workspace().sprites.size();
        const struct {
            const char* id;
            std::function<bool()> done;
        } rows[] = {
            {"page.copy", [&] { return main.workspace().sprites.size() == pages + 1; }},
            {"edit.undo",
             [&] {
                 return main.workspace().sprites.size() == pages &&
                        action("edit.redo")->isEnabled();
             }},
            {"edit.redo", [&] { return main.workspace().sprites.size() == pages + 1; }},
            {"view.zoomIn", [&] { return main.canvas().zoom() == 2; }},
            {"view.actualSize",
             [&] { return main.canvas().zoom() == 1 && !action("view.zoomOut")->isEnabled(); }},
            {"view.byteMap",
             [&] { return main.byteMap().shown() && action("view.byteMap")->isChecked(); }},
            {"view.pixelGrid",
             [&] { return main.canvas().pixelGrid() && action("view.pixelGrid")->isChecked(); }},
            {"tools.pencil",
             [&] {
                 return main.tools().current() == ToolId("pencil") &&
                        action("tools.pencil")->isChecked();
             }},
            {"tools.nextColour", [&] { return main.tools().currentColour() == 2; }},
            {"file.new", [&] { return editor_->newWin.isVisible(); }},
        };
        for (const auto& row : rows) {
            QAction* a = action(row.id);
            QVERIFY2(a && a->isEnabled(), row.id);
            a->trigger();
            QVERIFY2(row.done(), row.id);
        }
    }

    // Delete works only in a list; in the canvas it is no command.
    void deleteWorksInTheListsOnly() {
        start();
        TMainWin& main = editor_->main;
        QVERIFY(uitest::newSprite(main, 2, 1, 16, 16, "A"));
        main.showOnly(ListId::Sprites, 0);
        main.canvas().setFocus();
        QTest::keyClick(&main.canvas(), Qt::Key_Delete);
        QCOMPARE(main.workspace().sprites.size(), 1);
        main.form().Lb_Spr->setFocus();
        QTest::keyClick(main.form().Lb_Spr, Qt::Key_Delete);
        QCOMPARE(main.workspace().sprites.size(), 0);
    }

    // With nothing to undo, the undo key still belongs to the window: the
    // column field does not take it for its own text.
    void theHistoryKeysStayTheWindowsWhenDisabled() {
        start();
        auto* text = editor_->main.form().Edit_Col->findChild<QLineEdit*>();
        QVERIFY(text && !action("edit.undo")->isEnabled());
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, "7");
        QTest::keySequence(text, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text->text(), QStringLiteral("7"));
    }

    // F1 lists every command with its keys, menu by menu, and the keys of
    // the canvas; the About box names the version, licence and libraries;
    // the empty canvas says how to begin with the open command's keys.
    void helpListsEveryKey() {
        start();
        TMainWin& main = editor_->main;
        QTest::keyClick(&main, Qt::Key_F1);
        auto* window = main.findChild<QWidget*>(QStringLiteral("Win_Keys"));
        QVERIFY(window && window->isVisible());
        const QStringList rows = rowsOf(*keysList(*window));
        for (const QAction* a : main.actions().all()) {
            const QString row = plainText(a) + QLatin1Char('|') + keyNames(a->shortcuts());
            QVERIFY2(rows.contains(row) || rows.contains(row + QStringLiteral(" (목록에서)")),
                     qPrintable(a->objectName()));
        }
        for (const TMainWin::KeyBinding& binding : main.keyBindings())
            QVERIFY(rows.filter(binding.what + QLatin1Char('|') +
                                binding.keys.toString(QKeySequence::NativeText))
                        .size() == 1);
        QVERIFY(rows.contains(QStringLiteral("파일")));
        // Each key is named once, and not the keys of rare keyboards.
        QCOMPARE(keyNames({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::Key_F14),
                           QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::Key_F2)}),
                 QStringLiteral("Ctrl+Z, F2"));

        const QString about = aboutText();
        for (const char* part : {kVersion, "GPL-3.0-or-later", "Qt ", "libspng", "libdeflate",
                                 "zlib", "libzip", "nlohmann-json"})
            QVERIFY2(about.contains(QLatin1String(part)), part);

        QVERIFY(!main.canvas().showsPage());
        QVERIFY(main.canvas().startHint().contains(QStringLiteral("불러오기 (Ctrl+O)")));
    }
};

QTEST_MAIN(ActionsTest)
#include "actions_test.moc"
