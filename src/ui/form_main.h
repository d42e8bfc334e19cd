// The main window: toolbar, information panel, the two page lists and the
// canvas. It holds the workspace and the history of edits, and is the host
// the dialogs work through.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "edit/nudge.h"
#include "editor_host.h"
#include "formats/gpf_figure.h"
#include "render/canvas_render.h"
#include "work/history.h"
#include "work/workspace.h"

class QLabel;
class QToolButton;

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
class PictureWatcher;

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

    // File commands of the toolbar, and the filter each file dialog was left at.
    int OpenFilterIndex = 1;
    int SaveFilterIndex = 1;
    void Btn_LoadSprClick();
    void Btn_SaveSprClick();
    void Btn_LoadPalClick();
    void Btn_SavePalClick();
    // Reads pictures and sprite files into their stores, in name order, as
    // the load command does with the files chosen in its dialog.
    void loadFiles(QStringList paths);

    // Work sessions. The whole workspace to a work file, and back: opening
    // one asks first when sprite pages are unsaved, and starts a new history.
    void saveWork(const QString& path);
    bool openWork(const QString& path);
    // Saves every changed sprite page as a sprite file: to its own file
    // without asking, or through a save dialog for a page without one.
    // False when a save failed or a dialog was cancelled (the rest then wait).
    bool saveAllSprites();
    void Btn_SaveAllClick() { saveAllSprites(); }
    // The last work file saved or opened, as the platform's settings keep it.
    static QString lastWorkFile();
    // How long a load runs before its progress dialog appears.
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

    // The history: the two toolbar buttons and their keys.
    void Btn_UndoClick();
    void Btn_RedoClick();

    // The canvas, in page pixels (x, y of the pointer over the page, or
    // relative to the outline or the lifted block for their handlers) at
    // every zoom.
    void Image_PageMouseDown(Qt::MouseButton button, int x, int y);
    void Image_PageMouseMove(int x, int y);
    void Image_PageMouseUp(Qt::MouseButton button, int x, int y);
    void Shape_BlockMouseMove(int x, int y);
    void Image_CaptureMouseDown(Qt::MouseButton button, int x, int y);
    void Image_CaptureMouseMove(int x, int y);
    void Image_CaptureMouseUp();
    void Timer_ScrollTimer();
    // The outline and the lifted block in page pixels.
    QRect outlineRect() const;
    QRect captureRect() const;
    PageCanvas& canvas() const;

    // The canvas zoom: a level up or down, or back to 1x, about the middle of
    // the view; the faint lines between pixels (from 8x on) on or off. Both
    // are kept in the platform's settings for the next start.
    void zoomIn();
    void zoomOut();
    void zoomToActualSize();
    void togglePixelGrid();

    // The nudge buttons: the lifted block, or else the current sprite page.
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
        void (TMainWin::*run)();
    };
    std::vector<KeyBinding> keyBindings();
    // The colour around the page, 0x00BBGGRR.
    void setCanvasColor(std::uint32_t bgr);
    std::uint32_t canvasColor() const;

    // The fields of the status bar: the zoom, the GPF size of the current
    // page and of the tile under the pointer, the steps that can be undone,
    // and a hint while sprite pages show with the black default palette;
    // the zoom buttons and the pixel-grid switch.
    struct StatusFields {
        QLabel* zoom = nullptr;
        QLabel* gpf = nullptr;
        QLabel* undo = nullptr;
        QLabel* hint = nullptr;
        QToolButton* zoomOut = nullptr;
        QToolButton* zoomIn = nullptr;
        QToolButton* pixelGrid = nullptr;
    };
    const StatusFields& status() const { return status_; }

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
    QTimer Timer_Scroll;

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
    void connectButtons();
    void connectCanvas();
    void connectPageCommands();
    void connectHistory();
    void connectKeys();
    void connectStatus();
    void connectWork();
    // Asks `question` when sprite pages are unsaved: "모두 저장" saves them
    // all first, "예" goes on, "아니오" stays. True to go on.
    bool mayDropUnsaved(const char* question);
    static void rememberWorkFile(const QString& path);
    // Watches the files of the pictures that came from one, and reads a
    // picture again when its file changed; a line in the status bar says how
    // it went.
    void watchPictures();
    void reloadPicture(const QString& path);
    void showStatusLine(const QString& text);
    // The status bar's texts as the workspace, history and canvas now stand.
    void updateStatus();
    void showZoomStatus();
    // The zoom and the pixel grid, read at first show and written as they change.
    void readViewSettings();
    void writeViewSettings();
    // Brings both lists in line with the stores, keeping each entry's marks.
    void syncLists();
    // After the stores changed: lists, the undo buttons and the modified mark.
    void afterEdit();
    // Shows the page an undo or redo touched, selected in its list.
    void showTouched(Page* page);
    // Marks only the last sprite entry and makes it the current entry.
    void markLastSprite();
    // The canvas as it is with no page: the empty panel, centred.
    void resetPagePanel();
    void putBlockAway(std::uint32_t color);
    void nudge(Nudge direction);
    // The current page when it can be worked on (has tiles), else nullptr.
    Page* canvasPage() const;
    bool areaMode() const;
    void placeOutline(const QRect& outline);
    void placeCapture(int left, int top);
    void showCapture(bool shown);
    void liftOutline();
    void setAreaFromOutline();
    void stampAtPanel();
    // Asks before a save replaces an existing file.
    bool mayReplace(const QString& path);
    // The grid over the canvas, as the settings have it.
    GridLines gridLines() const;

    FileDialogs& fileDialogs();
    // The folder to open a file dialog in: `stored` when it exists, else the working folder.
    static QString dialogFolder(const char* stored);

    Ui::TMainWin* ui_;
    Workspace workspace_;
    History history_;
    Dialogs dialogs_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    MessageSink* messages_ = nullptr;
    std::unique_ptr<FileDialogs> qtFileDialogs_;
    FileDialogs* fileDialogs_ = nullptr;
    StatusFields status_;
    // The GPF sizes of the shown page, measured again only where edits touched it.
    GpfFigure gpf_;
    int pointerTile_ = -1;  // the tile under the pointer, -1 for none
    int stroke_ = 0;        // numbers the presses that stamp, so one press is one step
    bool shownOnce_ = false;
    int progressDelayMs_ = 500;
    PictureWatcher* pictureWatcher_ = nullptr;
};

}  // namespace zentil
