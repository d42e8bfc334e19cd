// The editor's dialogs as the main window is given them (not owned).
#pragma once

namespace zentil {

class TNewWin;
class TAniWin;
class TTileWin;
class TConfigWin;
class TColorKeyWin;
class TChgColorWin;
class TPaletteWin;

struct Dialogs {
    TNewWin* newWin = nullptr;
    TAniWin* aniWin = nullptr;
    TTileWin* tileWin = nullptr;
    TConfigWin* configWin = nullptr;
    TColorKeyWin* colorKeyWin = nullptr;
    TChgColorWin* chgColorWin = nullptr;
    TPaletteWin* paletteWin = nullptr;
};

}  // namespace zentil
