// The main window: toolbar, information panel, the two page lists and the
// canvas. It holds the workspace and the history of edits, and is the host
// the dialogs work through.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "document.h"
#include "edit/nudge.h"
#include "editor_host.h"
#include "render/canvas_render.h"

namespace Ui {
class TMainWin;
}

namespace zentil {

class TNewWin;
class TAniWin;
class TTileWin;
class TConfigWin;
class TColorKeyWin;
class TChgColorWin;
class TPaletteWin;
class PageList;
class PageCanvas;
class FileDialogs;
class MessageSink;
class QtMessageSink;
class FileCommands;
class WorkSession;
class MainFileHost;
class BlockTool;
class EditorStatus;
class MainCanvasHost;

// The address the "개발자 홈" button opens.
inline constexpr const char* kHomePageUrl = "https://zentil-editor.example.org/";

struct Dialogs {
    TNewWin* newWin = nullptr;
    TAniWin* aniWin = nullptr;
    TTileWin* tileWin = nullptr;
    TConfigWin* configWin = nullptr;
    TColorKeyWin* colorKeyWin = nullptr;
    TChgColorWin* chgColorWin = nullptr;
    TPaletteWin* paletteWin = nullptr;
};

class TMainWin : public QWidget, public EditorHost {
    Q_OBJECT
  public:
    explicit TMainWin(QWidget* parent = nullptr);
    ~TMainWin() override;

    void setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
    const Dialogs& dialogs() const { return dialogs_; }
    // The controls, for the window tests that press them.
    Ui::TMainWin& form() { return *ui_; }

    History& history() { return history_; }
    // Where messages and questions go (not owned; nullptr restores the
    // window's own message boxes).
    void setMessageSink(MessageSink* sink);
    MessageSink& messages();

    // The host of the dialogs.
    QWidget* hostWindow() override { return this; }
    Workspace& workspace() override { return workspace_; }
    std::vector<int> selectedRows(ListId list) const override;
    void record(std::unique_ptr<Command> command) override;
    void report(const Outcome& outcome) override;
    void showCurrent() override;
    void showOnly(ListId list, int row) override;
    void dropOutline() override;
    void showKeyPanel(std::uint32_t key) override;
    int canvasZoom() const override;

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
    void Btn_LoadSprClick();
    void Btn_SaveSprClick();
    void Btn_LoadPalClick();
    void Btn_SavePalClick();
    void Btn_SaveAllClick();
    // Reads pictures, sprite files and a work file, as if chosen in the load dialog.
    void loadFiles(const QStringList& paths);

    // The history: the two toolbar buttons and their keys.
    void Btn_UndoClick();
    void Btn_RedoClick();

    // The canvas and its block tool, whose handlers carry the names of the
    // canvas events they stand for.
    PageCanvas& canvas() const;
    BlockTool& blockTool() { return *blockTool_; }

    // The nudge buttons: the lifted block, or else the current sprite page.
    void nudge(Nudge direction);
    void Btn_MoveLeftUpClick() { nudge(Nudge::LeftUp); }
    void Btn_MoveUpClick() { nudge(Nudge::Up); }
    void Btn_MoveRightUpClick() { nudge(Nudge::RightUp); }
    void Btn_MoveRightClick() { nudge(Nudge::Right); }
    void Btn_MoveRightDownClick() { nudge(Nudge::RightDown); }
    void Btn_MoveDownClick() { nudge(Nudge::Down); }
    void Btn_MoveLeftDownClick() { nudge(Nudge::LeftDown); }
    void Btn_MoveLeftClick() { nudge(Nudge::Left); }
    // Writes the lifted block back where it was lifted.
    void Btn_MoveOkClick();
    // Puts a lifted block away, as a right press on it does.
    void putLiftedBlockAway();

    // A key of the window: what it runs, the button whose tooltip names it
    // (or none), and where it works (the window, a list, the canvas).
    struct KeyBinding {
        QKeySequence keys;
        QAbstractButton* button;
        QWidget* scope;
        std::function<void()> run;
    };
    std::vector<KeyBinding> keyBindings();
    // The colour around the page, 0x00BBGGRR.
    void setCanvasColor(std::uint32_t bgr);
    std::uint32_t canvasColor() const;

    // The status bar: zoom, GPF sizes, undo steps, the palette hint, and the
    // zoom and pixel-grid switches.
    EditorStatus& status() const { return *status_; }

    // Page commands of the toolbar.
    void BtnPageCopyClick();
    void BtnSumCopyClick();
    void Btn_BlockCopyClick();
    void Btn_ClearPageClick();
    void Btn_DeletePageClick();
    void Btn_AllDeletePageClick();
    // The column count and the size optimisation.
    void Btn_ColClick();
    void Btn_OptimizeClick();

    // The dialogs the file commands use (not owned; nullptr restores the real ones).
    void setFileDialogs(FileDialogs* dialogs);
    // False for 100 ms after a file command, so that a double-click that
    // closed a file dialog does not reach the canvas.
    bool canvasAcceptsClicks() const { return !Timer_FileOpen.isActive(); }
    QTimer Timer_FileOpen;

    // Shows `page` on the canvas with its grid and areas.
    void showPage(const Page& page, bool clearFirst);
    void scrollToOrigin();
    // The status panels for pixel (x, y) of the current page.
    void showPixelInfo(int x, int y);
    // Adds `page` to the sprite list as an edit, makes it the only selected
    // entry and the current one, and shows it. False when the store is full
    // (reported).
    bool addSpritePage(std::unique_ptr<Page> page);

    // Settings: read at first show from the working folder, written at close
    // into the folder the program started in.
    void loadConfig();
    bool saveConfig();

  signals:
    // Tests and the file commands wait for this.
    void pageShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormShow();
    void FormResize();
    PageList& listWidget(ListId list) const;
    void showListEntry(ListId list);
    void dropCanvasPicture();
    void placeWindowFromConfig(bool loaded);
    void connectFiles();
    void connectButtons();
    void connectCanvas();
    void connectPageCommands();
    void connectHistory();
    void connectKeys();
    // The status bar's texts as the workspace, history and canvas now stand.
    void updateStatus();
    // Brings both lists in line with the stores, keeping each entry's marks.
    void syncLists();
    // Lists, canvas, undo buttons, modified mark, status bar and watched
    // files after a change of the document.
    void followChange(const Change& change);
    // Shows the page an undo or redo touched, selected in its list.
    void showTouched(Page* page);
    // Marks only the last sprite entry and makes it the current entry.
    void markLastSprite();
    // The canvas as it is with no page: the empty panel, centred.
    void resetPagePanel();
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
    std::unique_ptr<MainCanvasHost> canvasHost_;
    std::unique_ptr<BlockTool> blockTool_;
    friend class MainFileHost;
    std::unique_ptr<MainFileHost> fileHost_;
    WorkSession* session_ = nullptr;
    std::unique_ptr<FileCommands> files_;
    bool shownOnce_ = false;
};

}  // namespace zentil
