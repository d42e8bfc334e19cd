#include "work/page_edits.h"

#include <utility>
#include <vector>

#include "formats/palette_file.h"
#include "system/texts.h"

namespace zentil {
namespace {

// Pixel edits of pages, each part a page with what was there before; the
// parts are exchanged backwards to undo and forwards to redo.
class PatchEdit : public Command {
  public:
    void add(Page& page, PagePatch patch) { parts_.push_back({&page, std::move(patch)}); }

    void undo(Workspace& workspace) override {
        for (auto part = parts_.rbegin(); part != parts_.rend(); ++part)
            exchange(workspace, *part);
    }
    Outcome redo(Workspace& workspace) override {
        for (Part& part : parts_)
            exchange(workspace, part);
        return Outcome::done();
    }
    std::size_t bytes() const override {
        std::size_t total = sizeof(*this);
        for (const Part& part : parts_)
            total += sizeof(Part) + part.patch.heapBytes();
        return total;
    }
    Page* touched() const override { return parts_.empty() ? nullptr : parts_.back().page; }
    Change changes() const override {
        Change change;
        for (const Part& part : parts_)
            change.pages.push_back(part.page);
        return change;
    }

  private:
    struct Part {
        Page* page;
        PagePatch patch;
    };
    // Undoing and redoing change the same pixels.
    static void exchange(Workspace& workspace, Part& part) {
        const std::uint64_t from = part.page->revision;
        part.patch.exchange(*part.page);
        workspace.changes.note(*part.page, from, part.patch.rect());
    }
    std::vector<Part> parts_;
};

// A nudge loses the row and column pushed over the edge; moving the page back
// and writing them again takes it back exactly.
class NudgeEdit final : public Command {
  public:
    NudgeEdit(Page& page, Nudge direction) : page_(&page), direction_(direction) {}

    bool keepEdges(const Page& page) {
        const int dx = stepX(direction_), dy = stepY(direction_);
        const bool column =
            dx == 0 || column_.capture(page, {dx > 0 ? page.stride - 1 : 0, 0, 1, page.height});
        const bool row =
            dy == 0 || row_.capture(page, {0, dy > 0 ? page.height - 1 : 0, page.stride, 1});
        hasColumn_ = dx != 0;
        hasRow_ = dy != 0;
        before_ = page.revision;
        return column && row;
    }
    void setAfter(std::uint64_t revision) { after_ = revision; }

    void undo(Workspace&) override {
        nudgePage(*page_, opposite(direction_));
        if (hasRow_) row_.restore(*page_);
        if (hasColumn_) column_.restore(*page_);
        page_->revision = before_;
    }
    Outcome redo(Workspace&) override {
        nudgePage(*page_, direction_);
        page_->revision = after_;
        return Outcome::done();
    }
    std::size_t bytes() const override {
        return sizeof(*this) + row_.heapBytes() + column_.heapBytes();
    }
    Page* touched() const override { return page_; }

  private:
    // The step of each direction and the direction that takes it back, in
    // the order of Nudge.
    struct Way {
        int dx, dy;
        Nudge back;
    };
    static constexpr Way kWays[] = {
        {-1, -1, Nudge::RightDown}, {0, -1, Nudge::Down},  {1, -1, Nudge::LeftDown},
        {1, 0, Nudge::Left},        {1, 1, Nudge::LeftUp}, {0, 1, Nudge::Up},
        {-1, 1, Nudge::RightUp},    {-1, 0, Nudge::Right},
    };
    static const Way& way(Nudge d) { return kWays[static_cast<int>(d)]; }
    static int stepX(Nudge d) { return way(d).dx; }
    static int stepY(Nudge d) { return way(d).dy; }
    static Nudge opposite(Nudge d) { return way(d).back; }

    Page* page_;
    Nudge direction_;
    PagePatch row_, column_;
    bool hasRow_ = false, hasColumn_ = false;
    std::uint64_t before_ = 0, after_ = 0;
};

// A rebuilt page and the page it was: the two are swapped in place, so the
// page keeps its identity (its place in the list and every reference to it).
class RebuildEdit final : public Command {
  public:
    RebuildEdit(Page& page, Page other) : page_(&page), other_(std::move(other)) {}
    void undo(Workspace&) override { swapWithOther(); }
    Outcome redo(Workspace&) override {
        swapWithOther();
        return Outcome::done();
    }
    std::size_t bytes() const override { return sizeof(*this) + pixelBufferBytes(other_); }
    Page* touched() const override { return page_; }

  private:
    // Whether and where the page was saved are kept by its store, apart
    // from either version.
    void swapWithOther() { std::swap(*page_, other_); }
    Page* page_;
    Page other_;
};

// The palette of the sprite pages, the palette file the next start reads,
// and each page that received the palette.
class PaletteEdit final : public PatchEdit {
  public:
    PaletteEdit(const Palette& other, const Config& settings)
        : other_(other), otherFile_(configText(settings.palettePath)) {}
    void undo(Workspace& workspace) override {
        PatchEdit::undo(workspace);
        swapWith(workspace);
    }
    Outcome redo(Workspace& workspace) override {
        swapWith(workspace);
        return PatchEdit::redo(workspace);
    }
    std::size_t bytes() const override {
        return PatchEdit::bytes() + sizeof(other_) + otherFile_.capacity();
    }
    Page* touched() const override { return nullptr; }
    Change changes() const override {
        Change change = PatchEdit::changes();
        change.palette = true;
        return change;
    }

  private:
    void swapWith(Workspace& workspace) {
        std::swap(workspace.palette, other_);
        std::string file(configText(workspace.settings.palettePath));
        setConfigText(workspace.settings.palettePath, otherFile_);
        otherFile_ = std::move(file);
    }
    Palette other_;
    std::string otherFile_;
};

}  // namespace

std::unique_ptr<Command> editRect(Workspace& workspace, Page& page, PixelRect rect,
                                  const PageEdit& edit, Outcome& outcome) {
    PagePatch patch;
    if (!patch.capture(page, rect)) {
        outcome = Outcome::error(texts::kCannotCreateImage);
        return nullptr;
    }
    outcome = edit(page);
    if (!outcome) {
        patch.restore(page);
        return nullptr;
    }
    // An edit that leaves the page as it was is no edit at all.
    if (!patch.shrinkToChanges(page)) return nullptr;
    const std::uint64_t from = page.revision;
    page.revision = workspace.nextRevision();
    workspace.changes.note(page, from, patch.rect());
    auto command = std::make_unique<PatchEdit>();
    command->add(page, std::move(patch));
    return command;
}

std::unique_ptr<Command> editPixels(Workspace& workspace, Page& page, const PageEdit& edit,
                                    Outcome& outcome) {
    return editRect(workspace, page, {0, 0, page.stride, page.height}, edit, outcome);
}

std::unique_ptr<Command> nudgePageStep(Workspace& workspace, Page& page, Nudge direction,
                                       Outcome& outcome) {
    auto command = std::make_unique<NudgeEdit>(page, direction);
    if (!command->keepEdges(page)) {
        outcome = Outcome::error(texts::kCannotCreateImage);
        return nullptr;
    }
    outcome = nudgePage(page, direction);
    if (!outcome) return nullptr;
    page.revision = workspace.nextRevision();
    command->setAfter(page.revision);
    return command;
}

std::unique_ptr<Command> rebuildPage(Workspace& workspace, Page& page, const PageEdit& edit,
                                     Outcome& outcome) {
    Page before;
    if (!duplicatePage(before, page)) {
        outcome = Outcome::error(texts::kCannotCreateImage);
        return nullptr;
    }
    outcome = edit(page);
    if (!outcome) return nullptr;
    page.revision = workspace.nextRevision();
    return std::make_unique<RebuildEdit>(page, std::move(before));
}

std::unique_ptr<Command> applySpritePalette(Workspace& workspace, const Palette& palette,
                                            const std::optional<std::string>& paletteFile) {
    auto command = std::make_unique<PaletteEdit>(workspace.palette, workspace.settings);
    workspace.palette = palette;
    if (paletteFile) setConfigText(workspace.settings.palettePath, *paletteFile);
    for (int i = 0; i < workspace.sprites.size(); ++i) {
        Page& page = workspace.sprites.at(i);
        if (!page.inUse() || page.kind != kKindSprite) continue;
        PagePatch patch;
        patch.capture(page, {});
        applyPalette(page, palette);
        const std::uint64_t from = page.revision;
        page.revision = workspace.nextRevision();
        workspace.changes.note(page, from, {});
        command->add(page, std::move(patch));
    }
    return command;
}

}  // namespace zentil
