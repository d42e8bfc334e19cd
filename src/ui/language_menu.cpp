#include "language_menu.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QStatusBar>

#include "editor_language.h"

namespace zentil {
namespace {

// Not translated: it reads the same in every language.
const char* const kMenuCaption = "언어 / Language";
const char* const kContext = "zentil::LanguageMenu";
//: Said in the language chosen, of itself: the editor speaks this language
//: from its next start.
const char* const kNextStart =
    QT_TRANSLATE_NOOP("zentil::LanguageMenu", "다음 시작부터 한국어로 표시됩니다.");
constexpr int kNoteMs = 6000;

}  // namespace

LanguageMenu::LanguageMenu(QStatusBar& bar) : QToolButton(&bar), bar_(bar) {
    setObjectName(QStringLiteral("Btn_Language"));
    setText(QString::fromUtf8(kMenuCaption));
    setAutoRaise(true);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    auto* group = new QActionGroup(menu);
    for (const Language& language : installedLanguages()) {
        QAction* action = menu->addAction(nativeName(language));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { choose(language); });
        entries_.emplace_back(language, action);
    }
    const Language shown =
        keptLanguage().value_or(installedLanguage(*QCoreApplication::instance()));
    if (QAction* action = entry(shown)) action->setChecked(true);
    setMenu(menu);
}

QAction* LanguageMenu::entry(const Language& language) const {
    for (const auto& [entryLanguage, action] : entries_)
        if (entryLanguage == language) return action;
    return nullptr;
}

void LanguageMenu::choose(const Language& language) {
    keepLanguage(language);
    if (QAction* action = entry(language)) action->setChecked(true);
    bar_.showMessage(translatedText(language, kContext, kNextStart), kNoteMs);
}

}  // namespace zentil
