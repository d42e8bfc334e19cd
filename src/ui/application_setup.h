// What the program sets on its application object before any window exists:
// its organisation and name, which also name the platform's settings, and the
// editor's font ("굴림" at 13 pixels, with Korean fonts that are installed
// standing in where it is missing, so no text shows as boxes).
#pragma once

class QApplication;

namespace zentil {

void prepareApplication(QApplication& app);

}  // namespace zentil
