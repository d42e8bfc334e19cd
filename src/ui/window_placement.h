// The main window's place on the screen as the settings keep it: restored at
// start, kept on some screen whatever the stored numbers say, and stored at
// close.
#pragma once

#include <QSize>

class QWidget;

namespace zentil {

struct Config;

// Places `window` as the settings say (`loaded`: they came from a file;
// otherwise the window is centred at `minimum`). A stored size stays within
// the screen and at least `minimum`; a window wholly off every screen comes
// back centred.
void placeWindow(QWidget& window, const Config& settings, bool loaded, QSize minimum);

// Stores where the window is, its normal bounds when it is maximised.
void storePlacement(const QWidget& window, Config& settings);

}  // namespace zentil
