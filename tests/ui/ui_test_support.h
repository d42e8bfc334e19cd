// Shared pieces of the window tests: a recorder for the core's messages and
// questions, and the program's windows as they stand after start.
#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <deque>
#include <optional>

#include "block_tool.h"
#include "edit/store_page.h"
#include "editor_status.h"
#include "file_commands.h"
#include "file_dialogs.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "formats/tga_file.h"
#include "image/palette.h"
#include "message_sink.h"
#include "page_commands.h"
#include "page_list.h"
#include "system/config.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/store_edits.h"
#include "work/workspace.h"
#include "work_session.h"

namespace zentil::uitest {

inline QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Messages as "caption: text", as bare texts and their details (the files
// they are about); questions as their texts and details, answered with
// `answer`.
class Recorder final : public MessageSink {
  public:
    using MessageSink::ask;
    using MessageSink::message;
    void message(std::string_view caption, std::string_view text,
                 std::string_view detail) override {
        messages.append(fromView(caption) + QStringLiteral(": ") + fromView(text));
        texts.append(fromView(text));
        details.append(fromView(detail));
    }
    bool ask(std::string_view, std::string_view text, std::string_view detail) override {
        questions.append(fromView(text));
        questionDetails.append(fromView(detail));
        return answer;
    }
    // Questions with several answers take `choice`.
    int choose(std::string_view, std::string_view text, const std::vector<std::string>&,
               int) override {
        questions.append(fromView(text));
        return choice;
    }
    QStringList messages, texts, details, questions, questionDetails;
    bool answer = false;
    int choice = 2;
};

// Answers the file dialogs from a script and remembers what they were asked.
class ScriptedDialogs final : public FileDialogs {
  public:
    std::optional<FileChoice> openFiles(const FileRequest& request) override {
        return next(request);
    }
    std::optional<FileChoice> saveFile(const FileRequest& request) override {
        return next(request);
    }
    std::optional<SheetCut> sheetCut(const QString&, QSize size, const SheetCut& start) override {
        sheetsAsked.append({size, start});
        if (cuts.empty()) return std::nullopt;
        const std::optional<SheetCut> cut = cuts.front();
        cuts.pop_front();
        return cut;
    }
    // A choice without paths stands for a cancel.
    std::deque<FileChoice> answers;
    QList<FileRequest> asked;
    // The sheet window's answers in turn (nullopt: cancelled), and what it
    // was shown: the picture's size and the cut offered.
    std::deque<std::optional<SheetCut>> cuts;
    QList<std::pair<QSize, SheetCut>> sheetsAsked;

  private:
    std::optional<FileChoice> next(const FileRequest& request) {
        asked.append(request);
        if (answers.empty()) return std::nullopt;
        const FileChoice answer = answers.front();
        answers.pop_front();
        if (answer.paths.isEmpty()) return std::nullopt;
        return answer;
    }
};

inline void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

// How a file is written: in place, or as painting programs save, to a new
// file renamed over the old one.
enum class Written { InPlace, ByRename };

// A one-tile 8-bit TGA picture whose pixels are all `value`.
inline void writePicture(const QString& path, int w, int h, std::uint8_t value,
                         Written how = Written::InPlace) {
    Page page;
    QVERIFY(createSinglePage(page, w, h, kMode8));
    setColorKey(page, value);
    clearPage(page);
    const QString target = how == Written::ByRename ? path + QStringLiteral(".new") : path;
    writeFile(target, encodeTga(page));
    // rename(2) replaces the old file in one step, as those programs rely on.
    if (how == Written::ByRename)
        QVERIFY(std::rename(QFile::encodeName(target).constData(),
                            QFile::encodeName(path).constData()) == 0);
}

// One test's working folder of its own, where the editor looks for its
// settings, and where the platform's settings go instead of the user's; the
// previous working folder comes back when it goes.
class FreshState {
  public:
    FreshState() : previousDir_(QDir::currentPath()), previousConfig_(qgetenv("XDG_CONFIG_HOME")) {
        QDir::setCurrent(dir_.path());
        const QString settings = dir_.filePath(QStringLiteral("settings"));
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, settings);
        // The language is kept in the same file, named through the platform's
        // settings folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings));
    }
    ~FreshState() {
        QDir::setCurrent(previousDir_);
        previousConfig_.isNull() ? qunsetenv("XDG_CONFIG_HOME")
                                 : qputenv("XDG_CONFIG_HOME", previousConfig_);
    }
    FreshState(const FreshState&) = delete;
    FreshState& operator=(const FreshState&) = delete;

    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previousDir_;
    QByteArray previousConfig_;
};

// The main window's list numbers, as its state has them.
inline constexpr int kListNone = 0, kListTga = 1, kListSprite = 2;
inline int activeList(TMainWin& main) {
    return static_cast<int>(main.workspace().activeList());
}

// The pages of a main window's lists, and where its current page stands.
inline Page& sprite(TMainWin& main, int index) {
    return main.workspace().sprites.at(index);
}
inline Page& picture(TMainWin& main, int index) {
    return main.workspace().pictures.at(index);
}
inline PagePlace current(TMainWin& main) {
    return main.workspace().placeOf(main.workspace().currentPage());
}
inline PagePlace spriteAt(int index) {
    return {ListId::Sprites, index};
}
inline PagePlace pictureAt(int index) {
    return {ListId::Pictures, index};
}

// A new sprite page added as the sprite list's last entry and shown, as an
// edit (the selection is left as it was).
inline bool newSprite(TMainWin& main, int cols, int rows, int tileWidth, int tileHeight,
                      const QString& name, int mode = kMode8) {
    Workspace& ws = main.workspace();
    if (ws.sprites.full()) {
        main.messages().message(texts::kCaptionError, texts::kStoreFull);
        return false;
    }
    auto page = std::make_unique<Page>();
    const Outcome made = newStorePage(*page, cols, rows, tileWidth, tileHeight, name.toStdString(),
                                      ws.sprites.size(), mode, ws.defaults());
    if (!made) {
        main.report(made);
        return false;
    }
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::move(page));
    main.record(addPages(ws, ListId::Sprites, std::move(pages)));
    main.form().Lb_Spr->setCurrentEntry(ws.sprites.size() - 1);
    main.Lb_SprClick();
    return true;
}

// A w x h picture appended to the picture list (not shown, not an edit).
inline Page& addPicture(TMainWin& main, int w, int h, const char* name = "P") {
    PageStore& pictures = main.workspace().pictures;
    auto page = std::make_unique<Page>();
    createSinglePage(*page, w, h, kMode8);
    page->kind = kKindTga;
    setPageName(*page, name);
    Page& added = pictures.at(pictures.append(std::move(page)));
    main.form().Lb_Tga->showPages(pictures);
    return added;
}

// The texts of a list's entries, in order.
inline QStringList entryNames(const PageList& list) {
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    return names;
}

// The main window and every dialog, created in the program's order, with the
// main window shown and its messages going to `sink`.
struct Editor {
    TMainWin main;
    TNewWin newWin{&main};
    TAniWin aniWin{&main};
    TTileWin tileWin{&main};
    TConfigWin configWin{&main};
    TColorKeyWin colorKeyWin{&main};
    TChgColorWin chgColorWin{&main};
    TPaletteWin paletteWin{&main};
    explicit Editor(MessageSink& sink) {
        main.setMessageSink(&sink);
        main.setDialogs(
            {&newWin, &aniWin, &tileWin, &configWin, &colorKeyWin, &chgColorWin, &paletteWin});
        main.show();
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;
    Ui::TMainWin& ui() { return main.form(); }
};

}  // namespace zentil::uitest
