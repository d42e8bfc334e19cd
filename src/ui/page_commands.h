// The main window's commands on pages: the toolbar's copies, clearing and
// deleting, the column count and the size optimisation, the nudge buttons
// the current tool leaves alone, and what the editing dialogs hand back. Each
// runs one page operation of the work layer on the selected pages and records
// its step with the selection it leaves; the views follow the document.
#pragma once

#include <QObject>
#include <cstdint>
#include <vector>

#include "edit/nudge.h"
#include "work/list_id.h"
#include "work/list_selection.h"

class QSpinBox;

namespace zentil {

class PageCommandHost;
class Workspace;
class Page;
struct Outcome;
struct Dialogs;
struct ColourKeys;
struct NewImage;
struct TileGrid;
struct ColourChange;

class PageCommands final : public QObject {
    Q_OBJECT
  public:
    // `columns` is the column field the column command reads.
    PageCommands(PageCommandHost& host, QSpinBox& columns, QObject* parent = nullptr);

    // Applies what the editing dialogs hand back.
    void connectDialogs(const Dialogs& dialogs);

    void BtnPageCopyClick();
    void BtnSumCopyClick();
    void Btn_BlockCopyClick();
    void Btn_ClearPageClick();
    void Btn_DeletePageClick();
    void Btn_AllDeletePageClick();
    void Btn_ColClick();
    void Btn_OptimizeClick();
    // "팔레트에 맞추기": the selected sprite pages' colours onto the sprite
    // palette, dithered as the picture reduction was last left.
    void remapToPaletteClick();

    // The nudge buttons and the arrows: the current tool's if it takes them
    // (a carried block moves), or else the current sprite page's.
    void nudge(Nudge direction);
    void Btn_MoveLeftUpClick() { nudge(Nudge::LeftUp); }
    void Btn_MoveUpClick() { nudge(Nudge::Up); }
    void Btn_MoveRightClick() { nudge(Nudge::Right); }
    void Btn_MoveDownClick() { nudge(Nudge::Down); }
    void Btn_MoveLeftClick() { nudge(Nudge::Left); }

    void applyNewImage(const NewImage& image);
    void applySizeSettings(const TileGrid& grid, std::uint32_t lineColor);
    void applyColourKeys(const ColourKeys& keys);
    void applyColourChange(const ColourChange& change);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Workspace& workspace();
    ListId activeList();
    const std::vector<int>& selectedRows(ListId list);
    void report(const std::vector<Outcome>& problems);
    // The pages of the selected entries of a list, in list order.
    std::vector<Page*> selectedPages(ListId list);
    // The selection with `list` shown ...
    ListSelection showing(ListId list);
    // ... and with only the last sprite entry marked, the current one, shown.
    ListSelection lastSpriteOnly();

    PageCommandHost& host_;
    QSpinBox& columns_;
};

}  // namespace zentil
