#include "block_tool.h"

#include <QCoreApplication>
#include <QCursor>
#include <algorithm>

#include "edit/area_layers.h"
#include "edit/block.h"
#include "edit/canvas_geometry.h"
#include "page_canvas.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"
#include "work/workspace.h"

namespace zentil {
namespace {

// Colours around the page (0x00BBGGRR): a block lifted, put away, applied.
constexpr std::uint32_t kColorLifted = 0xBBA0EB;
constexpr std::uint32_t kColorPutAway = 0xC08080;
constexpr std::uint32_t kColorApplied = 0x000000;

constexpr std::uint32_t kRed = 0x0000FF;
// Where a parked block stands: far beyond any page, so no part of it shows.
constexpr QPoint kParked(-100000, -100000);
constexpr int kBlockFrame = 2;  // screen pixels of the lifted block's red frame

constexpr ToolPicture kBlockPicture = {
    "................", ".kk.kk.kk.kk.kk.", ".k............k.", "................",
    ".k............k.", ".k...bbbbbb...k.", "......bbbbbb....", ".k...bbbbbb...k.",
    ".k...bbbbbb...k.", "......bbbbbb....", ".k...bbbbbb...k.", ".k............k.",
    "................", ".k............k.", ".kk.kk.kk.kk.kk.", "................"};
const ToolLook kBlockLook = {
    BlockTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "블럭"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 타일 블럭을 들어 올리고, 눌러서 찍습니다. 오른쪽 단추: 내려놓기."),
    Qt::Key_M,
    kBlockPicture,
    {Qt::ArrowCursor, nullptr, {}}};

}  // namespace

BlockTool::BlockTool(PageCanvas& canvas, BlockToolHost& host) : canvas_(canvas), host_(host) {}

const ToolLook& BlockTool::look() const {
    return kBlockLook;
}

Page* BlockTool::canvasPage() const {
    Page* page = host_.workspace().currentPage();
    return page && page->inUse() && page->tileWidth > 0 && page->tileHeight > 0 ? page : nullptr;
}

// ---- the canvas's events ---------------------------------------------------

BlockTool::Target BlockTool::targetAt(QPoint p) const {
    if (blockShown_ && block_.contains(p)) return Target::Block;
    if (outlineShown_ && outline_.contains(p)) return Target::Outline;
    const Page* page = host_.workspace().currentPage();
    if (page && p.x() >= 0 && p.y() >= 0 && p.x() < page->stride && p.y() < page->height)
        return Target::Page;
    return Target::None;
}

// A press picks what it works on, and the buttons held after it keep working
// on that, wherever the pointer goes, until the last is released.
void BlockTool::press(const CanvasPointer& pointer) {
    if (pointer.buttons == pointer.button) grabbed_ = targetAt(pointer.page);
    const QPoint p = pointer.page;
    if (grabbed_ == Target::Page) Image_PageMouseDown(pointer.button, p.x(), p.y());
    if (grabbed_ == Target::Block)
        Image_CaptureMouseDown(pointer.button, p.x() - block_.x(), p.y() - block_.y());
}

void BlockTool::move(const CanvasPointer& pointer) {
    const QPoint p = pointer.page;
    switch (pointer.buttons == Qt::NoButton ? targetAt(p) : grabbed_) {
        case Target::Page:
            Image_PageMouseMove(p.x(), p.y());
            break;
        case Target::Outline:
            Shape_BlockMouseMove(p.x() - outline_.x(), p.y() - outline_.y());
            break;
        case Target::Block:
            Image_CaptureMouseMove(p.x() - block_.x(), p.y() - block_.y());
            break;
        case Target::None:
            break;
    }
}

void BlockTool::release(const CanvasPointer& pointer) {
    const Target target = grabbed_;
    if (pointer.buttons == Qt::NoButton) grabbed_ = Target::None;
    const QPoint p = pointer.page;
    if (target == Target::Page) Image_PageMouseUp(pointer.button, p.x(), p.y());
    if (target == Target::Block) Image_CaptureMouseUp();
}

void BlockTool::cancel() {
    if (blockShown_) putAway(kColorPutAway);
    dropOutline();
    state_ = BlockState::Idle;
    stamping_ = false;
    grabbed_ = Target::None;
}

// ---- what it draws ---------------------------------------------------------

void BlockTool::decorate(CanvasOverlays& overlays) const {
    // One screen pixel at 1x, as the outline always was; two from 4x on,
    // where one pixel is lost among the enlarged page pixels.
    if (outlineShown_)
        overlays.outline =
            CanvasOutline{outline_.x(),      outline_.y(), outline_.width(),
                          outline_.height(), kRed,         canvas_.zoom() >= 4 ? 2 : 1};
}

void BlockTool::paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                          const CanvasOverlays& style) const {
    if (!blockShown_) return;
    const QRect onView =
        screenRect(projection, block_.x(), block_.y(), block_.width(), block_.height()) & dirty;
    if (onView.isEmpty()) return;
    fillCanvasRect(view, onView, 0x000000);
    if (!blockPicture_) return;
    // The block's own pixel (0, 0) stands on its top-left corner.
    CanvasProjection at = projection;
    at.originX = projection.screenX(block_.x());
    at.originY = projection.screenY(block_.y());
    CanvasOverlays over;
    over.pixelGrid = style.pixelGrid;
    over.grid = style.grid;
    over.centreLines = false;
    over.outline = CanvasOutline{0, 0, block_.width(), block_.height(), kRed, kBlockFrame};
    renderCanvasView(view, onView, *blockPicture_, at, over);
}

void BlockTool::placeOutline(const QRect& outline) {
    if (outlineShown_) canvas_.updatePageRect(outline_);
    outline_ = outline;
    outlineShown_ = true;
    canvas_.updatePageRect(outline_);
}

void BlockTool::dropOutline() {
    if (outlineShown_) canvas_.updatePageRect(outline_);
    outlineShown_ = false;
}

void BlockTool::showBlock(const Page* picture, const QRect& rect) {
    if (blockShown_) canvas_.updatePageRect(block_);
    blockPicture_ = picture;
    block_ = rect;
    blockShown_ = true;
    canvas_.updatePageRect(block_);
}

void BlockTool::placeBlock(QPoint topLeft) {
    if (topLeft == block_.topLeft()) return;
    if (blockShown_) canvas_.updatePageRect(block_);
    block_.moveTopLeft(topLeft);
    if (blockShown_) canvas_.updatePageRect(block_);
}

void BlockTool::park() {
    if (blockShown_) placeBlock(kParked);
}

void BlockTool::hideBlock() {
    if (blockShown_) canvas_.updatePageRect(block_);
    blockShown_ = false;
}

// ---- the outline -----------------------------------------------------------

void BlockTool::Image_PageMouseDown(Qt::MouseButton button, int x, int y) {
    const Page* page = canvasPage();
    if (!page || !host_.acceptsClicks() || button != Qt::LeftButton) return;
    state_ = BlockState::Selecting;
    const int tw = page->tileWidth, th = page->tileHeight;
    placeOutline(areaMode() ? QRect(x, y, 1, 1) : QRect(snap(x, tw), snap(y, th), tw, th));
    anchorX_ = outline_.x();
    anchorY_ = outline_.y();
}

void BlockTool::Image_PageMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page) return;
    host_.showPixelInfo(x, y);
    const int tw = page->tileWidth, th = page->tileHeight;
    if (carrying_) {
        placeBlock(QPoint(snap(x, tw), snap(y, th)));
        return;
    }
    if (state_ != BlockState::Selecting) return;
    int left = outline_.x(), top = outline_.y(), w = outline_.width(), h = outline_.height();
    if (areaMode()) {
        dragPixelAxis(left, w, anchorX_, x);
        dragPixelAxis(top, h, anchorY_, y);
    } else {
        dragTileAxis(left, w, anchorX_, x, tw, page->stride);
        dragTileAxis(top, h, anchorY_, y, th, page->height);
    }
    placeOutline(QRect(left, top, w, h));
}

void BlockTool::Image_PageMouseUp(Qt::MouseButton button, int x, int y) {
    Page* page = canvasPage();
    if (!page || !host_.acceptsClicks()) return;
    if (button == Qt::LeftButton) {
        if (state_ != BlockState::Selecting) return;
        areaMode() ? setAreaFromOutline() : liftOutline();
    } else if (button == Qt::RightButton && areaMode()) {
        clearAreaEntries(*page, host_.areaLayer(), host_.areaScope(), tileIndexAt(*page, x, y));
        canvas_.refresh();
    }
}

void BlockTool::liftOutline() {
    const QRect r = outline_;
    const Outcome lifted = liftBlock(lifted_, *canvasPage(), r.x(), r.y(), r.width(), r.height(),
                                     host_.workspace().defaults());
    dropOutline();
    if (!lifted) {
        // A block that could not be made is dropped whole.
        lifted_ = LiftedBlock{};
        state_ = BlockState::Idle;
        host_.report(lifted);
        return;
    }
    showBlock(&lifted_.block, r);
    state_ = BlockState::Lifted;
    carrying_ = true;
    host_.blockLiftedChanged(true);
    canvas_.setCanvasColor(kColorLifted);
}

void BlockTool::setAreaFromOutline() {
    Page* page = canvasPage();
    QRect r = outline_;
    const int t = tileIndexAt(*page, r.x(), r.y());
    r.setWidth(std::min(r.width(), page->tileWidth));
    r.setHeight(std::min(r.height(), page->tileHeight));
    AreaRect entry;
    entry.left = xInTile(*page, r.x());
    entry.top = yInTile(*page, r.y());
    entry.right = entry.left + r.width();
    entry.bottom = entry.top + r.height();
    setAreaEntries(*page, host_.areaLayer(), host_.areaScope(), t, entry);
    dropOutline();
    host_.showCurrent();
}

void BlockTool::Shape_BlockMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !outlineShown_ || state_ != BlockState::Selecting) return;
    placeOutline(QRect(snap(x + outline_.x(), page->tileWidth),
                       snap(y + outline_.y(), page->tileHeight), outline_.width(),
                       outline_.height()));
}

// ---- the lifted block ------------------------------------------------------

void BlockTool::Image_CaptureMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !carrying_) return;
    const int left = std::max(block_.x(), 0), top = std::max(block_.y(), 0);
    placeBlock(QPoint(snap(x + left, page->tileWidth), snap(y + top, page->tileHeight)));
    composeHere();
    if (stamping_) stampAtBlock();
}

bool BlockTool::composeHere() {
    const Page* page = canvasPage();
    if (!page || !composeBlockView(lifted_, *page, block_.x(), block_.y(), host_.copyMode()))
        return false;
    blockPicture_ = &lifted_.view;
    composedAt_ = block_.topLeft();
    canvas_.updatePageRect(block_);
    return true;
}

// Before any move over the block (right after the lift, after a nudge, or
// after the block followed the pointer over the page) its view was never
// composed where it stands: a stamp or a copy takes what the block shows.
bool BlockTool::composeShown() {
    if (blockPicture_ == &lifted_.view && composedAt_ == block_.topLeft()) return true;
    return composeHere();
}

void BlockTool::stampAtBlock() {
    Workspace& ws = host_.workspace();
    Page* page = canvasPage();
    const LiftedBlock& lifted = lifted_;
    const int left = block_.x(), top = block_.y();
    Outcome outcome;
    // Every stamp of one press joins one step of the history, which keeps
    // each pixel the press changed once; a stamp that changes nothing is no
    // edit at all.
    std::unique_ptr<Command> stamp = strokeEdit(
        ws, *page, {left, top, lifted.view.stride, lifted.view.height},
        [&](Page& p) { return stampBlock(p, lifted, left, top); }, outcome, stroke_);
    host_.report(outcome);
    if (!stamp) return;
    host_.record(std::move(stamp));
    canvas_.refresh();
}

void BlockTool::Image_CaptureMouseDown(Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) {
        putAway(kColorPutAway);  // stamps already made stay
        return;
    }
    if (button != Qt::LeftButton || !canvasPage() ||
        host_.workspace().activeList() != ListId::Sprites)
        return;
    if (!composeShown()) return;
    stamping_ = true;
    stroke_ = host_.nextStroke();
    stampAtBlock();
}

void BlockTool::Image_CaptureMouseUp() {
    stamping_ = false;
    host_.closeStep();
}

void BlockTool::putAwayByHand() {
    if (carrying_) putAway(kColorPutAway);
}

const Page* BlockTool::blockForCopy() {
    if (!hasBlock()) return nullptr;
    // A block still carried is copied as it shows, even before any move over it.
    if (carrying_) composeShown();
    putAway(kColorApplied);
    return &lifted_.view;
}

void BlockTool::forget() {
    cancel();
    lifted_ = LiftedBlock{};
    blockPicture_ = nullptr;
}

void BlockTool::putAway(std::uint32_t canvasColor) {
    state_ = BlockState::Idle;
    anchorX_ = anchorY_ = 0;
    stamping_ = false;
    hideBlock();
    carrying_ = false;
    host_.blockLiftedChanged(false);
    canvas_.setCanvasColor(canvasColor);
}

// ---- auto-scroll -----------------------------------------------------------

// While an outline is dragged out with the pointer beyond the view, the view
// scrolls a tile at a time toward it and the outline grows to the pointer.
// At every zoom, a carried block near the view's edge scrolls it the same
// way and follows the pointer.
void BlockTool::Timer_ScrollTimer() {
    const Page* page = canvasPage();
    if (!page) return;
    const bool carrying = carrying_ && blockShown_;
    if (!outlineShown_ && !carrying) return;
    const QPoint cursor = QCursor::pos();
    const bool scrolled = carrying && !outlineShown_
                              ? canvas_.scrollNearEdge(cursor, page->tileWidth, page->tileHeight)
                              : canvas_.scrollToward(cursor, page->tileWidth, page->tileHeight);
    if (!scrolled) return;
    const QPoint at = canvas_.toPage(canvas_.viewport()->mapFromGlobal(QPointF(cursor)));
    if (state_ == BlockState::Selecting && outlineShown_)
        Image_PageMouseMove(at.x(), at.y());
    else if (carrying)
        Image_CaptureMouseMove(at.x() - block_.x(), at.y() - block_.y());
}

// ---- keys, nudges and the write-back ---------------------------------------

bool BlockTool::key(const CanvasKey& key) {
    if (!carrying_) return false;
    switch (key.kind) {
        case CanvasKey::Kind::Escape:
            putAway(kColorPutAway);
            break;
        case CanvasKey::Kind::Confirm:
            Btn_MoveOkClick();
            break;
        case CanvasKey::Kind::Nudge:
            nudgeBlock(key.direction);
            break;
    }
    return true;
}

void BlockTool::nudgeBlock(Nudge direction) {
    if (!canvasPage() || !carrying_) return;
    // The block moves inside itself; the canvas shows it at once and the
    // next move over it composes it again.
    Page& block = lifted_.block;
    host_.report(nudgePage(block, direction));
    blockPicture_ = &block;
    canvas_.updatePageRect(block_);
}

void BlockTool::Btn_MoveOkClick() {
    Workspace& ws = host_.workspace();
    Page* page = canvasPage();
    if (!page || !carrying_) return;
    const LiftedBlock& lifted = lifted_;
    Outcome outcome;
    std::unique_ptr<Command> back = editRect(
        ws, *page, {lifted.originX, lifted.originY, lifted.block.stride, lifted.block.height},
        [&](Page& p) { return applyBlock(p, lifted); }, outcome);
    host_.report(outcome);
    putAway(kColorApplied);
    // At 1x the view goes back to the page's corner; zoomed in, it stays on
    // the block just written.
    if (canvas_.zoom() == 1) canvas_.scrollToOrigin();
    host_.record(std::move(back));
}

}  // namespace zentil
