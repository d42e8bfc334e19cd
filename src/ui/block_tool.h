// The block tool, the canvas's way of working by whole tiles: a left drag
// outlines a block of tiles, the release lifts it, the block then follows
// the pointer tile by tile, composed over the page by the copy mode; a left
// press stamps it (and keeps stamping while the button is held and the
// pointer moves), a right press or Escape puts it away. The nudges move the
// lifted block inside itself and the write-back (Return) puts it where it
// was lifted. The tool holds the block lifted last, which the block copy
// takes.
// With an area layer chosen, the same gestures set and clear the per-tile
// area rectangles at pixel grain. While an outline is dragged beyond the view
// (or a block is carried to its edge) the view scrolls along.
//
// The handlers keep the names of the window's events they stand for; they
// take page pixels at every zoom (the outline's and the block's relative to
// their top-left).
#pragma once

#include <QRect>
#include <cstdint>
#include <memory>

#include "canvas_tool.h"
#include "canvas_tool_host.h"
#include "edit/block.h"
#include "edit/nudge.h"
#include "work/command.h"

namespace zentil {

class PageCanvas;
class Workspace;
struct Page;

// What the block tool asks of the window besides what every tool does.
class BlockToolHost : public CanvasToolHost {
  public:
    // The copy mode chosen for stamps (0 clear and copy, 1 in front, 2 behind).
    virtual int copyMode() const = 0;
    // The area layer worked on (0: tile mode) and the scope of an area edit.
    virtual int areaLayer() const = 0;
    virtual int areaScope() const = 0;
    // A block was lifted (true) or is no longer carried (false).
    virtual void blockLiftedChanged(bool lifted) = 0;
    // Shows the current page again after an edit of its area rectangles.
    virtual void showCurrent() = 0;
};

enum class BlockState : std::uint8_t { Idle, Selecting, Lifted };

class BlockTool final : public CanvasTool {
  public:
    static constexpr ToolId kId = "block";
    BlockTool(PageCanvas& canvas, BlockToolHost& host);
    const ToolLook& look() const override;

    // The canvas's events, sent to what the pointer went down on.
    void press(const CanvasPointer& pointer) override;
    void move(const CanvasPointer& pointer) override;
    void release(const CanvasPointer& pointer) override;
    void tick() override { Timer_ScrollTimer(); }
    void cancel() override;
    bool busy() const override { return state_ == BlockState::Selecting && outlineShown_; }
    void decorate(CanvasOverlays& overlays) const override;
    void paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                   const CanvasOverlays& style) const override;

    void Image_PageMouseDown(Qt::MouseButton button, int x, int y);
    void Image_PageMouseMove(int x, int y);
    void Image_PageMouseUp(Qt::MouseButton button, int x, int y);
    void Shape_BlockMouseMove(int x, int y);
    void Image_CaptureMouseDown(Qt::MouseButton button, int x, int y);
    void Image_CaptureMouseMove(int x, int y);
    void Image_CaptureMouseUp();
    void Timer_ScrollTimer();

    // The keys: Escape puts a carried block away, Return writes it back, a
    // nudge moves it inside itself; without a block carried none is taken.
    bool key(const CanvasKey& key) override;
    // The lifted block moved one pixel inside itself.
    void nudgeBlock(Nudge direction);
    // Writes the lifted block back where it was lifted, opaquely.
    void Btn_MoveOkClick();
    // As a right press on the block does.
    void putAwayByHand();
    // Hides the outline of a block being dragged out.
    void dropOutline();
    // Moves a shown block out of sight while the pointer is over the column
    // field; it stays carried and comes back under the pointer.
    void park();

    // The block being carried, nullptr while none is.
    const Page* carriedBlock() const { return carrying_ ? &lifted_.block : nullptr; }
    bool carrying() const { return carrying_; }
    // A block was lifted at some time and can be copied.
    bool hasBlock() const { return lifted_.view.inUse(); }
    // The block for the block copy, as it shows where it stands (nullptr when
    // none was ever lifted); the block is put away.
    const Page* blockForCopy();
    // The pages the block came from are gone: it is put away and forgotten.
    void forget();
    // The block as it was lifted: its tiles, its composed view and its origin.
    const LiftedBlock& lifted() const { return lifted_; }

    BlockState state() const { return state_; }
    bool stamping() const { return stamping_; }
    // In page pixels.
    QRect outlineRect() const { return outline_; }
    bool outlineShown() const { return outlineShown_; }
    QRect captureRect() const { return block_; }
    bool blockShown() const { return blockShown_; }

  private:
    enum class Target { None, Page, Outline, Block };
    Target targetAt(QPoint page) const;
    // The current page when it can be worked on (has tiles), else nullptr.
    Page* canvasPage() const;
    bool areaMode() const { return host_.areaLayer() > 0; }
    void placeOutline(const QRect& outline);
    void showBlock(const Page* picture, const QRect& rect);
    void hideBlock();
    void liftOutline();
    void setAreaFromOutline();
    void stampAtBlock();
    // Composes the lifted block's view where the block stands, by the copy mode.
    bool composeHere();
    // Makes the lifted block's view what the block shows where it stands,
    // composing it there if it was not yet; false when it cannot be composed.
    bool composeShown();
    void placeBlock(QPoint topLeft);
    // Puts the lifted block away, leaving the canvas colour (0x00BBGGRR).
    void putAway(std::uint32_t canvasColor);

    PageCanvas& canvas_;
    BlockToolHost& host_;
    // The block lifted last; it stays after it is put away, as the block
    // copy still takes it.
    LiftedBlock lifted_;
    bool carrying_ = false;
    BlockState state_ = BlockState::Idle;
    int anchorX_ = 0, anchorY_ = 0;
    bool stamping_ = false;
    int stroke_ = 0;  // the number of the press that stamps, so one press is one step
    QRect outline_;
    bool outlineShown_ = false;
    QRect block_;
    bool blockShown_ = false;
    const Page* blockPicture_ = nullptr;  // the block itself or its composed view
    QPoint composedAt_;                   // where the view was last composed
    Target grabbed_ = Target::None;       // where the pointer went down, while buttons are held
};

}  // namespace zentil
