#include "editor_language.h"

#include <locale.h>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>
#include <clocale>
#include <span>

#include "application_setup.h"

// The translations live in a library of their own; this brings their
// resource in wherever the windows are linked.
static void initTranslations() {
    Q_INIT_RESOURCE(zentil_translations);
}

namespace zentil {
namespace {

const QString kSettingsKey = QStringLiteral("language");
// The names the translators are found by, so that each is installed once
// and another language's are taken out again.
const QString kEditorTranslator = QStringLiteral("zentil_en");
const QString kToolkitTranslator = QStringLiteral("qtbase_ko");

void removeTranslator(QCoreApplication& app, const QString& name) {
    if (auto* translator = app.findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

bool addTranslator(QCoreApplication& app, const QString& name, const QString& file,
                   const QString& folder) {
    if (app.findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) return true;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(name);
    if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

// The editor's settings file, named outright. A QSettings made from the
// organisation and application names reads the system locale as it is made,
// and Qt keeps what it read for the rest of the run: the language is read
// before useLanguageForDates sets LC_TIME, which would then be ignored. On
// this platform the names give this file, in this format.
QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QString::fromLatin1(kOrganisationName) + u'/' + QString::fromLatin1(kApplicationName) +
           QStringLiteral(".conf");
}

bool installed(const char* name) {
    const locale_t found = newlocale(LC_TIME_MASK, name, locale_t{});
    if (found) freelocale(found);
    return found != locale_t{};
}

}  // namespace

std::optional<Language> keptLanguage() {
    const QSettings settings(settingsFile(), QSettings::IniFormat);
    return languageNamed(settings.value(kSettingsKey).toString().toStdString());
}

void keepLanguage(Language language) {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(kSettingsKey, QString::fromLatin1(languageCode(language)));
}

Language chosenLanguage(std::optional<Language> commandLine) {
    if (commandLine) return *commandLine;
    if (const std::optional<Language> kept = keptLanguage()) return *kept;
    // The C locale gives "C" here, which is not English.
    const QStringList languages = QLocale::system().uiLanguages();
    return languageForUser(languages.isEmpty() ? std::string() : languages.first().toStdString());
}

QLocale localeFor(Language language) {
    const QLocale::Language wanted =
        language == Language::English ? QLocale::English : QLocale::Korean;
    const QLocale user = QLocale::system();
    return user.language() == wanted ? user : QLocale(wanted);
}

Language startLanguage(std::optional<Language> commandLine) {
    const Language language = chosenLanguage(commandLine);
    useLanguageForDates(language);
    return language;
}

void useLanguageForDates(Language language) {
    const QByteArray all = qgetenv("LC_ALL");
    QByteArray time = all.isEmpty() ? qgetenv("LC_TIME") : all;
    if (time.isEmpty()) time = qgetenv("LANG");
    if (namesLanguage(time.toStdString(), language)) return;
    // The C locale words dates in English where no English one is installed.
    const char* const english[] = {"en_US.UTF-8", "en_GB.UTF-8", "C.UTF-8"};
    const char* const korean[] = {"ko_KR.UTF-8"};
    const std::span<const char* const> candidates = language == Language::English
                                                        ? std::span<const char* const>(english)
                                                        : std::span<const char* const>(korean);
    const auto chosen = std::find_if(candidates.begin(), candidates.end(), installed);
    if (chosen == candidates.end()) return;
    if (!all.isEmpty()) {
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER",
              "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            qputenv(category, all);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", *chosen);
}

QString translatedText(Language language, const char* context, const char* source, int n) {
    if (language == Language::English) {
        // Loaded once, not installed: it answers without an application object.
        static const QTranslator* const english = [] {
            initTranslations();
            auto* translator = new QTranslator;
            if (!translator->load(QStringLiteral("zentil_en.qm"), QStringLiteral(":/i18n"))) {
                delete translator;
                return static_cast<QTranslator*>(nullptr);
            }
            return translator;
        }();
        if (english) {
            QString text = english->translate(context, source, nullptr, n);
            if (!text.isEmpty()) return text.replace(QLatin1String("%n"), QString::number(n));
        }
    }
    return QString::fromUtf8(source).replace(QLatin1String("%n"), QString::number(n));
}

bool installLanguage(QCoreApplication& app, Language language) {
    QLocale::setDefault(localeFor(language));
    if (language == Language::English) {
        initTranslations();
        removeTranslator(app, kToolkitTranslator);
        // lrelease builds it into the program (src/ui/CMakeLists.txt).
        return addTranslator(app, kEditorTranslator, QStringLiteral("zentil_en.qm"),
                             QStringLiteral(":/i18n"));
    }
    removeTranslator(app, kEditorTranslator);
    return addTranslator(app, kToolkitTranslator, QStringLiteral("qtbase_ko.qm"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Language installedLanguage(const QCoreApplication& app) {
    return app.findChild<QTranslator*>(kEditorTranslator, Qt::FindDirectChildrenOnly)
               ? Language::English
               : Language::Korean;
}

}  // namespace zentil
