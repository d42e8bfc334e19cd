// Shared pieces of the window tests: a recorder for the core's messages and
// questions, and the program's windows as they stand after start.
#pragma once

#include <QString>
#include <QStringList>

#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "system/canvas_events.h"
#include "system/messages.h"
#include "ui_form_main.h"

namespace zentil::uitest {

inline QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Messages as "caption: text" and as bare texts; questions as their texts,
// answered with `answer`.
class Recorder final : public MessageSink {
  public:
    void message(std::string_view caption, std::string_view text) override {
        messages.append(fromView(caption) + QStringLiteral(": ") + fromView(text));
        texts.append(fromView(text));
    }
    bool ask(std::string_view, std::string_view text) override {
        questions.append(fromView(text));
        return answer;
    }
    QStringList messages, texts, questions;
    bool answer = false;
};

// The main window and every dialog, created in the program's order, with the
// main window shown and installed as the canvas.
struct Editor {
    TMainWin main;
    TNewWin newWin{&main};
    TAniWin aniWin{&main};
    TTileWin tileWin{&main};
    TConfigWin configWin{&main};
    TColorKeyWin colorKeyWin{&main};
    TChgColorWin chgColorWin{&main};
    TPaletteWin paletteWin{&main};
    Editor() {
        main.setDialogs(
            {&newWin, &aniWin, &tileWin, &configWin, &colorKeyWin, &chgColorWin, &paletteWin});
        setCanvasView(&main);
        main.show();
    }
    ~Editor() { setCanvasView(nullptr); }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;
    Ui::TMainWin& ui() { return main.form(); }
};

}  // namespace zentil::uitest
