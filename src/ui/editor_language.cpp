#include "editor_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

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

}  // namespace

std::optional<Language> keptLanguage() {
    return languageNamed(QSettings().value(kSettingsKey).toString().toStdString());
}

void keepLanguage(Language language) {
    QSettings().setValue(kSettingsKey, QString::fromLatin1(languageCode(language)));
}

Language chosenLanguage(std::optional<Language> commandLine) {
    if (commandLine) return *commandLine;
    if (const std::optional<Language> kept = keptLanguage()) return *kept;
    // The C locale gives "C" here, which is not English.
    const QStringList languages = QLocale::system().uiLanguages();
    return languageForUser(languages.isEmpty() ? std::string() : languages.first().toStdString());
}

bool installLanguage(QCoreApplication& app, Language language) {
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
