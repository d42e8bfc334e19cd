#include "editor_language.h"

#include <locale.h>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>
#include <clocale>
#include <map>
#include <string>

#include "application_names.h"

// The translations live in a library of their own; this brings their
// resource in wherever the windows are linked.
static void initTranslations() {
    Q_INIT_RESOURCE(zentil_translations);
}

namespace zentil {
namespace {

const QString kSettingsKey = QStringLiteral("language");
// Where the translations are built in, and the names of their files there.
// Installed translators are named after their files, so that each is
// installed once and another language's are taken out again.
const QString kFolder = QStringLiteral(":/i18n");
const QString kEditorPrefix = QStringLiteral("zentil_");
const QString kToolkitPrefix = QStringLiteral("qtbase_");
const QString kSuffix = QStringLiteral(".qm");
const char* const kContext = "zentil::Language";
//: The name of the language of this translation, written in that language:
//: "English", "Deutsch" ... The language menu lists the translations by it.
const char* const kOwnName = QT_TRANSLATE_NOOP("zentil::Language", "한국어");

QString codeOf(const Language& language) {
    return QString::fromStdString(language.code());
}

// The translator named `name`, which `app` has installed.
QTranslator* installedTranslator(const QCoreApplication& app, const QString& name) {
    return app.findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
}

// Takes out the editor's and Qt's translators of every language but the
// ones named.
void removeTranslatorsBut(QCoreApplication& app, const QStringList& kept) {
    for (QTranslator* translator : app.findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        const QString name = translator->objectName();
        if ((name.startsWith(kEditorPrefix) || name.startsWith(kToolkitPrefix)) &&
            !kept.contains(name)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}

bool addTranslator(QCoreApplication& app, const QString& name, const QString& folder) {
    if (installedTranslator(app, name)) return true;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(name);
    if (!translator->load(name + kSuffix, folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

// The editor's translation of `language`, loaded once and not installed:
// it answers without an application object. None for Korean or when it
// cannot be loaded.
const QTranslator* loadedTranslation(const Language& language) {
    static auto* const loaded = new std::map<std::string, QTranslator*>;
    const auto [at, added] = loaded->try_emplace(language.code(), nullptr);
    if (added && !language.isKorean()) {
        initTranslations();
        auto* translator = new QTranslator;
        if (translator->load(kEditorPrefix + codeOf(language) + kSuffix, kFolder))
            at->second = translator;
        else
            delete translator;
    }
    return at->second;
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

bool installed(const std::string& name) {
    const locale_t found = newlocale(LC_TIME_MASK, name.c_str(), locale_t{});
    if (found) freelocale(found);
    return found != locale_t{};
}

// The system locales that word dates in `language`, the most likely first.
std::vector<std::string> localesOf(const Language& language) {
    // The C locale words dates in English where no English one is installed.
    if (language.code() == "en") return {"en_US.UTF-8", "en_GB.UTF-8", "C.UTF-8"};
    // Made from the name alone: the system locale is not read yet.
    const QLocale locale(codeOf(language));
    std::vector<std::string> names;
    if (locale.language() != QLocale::C) names.push_back(locale.name().toStdString() + ".UTF-8");
    names.push_back(language.code() + ".UTF-8");
    return names;
}

}  // namespace

std::vector<Language> installedLanguages() {
    std::vector<std::string> codes;
    if (QCoreApplication::instance()) {
        initTranslations();
        const QStringList files =
            QDir(kFolder).entryList({kEditorPrefix + u'*' + kSuffix}, QDir::Files);
        for (const QString& file : files)
            codes.push_back(file.sliced(kEditorPrefix.size(),
                                        file.size() - kEditorPrefix.size() - kSuffix.size())
                                .toStdString());
    } else {
        // Before the application exists (the command line's --lang, the kept
        // choice), the build's list of the same files: the resource engine
        // would read the system locale, which Qt reads once, before
        // useLanguageForDates has pointed it at the language.
        const QStringList built =
            QString::fromLatin1(ZENTIL_TRANSLATIONS).split(u',', Qt::SkipEmptyParts);
        for (const QString& code : built)
            codes.push_back(code.toStdString());
    }
    std::sort(codes.begin(), codes.end());
    std::vector<Language> languages = {Language::korean()};
    for (const std::string& code : codes)
        if (code != Language::korean().code()) languages.emplace_back(code);
    return languages;
}

QString nativeName(const Language& language) {
    const QString name = translatedText(language, kContext, kOwnName);
    if (language.isKorean() || name != QString::fromUtf8(kOwnName)) return name;
    const QString fromLocale = QLocale(codeOf(language)).nativeLanguageName();
    return fromLocale.isEmpty() ? codeOf(language) : fromLocale;
}

QString installedCodes(std::string_view separator) {
    return QString::fromStdString(codesOf(installedLanguages(), separator));
}

std::optional<Language> keptLanguage() {
    const QSettings settings(settingsFile(), QSettings::IniFormat);
    return languageNamed(settings.value(kSettingsKey).toString().toStdString(),
                         installedLanguages());
}

void keepLanguage(const Language& language) {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(kSettingsKey, codeOf(language));
}

Language chosenLanguage(const std::optional<Language>& commandLine) {
    if (commandLine) return *commandLine;
    if (const std::optional<Language> kept = keptLanguage()) return *kept;
    // The C locale gives "C" here, which names no language.
    const QStringList languages = QLocale::system().uiLanguages();
    return languageForUser(languages.isEmpty() ? std::string() : languages.first().toStdString(),
                           installedLanguages());
}

QLocale localeFor(const Language& language) {
    const QLocale wanted(codeOf(language));
    const QLocale user = QLocale::system();
    return user.language() == wanted.language() ? user : wanted;
}

Language startLanguage(const std::optional<Language>& commandLine) {
    const Language language = chosenLanguage(commandLine);
    useLanguageForDates(language);
    return language;
}

void useLanguageForDates(const Language& language) {
    const QByteArray all = qgetenv("LC_ALL");
    QByteArray time = all.isEmpty() ? qgetenv("LC_TIME") : all;
    if (time.isEmpty()) time = qgetenv("LANG");
    if (namesLanguage(time.toStdString(), language)) return;
    const std::vector<std::string> candidates = localesOf(language);
    const auto chosen = std::find_if(candidates.begin(), candidates.end(), installed);
    if (chosen == candidates.end()) return;
    if (!all.isEmpty()) {
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER",
              "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            qputenv(category, all);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", QByteArray::fromStdString(*chosen));
}

QString translatedText(const Language& language, const char* context, const char* source, int n) {
    if (const QTranslator* translation = loadedTranslation(language)) {
        QString text = translation->translate(context, source, nullptr, n);
        if (!text.isEmpty()) return text.replace(QLatin1String("%n"), QString::number(n));
    }
    return QString::fromUtf8(source).replace(QLatin1String("%n"), QString::number(n));
}

bool installLanguage(QCoreApplication& app, const Language& language) {
    QLocale::setDefault(localeFor(language));
    const QString code = codeOf(language);
    // Qt's own texts are English as written.
    const QString toolkit = code == QLatin1String("en") ? QString() : kToolkitPrefix + code;
    const QString editor = language.isKorean() ? QString() : kEditorPrefix + code;
    removeTranslatorsBut(app, {toolkit, editor});
    bool done = true;
    if (!editor.isEmpty()) {
        initTranslations();
        // lrelease builds it into the program (src/ui/CMakeLists.txt).
        done = addTranslator(app, editor, kFolder);
    }
    if (!toolkit.isEmpty())
        done =
            addTranslator(app, toolkit, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) && done;
    return done;
}

Language installedLanguage(const QCoreApplication& app) {
    for (const QTranslator* translator : app.findChildren<QTranslator*>(Qt::FindDirectChildrenOnly))
        if (translator->objectName().startsWith(kEditorPrefix))
            return Language(translator->objectName().sliced(kEditorPrefix.size()).toStdString());
    return Language::korean();
}

}  // namespace zentil
