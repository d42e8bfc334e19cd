#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "block_tool.h"
#include "edit/retile.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "image/palette.h"
#include "system/config.h"
#include "ui_form_chgcolor.h"
#include "ui_form_colorkey.h"
#include "ui_form_config.h"
#include "ui_form_main.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

using uitest::Recorder;

struct Editor : uitest::Editor {
    using uitest::Editor::Editor;
    Ui::TConfigWin& cfg() { return configWin.form(); }
    Ui::TColorKeyWin& key() { return colorKeyWin.form(); }
    Ui::TChgColorWin& chg() { return chgColorWin.form(); }

    // Selects exactly `rows` of a list and makes `current` its shown entry.
    static void select(PageList* list, std::initializer_list<int> rows, int current) {
        list->deselectAll();
        for (const int row : rows)
            list->selectEntry(row);
        list->setCurrentEntry(current);
    }
    void selectSprites(std::initializer_list<int> rows, int current) {
        select(ui().Lb_Spr, rows, current);
        main.Lb_SprClick();
    }
    void selectTgas(std::initializer_list<int> rows, int current) {
        select(ui().Lb_Tga, rows, current);
        main.Lb_TgaClick();
    }
};

// A shown sprite page; its place in the sprite list, or -1.
int addSprite(Editor& e, int tw, int th, int cols, int rows, int mode = kMode8) {
    const int index = e.main.workspace().sprites.size();
    if (!uitest::newSprite(e.main, cols, rows, tw, th, QStringLiteral("SPR"), mode)) return -1;
    return index;
}

Page& addTga(Editor& e, int w, int h) {
    return uitest::addPicture(e.main, w, h, "PIC");
}

// A recognisable value at every pixel, within 0..255.
void paintPattern(Page& page) {
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            putPixel(page, x, y, (x * 7 + y * 3) % 250 + 1);
}

bool areasEmpty(const Page& page) {
    for (const auto& layer : page.areas)
        if (layer)
            for (const AreaRect& r : *layer)
                if (r.right != 0) return false;
    return true;
}

struct Grid {
    int tileWidth, tileHeight, cols, rows;
    friend bool operator==(const Grid&, const Grid&) = default;
};
Grid gridOf(const Page& p) {
    return {p.tileWidth, p.tileHeight, p.cols, p.rows};
}
char* toString(const Grid& g) {
    return QTest::toString(QStringLiteral("%1x%2 tiles, %3x%4")
                               .arg(g.tileWidth)
                               .arg(g.tileHeight)
                               .arg(g.cols)
                               .arg(g.rows));
}

}  // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<uitest::FreshState> state_;
    Recorder recorder_;

  private slots:
    void init() {
        recorder_.messages.clear();
        state_ = std::make_unique<uitest::FreshState>();
    }
    void cleanup() { state_.reset(); }

    // ---- all three windows -------------------------------------------------

    void everyDialogIsCentredAndHoldsTheMainWindowUntilHiddenAnyWay() {
        Editor e(recorder_);
        addSprite(e, 8, 8, 2, 2);
        e.selectSprites({0}, 0);
        const QList<TDialogBase*> dialogs{&e.configWin, &e.colorKeyWin, &e.chgColorWin};
        const QList<void (TMainWin::*)()> buttons{
            &TMainWin::Btn_ConfigClick, &TMainWin::Btn_ColorKeyClick, &TMainWin::Btn_ChgColorClick};
        const QList<QSize> clients{{249, 207}, {409, 126}, {291, 164}};
        const QStringList captions{QStringLiteral("크기 설정"), QStringLiteral("투명색 설정"),
                                   QStringLiteral("색상 바꾸기")};
        for (int i = 0; i < dialogs.size(); ++i) {
            TDialogBase* dialog = dialogs[i];
            QCOMPARE(dialog->windowTitle(), captions[i]);
            QCOMPARE(dialog->size(), clients[i]);
            // Three ways out: the cancel button (Escape), the default button
            // (Enter) and the close box.
            for (int way = 0; way < 3; ++way) {
                (e.main.*buttons[i])();
                QVERIFY(dialog->isVisible());
                QVERIFY(!e.main.isEnabled());
                const QRect main = e.main.frameGeometry(), own = dialog->frameGeometry();
                QCOMPARE(own.left(), main.left() + (main.width() - own.width()) / 2);
                QCOMPARE(own.top(), main.top() + (main.height() - own.height()) / 2);
                if (way == 0)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else if (way == 1)
                    QTest::keyClick(dialog, Qt::Key_Return);
                else
                    dialog->close();
                QVERIFY(!dialog->isVisible());
                QVERIFY(e.main.isEnabled());
            }
        }
    }

    // ---- size settings -------------------------------------------------------

    void sizeDialogShowsTheCurrentPageWithItsLimits() {
        Editor e(recorder_);
        addSprite(e, 16, 8, 3, 5);  // width 48, height 40
        addSprite(e, 5, 6, 1, 2);   // width 5, stride 8, height 12
        e.selectSprites({0}, 0);
        e.configWin.setLineColor(0x0000FF);
        e.main.workspace().settings.gridColor = 0x808000;
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        QCOMPARE(f.Edit_TileWidth->value(), 16);
        QCOMPARE(f.Edit_TileHeight->value(), 8);
        QCOMPARE(f.Edit_Col->value(), 3);
        QCOMPARE(f.Edit_Row->value(), 5);
        QCOMPARE(f.Edit_TileWidth->minimum(), 2);
        QCOMPARE(f.Edit_TileWidth->maximum(), 48);
        QCOMPARE(f.Edit_TileHeight->minimum(), 2);
        QCOMPARE(f.Edit_TileHeight->maximum(), 40);
        QCOMPARE(f.Combo_TileSort->currentIndex(), 0);
        QCOMPARE(e.configWin.lineColor(), 0x808000u);  // the settings' colour, not the last one set
        for (QWidget* w :
             {static_cast<QWidget*>(f.Combo_TileSort), static_cast<QWidget*>(f.Edit_Col),
              static_cast<QWidget*>(f.Edit_Row), static_cast<QWidget*>(f.Edit_TileWidth),
              static_cast<QWidget*>(f.Edit_TileHeight)})
            QVERIFY(w->isEnabled());

        // An alignment raised the limits last time; a new showing sets them
        // from the page again, after which its sizes fit.
        f.Combo_TileSort->setCurrentIndex(1);
        QCOMPARE(f.Edit_TileWidth->maximum(), 1024);
        f.Btn_No->click();
        e.selectSprites({1}, 1);
        e.main.Btn_ConfigClick();
        QCOMPARE(f.Combo_TileSort->currentIndex(), 0);
        QCOMPARE(f.Edit_TileWidth->maximum(), 8);  // the stride, not the width
        QCOMPARE(f.Edit_TileHeight->maximum(), 12);
        QCOMPARE(f.Edit_TileWidth->value(), 5);
        QCOMPARE(f.Edit_TileHeight->value(), 6);
        f.Btn_No->click();
    }

    void alignmentChoiceEnablesItsFieldsAndRaisesTheirLimits() {
        Editor e(recorder_);
        addSprite(e, 16, 16, 2, 2);
        e.selectSprites({0}, 0);
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        struct Row {
            int item;
            bool width, height, counts;
            int maxWidth, maxHeight;
        };
        // Run in this order, the limits carry over from row to row.
        const Row table[] = {
            {2, true, false, false, 1024, 32},   {0, true, true, true, 1024, 32},
            {4, false, true, false, 1024, 1024}, {3, true, false, false, 1024, 1024},
            {1, true, true, false, 1024, 1024},  {5, false, true, false, 1024, 1024},
        };
        for (const Row& row : table) {
            f.Combo_TileSort->setCurrentIndex(row.item);
            QCOMPARE(f.Edit_TileWidth->isEnabled(), row.width);
            QCOMPARE(f.Edit_TileHeight->isEnabled(), row.height);
            QCOMPARE(f.Edit_Col->isEnabled(), row.counts);
            QCOMPARE(f.Edit_Row->isEnabled(), row.counts);
            QCOMPARE(f.Edit_TileWidth->maximum(), row.maxWidth);
            QCOMPARE(f.Edit_TileHeight->maximum(), row.maxHeight);
        }
        f.Btn_No->click();

        // A page wider than 1024 keeps its tile width when an alignment is
        // chosen: the limit is raised, never lowered.
        addSprite(e, 1200, 4, 1, 1);
        e.selectSprites({1}, 1);
        e.main.Btn_ConfigClick();
        f.Combo_TileSort->setCurrentIndex(1);
        QCOMPARE(f.Edit_TileWidth->value(), 1200);
        QCOMPARE(f.Edit_TileHeight->maximum(), 1024);
        f.Btn_No->click();
    }

    void okRetilesTheSelectedPagesAndLeavesOnlyTheRememberedEntrySelected() {
        Editor e(recorder_);
        for (int i = 0; i < 3; ++i)
            addSprite(e, 16, 16, 2, 2);
        paintPattern(uitest::sprite(e.main, 0));
        paintPattern(uitest::sprite(e.main, 2));
        setColorKey(uitest::sprite(e.main, 0), 3);
        uitest::sprite(e.main, 0).areas[0] = std::make_unique<AreaLayer>();
        (*uitest::sprite(e.main, 0).areas[0])[0] = AreaRect{1, 1, 4, 4};
        // Pages 0 and 2 selected, page 1 shown: the fields come from page 1.
        e.selectSprites({0, 2}, 1);
        e.main.blockTool().Image_PageMouseDown(Qt::LeftButton, 1, 1);  // an outline stands
        e.main.Btn_ConfigClick();
        QCOMPARE(e.configWin.rememberedIndex(), 2);
        auto& f = e.cfg();
        f.Edit_Col->setValue(3);
        f.Combo_LineColor->setCurrentIndex(f.Combo_LineColor->findText(QStringLiteral("빨강")));
        QTest::mouseClick(f.Btn_Ok, Qt::LeftButton);

        QVERIFY(!e.configWin.isVisible());
        QVERIFY(e.main.isEnabled());
        QCOMPARE(e.main.workspace().settings.gridColor, 0x0000FF);
        for (const int slot : {0, 2}) {
            const Page& page = uitest::sprite(e.main, slot);
            QCOMPARE(gridOf(page), (Grid{16, 16, 3, 2}));
            QCOMPARE(page.width, 48);
            // Pixels keep their page positions; the new column is key-coloured.
            QCOMPARE(pixelAt(page, 31, 31), std::uint32_t((31 * 7 + 31 * 3) % 250 + 1));
            QCOMPARE(pixelAt(page, 0, 5), std::uint32_t(5 * 3 % 250 + 1));
            QCOMPARE(pixelAt(page, 40, 10), colorKeyOf(page));
        }
        QCOMPARE(colorKeyOf(uitest::sprite(e.main, 0)), 3u);
        QVERIFY(areasEmpty(uitest::sprite(e.main, 0)));
        QCOMPARE(gridOf(uitest::sprite(e.main, 1)), (Grid{16, 16, 2, 2}));  // not selected
        QVERIFY(!e.main.blockTool().outlineShown());
        // Only the remembered entry stays selected, and it is shown.
        QCOMPARE(e.ui().Lb_Spr->selectedRows(), QList<int>{2});
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(2));
        QCOMPARE(e.ui().Edit_Col->value(), 3);
    }

    // A new tile size under "정렬 안함" proposes the counts that keep the
    // whole page (rounded up); a count the user set, before or after, stays.
    void aNewTileSizeProposesCountsThatKeepThePage() {
        const struct {
            const char* name;
            std::function<void(Ui::TConfigWin&)> edit;
            Grid grid;
        } cases[] = {
            {"tile size only",
             [](Ui::TConfigWin& f) {
                 f.Edit_TileWidth->setValue(32);
                 f.Edit_TileHeight->setValue(16);
             },
             {32, 16, 3, 4}},
            {"rounded up",
             [](Ui::TConfigWin& f) { f.Edit_TileWidth->setValue(40); },
             {40, 64, 3, 1}},
            {"a count set first stays",
             [](Ui::TConfigWin& f) {
                 f.Edit_Col->setValue(2);
                 f.Edit_TileWidth->setValue(32);
             },
             {32, 64, 2, 1}},
            {"a count set after stays",
             [](Ui::TConfigWin& f) {
                 f.Edit_TileHeight->setValue(8);
                 f.Edit_Row->setValue(3);
             },
             {96, 8, 1, 3}},
        };
        Editor e(recorder_);
        for (const auto& c : cases) {
            const int row = addSprite(e, 96, 64, 1, 1);
            e.selectSprites({row}, row);
            e.main.Btn_ConfigClick();
            c.edit(e.cfg());
            e.cfg().Btn_Ok->click();
            QVERIFY2(gridOf(uitest::sprite(e.main, row)) == c.grid, c.name);
        }
    }

    void typedHeightIsKeptUnderLeftAlignment() {
        Editor e(recorder_);
        addSprite(e, 16, 16, 2, 2);  // stride 32, height 32
        Page& page = uitest::sprite(e.main, 0);
        putPixel(page, 16 + 3, 5, 7);   // tile (1, 0)
        putPixel(page, 16 + 14, 5, 8);  // cut off by the narrower tile
        putPixel(page, 3, 20, 9);       // tile (0, 1), kept at its old height
        e.selectSprites({0}, 0);
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        f.Edit_TileHeight->setValue(12);
        f.Combo_TileSort->setCurrentIndex(2);  // "왼쪽 정렬"
        QVERIFY(!f.Edit_TileHeight->isEnabled());
        QCOMPARE(f.Edit_TileHeight->value(), 12);
        f.Edit_TileWidth->setValue(10);
        f.Btn_Ok->click();
        QCOMPARE(gridOf(page), (Grid{10, 12, 2, 2}));
        QCOMPARE(page.height, 24);
        QCOMPARE(pixelAt(page, 10 + 3, 5), 7u);
        QCOMPARE(pixelAt(page, 3, 20), 9u);
        for (int x = 0; x < page.stride; ++x)
            QVERIFY(pixelAt(page, x, 5) != 8u);
    }

    void okRefusesACountBelowOneSilently() {
        Editor e(recorder_);
        addSprite(e, 8, 8, 2, 2);
        paintPattern(uitest::sprite(e.main, 0));
        e.selectSprites({0}, 0);
        e.main.workspace().settings.gridColor = 0xFFFFFF;
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        f.Edit_Col->setValue(0);
        f.Combo_LineColor->setCurrentIndex(0);
        f.Btn_Ok->click();
        QVERIFY(e.configWin.isVisible());
        QVERIFY(!e.main.isEnabled());
        QCOMPARE(gridOf(uitest::sprite(e.main, 0)), (Grid{8, 8, 2, 2}));
        QCOMPARE(e.main.workspace().settings.gridColor, 0xFFFFFF);
        QVERIFY(recorder_.messages.isEmpty());
        // A disabled field still counts.
        f.Combo_TileSort->setCurrentIndex(1);
        f.Btn_Ok->click();
        QVERIFY(e.configWin.isVisible());
        f.Btn_No->click();
    }

    void cancelChangesNothingAndPutsTheFieldsBack() {
        Editor e(recorder_);
        addSprite(e, 8, 8, 2, 2);
        addSprite(e, 8, 8, 2, 2);
        paintPattern(uitest::sprite(e.main, 0));
        e.selectSprites({0, 1}, 0);
        e.main.workspace().settings.gridColor = 0x00FF00;
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        f.Combo_TileSort->setCurrentIndex(1);
        f.Edit_TileWidth->setValue(20);
        f.Edit_TileHeight->setValue(3);
        f.Combo_LineColor->setCurrentIndex(0);
        QTest::mouseClick(f.Btn_No, Qt::LeftButton);
        QVERIFY(!e.configWin.isVisible());
        QCOMPARE(gridOf(uitest::sprite(e.main, 0)), (Grid{8, 8, 2, 2}));
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 5, 9),
                 std::uint32_t((5 * 7 + 9 * 3) % 250 + 1));
        QCOMPARE(e.main.workspace().settings.gridColor, 0x00FF00);
        QCOMPARE(f.Edit_TileWidth->value(), 8);
        QCOMPARE(f.Edit_TileHeight->value(), 8);
        QCOMPARE(e.configWin.lineColor(), 0x00FF00u);
        // The hide still reselects the remembered entry alone.
        QCOMPARE(e.ui().Lb_Spr->selectedRows(), QList<int>{1});
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(1));
    }

    void tgaListReappliesItsOwnGridAndOnlyTheColourChanges() {
        Editor e(recorder_);
        Page& page = addTga(e, 10, 6);  // stride 12
        paintPattern(page);
        page.areas[2] = std::make_unique<AreaLayer>();
        (*page.areas[2])[0] = AreaRect{0, 0, 2, 2};
        e.selectTgas({0}, 0);
        e.main.Btn_ConfigClick();
        auto& f = e.cfg();
        for (QWidget* w :
             {static_cast<QWidget*>(f.Combo_TileSort), static_cast<QWidget*>(f.Edit_Col),
              static_cast<QWidget*>(f.Edit_Row), static_cast<QWidget*>(f.Edit_TileWidth),
              static_cast<QWidget*>(f.Edit_TileHeight)})
            QVERIFY(!w->isEnabled());
        QVERIFY(f.Combo_LineColor->isEnabled());
        f.Combo_LineColor->setCurrentIndex(f.Combo_LineColor->findText(QStringLiteral("파랑")));
        f.Btn_Ok->click();
        QCOMPARE(e.main.workspace().settings.gridColor, 0xFF0000);
        QCOMPARE(gridOf(page), (Grid{10, 6, 1, 1}));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x)
                QCOMPARE(pixelAt(page, x, y), std::uint32_t((x * 7 + y * 3) % 250 + 1));
        QVERIFY(areasEmpty(page));
        QCOMPARE(uitest::activeList(e.main), uitest::kListTga);
        QCOMPARE(uitest::current(e.main), uitest::pictureAt(0));
    }

    void rememberedEntryOutlivesAShowingWithoutSelection() {
        Editor e(recorder_);
        for (int i = 0; i < 3; ++i)
            addTga(e, 8, 8);
        addSprite(e, 8, 8, 1, 1);
        e.selectTgas({2}, 2);
        e.main.Btn_ConfigClick();
        QCOMPARE(e.configWin.rememberedIndex(), 2);
        e.cfg().Btn_No->click();

        // Nothing selected: the entry of the last showing is kept. The sprite
        // list has no entry 2, so nothing is selected and its current entry
        // is shown.
        e.selectSprites({}, 0);
        e.main.Btn_ConfigClick();
        QCOMPARE(e.configWin.rememberedIndex(), 2);
        e.cfg().Btn_Ok->click();
        QVERIFY(!e.configWin.isVisible());
        QVERIFY(e.ui().Lb_Spr->selectedRows().isEmpty());
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(0));
        QCOMPARE(uitest::activeList(e.main), uitest::kListSprite);

        // The TGA list, also without a selection, selects and shows entry 2.
        e.selectTgas({}, 0);
        e.main.Btn_ConfigClick();
        e.configWin.close();
        QCOMPARE(e.ui().Lb_Tga->selectedRows(), QList<int>{2});
        QCOMPARE(uitest::current(e.main), uitest::pictureAt(2));
    }

    void lineColourKeepsAColourWithoutANameInOneExtraEntry() {
        Editor e(recorder_);
        auto& combo = *e.cfg().Combo_LineColor;
        const int named = combo.count();
        e.configWin.setLineColor(0x008080);
        QCOMPARE(combo.currentText(), QStringLiteral("올리브"));
        e.configWin.setLineColor(0x123456);
        e.configWin.setLineColor(0x654321);
        QCOMPARE(combo.count(), named + 1);
        QCOMPARE(combo.currentText(), QStringLiteral("#214365"));

        // A colour read from the settings survives OK unchanged.
        addSprite(e, 8, 8, 1, 1);
        e.selectSprites({0}, 0);
        e.main.workspace().settings.gridColor = 0x00ABCDEF;
        e.main.Btn_ConfigClick();
        e.cfg().Btn_Ok->click();
        QCOMPARE(e.main.workspace().settings.gridColor, 0x00ABCDEF);
    }

    // ---- colour key ----------------------------------------------------------

    void colourKeyDialogShowsTheDefaultsAndTheCurrentKey() {
        Editor e(recorder_);
        e.main.workspace().settings.defaultColorKey8 = 4;
        e.main.workspace().settings.defaultColorKey16 = 0x1234;
        e.main.workspace().settings.defaultColorKey24 = 0x00ABCDEF;
        addSprite(e, 8, 8, 1, 1);
        addSprite(e, 8, 8, 1, 1, kMode16);
        setColorKey(uitest::sprite(e.main, 0), 77);
        setColorKey(uitest::sprite(e.main, 1), 1000);
        auto& f = e.key();
        QVERIFY(!f.Edit_ColorKey16->isEnabled());
        QVERIFY(!f.Edit_ColorKey24->isEnabled());
        QVERIFY(f.Edit_ColorKey8->isEnabled());
        QCOMPARE(f.Edit_ColorKey->maximum(), 255);

        e.selectSprites({0}, 0);
        e.main.Btn_ColorKeyClick();
        QCOMPARE(f.Edit_ColorKey8->value(), 4);
        QCOMPARE(f.Edit_ColorKey16->value(), 0x1234);
        QCOMPARE(f.Edit_ColorKey24->value(), 0xABCDEF);
        QCOMPARE(f.Edit_ColorKey->value(), 77);
        f.Btn_No->click();

        // A key beyond the field's range shows as 255.
        e.selectSprites({1}, 1);
        e.main.Btn_ColorKeyClick();
        QCOMPARE(f.Edit_ColorKey->value(), 255);
        f.Btn_No->click();
    }

    void colourKeyOkSetsEachSelectedPageInItsOwnMode() {
        Editor e(recorder_);
        e.main.workspace().settings.defaultColorKey16 = 0x7FFF;
        e.main.workspace().settings.defaultColorKey24 = 0x00FFFFFF;
        addSprite(e, 8, 8, 1, 1);           // 0: 8-bit
        addSprite(e, 8, 8, 1, 1, kMode16);  // 1: 16-bit
        addSprite(e, 8, 8, 1, 1);           // 2: not selected
        addSprite(e, 8, 8, 1, 1, kMode24);  // 3: 24-bit
        setColorKey(uitest::sprite(e.main, 2), 200);
        Palette ramp{};
        for (int i = 0; i < 768; ++i)
            ramp[i] = static_cast<std::uint8_t>(i * 3 + 1);
        setPagePalette(uitest::sprite(e.main, 2), ramp);
        const std::uint32_t pixel = pixelAt(uitest::sprite(e.main, 0), 3, 3);
        e.selectSprites({0, 1, 3}, 2);
        e.main.Btn_ColorKeyClick();
        auto& f = e.key();
        f.Edit_ColorKey8->setValue(9);
        f.Edit_ColorKey->setValue(12);
        QTest::mouseClick(f.Btn_Ok, Qt::LeftButton);
        QVERIFY(!e.colorKeyWin.isVisible());
        QCOMPARE(int{uitest::sprite(e.main, 0).colorKey8}, 12);
        QCOMPARE(int{uitest::sprite(e.main, 1).colorKey16}, 12);
        QCOMPARE(uitest::sprite(e.main, 3).colorKey24, 12u);
        QCOMPARE(int{uitest::sprite(e.main, 2).colorKey8}, 200);
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 3, 3), pixel);  // pixels are not touched
        // Both key panels show the new keys with their colours on the page shown.
        const auto panels = [](QLabel* value, QLabel* r, QLabel* g, QLabel* b) {
            return QStringList{value->text(), r->text(), g->text(), b->text()};
        };
        const auto entry = [&ramp](int n) {
            return QStringList{QString::number(n), QString::number(ramp[n * 3]),
                               QString::number(ramp[n * 3 + 1]), QString::number(ramp[n * 3 + 2])};
        };
        QCOMPARE(panels(e.ui().Panel_ColorKey, e.ui().Panel_ColorKeyR, e.ui().Panel_ColorKeyG,
                        e.ui().Panel_ColorKeyB),
                 entry(12));
        QCOMPARE(panels(e.ui().Panel_DefaultColorKey, e.ui().Panel_DefaultColorKeyR,
                        e.ui().Panel_DefaultColorKeyG, e.ui().Panel_DefaultColorKeyB),
                 entry(9));
        QCOMPARE(int{e.main.workspace().settings.defaultColorKey8}, 9);
        // The fields that cannot be edited write their defaults back unchanged.
        QCOMPARE(int{e.main.workspace().settings.defaultColorKey16}, 0x7FFF);
        QCOMPARE(e.main.workspace().settings.defaultColorKey24, 0x00FFFFFFu);
    }

    void colourKeyWorksOnTheTgaListAndCancelChangesNothing() {
        Editor e(recorder_);
        addSprite(e, 8, 8, 1, 1);
        addTga(e, 8, 8);
        addTga(e, 8, 8);
        e.ui().Lb_Spr->selectEntry(0);
        e.selectTgas({1}, 0);
        e.main.Btn_ColorKeyClick();
        e.key().Edit_ColorKey->setValue(33);
        e.key().Edit_ColorKey8->setValue(44);
        e.key().Btn_Ok->click();
        QCOMPARE(int{uitest::picture(e.main, 1).colorKey8}, 33);
        QCOMPARE(int{uitest::picture(e.main, 0).colorKey8}, 0);
        QCOMPARE(int{uitest::sprite(e.main, 0).colorKey8},
                 0);  // the sprite list is not the active one
        QCOMPARE(e.ui().Panel_ColorKey->text(), QStringLiteral("33"));

        e.main.Btn_ColorKeyClick();
        QCOMPARE(e.key().Edit_ColorKey8->value(), 44);
        e.key().Edit_ColorKey->setValue(99);
        e.key().Edit_ColorKey8->setValue(98);
        e.key().Btn_No->click();
        QCOMPARE(int{uitest::picture(e.main, 1).colorKey8}, 33);
        QCOMPARE(int{e.main.workspace().settings.defaultColorKey8}, 44);
        QCOMPARE(e.ui().Panel_ColorKey->text(), QStringLiteral("33"));

        // Without an active list no page changes and the panel reads 0.
        e.main.workspace().sprites.clear();
        e.main.workspace().pictures.clear();
        e.ui().Lb_Spr->clear();
        e.ui().Lb_Tga->clear();
        e.main.Lb_SprClick();
        e.colorKeyWin.open();
        e.key().Btn_Ok->click();
        QCOMPARE(e.ui().Panel_ColorKey->text(), QStringLiteral("0"));
    }

    // ---- change colour -------------------------------------------------------

    void changeColourStartsAtTheKeyAndGreysTheTarget() {
        Editor e(recorder_);
        addSprite(e, 8, 8, 1, 1);
        addSprite(e, 8, 8, 1, 1, kMode24);
        setColorKey(uitest::sprite(e.main, 0), 17);
        setColorKey(uitest::sprite(e.main, 1), 0x00102030);
        e.selectSprites({0}, 0);
        e.main.Btn_ChgColorClick();
        auto& f = e.chg();
        QCOMPARE(f.Edit_SourceColor->value(), 17);
        QCOMPARE(f.Edit_TargetColor->value(), 17);
        QCOMPARE(f.Edit_SourceColor->maximum(), 255);
        QCOMPARE(f.Edit_TargetColor->maximum(), 255);
        QVERIFY(!f.Chk_Auto->isChecked());
        QTest::mouseClick(f.Chk_Auto, Qt::LeftButton);
        QVERIFY(f.Chk_Auto->isChecked());
        QVERIFY(!f.Edit_TargetColor->isEnabled());
        QTest::mouseClick(f.Chk_Auto, Qt::LeftButton);
        QVERIFY(f.Edit_TargetColor->isEnabled());
        f.Chk_Auto->setChecked(true);
        f.Btn_No->click();

        // The next opening starts over; a key above 255 shows as 255.
        e.selectSprites({1}, 1);
        e.main.Btn_ChgColorClick();
        QVERIFY(!f.Chk_Auto->isChecked());
        QVERIFY(f.Edit_TargetColor->isEnabled());
        QCOMPARE(f.Edit_SourceColor->value(), 255);
        QCOMPARE(f.Edit_TargetColor->value(), 255);
        f.Btn_No->click();
    }

    void changeColourReplacesInSelectedSpritePagesOnly() {
        Editor e(recorder_);
        for (int i = 0; i < 3; ++i)
            addSprite(e, 8, 8, 1, 1);
        for (int slot = 0; slot < 3; ++slot) {
            putPixel(uitest::sprite(e.main, slot), 1, 1, 5);
            putPixel(uitest::sprite(e.main, slot), 2, 2, 6);
        }
        e.selectSprites({0, 2}, 1);
        QSignalSpy shown(&e.main, &TMainWin::pageShown);
        e.main.Btn_ChgColorClick();
        auto& f = e.chg();
        f.Edit_SourceColor->setValue(5);
        f.Edit_TargetColor->setValue(40);
        QTest::mouseClick(f.Btn_Ok, Qt::LeftButton);
        QVERIFY(!e.chgColorWin.isVisible());
        QVERIFY(e.main.isEnabled());
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 1, 1), 40u);
        QCOMPARE(pixelAt(uitest::sprite(e.main, 2), 1, 1), 40u);
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 2, 2), 6u);
        QCOMPARE(pixelAt(uitest::sprite(e.main, 1), 1, 1), 5u);
        // The current page is shown again.
        QVERIFY(!shown.isEmpty());
        QCOMPARE(uitest::current(e.main), uitest::spriteAt(1));

        // Pressing OK at once replaces the key by itself: nothing changes.
        for (int y = 0; y < 8; ++y)
            putPixel(uitest::sprite(e.main, 0), 0, y, colorKeyOf(uitest::sprite(e.main, 0)));
        e.main.Btn_ChgColorClick();
        f.Btn_Ok->click();
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 0, 3), colorKeyOf(uitest::sprite(e.main, 0)));
        QCOMPARE(pixelAt(uitest::sprite(e.main, 0), 1, 1), 40u);
    }

    void similarColourIgnoresTheTargetField() {
        Editor e(recorder_);
        addSprite(e, 4, 4, 1, 1);
        Page& page = uitest::sprite(e.main, 0);
        // Black at 0, nearly black at 9, white everywhere else.
        Palette palette{};
        palette.fill(255);
        palette[0] = palette[1] = palette[2] = 0;
        palette[27] = 1;
        palette[28] = palette[29] = 0;
        setPagePalette(page, palette);
        clearPage(page);  // key 0 everywhere
        e.selectSprites({0}, 0);
        e.main.Btn_ChgColorClick();
        auto& f = e.chg();
        f.Edit_TargetColor->setValue(200);
        f.Chk_Auto->setChecked(true);
        f.Btn_Ok->click();
        QCOMPARE(pixelAt(page, 0, 0), 9u);
        QCOMPARE(pixelAt(page, 3, 3), 9u);
        QVERIFY(recorder_.messages.isEmpty());
    }

    void changeColourOutsideTheSpriteListOnlyCloses() {
        Editor e(recorder_);
        Page& picture = addTga(e, 8, 8);
        putPixel(picture, 1, 1, 5);
        e.selectTgas({0}, 0);
        e.main.Btn_ChgColorClick();
        QVERIFY(!e.chgColorWin.isVisible());
        // Opened some other way, OK changes no page.
        e.chgColorWin.open();
        e.chg().Edit_SourceColor->setValue(5);
        e.chg().Edit_TargetColor->setValue(6);
        e.chg().Btn_Ok->click();
        QVERIFY(!e.chgColorWin.isVisible());
        QVERIFY(e.main.isEnabled());
        QCOMPARE(pixelAt(picture, 1, 1), 5u);
    }
};

QTEST_MAIN(EditDialogsTest)
#include "edit_dialogs_test.moc"
