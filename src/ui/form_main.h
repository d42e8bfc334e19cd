// The main window: toolbar, information panel, the two page lists and the
// canvas. It holds the workspace and the history of edits, shows the dialogs
// what they need, and applies what the editing dialogs hand back.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs.h"
#include "document.h"
#include "editor_host.h"
#include "render/canvas_render.h"

namespace Ui {
class TMainWin;
}

namespace zentil {

class PageList;
class PageCanvas;
class FileDialogs;
class MessageSink;
class QtMessageSink;
class FileCommands;
class WorkSession;
class MainFileHost;
class MainPageHost;
class BlockToolHost;
class FileCommandHost;
class PageCommandHost;
class ActionHost;
class BlockTool;
class EditorStatus;
class MainCanvasHost;
class PageCommands;
class CanvasTools;
class ByteMapSwitch;
class EditorActions;
class EditorMenus;
class MainActionHost;

// The address the "개발자 홈" button opens.
inline constexpr const char* kHomePageUrl = "https://zentil-editor.example.org/";

class TMainWin : public QWidget, public EditorHost {
    Q_OBJECT
  public:
    explicit TMainWin(QWidget* parent = nullptr);
    ~TMainWin() override;

    // Takes the dialogs (not owned) and applies what the editing ones hand back.
    void setDialogs(const Dialogs& dialogs);
    const Dialogs& dialogs() const { return dialogs_; }
    // The controls, for the window tests that press them.
    Ui::TMainWin& form() { return *ui_; }

    Document& document() { return document_; }
    History& history() { return history_; }
    // Where messages and questions go (not owned; nullptr restores the
    // window's own message boxes).
    void setMessageSink(MessageSink* sink);
    MessageSink& messages();

    // What the dialogs see.
    QWidget* hostWindow() override { return this; }
    const Page* currentPage() const override { return workspace_.currentPage(); }
    ListId activeList() const override { return workspace_.activeList(); }
    std::vector<int> selectedRows(ListId list) const override;
    const Palette& spritePalette() const override { return workspace_.palette; }
    const Config& settings() const override { return workspace_.settings; }
    const Page* liftedBlock() const override;
    int canvasZoom() const override;

    Workspace& workspace() { return workspace_; }
    // Records an edit already done as one step of the history (nullptr, an
    // edit that changed nothing, records nothing), then brings the lists,
    // the undo buttons and the modified mark in line.
    void record(std::unique_ptr<Command> command);
    // Shows a failure that has something to tell; the problems of an
    // operation one after another.
    void report(const Outcome& outcome);
    void report(const std::vector<Outcome>& problems);
    // Shows the active list's current entry again, as a click on the list does.
    void showCurrent();
    // Makes `row` the only selected entry of the list and its current entry
    // (an entry that no longer exists leaves nothing selected), then shows
    // the list's current entry.
    void showOnly(ListId list, int row);

    // The list handlers: show the current entry of a list.
    void Lb_SprClick();
    void Lb_TgaClick();
    void Cb_CrossIndexChange();

    // Toolbar buttons that open a window, each under its condition.
    void Btn_NewClick();
    void Btn_ShowAniClick();
    void Btn_ShowPageClick();
    void Btn_ConfigClick();
    void Btn_ColorKeyClick();
    void Btn_ChgColorClick();
    void Btn_ShowPaletteClick();
    void Btn_DevHomeClick();

    // File commands of the toolbar, and work sessions.
    FileCommands& files() { return *files_; }
    WorkSession& session() { return *session_; }
    // Reads pictures, sprite files and a work file, as if chosen in the load dialog.
    void loadFiles(const QStringList& paths);

    // The history: the two toolbar buttons and their keys.
    void Btn_UndoClick();
    void Btn_RedoClick();

    // The canvas and its block tool, whose handlers carry the names of the
    // canvas events they stand for.
    PageCanvas& canvas() const;
    BlockTool& blockTool() { return *blockTool_; }
    // The commands on pages: toolbar, nudges, what the editing dialogs hand back.
    PageCommands& pageCommands() { return *pageCommands_; }
    // The canvas's tools, their strip and the current colour.
    CanvasTools& tools() { return *tools_; }
    // The "GPF 지도" switch of the status bar.
    ByteMapSwitch& byteMap() { return *byteMap_; }

    // The editor's commands as actions, and the menu bar that holds them.
    EditorActions& actions() const { return *actions_; }
    EditorMenus& menus() const { return *menus_; }
    // A key that is no action, working where the focus is: what it runs,
    // the button whose tooltip names it (or none), where it works (the
    // window, the canvas) and what it does, for the keys window.
    struct KeyBinding {
        QKeySequence keys;
        QAbstractButton* button;
        QWidget* scope;
        std::function<void()> run;
        QString what;
    };
    std::vector<KeyBinding> keyBindings();

    // The status bar: zoom, GPF sizes, undo steps, the palette hint, and the
    // zoom and pixel-grid switches.
    EditorStatus& status() const { return *status_; }

    // The dialogs the file commands use (not owned; nullptr restores the real ones).
    void setFileDialogs(FileDialogs* dialogs);
    // False for 100 ms after a file command, so that a double-click that
    // closed a file dialog does not reach the canvas.
    bool canvasAcceptsClicks() const { return !Timer_FileOpen.isActive(); }
    QTimer Timer_FileOpen;

    // Shows `page` on the canvas with its grid and areas.
    void showPage(const Page& page);
    void scrollToOrigin();
    // The status panels for pixel (x, y) of the current page.
    void showPixelInfo(int x, int y);

    // Settings: read at first show from the working folder, written at close
    // into the folder the program started in.
    void loadConfig();
    bool saveConfig();

  signals:
    // After every showPage: the tool strip's swatch and colour text and the
    // GPF map follow the page on the canvas.
    void pageShown();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormShow();
    void FormResize();
    PageList& listWidget(ListId list) const;
    void showShownPage();
    void dropCanvasPicture();
    void connectFiles();
    void connectButtons();
    void connectCanvas();
    void connectHistory();
    void connectKeys();
    // The status bar's texts as the workspace, history and canvas now stand.
    void updateStatus();
    // Brings both lists in line with the stores, keeping each entry's marks.
    void syncLists();
    // Lists, canvas, undo buttons, modified mark, status bar and watched
    // files after a change of the document.
    void followChange(const Change& change);
    // The grid over the canvas, as the settings have it.
    GridLines gridLines() const;

    FileDialogs& fileDialogs();

    Ui::TMainWin* ui_;
    Document document_;
    Workspace& workspace_ = document_.workspace();
    History& history_ = document_.history();
    Dialogs dialogs_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    MessageSink* messages_ = nullptr;
    std::unique_ptr<FileDialogs> qtFileDialogs_;
    FileDialogs* fileDialogs_ = nullptr;
    EditorStatus* status_ = nullptr;
    friend class MainCanvasHost;
    std::unique_ptr<BlockToolHost> canvasHost_;
    std::unique_ptr<BlockTool> blockTool_;
    friend class MainFileHost;
    std::unique_ptr<FileCommandHost> fileHost_;
    WorkSession* session_ = nullptr;
    std::unique_ptr<FileCommands> files_;
    friend class MainPageHost;
    std::unique_ptr<PageCommandHost> pageHost_;
    PageCommands* pageCommands_ = nullptr;
    CanvasTools* tools_ = nullptr;
    ByteMapSwitch* byteMap_ = nullptr;
    friend class MainActionHost;
    std::unique_ptr<ActionHost> actionHost_;
    EditorActions* actions_ = nullptr;
    EditorMenus* menus_ = nullptr;
    bool shownOnce_ = false;
    // The lists are being given the document's marks: not marks set by hand.
    bool followingChange_ = false;
};

// What each part the window hands work to may ask of it (main_hosts.cpp).
std::unique_ptr<BlockToolHost> makeCanvasHost(TMainWin& window);
std::unique_ptr<FileCommandHost> makeFileHost(TMainWin& window);
std::unique_ptr<PageCommandHost> makePageHost(TMainWin& window);
std::unique_ptr<ActionHost> makeActionHost(TMainWin& window);

}  // namespace zentil
