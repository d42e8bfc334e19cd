#include "language_menu.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QStatusBar>

#include "editor_language.h"

namespace zentil {
namespace {

// Not translated: each is written in the language it names.
const char* const kMenuCaption = "언어 / Language";
const char* const kKoreanName = "한국어";
const char* const kEnglishName = "English";
const char* const kKoreanNextStart = "다음 시작부터 한국어로 표시됩니다.";
const char* const kEnglishNextStart = "The editor will be in English from its next start.";
constexpr int kNoteMs = 6000;

}  // namespace

LanguageMenu::LanguageMenu(QStatusBar& bar) : QToolButton(&bar), bar_(bar) {
    setObjectName(QStringLiteral("Btn_Language"));
    setText(QString::fromUtf8(kMenuCaption));
    setAutoRaise(true);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    auto* group = new QActionGroup(menu);
    korean_ = menu->addAction(QString::fromUtf8(kKoreanName));
    english_ = menu->addAction(QString::fromUtf8(kEnglishName));
    const Language shown =
        keptLanguage().value_or(installedLanguage(*QCoreApplication::instance()));
    for (QAction* action : {korean_, english_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    entry(shown)->setChecked(true);
    connect(korean_, &QAction::triggered, this, [this] { choose(Language::Korean); });
    connect(english_, &QAction::triggered, this, [this] { choose(Language::English); });
    setMenu(menu);
}

QAction* LanguageMenu::entry(Language language) const {
    return language == Language::English ? english_ : korean_;
}

void LanguageMenu::choose(Language language) {
    keepLanguage(language);
    entry(language)->setChecked(true);
    bar_.showMessage(
        QString::fromUtf8(language == Language::English ? kEnglishNextStart : kKoreanNextStart),
        kNoteMs);
}

}  // namespace zentil
