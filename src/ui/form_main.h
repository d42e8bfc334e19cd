// The main window: toolbar, information panel, the two page lists and the
// canvas. It owns the state every command shares.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "edit/nudge.h"
#include "system/canvas_events.h"

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
struct Page;

// The address the "개발자 홈" button opens.
inline constexpr const char* kHomePageUrl = "https://zentil-editor.example.org/";

inline constexpr std::uint8_t kListNone = 0;
inline constexpr std::uint8_t kListTga = 1;
inline constexpr std::uint8_t kListSprite = 2;

// The canvas selection of blocks of tiles.
struct BlockSelection {
    std::int32_t state = 0;  // 0 idle, 1 selecting, 2 lifted
    std::int32_t anchorX = 0;
    std::int32_t anchorY = 0;
    std::int32_t stamping = 0;
};

struct Dialogs {
    TNewWin* newWin = nullptr;
    TAniWin* aniWin = nullptr;
    TTileWin* tileWin = nullptr;
    TConfigWin* configWin = nullptr;
    TColorKeyWin* colorKeyWin = nullptr;
    TChgColorWin* chgColorWin = nullptr;
    TPaletteWin* paletteWin = nullptr;
};

class TMainWin : public QWidget, public CanvasView {
    Q_OBJECT
  public:
    explicit TMainWin(QWidget* parent = nullptr);
    ~TMainWin() override;

    void setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
    const Dialogs& dialogs() const { return dialogs_; }
    Ui::TMainWin& form() { return *ui_; }

    // Shared state.
    int CurrentPage = -1;
    std::uint8_t ActiveList = kListNone;
    int OpenFilterIndex = 1;
    int SaveFilterIndex = 1;
    BlockSelection blockSelection;
    QTimer Timer_FileOpen;
    QTimer Timer_Scroll;

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

    // File commands of the toolbar.
    void Btn_LoadSprClick();
    void Btn_SaveSprClick();
    void Btn_LoadPalClick();
    void Btn_SavePalClick();
    // Reads pictures and sprite files into their stores, in name order, as
    // the load command does with the files chosen in its dialog.
    void loadFiles(QStringList paths);
    // How long a load runs before its progress dialog appears.
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }
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

    // Lays out the canvas for `page` and draws it with its grid and areas.
    void showPage(const Page& page, bool clearFirst) override;
    void scrollToOrigin() override;
    void redrawCurrentPage() override;
    // The status panels for pixel (x, y) of the current page.
    void showPixelInfo(int x, int y);
    // Appends a sprite page, lists it as the current entry and shows it.
    bool newStorePage(int cols, int rows, int tileWidth, int tileHeight, const QString& name,
                      int mode);
    bool newStoreImage(int width, int height, const QString& name, int mode);
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
    void showListEntry(PageList& list, PageList& other, int firstSlot, std::uint8_t which);
    void dropCanvasPicture();
    void placeWindowFromConfig(bool loaded);
    void connectButtons();
    void connectCanvas();
    void connectPageCommands();
    // The list the copy commands read: the one holding the current page.
    PageList* sourceList() const;
    int sourceFirstSlot() const;
    // Marks only the last sprite entry and makes it the current entry.
    void markLastSprite();
    // The frame panel as it is with no page: 400 x 300, centred.
    void resetPagePanel();
    void putBlockAway(std::uint32_t color);
    void nudge(Nudge direction);
    Page* currentPage() const;
    bool areaMode() const;
    void placeOutline(const QRect& outline);
    void placeCapture(int left, int top);
    void liftOutline();
    void setAreaFromOutline();
    void redrawCapture(bool composed);
    void stampAtPanel();

    FileDialogs& fileDialogs();
    // The folder to open a file dialog in: `stored` when it exists, else the working folder.
    static QString dialogFolder(const char* stored);

    Ui::TMainWin* ui_;
    Dialogs dialogs_;
    std::unique_ptr<FileDialogs> qtFileDialogs_;
    FileDialogs* fileDialogs_ = nullptr;
    QRect outline_;      // the block outline, in page pixels
    QPoint capturePos_;  // the capture panel's top-left, in page pixels
    std::uint32_t canvasColor_ = 0xD77586;
    bool shownOnce_ = false;
    int progressDelayMs_ = 500;
};

}  // namespace zentil
