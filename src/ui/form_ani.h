// The "연속 동작 보기" window: plays the tiles of the current page, or of the
// block lifted on the canvas, one after another at a chosen number of frames
// per second, at the canvas zoom as far as a tile fits in half the screen.
#pragma once

#include <QTimer>
#include <cstdint>

#include "dialog_base.h"

namespace Ui {
class TAniWin;
}

namespace zentil {

struct Page;

class TAniWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TAniWin(EditorHost* host);
    ~TAniWin() override;

    Ui::TAniWin& form() { return *ui_; }

    // Runs while the window is shown and the speed is above 0.
    QTimer Timer_Ani;

    // Moves on to the next tile in reading order and draws it.
    void Timer_AniTimer();
    // The timer follows the speed field; at 0 frames per second the frame
    // shown is held until the speed is raised again.
    void Edit_DelayChange();
    void Btn_OkClick();

    // Top-left pixel, in the played page, of the frame shown last.
    std::int32_t frameX() const { return frameX_; }
    std::int32_t frameY() const { return frameY_; }

  protected:
    void placeWindow() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormShow();
    // The lifted block while the capture panel is up, else the current page
    // (nullptr when there is none).
    const Page* playedPage() const;
    // Sets the interval from the speed field; false at speed 0, with the timer stopped.
    bool applySpeed();
    void placeSpeedLabel();
    // The canvas zoom, or the largest level below it at which a tile of
    // this size fits in half the screen.
    int previewZoom(int tileWidth, int tileHeight) const;

    Ui::TAniWin* ui_;
    std::int32_t frameX_ = 0;
    std::int32_t frameY_ = 0;
    int zoom_ = 1;
};

}  // namespace zentil
