// How the program starts: its command line, and the folder it starts in.
#include <QtTest>

#include "command_line.h"
#include "system/texts.h"
#include "ui_test_support.h"

using zentil::CommandLine;

class ProgramStartTest : public QObject {
    Q_OBJECT
  private slots:
    void parsesTheLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::addColumn<QString>("error");  // a word the error names; empty for none

        const QStringList none;
        QTest::newRow("nothing") << none << none << false << false << QString();
        QTest::newRow("files made absolute")
            << QStringList{"a.tga", "sub/../B.GPF", "/data/c.gpf", "Dir With Space/d.tga"}
            << QStringList{"/start/here/a.tga", "/start/here/B.GPF", "/data/c.gpf",
                           "/start/here/Dir With Space/d.tga"}
            << false << false << QString();
        QTest::newRow("--help") << QStringList{"--help"} << none << true << false << QString();
        QTest::newRow("-h") << QStringList{"-h"} << none << true << false << QString();
        QTest::newRow("--version")
            << QStringList{"--version"} << none << false << true << QString();
        QTest::newRow("-v beside a file")
            << QStringList{"x.tga", "-v"} << QStringList{"/start/here/x.tga"} << false << true
            << QString();
        QTest::newRow("unknown option")
            << QStringList{"--bogus", "a.tga"} << QStringList{"/start/here/a.tga"} << false << false
            << QStringLiteral("bogus");
        // A single-dash word is one long option, never the letters -r -e -v ...
        QTest::newRow("-reverse is not -v")
            << QStringList{"-reverse"} << none << false << false << QStringLiteral("reverse");
        QTest::newRow("version beside a toolkit option")
            << QStringList{"-platform", "xcb", "--version"} << QStringList{"/start/here/xcb"}
            << false << true << QStringLiteral("platform");
        QTest::newRow("names after --") << QStringList{"--", "-v", "--help.gpf"}
                                        << QStringList{"/start/here/-v", "/start/here/--help.gpf"}
                                        << false << false << QString();
    }

    void parsesTheLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(bool, help);
        QFETCH(bool, version);
        QFETCH(QString, error);
        arguments.prepend(QStringLiteral("zentil-editor"));
        const CommandLine line = zentil::parseCommandLine(arguments, QDir("/start/here"));
        QCOMPARE(line.files, files);
        QCOMPARE(line.showHelp, help);
        QCOMPARE(line.showVersion, version);
        QCOMPARE(line.error.isEmpty(), error.isEmpty());
        QVERIFY2(line.error.contains(error), qPrintable(line.error));
    }

    // The help names the program and every option.
    void helpDescribesTheOptions() {
        const QString help = zentil::commandLineHelp();
        for (const char* word : {"zentil-editor", "--help", "--version", "FILES"})
            QVERIFY2(help.contains(QLatin1String(word)), word);
    }

    // Started in a folder it cannot write (/proc, which not even root can
    // write), the editor shows its window, and at close says that the
    // settings were not saved and closes all the same.
    void anUnwritableStartFolderStopsNothing() {
        zentil::uitest::Recorder recorder;
        zentil::uitest::FreshState state;
        QVERIFY(QDir::setCurrent(QStringLiteral("/proc")));
        {
            zentil::uitest::Editor e(recorder);
            QVERIFY(e.main.isVisible());
            QVERIFY(e.main.close());
            QVERIFY(!e.main.isVisible());
        }
        QCOMPARE(recorder.texts,
                 QStringList{zentil::uitest::fromView(zentil::texts::kConfigCannotSave)});
    }
};

QTEST_MAIN(ProgramStartTest)
#include "program_start_test.moc"
