// The palette chooser: a click picks, a double-click asks to edit, hovering
// names the colour, the current colour is marked, and the popup stays on
// the screen.
#include "palette_chooser.h"

#include <QHelpEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using namespace zentil;

namespace {

// Entries all differ, and none is white, the colour of the mark.
Palette testPalette() {
    Palette p{};
    for (int n = 0; n < kPaletteEntries; ++n) {
        p[n * 3 + 0] = static_cast<std::uint8_t>(n);
        p[n * 3 + 1] = static_cast<std::uint8_t>(200 - n * 3 / 4);
        p[n * 3 + 2] = static_cast<std::uint8_t>((n * 7) % 250);
    }
    return p;
}

QColor entry(const Palette& p, int n) {
    return QColor(p[n * 3 + 0], p[n * 3 + 1], p[n * 3 + 2]);
}

}  // namespace

class PaletteChooserTest : public QObject {
    Q_OBJECT
  private slots:
    void clickPicksAndDoubleClickAsksToEdit_data() {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("doubleClicked");
        QTest::newRow("first and last") << 0 << 255;
        QTest::newRow("row ends") << 15 << 16;
        QTest::newRow("last and first") << 255 << 0;
        QTest::newRow("middle") << 17 << 130;
    }

    // A click gives `picked` once, after the double-click interval, and closes
    // the popup; a double-click gives only `editRequested` with the colour.
    void clickPicksAndDoubleClickAsksToEdit() {
        QFETCH(int, clicked);
        QFETCH(int, doubleClicked);
        const Palette palette = testPalette();
        PaletteChooser chooser;
        chooser.setPalette(palette, 3);
        QSignalSpy picks(&chooser, &PaletteChooser::picked);
        QSignalSpy edits(&chooser, &PaletteChooser::editRequested);

        chooser.popUpAt(QPoint(40, 40));
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTest::mouseClick(&chooser, Qt::LeftButton, {}, chooser.cellRect(clicked).center());
        QVERIFY(picks.wait(2000));
        QCOMPARE(picks.count(), 1);
        QCOMPARE(picks.at(0).at(0).toInt(), clicked);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(edits.count(), 0);

        chooser.popUpAt(QPoint(40, 40));
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTest::mouseDClick(&chooser, Qt::LeftButton, {}, chooser.cellRect(doubleClicked).center());
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits.at(0).at(0).toInt(), doubleClicked);
        QCOMPARE(edits.at(0).at(1).value<QColor>(), entry(palette, doubleClicked));
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QCOMPARE(picks.count(), 1);
        QVERIFY(!chooser.isVisible());
    }

    // Hovering names the colour under the pointer; the current colour has a
    // white frame that no other cell has.
    void tooltipNamesTheColourAndTheCurrentOneIsMarked() {
        const Palette palette = testPalette();
        PaletteChooser chooser;
        chooser.setPalette(palette, 17);
        chooser.popUpAt(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        for (int n : {0, 17, 255}) {
            const QPoint at = chooser.cellRect(n).center();
            QHelpEvent help(QEvent::ToolTip, at, chooser.mapToGlobal(at));
            QApplication::sendEvent(&chooser, &help);
            const QColor c = entry(palette, n);
            QCOMPARE(QToolTip::text(), QStringLiteral("색 %1: %2, %3, %4")
                                           .arg(n)
                                           .arg(c.red())
                                           .arg(c.green())
                                           .arg(c.blue()));
        }
        const QImage shot = chooser.grab().toImage();
        const qreal scale = shot.devicePixelRatio();
        const auto whiteAbove = [&](int n) {
            const QPoint p = chooser.cellRect(n).topLeft() + QPoint(5, -1);
            return QColor(shot.pixel(int(p.x() * scale), int(p.y() * scale))) == Qt::white;
        };
        QVERIFY(whiteAbove(17));
        QVERIFY(!whiteAbove(18));
        QVERIFY(!whiteAbove(50));
    }

    // Asked for beyond the screen's corner, the popup lies on the screen.
    void staysOnTheScreen() {
        PaletteChooser chooser;
        chooser.setPalette(testPalette(), 0);
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        chooser.popUpAt(room.bottomRight() + QPoint(500, 500));
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QVERIFY(room.contains(chooser.frameGeometry()));
    }
};

QTEST_MAIN(PaletteChooserTest)
#include "palette_chooser_test.moc"
