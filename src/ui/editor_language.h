// The language the editor speaks, chosen in this order: the command line
// (--lang CODE), the choice kept in the settings (the status bar's language
// menu), the user's own languages (the first of them where the editor has
// it, Korean otherwise). Korean is the language the texts are written in;
// the others are the translations built into the program
// (translations/zentil_CODE.ts, made ":/i18n/zentil_CODE.qm"), found there
// rather than listed. Qt's own texts follow from Qt's translations folder
// (Debian: qt6-translations-l10n), English as Qt's own.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "system/language.h"

class QCoreApplication;
class QLocale;
class QString;

namespace zentil {

// The languages the editor speaks: Korean, then the translations built into
// it, by code.
std::vector<Language> installedLanguages();
// A language's name in itself ("한국어", "English"), as its translation
// gives it, else as the locale's data does.
QString nativeName(const Language& language);
// The codes of the languages installed, joined by `separator`: "ko, en".
QString installedCodes(std::string_view separator);

// The choice kept in the settings, if the user made one and the editor still
// has it. Both look in the
// editor's own settings file whatever the application object is named at
// the moment: the choice is read before the windows name it.
std::optional<Language> keptLanguage();
void keepLanguage(const Language& language);

// The language of this run.
Language chosenLanguage(const std::optional<Language>& commandLine);

// Installs the translations of `language` (the editor's and Qt's own),
// removing those of another, and makes it the default locale, so that what
// Qt words from the locale (file types and dates in the file dialog) speaks
// it too; windows made afterwards speak it. False when one could not be
// loaded: its texts stay as written (Korean for the editor, English for Qt,
// which has a translation of its own for many languages but not all).
bool installLanguage(QCoreApplication& app, const Language& language);

// The locale that speaks `language`: the user's own where it does, so that
// its region's formats stay.
QLocale localeFor(const Language& language);

// Qt's file dialog words its dates by the system locale, which Qt reads from
// the environment once, when something first asks for it (keptLanguage does
// not). Where the
// environment names another language for dates, LC_TIME is made to name
// one that speaks `language` and is installed (LC_ALL, which would override
// it, is handed to the other categories first); nothing changes where none
// is installed. Called before the application object exists.
void useLanguageForDates(const Language& language);

// The language of this run, chosen before the application object exists,
// with the dates of the system locale made to follow it.
Language startLanguage(const std::optional<Language>& commandLine);

// One of the editor's texts (its Korean source, in the translation context
// `context`) in `language`, whether or not an application object exists:
// the command line is answered before there is one. `n` chooses among plural
// forms, as tr's does.
QString translatedText(const Language& language, const char* context, const char* source,
                       int n = -1);

// The language last installed; Korean before any.
Language installedLanguage(const QCoreApplication& app);

}  // namespace zentil
