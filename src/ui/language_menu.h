// The status bar's language menu. Its caption, "언어 / Language", and its
// entries, each language installed named in its own words, read the same
// whatever the editor speaks, so a user who reads none of the languages of
// the moment still finds it. The choice is kept in the settings and the
// editor speaks it from its next start.
#pragma once

#include <QToolButton>
#include <vector>

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
    void choose(const Language& language);
    // The entry of `language`; none for a language not installed.
    QAction* entry(const Language& language) const;

  private:
    QStatusBar& bar_;
    std::vector<std::pair<Language, QAction*>> entries_;
};

}  // namespace zentil
