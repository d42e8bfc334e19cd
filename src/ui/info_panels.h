// The readouts of the main window's information panel: the pixel under the
// pointer with its tile, and the default and page keys, each value with its
// red, green and blue.
#pragma once

#include "edit/pixel_info.h"

namespace Ui {
class TMainWin;
}

namespace zentil {

// Every panel `info` fills; the others keep their texts.
void showPixelInfo(Ui::TMainWin& form, const PixelInfo& info);
// Only the default key and the page key.
void showKeyInfo(Ui::TMainWin& form, const PixelInfo& info);

}  // namespace zentil
