// The editor in its languages: which language a run speaks, every text
// translated, alike in the windows and in zentil-tool, the windows speaking
// the one chosen, and a third language (zentil_eo.ts, built into this test
// alone) found, chosen and spoken by both.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>
#include <set>
#include <sstream>

#include "application_setup.h"
#include "command_line.h"
#include "core_texts.h"
#include "editor_language.h"
#include "formats/page_formats.h"
#include "formats/palette_formats.h"
#include "language_menu.h"
#include "system/outcome.h"
#include "system/texts.h"
#include "tool_commands.h"
#include "tool_texts.h"
#include "tool_translations.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

const QRegularExpression kHangul(QStringLiteral("[가-힣]"));

const Language kEnglish("en");
// The language of the translation built into this test alone.
const Language kEsperanto("eo");

// The texts of src/system/texts.h, read from the source itself so that a
// text added there without its mark for the translations is found: an
// unmarked one comes back empty.
std::vector<std::string> textsOfTheCore() {
    QFile file(QStringLiteral(ZENTIL_SOURCE_DIR "/src/system/texts.h"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString source = QString::fromUtf8(file.readAll());
    std::vector<std::string> found;
    const QRegularExpression declaration(
        QStringLiteral(R"re(constexpr const char\* k\w+ =\s*([^;]*);)re"));
    const QRegularExpression marked(
        QStringLiteral(R"re(^ZENTIL_TEXT\(\s*"CoreText",((?:\s*"(?:[^"\\]|\\.)*")+)\)$)re"));
    const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    for (auto d = declaration.globalMatch(source); d.hasNext();) {
        const QRegularExpressionMatch mark = marked.match(d.next().captured(1));
        QString text;
        for (auto l = literal.globalMatch(mark.captured(1)); l.hasNext();)
            text += l.next().captured(1);
        found.push_back(text.toStdString());
    }
    return found;
}

// The printf conversions of a text in order: "%d", "%s" ...
QStringList conversions(const QString& text) {
    QStringList list;
    for (auto m = QRegularExpression(QStringLiteral("%[%ds]")).globalMatch(text); m.hasNext();)
        list.append(m.next().captured());
    return list;
}

// Widgets whose text is wider than they are, at the application's font.
QStringList clipped(const QWidget& window) {
    QStringList found;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isHidden() && w->parentWidget() && w->parentWidget()->isVisible()) continue;
        QString text;
        int room = w->width();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
            room -= 6;  // the button's frame and the style's margins
            if (qobject_cast<const QCheckBox*>(w)) room -= 20;  // the box
        } else if (const auto* label = qobject_cast<const QLabel*>(w);
                   label && !label->wordWrap()) {
            text = label->text();
            room = label->contentsRect().width() - 2 * label->margin();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            text = group->title();
            room -= 16;  // the frame's corner before the title
        }
        if (!text.isEmpty() && w->fontMetrics().horizontalAdvance(text) > room) found.append(text);
    }
    return found;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { installLanguage(*qApp, Language::korean()); }

    // The command line comes first, then the kept choice, then the user's
    // languages: the first of them where it is installed, Korean otherwise.
    void theLanguageIsChosenInOrder() {
        const Language brazilian("pt_BR"), portuguese("pt");
        const std::vector<Language> installed = installedLanguages();
        QCOMPARE(installed, (std::vector{Language::korean(), kEnglish, kEsperanto}));
        const std::vector<Language> more = {Language::korean(), portuguese, brazilian};
        const struct {
            const char* first;
            const std::vector<Language>& installed;
            Language language;
        } users[] = {{"en", installed, kEnglish},
                     {"en-GB", installed, kEnglish},
                     {"en_US.UTF-8", installed, kEnglish},
                     {"EN-us", installed, kEnglish},
                     {"eo", installed, kEsperanto},
                     {"C", installed, Language::korean()},
                     {"", installed, Language::korean()},
                     {"ko-KR", installed, Language::korean()},
                     {"de-DE", installed, Language::korean()},
                     {"eng", installed, Language::korean()},
                     {"en", more, Language::korean()},
                     {"pt-BR", more, brazilian},
                     {"pt_BR.UTF-8", more, brazilian},
                     {"pt_PT", more, portuguese},
                     {"pt", more, portuguese}};
        for (const auto& user : users)
            QVERIFY2(languageForUser(user.first, user.installed) == user.language, user.first);
        uitest::FreshState state;
        QVERIFY(!keptLanguage());
        // The next start reads the choice before the program is named, from
        // the file the running editor kept it in, whatever the locale says.
        const auto nextStart = [](std::optional<Language> commandLine) {
            QCoreApplication::setOrganizationName(QString());
            QCoreApplication::setApplicationName(QStringLiteral("zentil-editor"));
            const Language chosen = chosenLanguage(commandLine);
            nameApplication();
            return chosen;
        };
        for (const auto& [kept, other] : {std::pair{kEnglish, Language::korean()},
                                          {Language::korean(), kEnglish},
                                          {kEsperanto, kEnglish}}) {
            nameApplication();
            keepLanguage(kept);
            QCOMPARE(nextStart(std::nullopt), kept);
            QCOMPARE(nextStart(other), other);
        }
        // A kept language that is no longer installed is passed over.
        keepLanguage(Language("fr"));
        QVERIFY(!keptLanguage());
    }

    // Qt's file dialog words dates by the system locale, read from the
    // environment as the application starts: before that, the environment is
    // made to name the chosen language for dates, and for dates alone.
    void datesFollowTheChosenLanguage() {
        const struct {
            const char* all;
            const char* time;
            const char* lang;
            Language language;
            const char* timeAfter;  // "" where it names the language wanted
            const char* messagesAfter;
        } rows[] = {
            {"", "", "ko_KR.UTF-8", kEnglish, "", ""},
            {"ko_KR.UTF-8", "", "", kEnglish, "", "ko_KR.UTF-8"},
            {"", "", "en_GB.UTF-8", kEnglish, nullptr, ""},
            {"", "en_US.UTF-8", "ko_KR.UTF-8", kEnglish, "en_US.UTF-8", ""},
            {"", "ko_KR", "en_US.UTF-8", Language::korean(), "ko_KR", ""},
        };
        const char* const names[] = {"LC_ALL", "LC_TIME", "LC_MESSAGES", "LANG"};
        std::vector<QByteArray> kept;
        for (const char* name : names)
            kept.push_back(qgetenv(name));
        for (const auto& row : rows) {
            for (const auto& [name, value] : {std::pair{"LC_ALL", row.all},
                                              {"LC_TIME", row.time},
                                              {"LC_MESSAGES", ""},
                                              {"LANG", row.lang}})
                *value ? qputenv(name, value) : qunsetenv(name);
            useLanguageForDates(row.language);
            const QByteArray time = qgetenv("LC_TIME");
            QVERIFY(!qEnvironmentVariableIsSet("LC_ALL"));
            QCOMPARE(qgetenv("LANG"), QByteArray(row.lang));
            QCOMPARE(qgetenv("LC_MESSAGES"), QByteArray(row.messagesAfter));
            if (!row.timeAfter)
                QVERIFY(time.isEmpty());
            else if (*row.timeAfter)
                QCOMPARE(time, QByteArray(row.timeAfter));
            else  // English where installed, else the C locale's English
                QVERIFY2(namesLanguage(time.toStdString(), row.language) || time == "C.UTF-8",
                         time.constData());
        }
        for (std::size_t i = 0; i < kept.size(); ++i)
            kept[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], kept[i]);
    }

    // Every text of the core is marked for the translations and has its
    // English, with the same conversions as the Korean; zentil-tool's table,
    // made from the same translation files, has every language the editor
    // has, and gives each of the core's texts and of its own as the editor's
    // translation does. (That every text of the windows has a translation is
    // checked by running lupdate over the sources: zentil_translations_complete.)
    void theToolSpeaksAsTheEditor() {
        const std::vector<std::string> core = textsOfTheCore();
        QVERIFY(core.size() > 40);
        std::set<std::string> expected(core.begin(), core.end());
        for (const PageFormat& format : pageFormats())
            expected.insert(format.name);
        for (const PaletteFileType& type : paletteFileTypes())
            expected.insert(type.name);

        QCOMPARE(tool::installedLanguages(), installedLanguages());
        for (const tool::ToolTranslation& table : tool::toolTranslations()) {
            const Language language(table.code);
            QVERIFY(std::is_sorted(table.texts.begin(), table.texts.end(), [](auto& a, auto& b) {
                return std::pair(a.context, a.source) < std::pair(b.context, b.source);
            }));
            for (const tool::TranslatedText& text : table.texts) {
                const std::string context(text.context), source(text.source);
                QCOMPARE(translatedText(language, context.c_str(), source.c_str()),
                         QString::fromUtf8(text.translation.data(),
                                           static_cast<qsizetype>(text.translation.size())));
            }
            QVERIFY(installLanguage(*qApp, language) || language != kEnglish);
            tool::setLanguage(language);
            for (const std::string& korean : expected) {
                const QString translated = uiText(korean);
                if (language == kEnglish) {
                    QVERIFY2(!translated.isEmpty() && !translated.contains(kHangul),
                             korean.c_str());
                    QCOMPARE(conversions(translated), conversions(QString::fromStdString(korean)));
                }
                if (std::find(core.begin(), core.end(), korean) != core.end())
                    QCOMPARE(QString::fromStdString(tool::coreText(korean)), translated);
            }
            for (int id = 0; id < static_cast<int>(tool::Text::Count); ++id) {
                tool::setLanguage(Language::korean());
                const std::string source = tool::say(static_cast<tool::Text>(id));
                tool::setLanguage(language);
                QCOMPARE(QString::fromStdString(tool::say(static_cast<tool::Text>(id))),
                         translatedText(language, "ToolText", source.c_str()));
            }
        }
        tool::setLanguage(Language::korean());
        QVERIFY(installLanguage(*qApp, kEnglish));
        // Texts the core fills in are translated with what filled them.
        QCOMPARE(uiText(formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonEmpty)),
                 QStringLiteral("Cannot read the PNG file. (empty file)"));
        QCOMPARE(uiText(formatText(texts::kTgaUnsupportedDepthF, 32)),
                 QStringLiteral("Unsupported TGA file. (32)"));
        QCOMPARE(uiFilter(filterOf(pageFormat(PageFormatId::Tga))),
                 QStringLiteral("TGA file (*.TGA)"));
        QCOMPARE(uiText("/some/file.tga"), QStringLiteral("/some/file.tga"));
    }

    // Switched to English the windows made afterwards speak English, Qt's
    // own buttons too, and nothing is cut off; switched back, Korean.
    void theWindowsSpeakTheChosenLanguage() {
        uitest::Recorder recorder;
        uitest::FreshState state;
        struct Expected {
            Language language;
            const char* newButton;
            const char* wholeImage;
            const char* keyTitle;
            const char* zoom;
            const char* undo;
        };
        const QFont font = QApplication::font();
        for (const Expected& want :
             {Expected{kEnglish, "New", "Whole Image", "Key Colour", "Zoom 100%", "Undo: 1 step"},
              Expected{Language::korean(), "새로 만들기", "전체 보기", "투명색 설정", "배율 100%",
                       "되돌리기 1단계"}}) {
            prepareApplication(*qApp, want.language);  // the editor's font too
            QCOMPARE(installedLanguage(*qApp), want.language);
            // Qt's file dialog words file types and dates by the default locale.
            QCOMPARE(QLocale().language(),
                     want.language == kEnglish ? QLocale::English : QLocale::Korean);
            uitest::Editor e(recorder);
            QCOMPARE(e.ui().Btn_New->text(), QString::fromUtf8(want.newButton));
            QCOMPARE(e.ui().Btn_ShowPage->text(), QString::fromUtf8(want.wholeImage));
            QCOMPARE(e.colorKeyWin.windowTitle(), QString::fromUtf8(want.keyTitle));
            QCOMPARE(e.main.findChild<QLabel*>(QStringLiteral("Status_Zoom"))->text(),
                     QString::fromUtf8(want.zoom));
            // A sprite page drawn black: the hint over the canvas shows, whole.
            QVERIFY(uitest::newSprite(e.main, 1, 1, 8, 8, QStringLiteral("S")));
            QVERIFY(e.main.findChild<QLabel*>(QStringLiteral("Status_Hint"))->isVisible());
            QCOMPARE(e.main.findChild<QLabel*>(QStringLiteral("Status_Undo"))->text(),
                     QString::fromUtf8(want.undo));
            QCoreApplication::processEvents();  // the status bar lays out its new texts
            QCOMPARE(e.main.windowTitle(), QStringLiteral("Zentil Editor 3.21 for GP32[*]"));
            QDialogButtonBox box(QDialogButtonBox::Yes);
            QCOMPARE(box.button(QDialogButtonBox::Yes)->text().contains(kHangul),
                     want.language.isKorean());
            for (const QWidget* window : std::initializer_list<const QWidget*>{
                     &e.main, &e.newWin, &e.aniWin, &e.tileWin, &e.configWin, &e.colorKeyWin,
                     &e.chgColorWin, &e.paletteWin})
                QVERIFY2(clipped(*window).isEmpty(),
                         qPrintable(window->objectName() + QStringLiteral(": ") +
                                    clipped(*window).join(QStringLiteral(" | "))));
        }
        QApplication::setFont(font);
    }

    // The language menu lists every language installed in its own words,
    // reads the same whatever the editor speaks, and keeps the choice for the
    // next start, saying so in the language chosen.
    void theMenuKeepsTheChoice() {
        uitest::Recorder recorder;
        uitest::FreshState state;
        QVERIFY(installLanguage(*qApp, kEnglish));
        uitest::Editor e(recorder);
        auto* menu = e.main.findChild<LanguageMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->text(), QStringLiteral("언어 / Language"));
        QStringList names;
        for (const QAction* action : menu->menu()->actions())
            names.append(action->text());
        QCOMPARE(names, (QStringList{"한국어", "English", "Esperanto"}));
        QVERIFY(menu->entry(kEnglish)->isChecked());
        const struct {
            Language language;
            const char* note;
        } choices[] = {{Language::korean(), "다음 시작부터 한국어로 표시됩니다."},
                       {kEsperanto, "La redaktilo parolos Esperanton ekde sia venonta starto."},
                       {kEnglish, "The editor will be in English from its next start."}};
        for (const auto& choice : choices) {
            menu->entry(choice.language)->trigger();
            QCOMPARE(keptLanguage(), std::optional(choice.language));
            QVERIFY(menu->entry(choice.language)->isChecked());
            QCOMPARE(e.main.findChild<QStatusBar*>()->currentMessage(),
                     QString::fromUtf8(choice.note));
        }
    }

    // A third language, made of one translation file (built into this test
    // alone): --lang takes it, the windows and zentil-tool speak it (the
    // tool also when the environment names it), and a language not
    // installed is refused with the list of those that are.
    void aThirdLanguageWorksEndToEnd() {
        uitest::Recorder recorder;
        uitest::FreshState state;
        const auto lineOf = [](const char* code) {
            return parseCommandLine({"zentil-editor", "--lang", code}, QDir("/start/here"));
        };
        QCOMPARE(lineOf("eo").language, std::optional(kEsperanto));
        const CommandLine refused = lineOf("fr");
        QCOMPARE(refused.problem, LineProblem::UnknownLanguage);
        QVERIFY2(refusalText(refused, kEnglish).contains(QStringLiteral("(ko, en, eo)")),
                 qPrintable(refusalText(refused, kEnglish)));
        QVERIFY(commandLineHelp(kEnglish).contains(QStringLiteral("--lang <ko|en|eo>")));
        QVERIFY(commandLineHelp(kEnglish).contains(QStringLiteral("(ko, en, eo)")));

        // Qt has no Esperanto of its own: its texts stay English.
        QVERIFY(!installLanguage(*qApp, *lineOf("eo").language));
        QCOMPARE(installedLanguage(*qApp), kEsperanto);
        QCOMPARE(QLocale().language(), QLocale::Esperanto);
        {
            uitest::Editor e(recorder);
            QCOMPARE(e.ui().Btn_New->text(), QStringLiteral("Nova"));
            QCOMPARE(uiText(texts::kGpfCannotOpen),
                     QStringLiteral("Ne eblas malfermi la GPF-dosieron."));
            // Texts it has no translation of stay Korean.
            QCOMPARE(uiText(texts::kGpfNotGpf), QString::fromUtf8(texts::kGpfNotGpf));
        }

        const struct {
            std::vector<std::string> args;
            const char* err;
        } runs[] = {
            {{"--lang", "eo", "frobnicate"}, "zentil-tool: nekonata komando: frobnicate\n"},
            {{"--lang", "eo", "info", "/no/such.gpf"},
             "zentil-tool: /no/such.gpf: Ne eblas malfermi la GPF-dosieron.\n"},
            {{"--lang", "fr", "x"}, "zentil-tool: the --lang option is one of ko, en, eo.\n"}};
        for (const auto& run : runs) {
            std::ostringstream out, err;
            tool::runTool(run.args, out, err, kEnglish);
            const std::string said = err.str();
            QCOMPARE(QString::fromStdString(said.substr(0, said.find('\n') + 1)),
                     QString::fromUtf8(run.err));
        }
        const QByteArray kept = qgetenv("LANGUAGE");
        qputenv("LANGUAGE", "eo:en");
        QCOMPARE(tool::languageOfEnvironment(), kEsperanto);
        kept.isNull() ? qunsetenv("LANGUAGE") : qputenv("LANGUAGE", kept);
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
