// What the program sets on its application object before any window exists:
// its organisation and name, which also name the platform's settings; the
// editor's font ("굴림" at 13 pixels, with Korean fonts that are installed
// standing in where it is missing, so no text shows as boxes); the
// translations of the language it speaks (editor_language.h); and the desktop
// identity with the window icon.
#pragma once

#include <QIcon>

#include "application_names.h"
#include "system/language.h"

class QApplication;

namespace zentil {

// Gives the application its names; needs no application object, so that the
// settings can be read before there is one.
void nameApplication();

void prepareApplication(QApplication& app, const Language& language = Language::korean());

// The editor's icon: the installed icon theme's, else the one built into the
// program (its fixed sizes drawn from data/zentil-editor.svg at build time).
QIcon editorIcon();

}  // namespace zentil
