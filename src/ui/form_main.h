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

#include "edit/nudge.h"
#include "editor_host.h"
#include "render/page_render.h"
#include "work/history.h"
#include "work/workspace.h"

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
class FileDialogs;
class MessageSink;
class QtMessageSink;

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
    // How long a load runs before its progress dialog appears.
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

    // The history: the two toolbar buttons and their keys.
    void Btn_UndoClick();
    void Btn_RedoClick();

    // The canvas, in page pixels (x, y of the pointer over the image, or
    // relative to the outline or the capture panel for their handlers).
    void Image_PageMouseDown(Qt::MouseButton button, int x, int y);
    void Image_PageMouseMove(int x, int y);
    void Image_PageMouseUp(Qt::MouseButton button, int x, int y);
    void Shape_BlockMouseMove(int x, int y);
    void Image_CaptureMouseDown(Qt::MouseButton button, int x, int y);
    void Image_CaptureMouseMove(int x, int y);
    void Image_CaptureMouseUp();
    void Timer_ScrollTimer();
    // The outline and the capture panel in page pixels.
    QRect outlineRect() const { return outline_; }
    QRect captureRect() const;

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
    // The scroll box's background, a 0x00BBGGRR colour.
    void setCanvasColor(std::uint32_t bgr);
    std::uint32_t canvasColor() const { return canvasColor_; }

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

    // Lays out the canvas for `page` and draws it with its grid and areas.
    void showPage(const Page& page, bool clearFirst);
    void scrollToOrigin();
    // The status panels for pixel (x, y) of the current page.
    void showPixelInfo(int x, int y);
    // Adds `page` to the sprite list as an edit, makes it the only selected
    // entry and the current one, and shows it. False when the store is full
    // (reported).
    bool addSpritePage(std::unique_ptr<Page> page);
    // Centres the frame panel in the scroll box; negative offsets become 0
    // unless `clamp` is false.
    void centrePagePanel(bool clamp = true);

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
    // Brings both lists in line with the stores, keeping each entry's marks.
    void syncLists();
    // After the stores changed: lists, the undo buttons and the modified mark.
    void afterEdit();
    // Shows the page an undo or redo touched, selected in its list.
    void showTouched(Page* page);
    // Marks only the last sprite entry and makes it the current entry.
    void markLastSprite();
    // The frame panel as it is with no page: 400 x 300, centred.
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
    void redrawCapture(bool composed);
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
    QRect outline_;      // the block outline, in page pixels
    QPoint capturePos_;  // the capture panel's top-left, in page pixels
    std::uint32_t canvasColor_ = 0xD77586;
    int stroke_ = 0;  // numbers the presses that stamp, so one press is one step
    bool shownOnce_ = false;
    int progressDelayMs_ = 500;
};

}  // namespace zentil
