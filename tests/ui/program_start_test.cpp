// How the program starts: its command line, the folder it starts in, and
// what it sets up before the windows: Qt's own texts and the window icon.
#include <sys/stat.h>
#include <unistd.h>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include "application_setup.h"
#include "command_line.h"
#include "editor_language.h"
#include "file_paths.h"
#include "system/texts.h"
#include "ui_test_support.h"

using zentil::CommandLine;
using zentil::ToolkitOptions;

class ProgramStartTest : public QObject {
    Q_OBJECT
  private slots:
    void parsesTheLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("early");  // before the toolkit took its own options
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::addColumn<QString>("error");  // a word the error names; empty for none

        const QStringList none;
        QTest::newRow("nothing") << none << false << none << false << false << QString();
        QTest::newRow("files made absolute")
            << QStringList{"a.tga", "sub/../B.GPF", "/data/c.gpf", "Dir With Space/d.tga"} << false
            << QStringList{"/start/here/a.tga", "/start/here/B.GPF", "/data/c.gpf",
                           "/start/here/Dir With Space/d.tga"}
            << false << false << QString();
        QTest::newRow("--help") << QStringList{"--help"} << false << none << true << false
                                << QString();
        QTest::newRow("-h") << QStringList{"-h"} << true << none << true << false << QString();
        QTest::newRow("--version")
            << QStringList{"--version"} << true << none << false << true << QString();
        QTest::newRow("-v beside a file")
            << QStringList{"x.tga", "-v"} << false << QStringList{"/start/here/x.tga"} << false
            << true << QString();
        QTest::newRow("unknown option")
            << QStringList{"--bogus", "a.tga"} << false << QStringList{"/start/here/a.tga"} << false
            << false << QStringLiteral("bogus");
        // Before the toolkit exists (no display), an unknown option is found
        // all the same, and the toolkit's own options pass with their values.
        QTest::newRow("unknown option, early")
            << QStringList{"--bogus"} << true << none << false << false << QStringLiteral("bogus");
        QTest::newRow("toolkit options, early")
            << QStringList{"-platform",   "xcb",   "-style=fusion", "-reverse", "--display",
                           ":1",          "a.tga", "-qwindowtitle", "T",        "-widgetcount",
                           "-stylesheet", "s.qss", "b.gpf"}
            << true << QStringList{"/start/here/a.tga", "/start/here/b.gpf"} << false << false
            << QString();
        QTest::newRow("an unknown option among toolkit options, early")
            << QStringList{"-style", "fusion", "-bogus", "a.tga"} << true
            << QStringList{"/start/here/a.tga"} << false << false << QStringLiteral("bogus");
        // A single-dash word is one long option, never the letters -r -e -v ...
        QTest::newRow("-reverse is not -v") << QStringList{"-reverse"} << false << none << false
                                            << false << QStringLiteral("reverse");
        QTest::newRow("version beside a toolkit option")
            << QStringList{"-platform", "xcb", "--version"} << true << none << false << true
            << QString();
        QTest::newRow("names after --") << QStringList{"--", "-v", "--help.gpf"} << true
                                        << QStringList{"/start/here/-v", "/start/here/--help.gpf"}
                                        << false << false << QString();
    }

    void parsesTheLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, early);
        QFETCH(QStringList, files);
        QFETCH(bool, help);
        QFETCH(bool, version);
        QFETCH(QString, error);
        arguments.prepend(QStringLiteral("zentil-editor"));
        const CommandLine line =
            zentil::parseCommandLine(arguments, QDir("/start/here"),
                                     early ? ToolkitOptions::OnTheLine : ToolkitOptions::Taken);
        QCOMPARE(line.files, files);
        QCOMPARE(line.showHelp, help);
        QCOMPARE(line.showVersion, version);
        const QString refusal = zentil::refusalText(line, zentil::Language("en"));
        QCOMPARE(refusal.isEmpty(), error.isEmpty());
        QVERIFY2(refusal.contains(error), qPrintable(refusal));
    }

    // The help and the refusals speak the language chosen, the same with an
    // application object as without one (main.cpp answers before there is one).
    void theLineIsAnsweredInTheChosenLanguage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("korean");
        QTest::addColumn<QString>("english");
        QTest::newRow("help") << QStringList{"--help"} << QStringLiteral("사용법: zentil-editor")
                              << QStringLiteral("Usage: zentil-editor");
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << QStringLiteral("알 수 없는 옵션: 'bogus'")
            << QStringLiteral("Unknown option: 'bogus'");
        QTest::newRow("two unknown options")
            << QStringList{"--bogus", "-x"} << QStringLiteral("알 수 없는 옵션: 'bogus', 'x'")
            << QStringLiteral("Unknown options: 'bogus', 'x'");
        QTest::newRow("missing value")
            << QStringList{"--lang"} << QStringLiteral("'--lang' 뒤에 값이 없습니다.")
            << QStringLiteral("Missing value after '--lang'.");
        QTest::newRow("unexpected value")
            << QStringList{"--version=2"} << QStringLiteral("'--version'은(는) 값을 받지 않습니다.")
            << QStringLiteral("Unexpected value after '--version'.");
        QTest::newRow("unknown language")
            << QStringList{"--lang", "fr"} << QStringLiteral("알 수 없는 언어 'fr'")
            << QStringLiteral("Unknown language 'fr'");
    }

    void theLineIsAnsweredInTheChosenLanguage() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, korean);
        QFETCH(QString, english);
        arguments.prepend(QStringLiteral("zentil-editor"));
        const CommandLine line = zentil::parseCommandLine(arguments, QDir("/start/here"));
        for (const auto& [language, expected] :
             {std::pair{zentil::Language::korean(), korean}, {zentil::Language("en"), english}}) {
            const QString said = line.showHelp ? zentil::commandLineHelp(language)
                                               : zentil::refusalText(line, language);
            QVERIFY2(said.contains(expected), qPrintable(said));
            QCOMPARE(said.contains(QRegularExpression(QStringLiteral("[가-힣]"))),
                     language == zentil::Language::korean());
        }
    }

    // A file whose name is not UTF-8, named on the command line and started
    // from a folder whose name is not UTF-8 either, reaches the core as the
    // file system's bytes and loads.
    void namesThatAreNotUtf8Load() {
        zentil::uitest::Recorder recorder;
        zentil::uitest::FreshState state;
        const QByteArray folder = QFile::encodeName(state.folder()) + "/caf\xe9";
        const QByteArray name = QByteArray("h\xe9ro \xff.tga");
        // Qt cannot remove what it cannot name: the test takes them away itself.
        struct Remove {
            QByteArray folder, file;
            ~Remove() {
                ::unlink((folder + "/" + file).constData());
                ::rmdir(folder.constData());
            }
        } remove{folder, name};
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        QVERIFY(::chdir(folder.constData()) == 0);
        {
            zentil::Page page;
            QVERIFY(zentil::createSinglePage(page, 8, 8, zentil::kMode8));
            const std::vector<std::uint8_t> bytes = zentil::encodeTga(page);
            std::FILE* file = std::fopen(name.constData(), "wb");
            QVERIFY(file);
            QCOMPARE(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
            std::fclose(file);
        }
        QByteArray program = "zentil-editor", argument = name;
        char* argv[] = {program.data(), argument.data()};
        const CommandLine line =
            zentil::parseCommandLine(zentil::argumentsOf(2, argv), zentil::workingFolder());
        QCOMPARE(line.files.size(), 1);
        QCOMPARE(QByteArray::fromStdString(zentil::pathToBytes(line.files[0])),
                 folder + "/" + name);
        zentil::uitest::Editor e(recorder);
        e.main.loadFiles(line.files);
        QCOMPARE(recorder.texts, QStringList());
        QCOMPARE(e.main.workspace().pictures.size(), 1);
        QCOMPARE(QByteArray::fromStdString(e.main.workspace().pictures.file(0).path),
                 folder + "/" + name);
    }

    // Names as bytes come back byte for byte; text comes back as itself.
    void pathBytesRoundTrip() {
        for (const QByteArray& bytes :
             {QByteArray("plain.tga"), QByteArray("h\xc3\xa9ro \xed\x95\x9c.gpf"),
              QByteArray("\xe9\xff\x80 \xed\xb2\x80 \xf0\x9f\x98\x80 \xc3")})
            QCOMPARE(QByteArray::fromStdString(zentil::pathToBytes(zentil::pathFromBytes(bytes))),
                     bytes);
        const QString text = QStringLiteral("héro 한 😀");
        QCOMPARE(zentil::pathFromBytes(zentil::pathToBytes(text)), text);
    }

    // Qt's own texts speak Korean with the editor: the standard buttons of
    // the questions and the file dialogs.
    void toolkitTextsAreKorean() {
        QVERIFY(zentil::installLanguage(*qApp, zentil::Language::korean()));
        QVERIFY(zentil::installLanguage(*qApp, zentil::Language::korean()));  // once is enough
        QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Cancel);
        for (const QDialogButtonBox::StandardButton button :
             {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel}) {
            const QString text = box.button(button)->text();
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("[가-힣]"))),
                     qPrintable(text));
        }
        QVERIFY2(
            QCoreApplication::translate("QFileDialog", "Look in:") != QStringLiteral("Look in:"),
            "the file dialog's texts");
        // The other tests see Qt's texts as they were.
        delete qApp->findChild<QTranslator*>(QStringLiteral("qtbase_ko"));
    }

    // The window has an icon even where the icon theme has none (here, as
    // when run from the build folder): the one built into the program.
    void theWindowHasTheEditorsIcon() {
        const QIcon icon = zentil::editorIcon();
        QVERIFY(!icon.isNull());
        for (const int size : {16, 32, 48, 256})
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                     qPrintable(QString::number(size)));
        QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
        zentil::uitest::Recorder recorder;
        zentil::uitest::FreshState state;
        zentil::prepareApplication(*qApp);
        delete qApp->findChild<QTranslator*>(QStringLiteral("qtbase_ko"));
        zentil::uitest::Editor e(recorder);
        QVERIFY(!e.main.windowIcon().isNull());
    }

    // The help names the program, every option and every kind of file it
    // loads, in both languages, in lines that fit a terminal.
    void helpDescribesTheOptions() {
        for (const zentil::Language& language :
             {zentil::Language::korean(), zentil::Language("en")}) {
            const QString help = zentil::commandLineHelp(language);
            for (const char* word :
                 {"zentil-editor", "--help", "--version", "--lang", "TGA", "PNG", "GPF", ".zws"})
                QVERIFY2(help.contains(QLatin1String(word)), word);
            for (const QString& row : help.split(QLatin1Char('\n'))) {
                // A terminal gives Hangul two columns.
                const qsizetype columns =
                    row.size() + row.count(QRegularExpression(QStringLiteral("[가-힣]")));
                QVERIFY2(columns <= 79, qPrintable(row));
            }
        }
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
