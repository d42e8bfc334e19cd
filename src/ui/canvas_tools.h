// The canvas's tools and the strip beside the canvas that chooses them: the
// block tool of the page commands and the drawing tools, in one list whose
// entries describe themselves (name, key, icon, cursor, tooltip), from which
// the strip's buttons, the tools' keys and the canvas's cursor are made; the
// current colour with its swatch, and the colour kept between sessions.
#pragma once

#include <QColor>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "paint_tools.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;
class QStatusBar;
class QToolButton;
class QWidget;

namespace zentil {

class BlockTool;
class PaletteChooser;
class Document;
class PageCanvas;
struct Change;

class CanvasTools final : public QObject, public PaintColourHost {
    Q_OBJECT
  public:
    // The strip goes beside `canvas` in its parent; the status bar gets the
    // current colour's text and the reasons the tools give.
    CanvasTools(PageCanvas& canvas, CanvasToolHost& host, BlockTool& block, Document& document,
                QStatusBar& statusBar);
    ~CanvasTools() override;

    // A tool as menus and lists show it, in the editor's language.
    struct Entry {
        ToolId id;
        QString name;
        QKeySequence key;
        QIcon icon;
        QString tip;
    };
    // Every tool, in the strip's order.
    QList<Entry> entries() const;

    // Makes the tool `id` the canvas's tool, as its button or key does (an
    // unknown id changes nothing).
    void choose(ToolId id);
    ToolId current() const;
    // The tool `id` (nullptr: none such) and its button in the strip.
    CanvasTool* tool(ToolId id) const;
    QAbstractButton* button(ToolId id) const;
    // Offers `key` to the current tool; false when it did not take it, and
    // the window's own meaning of the key applies.
    bool key(const CanvasKey& key);
    // The block tool, which holds the lifted block.
    BlockTool& block() const { return block_; }
    // The pages are about to be replaced: the current tool ends what it
    // does and the block lifted from them is forgotten.
    void leavePages();
    QToolButton* swatch() const { return swatch_; }
    // The current colour's text in the status bar ("색 17: 204, 255, 0")
    // and its colour in the palette the current page shows with.
    QString colourText() const;
    QColor colour() const;
    const Palette& shownPalette() const;
    // The swatch and the status text after the colour, the page or the
    // palette changed.
    void refresh();

    int currentColour() const override { return colour_; }
    void setCurrentColour(int index) override;
    void explain(const QString& text) override;
    // One colour index down or up, within 0 to 255.
    void stepColour(int by) { setCurrentColour(colour_ + by); }

  signals:
    void colourChanged(int index);
    // Another tool took the canvas.
    void toolChosen(zentil::ToolId id);
    // A click on the swatch.
    void swatchClicked();

  public:
    // The palette chooser, opened by the swatch: a click picks the colour, a
    // double-click edits the entry in the sprite palette as one step.
    void openChooser();
    void editEntry(int index, QColor now);
    PaletteChooser* chooser() const { return chooser_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildStrip();
    void placeStrip();
    int indexOf(ToolId id) const;

    PageCanvas& canvas_;
    CanvasToolHost& host_;
    BlockTool& block_;
    QStatusBar& statusBar_;
    // The tools in the strip's order: the block tool, then the drawing
    // tools this object owns.
    std::vector<CanvasTool*> tools_;
    std::vector<std::unique_ptr<CanvasTool>> owned_;
    int current_ = 0;
    int colour_ = 1;
    QFrame* strip_ = nullptr;
    QButtonGroup* buttons_ = nullptr;
    QToolButton* swatch_ = nullptr;
    QLabel* colourLabel_ = nullptr;
    PaletteChooser* chooser_ = nullptr;
};

}  // namespace zentil
