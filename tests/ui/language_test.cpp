// The editor in English and in Korean: which language a run speaks, every
// text translated, and the windows speaking the one chosen.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>
#include <set>

#include "application_setup.h"
#include "core_texts.h"
#include "editor_language.h"
#include "formats/page_formats.h"
#include "formats/palette_formats.h"
#include "language_menu.h"
#include "system/outcome.h"
#include "system/texts.h"
#include "tool_texts.h"
#include "ui_test_support.h"

using namespace zentil;

namespace {

const QRegularExpression kHangul(QStringLiteral("[가-힣]"));

// The texts of src/system/texts.h, read from the source itself so that a
// text added there without a translation is found.
std::vector<std::string> textsOfTheCore() {
    QFile file(QStringLiteral(ZENTIL_SOURCE_DIR "/src/system/texts.h"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString source = QString::fromUtf8(file.readAll());
    std::vector<std::string> found;
    const QRegularExpression declaration(
        QStringLiteral(R"re(constexpr const char\* k\w+ =((?:\s*"(?:[^"\\]|\\.)*")+);)re"));
    const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    for (auto d = declaration.globalMatch(source); d.hasNext();) {
        QString text;
        for (auto l = literal.globalMatch(d.next().captured(1)); l.hasNext();)
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
    void cleanup() { installLanguage(*qApp, Language::Korean); }

    // The command line comes first, then the kept choice, then the user's
    // languages: English only where the first of them is English.
    void theLanguageIsChosenInOrder() {
        const struct {
            const char* first;
            Language language;
        } users[] = {{"en", Language::English},
                     {"en-GB", Language::English},
                     {"en_US.UTF-8", Language::English},
                     {"EN-us", Language::English},
                     {"C", Language::Korean},
                     {"", Language::Korean},
                     {"ko-KR", Language::Korean},
                     {"de-DE", Language::Korean},
                     {"eng", Language::Korean}};
        for (const auto& user : users)
            QVERIFY2(languageForUser(user.first) == user.language, user.first);
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
        for (const auto& [kept, other] : {std::pair{Language::English, Language::Korean},
                                          {Language::Korean, Language::English}}) {
            nameApplication();
            keepLanguage(kept);
            QCOMPARE(nextStart(std::nullopt), kept);
            QCOMPARE(nextStart(other), other);
        }
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
            {"", "", "ko_KR.UTF-8", Language::English, "", ""},
            {"ko_KR.UTF-8", "", "", Language::English, "", "ko_KR.UTF-8"},
            {"", "", "en_GB.UTF-8", Language::English, nullptr, ""},
            {"", "en_US.UTF-8", "ko_KR.UTF-8", Language::English, "en_US.UTF-8", ""},
            {"", "ko_KR", "en_US.UTF-8", Language::Korean, "ko_KR", ""},
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

    // Every text of the core is in the table the windows translate it by,
    // and has an English translation: the same as the tool's, with the same
    // conversions as the Korean. (That every text of the windows has one is
    // checked by running lupdate over the sources: zentil_translations_complete.)
    void everyCoreTextHasItsEnglish() {
        const std::vector<std::string> core = textsOfTheCore();
        QVERIFY(core.size() > 40);
        std::set<std::string> listed(coreTextSources().begin(), coreTextSources().end());
        std::set<std::string> expected(core.begin(), core.end());
        for (const PageFormat& format : pageFormats())
            expected.insert(format.name);
        for (const PaletteFileType& type : paletteFileTypes())
            expected.insert(type.name);
        QCOMPARE(listed, expected);

        QVERIFY(installLanguage(*qApp, Language::English));
        tool::setLanguage(Language::English);
        for (const std::string& korean : expected) {
            const QString english = uiText(korean);
            QVERIFY2(!english.isEmpty() && !english.contains(kHangul), korean.c_str());
            QCOMPARE(conversions(english), conversions(QString::fromStdString(korean)));
            if (std::find(core.begin(), core.end(), korean) != core.end())
                QCOMPARE(QString::fromStdString(tool::coreText(korean)), english);
        }
        tool::setLanguage(Language::Korean);
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
        for (const Expected& want : {Expected{Language::English, "New", "Whole Image", "Key Colour",
                                              "Zoom 100%", "Undo: 1 step"},
                                     Expected{Language::Korean, "새로 만들기", "전체 보기",
                                              "투명색 설정", "배율 100%", "되돌리기 1단계"}}) {
            prepareApplication(*qApp, want.language);  // the editor's font too
            QCOMPARE(installedLanguage(*qApp), want.language);
            // Qt's file dialog words file types and dates by the default locale.
            QCOMPARE(QLocale().language(),
                     want.language == Language::English ? QLocale::English : QLocale::Korean);
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
                     want.language == Language::Korean);
            for (const QWidget* window : std::initializer_list<const QWidget*>{
                     &e.main, &e.newWin, &e.aniWin, &e.tileWin, &e.configWin, &e.colorKeyWin,
                     &e.chgColorWin, &e.paletteWin})
                QVERIFY2(clipped(*window).isEmpty(),
                         qPrintable(window->objectName() + QStringLiteral(": ") +
                                    clipped(*window).join(QStringLiteral(" | "))));
        }
        QApplication::setFont(font);
    }

    // The language menu reads the same in both languages and keeps the
    // choice for the next start.
    void theMenuKeepsTheChoice() {
        uitest::Recorder recorder;
        uitest::FreshState state;
        QVERIFY(installLanguage(*qApp, Language::English));
        uitest::Editor e(recorder);
        auto* menu = e.main.findChild<LanguageMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->text(), QStringLiteral("언어 / Language"));
        QVERIFY(menu->entry(Language::English)->isChecked());
        menu->entry(Language::Korean)->trigger();
        QCOMPARE(keptLanguage(), std::optional(Language::Korean));
        QVERIFY(menu->entry(Language::Korean)->isChecked());
        QVERIFY(e.main.findChild<QStatusBar*>()->currentMessage().contains(kHangul));
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
