// The editor's font: "굴림" at 13 pixels, with Korean fonts that are
// installed standing in where it is missing, so no text shows as boxes.
#pragma once

class QApplication;

namespace zentil {

void installEditorFont(QApplication& app);

}  // namespace zentil
