// Shared pieces of the window tests: a recorder for the core's messages and
// questions, and the program's windows as they stand after start.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "edit/retile.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "image/page_table.h"
#include "image/palette.h"
#include "page_list.h"
#include "system/canvas_events.h"
#include "system/config.h"
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

// One test's program state: a working folder of its own, an empty page
// table, zero settings and a black default palette, and `sink` receiving the
// messages. Everything is put back when it goes.
class FreshState {
  public:
    explicit FreshState(MessageSink& sink) : previousDir_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        releaseAllPages();
        releaseRetileScratchPage();
        config() = Config{};
        defaultPalette() = Palette{};
        previousSink_ = setMessageSink(&sink);
    }
    ~FreshState() {
        releaseAllPages();
        releaseRetileScratchPage();
        setMessageSink(previousSink_);
        QDir::setCurrent(previousDir_);
    }
    FreshState(const FreshState&) = delete;
    FreshState& operator=(const FreshState&) = delete;

    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previousDir_;
    MessageSink* previousSink_ = nullptr;
};

// The texts of a list's entries, in order.
inline QStringList entryNames(const PageList& list) {
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    return names;
}

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
