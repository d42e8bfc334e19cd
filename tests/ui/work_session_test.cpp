// Work sessions in the window: the workspace saved to a work file and opened
// again, every changed sprite page saved with one key or at close, and a
// picture that follows its file on disk.
#include <QFile>
#include <QStatusBar>
#include <QtTest>
#include <memory>

#include "formats/gpf_file.h"
#include "formats/tga_file.h"
#include "ui_form_main.h"
#include "ui_test_support.h"
#include "work/work_file.h"

using namespace zentil;
using uitest::Recorder;
using uitest::ScriptedDialogs;
using uitest::writePicture;

class WorkSessionTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    ScriptedDialogs dialogs_;
    Recorder recorder_;

    QString path(const QString& name) const { return state_->path(name); }
    Workspace& ws() { return main_->workspace(); }
    void pressSaveAll() {
        QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // A sprite file of one 8 x 8 tile, loaded as the first sprite page.
    Page& loadSprite(const QString& name) {
        Page page;
        createPage(page, 8, 1, 8, 1, kMode8);
        putPixel(page, 1, 1, 5);
        writeSpriteFile(path(name).toStdString(), page);
        main_->loadFiles({path(name)});
        return ws().sprites.at(ws().sprites.size() - 1);
    }

  private slots:
    void init() {
        recorder_ = Recorder{};
        state_ = std::make_unique<uitest::FreshState>();
        dialogs_ = ScriptedDialogs{};
        main_ = std::make_unique<TMainWin>();
        main_->setFileDialogs(&dialogs_);
        main_->setMessageSink(&recorder_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() {
        main_.reset();
        state_.reset();
    }

    void saveAllWritesEachChangedSpritePageAndAsksOnlyForNewOnes() {
        Page& loaded = loadSprite(QStringLiteral("hero.gpf"));
        Page& untouched = loadSprite(QStringLiteral("still.gpf"));
        const QByteArray stillBefore = [&] {
            QFile f(path(QStringLiteral("still.gpf")));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QVERIFY(uitest::newSprite(*main_, 2, 1, 8, 8, QStringLiteral("NEW")));
        putPixel(loaded, 2, 2, 6);
        loaded.revision = ws().nextRevision();
        main_->record(nullptr);
        QVERIFY(main_->isWindowModified());

        // The new page's dialog is cancelled: nothing more is saved and the
        // mark stays.
        dialogs_.answers.push_back({});
        pressSaveAll();
        QCOMPARE(dialogs_.asked.size(), 1);
        QVERIFY(dialogs_.asked[0].filters.first().contains(QStringLiteral("GPF")));
        QVERIFY(main_->isWindowModified());

        dialogs_.answers.push_back({{path(QStringLiteral("new one"))}, 1});
        pressSaveAll();
        QCOMPARE(dialogs_.asked.size(), 2);
        QVERIFY(!main_->isWindowModified());
        Page reread;
        QVERIFY(readSpriteFile(path(QStringLiteral("hero.gpf")).toStdString(), reread, {}));
        QCOMPARE(pixelAt(reread, 2, 2), 6u);
        QVERIFY(readSpriteFile(path(QStringLiteral("new one.GPF")).toStdString(), reread, {}));
        QCOMPARE(ws().sprites.file(2).path, path(QStringLiteral("new one.GPF")).toStdString());
        QFile still(path(QStringLiteral("still.gpf")));
        QVERIFY(still.open(QIODevice::ReadOnly));
        QCOMPARE(still.readAll(), stillBefore);  // unchanged pages are not written
        QVERIFY(!ws().modified(untouched));
        QVERIFY(recorder_.messages.isEmpty());
        QVERIFY(recorder_.questions.isEmpty());  // files loaded here are the editor's own
    }

    void theCloseQuestionCanSaveAllAndStaysOpenWhenASaveFails() {
        Page& page = loadSprite(QStringLiteral("hero.gpf"));
        page.revision = ws().nextRevision();
        main_->record(nullptr);

        // "아니오" keeps the window open; "모두 저장" with a file that cannot
        // be written (one it never saw, so it asks first) reports it and
        // keeps it open too.
        recorder_.choice = 2;
        QVERIFY(!main_->close());
        ws().fileOf(page)->path = path(QStringLiteral("gone/hero.gpf")).toStdString();
        recorder_.choice = 0;
        recorder_.answer = true;
        QVERIFY(!main_->close());
        QCOMPARE(recorder_.texts.size(), 1);
        QVERIFY(ws().modified(page));

        ws().fileOf(page)->path = path(QStringLiteral("hero.gpf")).toStdString();
        putPixel(page, 3, 3, 8);
        QVERIFY(main_->close());
        QCOMPARE(recorder_.questions.size(), 4);
        Page saved;
        QVERIFY(readSpriteFile(path(QStringLiteral("hero.gpf")).toStdString(), saved, {}));
        QCOMPARE(pixelAt(saved, 3, 3), 8u);
    }

    void saveAllAsksOnceBeforeWritingFilesAWorkFileNamed() {
        // Someone else's work file names two files for its unsaved sprite
        // pages, which this editor has neither read nor written.
        QDir().mkpath(path(QStringLiteral("theirs")));
        const QStringList files = {path(QStringLiteral("theirs/hero.gpf")),
                                   path(QStringLiteral("theirs/walk.gpf"))};
        Workspace theirs;
        for (const QString& file : files) {
            QFile kept(file);
            QVERIFY(kept.open(QIODevice::WriteOnly));
            kept.write("keep");
            auto page = std::make_unique<Page>();
            QVERIFY(createPage(*page, 8, 1, 8, 1, kMode8));
            page->kind = kKindSprite;
            page->revision = theirs.nextRevision();  // unsaved
            theirs.sprites.append(std::move(page), PageFile{file.toStdString(), 0});
        }
        const QString work = path(QStringLiteral("theirs.zws"));
        QVERIFY(saveWorkFile(theirs, work.toStdString()));
        main_->loadFiles({work});
        QCOMPARE(ws().sprites.size(), 2);
        const auto contents = [](const QString& file) {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };

        // Shown in one question; "아니오" writes none of them.
        pressSaveAll();
        QCOMPARE(recorder_.questions,
                 QStringList{QString::fromUtf8(texts::kAskSaveToUnfamiliarFiles)});
        QCOMPARE(recorder_.questionDetails.last(), files.join(QLatin1Char('\n')));
        for (const QString& file : files)
            QCOMPARE(contents(file), QByteArray("keep"));
        QVERIFY(main_->isWindowModified());

        recorder_.answer = true;
        pressSaveAll();
        QCOMPARE(recorder_.questions.size(), 2);
        QVERIFY(!main_->isWindowModified());
        Page saved;
        for (const QString& file : files)
            QVERIFY(readSpriteFile(file.toStdString(), saved, {}));

        // Written once, they are the editor's own: the next save asks nothing.
        putPixel(ws().sprites.at(0), 1, 1, 4);
        ws().sprites.at(0).revision = ws().nextRevision();
        main_->record(nullptr);
        pressSaveAll();
        QCOMPARE(recorder_.questions.size(), 2);
        QVERIFY(!main_->isWindowModified());
        QVERIFY(recorder_.messages.isEmpty());
    }

    void aWorkFileBringsTheWholeSessionBack() {
        writePicture(path(QStringLiteral("art.tga")), 6, 4, 3);
        main_->loadFiles({path(QStringLiteral("art.tga"))});
        Page& sprite = loadSprite(QStringLiteral("hero.gpf"));
        putPixel(sprite, 0, 0, 9);
        sprite.revision = ws().nextRevision();
        main_->record(nullptr);
        main_->showOnly(ListId::Pictures, 0);

        // Saved through the save dialog's work file type.
        const QString work = path(QStringLiteral("오늘 작업"));
        main_->files().Btn_SaveSprClick();
        const FileRequest asked = dialogs_.asked.isEmpty() ? FileRequest{} : dialogs_.asked.last();
        const int workFilter =
            static_cast<int>(asked.filters.indexOf(QStringLiteral("작업 파일 (*.zws)"))) + 1;
        QVERIFY(workFilter > 0);
        dialogs_.answers.push_back({{work}, workFilter});
        main_->files().Btn_SaveSprClick();
        QVERIFY(QFile::exists(work + QStringLiteral(".zws")));
        // It is remembered: the load dialog left at its type opens where it is.
        QCOMPARE(WorkSession::lastWorkFile(), work + QStringLiteral(".zws"));
        main_->files().OpenFilterIndex = 4;
        main_->files().Btn_LoadSprClick();
        QCOMPARE(dialogs_.asked.last().filters,
                 (QStringList{"TGA 파일 (*.TGA)", "GPF 파일 (*.GPF)", "PNG 파일 (*.PNG)",
                              "작업 파일 (*.zws)", "모든 포맷 (*.TGA *.GPF *.PNG *.zws)"}));
        QCOMPARE(dialogs_.asked.last().directory, state_->folder());

        // The session changes, then the work file is opened: the unsaved
        // question comes first, and "예" goes on without saving.
        recorder_.answer = true;
        main_->pageCommands().Btn_AllDeletePageClick();
        QVERIFY(uitest::newSprite(*main_, 1, 1, 4, 4, QStringLiteral("OTHER")));
        // A block lifted from it belongs to the session left.
        QTRY_VERIFY(main_->canvasAcceptsClicks());
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 1, 1);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 1, 1);
        QVERIFY(main_->blockTool().carrying());
        recorder_.choice = 1;
        main_->loadFiles({work + QStringLiteral(".zws")});
        QCOMPARE(recorder_.questions.last(),
                 QStringLiteral("저장하지 않은 변경 사항이 있습니다. 작업 파일을 여시겠습니까?"));
        QCOMPARE(ws().pictures.size(), 1);
        QCOMPARE(ws().sprites.size(), 1);
        QCOMPARE(pixelAt(ws().sprites.at(0), 0, 0), 9u);
        QVERIFY(ws().modified(ws().sprites.at(0)));  // it was unsaved when the session was saved
        QCOMPARE(uitest::current(*main_), uitest::pictureAt(0));
        QVERIFY(!main_->history().canUndo());
        QVERIFY(!main_->blockTool().hasBlock());
        QCOMPARE(main_->form().Lb_Tga->count(), 1);
        QCOMPARE(main_->form().Lb_Spr->count(), 1);

        // A damaged work file says so and leaves the session as it is.
        QFile damaged(path(QStringLiteral("damaged.zws")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("PK\x03\x04 not really");
        damaged.close();
        Page* const shown = ws().currentPage();
        recorder_.choice = 1;
        main_->loadFiles({damaged.fileName()});
        QCOMPARE(recorder_.texts.last(), QStringLiteral("작업 파일을 읽을 수 없습니다."));
        QCOMPARE(ws().currentPage(), shown);
        QCOMPARE(ws().sprites.size(), 1);
    }

    void aPictureFollowsItsFileOnDisk() {
        const QString art = path(QStringLiteral("그림.tga"));
        writePicture(art, 6, 4, 3);
        main_->loadFiles({art});
        Page* const page = &ws().pictures.at(0);
        main_->showOnly(ListId::Pictures, 0);
        const QString name = QString::fromStdString(std::string(pageName(*page)));

        // A block lifted from it (the whole one-tile picture) is carried.
        QTRY_VERIFY(main_->canvasAcceptsClicks());
        main_->blockTool().Image_PageMouseDown(Qt::LeftButton, 1, 1);
        main_->blockTool().Image_PageMouseUp(Qt::LeftButton, 1, 1);
        QVERIFY(main_->blockTool().carrying());

        // Replaced by a rename, as painting programs save: on the canvas within a second.
        writePicture(art, 10, 5, 7, uitest::Written::ByRename);
        QTRY_COMPARE_WITH_TIMEOUT(page->width, 10, 1000);
        QCOMPARE(pixelAt(*page, 9, 4), 7u);
        // The block stays as it was lifted.
        QVERIFY(main_->blockTool().carrying());
        QCOMPARE(main_->blockTool().lifted().block.width, 6);
        QCOMPARE(pixelAt(main_->blockTool().lifted().block, 5, 3), 3u);
        main_->blockTool().putAwayByHand();
        QCOMPARE(&ws().pictures.at(0), page);
        QCOMPARE(QString::fromStdString(std::string(pageName(*page))), name);
        QCOMPARE(ws().currentPage(), page);

        // Caught half-written: the page stays, a status line says so, no box.
        {
            QFile cut(art);
            QVERIFY(cut.open(QIODevice::WriteOnly));
            cut.write("TGA");
        }
        QTRY_VERIFY_WITH_TIMEOUT(main_->form().Status_Bar->currentMessage().contains(
                                     QString::fromUtf8(texts::kPictureNotReread)),
                                 1000);
        QCOMPARE(page->width, 10);
        QVERIFY(recorder_.messages.isEmpty());

        // Written whole in place, it is read again.
        writePicture(art, 4, 4, 2);
        QTRY_COMPARE_WITH_TIMEOUT(page->width, 4, 1000);
        // Undo brings the previous version back.
        main_->Btn_UndoClick();
        QCOMPARE(page->width, 10);
    }
};

QTEST_MAIN(WorkSessionTest)
#include "work_session_test.moc"
