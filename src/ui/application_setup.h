// What the program sets on its application object before any window exists:
// its organisation and name, which also name the platform's settings; the
// editor's font ("굴림" at 13 pixels, with Korean fonts that are installed
// standing in where it is missing, so no text shows as boxes); Qt's own texts
// in Korean; and the desktop identity with the window icon.
#pragma once

#include <QIcon>

class QApplication;
class QCoreApplication;

namespace zentil {

void prepareApplication(QApplication& app);

// Loads Qt's own Korean texts (the file dialogs, the standard buttons "예",
// "아니요", "취소" ...) from Qt's translations folder (Debian:
// qt6-translations-l10n) once; false when they are not installed, and Qt's
// texts stay English.
bool installToolkitTranslations(QCoreApplication& app);

// The editor's icon: the installed icon theme's, else the one built into the
// program (its fixed sizes drawn from data/zentil-editor.svg at build time).
QIcon editorIcon();

}  // namespace zentil
