#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "../fifo_rescue.h"

#include "application_setup.h"
#include "editor_menus.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "formats/palette_formats.h"
#include "image/palette.h"
#include "system/config.h"
#include "system/config_file.h"
#include "ui_form_main.h"
#include "ui_test_support.h"

using namespace zentil;
using uitest::Editor;
using uitest::Recorder;

namespace {}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    Recorder recorder_;

    // A sprite page of cols x rows tiles listed in the sprite list.
    static void addSprite(Editor& e, int tw, int th, int cols, int rows, const char* name) {
        QVERIFY(uitest::newSprite(e.main, cols, rows, tw, th, QString::fromUtf8(name), kMode8));
    }
    static void addTga(Editor& e, int w, int h, const char* name) {
        uitest::addPicture(e.main, w, h, name);
        e.ui().Lb_Tga->setCurrentEntry(e.ui().Lb_Tga->count() - 1);
    }

  private slots:
    void init() {
        recorder_.messages.clear();
        state_ = std::make_unique<uitest::FreshState>();
    }
    void cleanup() { state_.reset(); }

    // Captions stand alone: the application has a name but no display name,
    // which would be appended to every caption.
    void captionsCarryNoSuffix() {
        prepareApplication(*qApp);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Zentil Editor"));
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
        QCoreApplication::setApplicationName(QStringLiteral("Zentil Editor"));
    }

    void firstStartCentresAndKeepsTheMinimumSize() {
        Editor e(recorder_);
        // The caption, with the place of the mark of unsaved changes.
        QCOMPARE(e.main.windowTitle(), QStringLiteral("Zentil Editor 3.21 for GP32[*]"));
        QVERIFY(!e.main.isWindowModified());
        QCOMPARE(e.main.size(), QSize(800, 600));
        QCOMPARE(e.main.workspace().settings.showGrid, 1);
        QCOMPARE(e.main.workspace().settings.gridColor, 0x00FFFFFF);
        QCOMPARE(QString::fromStdString(
                     std::string(configText(e.main.workspace().settings.palettePath))),
                 QStringLiteral("New.Pal"));
        QCOMPARE(uitest::current(e.main), PagePlace{});
        QCOMPARE(uitest::activeList(e.main), 0);
        QVERIFY(e.ui().Cb_CrossIndex->isHidden());
        QCOMPARE(e.ui().FlatPanel15->y(), 240);
        QCOMPARE(e.ui().Panel_Info->height(), 264);
        // Below the menu bar, the form's places.
        const int menuBar = e.main.menus().bar()->height();
        QVERIFY(menuBar > 0);
        QCOMPARE(e.ui().Lb_Spr->y(), menuBar + 82 + 264);
        QCOMPARE(e.ui().Sb_Page->y(), menuBar + 82);
        e.main.resize(500, 400);
        QVERIFY(e.main.width() >= 800 && e.main.height() >= 600);
    }

    void settingsSurviveARestartAndAreWrittenToTheStartFolder() {
        const QString start = QDir::currentPath();
        {
            Editor e(recorder_);
            e.main.move(40, 30);
            e.main.resize(900, 700);
            e.main.workspace().settings.defaultColorKey8 = 17;
            // The file dialogs may change the working folder; the file still
            // goes to the start folder.
            QTemporaryDir elsewhere;
            QDir::setCurrent(elsewhere.path());
            e.main.close();
            QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("Zentil.Cfg"))));
            QDir::setCurrent(start);
        }
        QCOMPARE(QFileInfo(QDir(start).filePath(QStringLiteral("Zentil.Cfg"))).size(), 4132);
        Editor again(recorder_);
        const Config& settings = again.main.workspace().settings;
        QCOMPARE(again.main.size(), QSize(900, 700));
        QCOMPARE(int{settings.defaultColorKey8}, 17);
        QCOMPARE(QString::fromStdString(std::string(configText(settings.startDirectory))), start);
    }

    // The palette file applied last comes back at the next start in
    // whichever format it is; an undone one does not, and a file that no
    // longer reads as a palette, or is now a FIFO, leaves the start palette
    // black without waiting.
    void theAppliedPaletteFileComesBackAtTheNextStart() {
        Palette warm{}, cold{};
        for (int i = 0; i < kPaletteEntries * 3; ++i) {
            warm[i] = static_cast<std::uint8_t>(i * 7 + 1);
            cold[i] = static_cast<std::uint8_t>(255 - i % 200);
        }
        const struct {
            const char* file;
            PaletteFormat format;
            bool undoLast;  // `cold` applied after `warm`, then undone
            bool spoilAfter;
            bool fifoAfter;
            Palette expected;
        } rows[] = {
            {"warm.gpl", PaletteFormat::Gimp, false, false, false, warm},
            {"warm.pal", PaletteFormat::Jasc, false, false, false, warm},
            {"warm.act", PaletteFormat::Act, false, false, false, warm},
            {"warm.Pal", PaletteFormat::Own, true, false, false, warm},
            {"gone.gpl", PaletteFormat::Gimp, false, true, false, Palette{}},
            {"fifo.gpl", PaletteFormat::Gimp, false, false, true, Palette{}},
        };
        for (const auto& row : rows) {
            uitest::FreshState fresh;
            uitest::ScriptedDialogs dialogs;
            const auto apply = [&](Editor& e, const QString& name, const Palette& colours) {
                uitest::writeFile(fresh.path(name), writePaletteFormat(colours, row.format));
                dialogs.answers.push_back({{fresh.path(name)}, 1});
                e.main.files().Btn_LoadPalClick();
            };
            {
                Editor e(recorder_);
                e.main.setFileDialogs(&dialogs);
                apply(e, QString::fromLatin1(row.file), warm);
                if (row.undoLast) {
                    apply(e, QStringLiteral("cold.gpl"), cold);
                    e.main.Btn_UndoClick();
                }
                e.main.close();
            }
            const QString kept = fresh.path(QString::fromLatin1(row.file));
            if (row.spoilAfter) uitest::writeFile(kept, {1, 2});
            std::optional<test::FifoRescue> rescue;
            if (row.fifoAfter) {
                QVERIFY(QFile::remove(kept));
                QVERIFY(test::makeFifo(kept.toStdString()));
                rescue.emplace(kept.toStdString());
            }
            Editor again(recorder_);
            QVERIFY2(!rescue || !rescue->stop(), row.file);
            QVERIFY2(again.main.workspace().palette == row.expected, row.file);
        }
    }

    void aDamagedSettingsFileGivesTheDefaults() {
        QFile file(QStringLiteral("Zentil.Cfg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, 'x'));
        file.close();
        Editor e(recorder_);
        QCOMPARE(e.main.size(), QSize(800, 600));
        QCOMPARE(e.main.workspace().settings.showGrid, 1);
        QCOMPARE(QString::fromStdString(
                     std::string(configText(e.main.workspace().settings.openDirectory))),
                 QStringLiteral("/"));
    }

    // Stored placements that would lose the window or eat the memory are
    // mended: off every screen it comes back centred at the minimum size; a
    // size beyond the screen shrinks to it, and that is what is written back.
    void storedPlacementsAreKeptOnTheScreen() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const struct {
            int left, top, width, height;
            QSize expected;
        } rows[] = {
            {-50000, -50000, 900, 650, QSize(800, 600)},
            {0, 0, 0x7FFFFFFF, 0x7FFFFFFF, screen.size()},
            {0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFFF, 0x7FFFFFFF, QSize(800, 600)},
            {10, 10, 300, 0x7FFFFFFF, QSize(800, screen.height())},
        };
        for (const auto& row : rows) {
            Config stored{};
            setConfigDefaults(stored);
            stored.windowLeft = row.left;
            stored.windowTop = row.top;
            stored.windowWidth = row.width;
            stored.windowHeight = row.height;
            QVERIFY(writeConfigFile("Zentil.Cfg", stored));
            {
                Editor e(recorder_);
                QCOMPARE(e.main.size(), row.expected);
                QVERIFY(screen.intersects(e.main.geometry()));
                e.main.close();
            }
            Config written{};
            QCOMPARE(readConfigFile("Zentil.Cfg", written), ConfigRead::Loaded);
            QCOMPARE(QSize(written.windowWidth, written.windowHeight), row.expected);
        }
    }

    void listClicksWithEitherListEmpty() {
        Editor e(recorder_);
        e.main.Lb_SprClick();
        QCOMPARE(uitest::current(e.main), PagePlace{});
        QCOMPARE(uitest::activeList(e.main), 0);

        addTga(e, 20, 10, "PIC");
        e.main.Lb_SprClick();  // empty sprite list: the TGA list takes over
        QCOMPARE(uitest::current(e.main), uitest::pictureAt(0));
        QCOMPARE(uitest::activeList(e.main), uitest::kListTga);
        QCOMPARE(e.ui().Lb_Tga->palette().color(QPalette::Base), QColor(0xF4, 0xDA, 0xF5));
        QCOMPARE(e.ui().Lb_Spr->palette().color(QPalette::Base), QColor(0xD7, 0xD8, 0xD9));

        addSprite(e, 8, 8, 2, 1, "SPR");
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(0));
        QCOMPARE(uitest::activeList(e.main), uitest::kListSprite);
        QCOMPARE(e.ui().Lb_Spr->palette().color(QPalette::Base), QColor(0xF4, 0xDA, 0xF5));
        QCOMPARE(e.ui().Lb_Tga->palette().color(QPalette::Base), QColor(0xD7, 0xD8, 0xD9));
        QCOMPARE(e.ui().Edit_Col->value(), 2);
    }

    void theCurrentEntryIsKeptApartFromTheSelection() {
        Editor e(recorder_);
        addSprite(e, 4, 4, 1, 1, "A");
        addSprite(e, 4, 4, 1, 1, "");
        addSprite(e, 4, 4, 1, 1, "C");
        QCOMPARE(e.ui().Lb_Spr->item(1)->text(), QStringLiteral("NoName1"));
        e.ui().Lb_Spr->selectEntry(0);
        e.ui().Lb_Spr->setCurrentEntry(2);
        QCOMPARE(e.ui().Lb_Spr->selectedRows(), QList<int>{0});
        e.main.Lb_SprClick();
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(2));
        QCOMPARE(e.ui().Lb_Spr->selectedRows(), QList<int>{0});
    }

    void thePagePanelFollowsTheStrideAndIsCentred() {
        Editor e(recorder_);
        addSprite(e, 5, 6, 1, 1, "NARROW");  // stride 8
        PageCanvas& canvas = *e.ui().Sb_Page;
        QCOMPARE(canvas.pageFrame().size(), QSize(10, 8));  // the stride and a frame
        QCOMPARE(canvas.pageFrame().x(), (canvas.viewport()->width() - 10) / 2);
        QVERIFY(canvas.showsPage());
        addSprite(e, 64, 64, 32, 32, "HUGE");
        QCOMPARE(canvas.pageFrame().topLeft(), QPoint(0, 0));
        // The canvas shows the page's pixels with the grid over them.
        const QImage picture = canvas.viewport()->grab().toImage();
        QCOMPARE(picture.pixelColor(canvas.toView({64, 5})), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(canvas.toView({5, 5})), QColor(Qt::black));
    }

    void dialogButtonsOpenOnlyUnderTheirConditions() {
        Editor e(recorder_);
        e.main.Btn_ShowAniClick();
        e.main.Btn_ShowPageClick();
        e.main.Btn_ConfigClick();
        e.main.Btn_ColorKeyClick();
        e.main.Btn_ChgColorClick();
        QVERIFY(!e.aniWin.isVisible() && !e.tileWin.isVisible() && !e.configWin.isVisible() &&
                !e.colorKeyWin.isVisible() && !e.chgColorWin.isVisible());
        QVERIFY(e.main.isEnabled());

        e.main.Btn_ShowPaletteClick();
        QVERIFY(e.paletteWin.isVisible());
        QVERIFY(!e.main.isEnabled());
        e.paletteWin.close();  // however the dialog is hidden, the main window comes back
        QVERIFY(e.main.isEnabled());

        addTga(e, 8, 8, "PIC");
        e.main.Lb_TgaClick();
        e.main.Btn_ChgColorClick();  // sprite pages only
        QVERIFY(!e.chgColorWin.isVisible());
        e.main.Btn_ConfigClick();
        QVERIFY(e.configWin.isVisible());
        // Centred over the main window.
        const QRect main = e.main.frameGeometry(), own = e.configWin.frameGeometry();
        QCOMPARE(own.left(), main.left() + (main.width() - own.width()) / 2);
        e.configWin.hide();
        QVERIFY(e.main.isEnabled());
    }

    void statusPanelsDescribeThePixel() {
        Editor e(recorder_);
        addSprite(e, 16, 16, 4, 2, "TILES");
        e.main.showPixelInfo(37, 5);
        QCOMPARE(e.ui().Panel_TileXY->text(), QStringLiteral("5, 5"));
        QCOMPARE(e.ui().Panel_TileNum->text(), QStringLiteral("2"));
        QCOMPARE(e.ui().Panel_TileSize->text(), QStringLiteral("16 X 16"));
        e.main.showPixelInfo(3, 20);
        QCOMPARE(e.ui().Panel_TileNum->text(), QStringLiteral("4"));
        e.main.workspace().sprites.clear();
        e.ui().Lb_Spr->clear();
        e.main.Lb_SprClick();
        e.main.showPixelInfo(0, 0);
        QCOMPARE(e.ui().Panel_TileXY->text(), QStringLiteral("0"));
        QCOMPARE(e.ui().Panel_TileSize->text(), QStringLiteral("16 X 16"));  // kept
    }

    void aFailedNewPageAddsNothing() {
        Editor e(recorder_);
        QVERIFY(!uitest::newSprite(e.main, 65536, 65536, 1, 1, QString(), kMode8));
        QCOMPARE(e.ui().Lb_Spr->count(), 0);
        QCOMPARE(recorder_.messages.size(), 1);
        QCOMPARE(recorder_.messages[0], QStringLiteral("오류: 이미지를 생성할 수 없습니다."));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
