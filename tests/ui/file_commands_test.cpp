#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <memory>

#include "file_dialogs.h"
#include "file_paths.h"
#include "form_main.h"
#include "formats/gpf_file.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "image/palette.h"
#include "qt_message_sink.h"
#include "system/config.h"
#include "ui_form_main.h"
#include "ui_test_support.h"
#include "work/work_file.h"

using namespace zentil;
using uitest::Recorder;
using uitest::ScriptedDialogs;
using uitest::writeFile;
using uitest::writePicture;

namespace {

// A sheet of cols x rows tiles of 32 x 32 with one opaque pixel.
void writeSprites(const QString& path, int cols, int rows, std::uint8_t value) {
    Page page;
    QVERIFY(createPage(page, 32, cols, 32, rows, kMode8));
    setColorKey(page, 0);
    putPixel(page, 3, 3, value);
    std::vector<std::uint8_t> bytes;
    QVERIFY(encodeSpriteFile(page, bytes));
    writeFile(path, bytes);
}

FileChoice chose(QStringList paths, int filterIndex) {
    return FileChoice{std::move(paths), filterIndex};
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    std::unique_ptr<TMainWin> main_;
    ScriptedDialogs dialogs_;
    Recorder recorder_;

    QString path(const QString& name) const { return state_->path(name); }
    Ui::TMainWin& ui() { return main_->form(); }
    static QStringList names(PageList* list) { return uitest::entryNames(*list); }

  private slots:
    void init() {
        recorder_ = Recorder{};
        recorder_.answer = true;
        state_ = std::make_unique<uitest::FreshState>();
        dialogs_.answers.clear();
        dialogs_.asked.clear();
        dialogs_.cuts.clear();
        dialogs_.sheetsAsked.clear();
        main_ = std::make_unique<TMainWin>();
        main_->setFileDialogs(&dialogs_);
        main_->setMessageSink(&recorder_);
        main_->show();
    }
    void cleanup() {
        main_.reset();
        state_.reset();
    }

    void filesAreReadInNameOrderIntoTheirStores() {
        writePicture(path("b.tga"), 4, 4, 2);
        writeSprites(path("A.GPF"), 2, 1, 9);
        writePicture(path("a.tga"), 6, 4, 1);
        dialogs_.answers.push_back(chose({path("b.tga"), path("A.GPF"), path("a.tga")}, 3));
        main_->files().Btn_LoadSprClick();
        QCOMPARE(names(ui().Lb_Spr), QStringList{"A"});
        QCOMPARE(names(ui().Lb_Tga), (QStringList{"A", "B"}));
        QCOMPARE(uitest::picture(*main_, 0).width, 6);  // a.tga came before b.tga
        QCOMPARE(uitest::activeList(*main_), uitest::kListTga);
        QCOMPARE(uitest::current(*main_), uitest::pictureAt(1));
        QCOMPARE(ui().Lb_Tga->selectedRows(), QList<int>{1});  // the earlier entry was unmarked
        QCOMPARE(main_->files().OpenFilterIndex, 3);
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.openDirectory),
                 state_->folder() + "/");
        // The first dialog shows every format; the next the remembered filter and folder.
        QCOMPARE(dialogs_.asked[0].title, QStringLiteral("불러오기"));
        QCOMPARE(qsizetype{dialogs_.asked[0].filterIndex}, dialogs_.asked[0].filters.size());
        QVERIFY(dialogs_.asked[0].filters.last().startsWith(QStringLiteral("모든 포맷")));

        // The next dialog starts in the folder of the last file.
        dialogs_.answers.push_back(FileChoice{});
        main_->files().Btn_LoadSprClick();
        QCOMPARE(dialogs_.asked[1].directory, state_->folder() + "/");
        QCOMPARE(dialogs_.asked[1].filterIndex, 3);
        QCOMPARE(main_->files().OpenFilterIndex, 3);  // a cancel changes nothing
    }

    // A sheet is read, cut where the sheet window says and made one sprite
    // page as one step, marked and shown; the cut is offered again next
    // time; a cancel, or a file that is no picture, makes nothing.
    void sheetsAreImportedAsOneSpritePage() {
        writePicture(path("sheet.tga"), 32, 16, 5);
        dialogs_.answers.push_back(chose({path("sheet.tga")}, 1));
        dialogs_.cuts.push_back(SheetCut{8, 8, 1, 2});
        main_->files().importSheetClick();
        const Workspace& ws = main_->workspace();
        QCOMPARE(dialogs_.sheetsAsked.size(), 1);
        QCOMPARE(dialogs_.sheetsAsked[0].first, QSize(32, 16));
        QCOMPARE(ws.sprites.size(), 1);
        QCOMPARE(ws.pictures.size(), 0);  // the sheet itself joins no list
        QCOMPARE(ws.sprites.at(0).cols, 3);
        QCOMPARE(ws.sprites.at(0).rows, 1);
        QCOMPARE(uitest::current(*main_), uitest::spriteAt(0));
        QCOMPARE(ui().Lb_Spr->selectedRows(), QList<int>{0});
        main_->Btn_UndoClick();
        QCOMPARE(ws.sprites.size(), 0);

        dialogs_.answers.push_back(chose({path("sheet.tga")}, 1));
        dialogs_.cuts.push_back(std::nullopt);
        main_->files().importSheetClick();
        QCOMPARE(dialogs_.sheetsAsked[1].second, (SheetCut{8, 8, 1, 2}));
        QCOMPARE(ws.sprites.size(), 0);

        writeSprites(path("A.GPF"), 2, 1, 9);
        dialogs_.answers.push_back(chose({path("A.GPF")}, 1));
        main_->files().importSheetClick();
        QCOMPARE(dialogs_.sheetsAsked.size(), 2);
        QCOMPARE(recorder_.texts.last(), QString::fromUtf8(texts::kNotAPicture));
        QCOMPARE(ws.sprites.size(), 0);
    }

    void namesFoldersAndCaseFollowThePlatform() {
        QDir(state_->folder()).mkpath("gpf.GPF.files/Mixed");
        const QString nested = path("gpf.GPF.files/Mixed/hero.walk.Tga");
        writePicture(nested, 4, 4, 1);
        writePicture(path("skip.bmp"), 4, 4, 1);
        QFile::copy(nested, path("broken.tga"));
        QFile::resize(path("broken.tga"), 30);
        main_->loadFiles({nested, path("skip.bmp"), path("broken.tga")});
        // A folder named like a sprite file does not decide the store; the
        // mixed-case path is opened as it is; the broken file adds nothing.
        QCOMPARE(names(ui().Lb_Tga), QStringList{"HERO"});
        QCOMPARE(ui().Lb_Spr->count(), 0);
        QCOMPARE(recorder_.messages, QStringList{"오류: 파일을 읽는데 실패했습니다."});

        // Paths far longer than a thousand characters work.
        QString deep = state_->folder();
        for (int i = 0; i < 12; ++i)
            deep += "/" + QString(100, QChar('d' + i % 3));
        QVERIFY(QDir().mkpath(deep));
        writePicture(deep + "/LONG.TGA", 2, 2, 1);
        main_->loadFiles({deep + "/LONG.TGA"});
        QCOMPARE(names(ui().Lb_Tga), (QStringList{"HERO", "LONG"}));
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.openDirectory),
                 QString());  // too long to keep
    }

    void aFullStoreStopsTheLoadOnce() {
        for (int i = 0; i < kPictureCapacity - 1; ++i)
            uitest::addPicture(*main_, 1, 1);
        for (const char* name : {"x.tga", "y.tga", "z.tga"})
            writePicture(path(name), 2, 2, 1);
        main_->loadFiles({path("x.tga"), path("y.tga"), path("z.tga")});
        QCOMPARE(ui().Lb_Tga->count(), kPictureCapacity);
        QCOMPARE(recorder_.messages,
                 QStringList{"오류: 총 읽어들일 수 있는 파일 수를 초과했습니다."});
    }

    void savingAppendsExtensionsAndRemembersTheFolder() {
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, "sprite", kMode8));
        dialogs_.answers.push_back(chose({path("sprite")}, 1));
        main_->files().Btn_SaveSprClick();
        QVERIFY(QFile::exists(path("sprite.GPF")));
        QCOMPARE(dialogs_.asked.last().fileName, QStringLiteral("sprite"));
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.saveDirectory),
                 state_->folder() + "/");
        QCOMPARE(main_->files().SaveFilterIndex, 1);

        dialogs_.answers.push_back(chose({path("copy.gpf")}, 1));
        main_->files().Btn_SaveSprClick();
        QVERIFY(QFile::exists(path("copy.gpf")));
        QVERIFY(!QFile::exists(path("copy.gpf.GPF")));

        dialogs_.answers.push_back(chose({path("picture")}, 2));
        main_->files().Btn_SaveSprClick();
        QVERIFY(QFile::exists(path("picture.TGA")));
        QCOMPARE(main_->files().SaveFilterIndex, 2);

        dialogs_.answers.push_back(chose({path("session")}, 4));  // the work file
        main_->files().Btn_SaveSprClick();
        QVERIFY(QFile::exists(path("session.zws")));

        dialogs_.answers.push_back(chose({path("odd")}, 5));  // past the four types
        main_->files().Btn_SaveSprClick();
        QCOMPARE(recorder_.messages.last(), QStringLiteral("알림: 파일을 저장할 수 없습니다."));
        QVERIFY(!QFile::exists(path("odd")));

        // A refused overwrite leaves the file as it was.
        writeFile(path("keep.GPF"), {1, 2, 3});
        recorder_.answer = false;
        dialogs_.answers.push_back(chose({path("keep.GPF")}, 1));
        main_->files().Btn_SaveSprClick();
        QCOMPARE(QFileInfo(path("keep.GPF")).size(), 3);
        QCOMPARE(recorder_.questions.size(), 1);
    }

    // A typed known extension, in any case, chooses the format whatever the
    // filter; the filter's extension goes only to a name without one.
    void aTypedExtensionChoosesTheFormat() {
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, "S", kMode8));
        const struct {
            const char* typed;
            int filter;  // 1 GPF, 2 TGA, 3 PNG, 4 work file
            const char* written;
            std::optional<PageFormatId> format;  // none: a work file
        } rows[] = {
            {"walker.png", 1, "walker.png", PageFormatId::Png},
            {"x.tga", 4, "x.tga", PageFormatId::Tga},
            {"hero.Gpf", 3, "hero.Gpf", PageFormatId::Gpf},
            {"s.ZWS", 2, "s.ZWS", std::nullopt},
            {"a.png.tga", 1, "a.png.tga", PageFormatId::Tga},
            {"walk.1", 2, "walk.1.TGA", PageFormatId::Tga},
            {"bare", 4, "bare.zws", std::nullopt},
        };
        for (const auto& row : rows) {
            dialogs_.answers.push_back(chose({path(row.typed)}, row.filter));
            main_->files().Btn_SaveSprClick();
            QVERIFY2(QDir(state_->folder()).entryList(QDir::Files).contains(row.written),
                     row.typed);
            const std::string written = path(row.written).toStdString();
            if (row.format) {
                Page back;
                QVERIFY2(pageFormat(*row.format).read(written, back, {}), row.written);
            } else {
                Workspace back;
                QVERIFY2(openWorkFile(written, back), row.written);
            }
        }
        QCOMPARE(QDir(state_->folder()).entryList(QDir::Files).size(), qsizetype(std::size(rows)));
    }

    void palettesAreAppliedAndSaved() {
        main_->files().Btn_SavePalClick();  // no page: nothing asked
        QVERIFY(dialogs_.asked.isEmpty());

        Page picture;
        QVERIFY(createSinglePage(picture, 4, 4, kMode8));
        Palette colours{};
        colours[3] = 200;  // entry 1 red
        setPagePalette(picture, colours);
        writeFile(path("pic.tga"), encodeTga(picture));
        main_->loadFiles({path("pic.tga")});
        QVERIFY(uitest::newSprite(*main_, 1, 1, 4, 4, "S", kMode8));

        dialogs_.answers.push_back(chose({path("pal")}, 1));
        main_->Lb_TgaClick();
        main_->files().Btn_SavePalClick();
        QVERIFY(QFile::exists(path("pal.Pal")));
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.palettePath), path("pal.Pal"));
        QCOMPARE(int{main_->workspace().palette[3]}, 200);
        QCOMPARE(int{uitest::sprite(*main_, 0).palette[3]}, 200);  // sprite pages take it at once

        main_->workspace().palette = Palette{};
        dialogs_.answers.push_back(chose({path("pal.Pal")}, 1));
        main_->files().Btn_LoadPalClick();
        QCOMPARE(int{main_->workspace().palette[3]}, 200);

        writeFile(path("short.pal"), {1, 2, 3});
        dialogs_.answers.push_back(chose({path("short.pal")}, 1));
        main_->files().Btn_LoadPalClick();
        QCOMPARE(recorder_.messages.last(),
                 QStringLiteral("오류: 팔레트 파일을 읽을 수 없습니다."));
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.palettePath), path("pal.Pal"));
    }

    // PNG pictures load into the picture list and save like the others; a
    // palette of another format applies like the editor's own, as an edit.
    void pngPicturesAndOtherPalettesWorkLikeTheirOwn() {
        Page art;
        QVERIFY(createSinglePage(art, 6, 4, kMode8));
        putPixel(art, 2, 2, 9);
        std::vector<std::uint8_t> png;
        QVERIFY(encodePngPage(art, png));
        writeFile(path("art.walk.png"), png);
        main_->loadFiles({path("art.walk.png")});
        QCOMPARE(names(ui().Lb_Tga), QStringList{"ART"});
        QCOMPARE(pixelAt(uitest::picture(*main_, 0), 2, 2), 9u);

        dialogs_.answers.push_back(chose({path("copy")}, 3));
        main_->files().Btn_SaveSprClick();
        QCOMPARE(dialogs_.asked.last().filters,
                 (QStringList{"GPF 파일 (*.GPF)", "TGA 파일 (*.TGA)", "PNG 파일 (*.PNG)",
                              "작업 파일 (*.zws)"}));
        Page back;
        QVERIFY(readPngFile(path("copy.PNG").toStdString(), back, {}));
        QCOMPARE(pixelAt(back, 2, 2), 9u);

        QVERIFY(uitest::newSprite(*main_, 1, 1, 4, 4, "S"));
        Palette warm{};
        warm[5] = 123;
        const std::vector<std::uint8_t> gpl = writePaletteFormat(warm, PaletteFormat::Gimp);
        writeFile(path("warm.gpl"), gpl);
        dialogs_.answers.push_back(chose({path("warm.gpl")}, 5));
        main_->files().Btn_LoadPalClick();
        QCOMPARE(dialogs_.asked.last().filters,
                 (QStringList{"팔레트 파일 (*.PAL)", "GPL 팔레트 (*.GPL)", "ACT 색상표 (*.ACT)",
                              "그림의 팔레트 (*.PNG *.TGA)",
                              "모든 팔레트 (*.PAL *.GPL *.ACT *.PNG *.TGA)"}));
        QCOMPARE(int{uitest::sprite(*main_, 0).palette[5]}, 123);
        main_->Btn_UndoClick();
        QCOMPARE(int{uitest::sprite(*main_, 0).palette[5]}, 0);
    }

    void filesDroppedOnTheWindowLoadAsIfChosen() {
        writePicture(path("z.tga"), 4, 4, 1);
        writeSprites(path("a.gpf"), 1, 1, 3);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path("z.tga")), QUrl::fromLocalFile(path("a.gpf")),
                      QUrl(QStringLiteral("https://example.org/x.tga"))});
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(main_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(main_.get(), &drop);
        QTRY_COMPARE(names(ui().Lb_Spr), QStringList{"A"});
        QCOMPARE(names(ui().Lb_Tga), QStringList{"Z"});
        QCOMPARE(uitest::activeList(*main_), uitest::kListTga);  // z.tga came last in name order
        QCOMPARE(QString::fromUtf8(main_->workspace().settings.openDirectory),
                 state_->folder() + "/");
    }

    // Every message about a file names it; a work file that cannot be read
    // stops nothing; after the first file that cannot be read, the others
    // are told in one message, each with its reason; files named by bytes
    // that are not UTF-8 load, chosen or dropped, and keep their names.
    void messagesNameTheirFilesAndNoFileStopsTheOthers() {
        writeSprites(path("A.gpf"), 1, 1, 3);
        writeFile(path("bad.zws"), {'n', 'o', 't', ' ', 'z', 'i', 'p'});
        writeFile(path("broken.tga"), {1, 2, 3});
        writeFile(path("c.gpf"), {'n', 'o', 't', ' ', 'g', 'p', 'f'});
        writeFile(path("d.tga"), {1, 2, 3});
        writePicture(path("P.tga"), 4, 4, 1);
        main_->loadFiles({path("A.gpf"), path("bad.zws"), path("broken.tga"), path("c.gpf"),
                          path("d.tga"), path("P.tga")});
        QCOMPARE(names(ui().Lb_Spr), QStringList{"A"});
        QCOMPARE(names(ui().Lb_Tga), QStringList{"P"});
        QCOMPARE(recorder_.texts,
                 (QStringList{"작업 파일을 읽을 수 없습니다.", "파일을 읽는데 실패했습니다.",
                              "다음 파일도 읽지 못했습니다."}));
        QCOMPARE(recorder_.details, (QStringList{QDir::toNativeSeparators(path("bad.zws")),
                                                 QDir::toNativeSeparators(path("broken.tga")),
                                                 QDir::toNativeSeparators(path("c.gpf")) +
                                                     " — GPF 파일이 아닙니다.\n" +
                                                     QDir::toNativeSeparators(path("d.tga")) +
                                                     " — 파일을 읽는데 실패했습니다."}));

        const std::string raw = pathToBytes(state_->folder()) + "/caf\xe9.tga";
        {
            Page picture;
            QVERIFY(createSinglePage(picture, 4, 4, kMode8));
            setColorKey(picture, 7);
            clearPage(picture);
            const std::vector<std::uint8_t> bytes = encodeTga(picture);
            std::FILE* file = std::fopen(raw.c_str(), "wb");
            QVERIFY(file);
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        main_->loadFiles({pathFromBytes(raw)});
        QCOMPARE(main_->workspace().pictures.file(1).path, raw);
        QCOMPARE(pixelAt(uitest::picture(*main_, 1), 1, 1), 7u);
        QMimeData mime;
        mime.setUrls(
            {QUrl(QStringLiteral("file://") +
                  QString::fromLatin1(QByteArray::fromStdString(raw).toPercentEncoding("/")))});
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(main_.get(), &enter);
        QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(main_.get(), &drop);
        QTRY_COMPARE(ui().Lb_Tga->count(), 3);
        QCOMPARE(main_->workspace().pictures.file(2).path, raw);
    }

    // Without settings, or with a stored folder that is gone, the file
    // dialogs open in the folder the editor started from.
    void dialogsStartInTheStartFolderWithoutAStoredOne() {
        QVERIFY(uitest::newSprite(*main_, 1, 1, 8, 8, "S", kMode8));
        for (const char* stored : {"/", "/no/such/folder/"}) {
            setConfigText(main_->workspace().settings.saveDirectory, stored);
            setConfigText(main_->workspace().settings.openDirectory, stored);
            main_->files().Btn_SaveSprClick();
            main_->files().Btn_LoadSprClick();
            QCOMPARE(dialogs_.asked[dialogs_.asked.size() - 2].directory, state_->folder());
            QCOMPARE(dialogs_.asked.last().directory, state_->folder());
        }
    }

    // A message about one file of a long load is on top, with the progress
    // dialog out of the way, and answers the keys; loading then goes on, and
    // the files that follow it unread are told in one box at the end, the
    // whole list in its details. Cancel stops before the next file and keeps
    // what was read.
    void messagesDuringALongLoadTakeInputAndCancelKeepsWhatWasRead() {
        QtMessageSink boxes(main_.get());
        main_->setMessageSink(&boxes);
        QStringList paths, unread;
        for (int i = 0; i < 40; ++i) {
            paths.append(
                path(QString("%1%2.tga").arg(i < 20 ? "b" : "p").arg(i, 2, 10, QChar('0'))));
            writePicture(paths.last(), 8, 8, 1);
        }
        for (int i = 0; i < 15; ++i) {
            unread.append(path(QString("m_zero%1.tga").arg(i, 2, 10, QChar('0'))));
            writeFile(unread.last(), {});
        }
        paths += unread;
        main_->files().setProgressDelay(0);

        // Each box is held open 700 ms, long enough for a progress dialog on a
        // timer of its own to come up with it, then answered with Enter.
        struct Seen {
            QMessageBox* box = nullptr;
            bool onTop = true;
            bool progressShown = false;
            QString details;
        };
        QList<Seen> boxes_;
        bool progressSeen = false;
        QElapsedTimer held;
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, [&] {
            auto* progress = main_->findChild<QProgressDialog*>();
            const bool progressShown = progress && progress->isVisible();
            QMessageBox* box = nullptr;
            for (QMessageBox* b : main_->findChildren<QMessageBox*>())
                if (b->isVisible()) box = b;
            if (!box) {
                progressSeen = progressSeen || progressShown;
                return;
            }
            if (boxes_.isEmpty() || boxes_.last().box != box) {
                held.start();
                boxes_.append(Seen{box, true, false, box->detailedText()});
            }
            Seen& seen = boxes_.last();
            seen.onTop = seen.onTop && QApplication::activeModalWidget() == box;
            seen.progressShown = seen.progressShown || progressShown;
            if (held.elapsed() < 700) return;
            seen.box = nullptr;  // the next box may reuse the address
            if (seen.onTop)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->done(QMessageBox::Ok);  // blocked: closed so that the test ends
        });
        // The progress dialog is also caught as it is shown, which the poll
        // can miss between the quick loads of small files.
        struct ShowFilter : QObject {
            bool* seen;
            QWidget* window;
            explicit ShowFilter(bool* s, QWidget* w) : seen(s), window(w) {}
            bool eventFilter(QObject* object, QEvent* event) override {
                if (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(object)) {
                    bool boxOpen = false;
                    for (QMessageBox* b : window->findChildren<QMessageBox*>())
                        boxOpen = boxOpen || b->isVisible();
                    *seen = *seen || !boxOpen;
                }
                return false;
            }
        } showFilter(&progressSeen, main_.get());
        qApp->installEventFilter(&showFilter);
        watch.start();
        main_->loadFiles(paths);
        qApp->removeEventFilter(&showFilter);
        QVERIFY(progressSeen);
        QCOMPARE(boxes_.size(), 2);
        QVERIFY(boxes_[0].onTop && boxes_[1].onTop);
        QVERIFY(!boxes_[0].progressShown && !boxes_[1].progressShown);
        for (int i = 1; i < unread.size(); ++i)
            QVERIFY(boxes_[1].details.contains(QDir::toNativeSeparators(unread[i])));
        QVERIFY(!boxes_[1].details.contains(QDir::toNativeSeparators(unread[0])));
        QCOMPARE(ui().Lb_Tga->count(), 40);

        // Cancel, pressed while the progress shows, stops before the next file.
        QStringList more;
        for (int i = 0; i < 40; ++i) {
            more.append(path(QString("q%1.tga").arg(i, 2, 10, QChar('0'))));
            writePicture(more.last(), 8, 8, 1);
        }
        main_->files().setProgressDelay(0);
        watch.disconnect();
        watch.setInterval(0);
        connect(&watch, &QTimer::timeout, [&] {
            auto* progress = main_->findChild<QProgressDialog*>();
            if (progress && progress->isVisible() && progress->value() >= 3)
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        main_->loadFiles(more);
        QCOMPARE(ui().Lb_Tga->count() - 40, 3);  // q00 to q02
        QCOMPARE(ui().Lb_Tga->item(ui().Lb_Tga->count() - 1)->text(), QStringLiteral("Q02"));
    }

    // Names typed into the real open dialog are loaded whatever its filter shows.
    void typedNamesAreLoadedWhateverTheFilter() {
        writePicture(path("pic.tga"), 4, 4, 1);
        writeSprites(path("spr.gpf"), 1, 1, 3);
        QtFileDialogs real(main_.get());
        FileRequest request;
        request.filters = {QStringLiteral("TGA 파일 (*.TGA)"), QStringLiteral("GPF 파일 (*.GPF)")};
        request.directory = state_->folder();
        // The name is typed once the dialog is up, however long that takes.
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&poll] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            // A user types once the folder shows; before, the folder's late
            // listing would rewrite the name field with the visible files.
            auto* model = dialog->findChild<QFileSystemModel*>();
            if (!model || model->rowCount(model->index(dialog->directory().absolutePath())) < 1)
                return;
            // The dialog leaves the name field alone while it has the focus,
            // as it has while a user types into it.
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QApplication::setActiveWindow(dialog);
            edit->setFocus();
            if (!edit->hasFocus()) return;
            poll.stop();
            edit->setText(QStringLiteral("\"pic.tga\" \"spr.gpf\""));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        poll.start();
        const std::optional<FileChoice> choice = real.openFiles(request);
        QVERIFY(choice);
        QStringList chosen = choice->paths;
        chosen.sort();
        QCOMPARE(chosen, (QStringList{path("pic.tga"), path("spr.gpf")}));
    }

    void theCanvasIgnoresClicksRightAfterAFileCommand() {
        writePicture(path("one.tga"), 2, 2, 1);
        QVERIFY(main_->canvasAcceptsClicks());
        main_->loadFiles({path("one.tga")});
        QVERIFY(!main_->canvasAcceptsClicks());
        QTRY_VERIFY_WITH_TIMEOUT(main_->canvasAcceptsClicks(), 1000);
    }

    // Every one of many files comes into its list through one command; the
    // time per file is printed, not checked.
    void manyFilesAllReachTheirLists() {
        QStringList gpf, tga;
        for (int i = 0; i < 2000; ++i) {
            gpf.append(path(QString("s%1.gpf").arg(i, 4, 10, QChar('0'))));
            writeSprites(gpf.last(), 2, 2, static_cast<std::uint8_t>(1 + i % 200));
        }
        for (int i = 0; i < 500; ++i) {
            tga.append(path(QString("p%1.tga").arg(i, 3, 10, QChar('0'))));
            writePicture(tga.last(), 256, 256, static_cast<std::uint8_t>(i % 256));
        }
        QElapsedTimer clock;
        clock.start();
        main_->loadFiles(gpf);
        const double gpfMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        main_->loadFiles(tga);
        const double tgaMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        QCOMPARE(ui().Lb_Spr->count(), 2000);
        QCOMPARE(ui().Lb_Tga->count(), 500);
        QCOMPARE(uitest::sprite(*main_, 1999).tileCount, 4);
        qInfo(
            "load: %.3f ms per GPF file (2000 files of 64 x 64), %.3f ms per TGA file (500 of "
            "256 x 256)",
            gpfMs / 2000, tgaMs / 500);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
