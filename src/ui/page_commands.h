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

namespace Ui {
class TMainWin;
}

namespace zentil {

class TMainWin;
class PageList;
class Page;
struct Dialogs;
struct ColourKeys;
struct NewImage;
struct TileGrid;
struct ColourChange;

class PageCommands final : public QObject {
    Q_OBJECT
  public:
    PageCommands(TMainWin& window, Ui::TMainWin& form);

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
    void connectButtons();
    // The pages of the selected entries of a list, in list order.
    std::vector<Page*> selectedPages(ListId list);
    // The selection with `list` shown ...
    ListSelection showing(ListId list) const;
    // ... and with only the last sprite entry marked, the current one, shown.
    ListSelection lastSpriteOnly() const;

    TMainWin& w_;
    Ui::TMainWin& ui_;
};

}  // namespace zentil
