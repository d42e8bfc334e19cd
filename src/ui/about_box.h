// The About box of the Help menu: the program, its version, its licence and
// the libraries it is built on, in the editor's language.
#pragma once

#include <QString>

class QWidget;

namespace zentil {

QString aboutText();
void showAboutBox(QWidget* parent);

}  // namespace zentil
