// The status bar's language menu. Its caption, "언어 / Language", and its
// entries, each language in its own words, read the same whatever the
// editor speaks, so a user who reads neither the one nor the other language
// of the moment still finds it. The choice is kept in the settings and the
// editor speaks it from its next start.
#pragma once

#include <QToolButton>

#include "system/language.h"

class QAction;
class QStatusBar;

namespace zentil {

class LanguageMenu final : public QToolButton {
    Q_OBJECT
  public:
    explicit LanguageMenu(QStatusBar& bar);

    // Keeps `language` for the next start and says so on the status bar,
    // in that language.
    void choose(Language language);
    QAction* entry(Language language) const;

  private:
    QStatusBar& bar_;
    QAction* korean_ = nullptr;
    QAction* english_ = nullptr;
};

}  // namespace zentil
