// The canvas's tools and the strip beside the canvas that chooses them: the
// block tool of the page commands and the drawing tools, their keys, the
// current colour with its swatch, and the choice kept between sessions.
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "paint_tools.h"
#include "tool_icons.h"

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

    // Makes `kind` the canvas's tool, as its button or key does.
    void choose(ToolKind kind);
    // The tools in the strip's order, with their names and keys (the menus
    // make the keys work).
    struct Listed {
        ToolKind kind;
        QString name;
        QKeySequence key;
    };
    std::vector<Listed> listed() const;
    ToolKind current() const { return current_; }
    CanvasTool& tool(ToolKind kind);
    QAbstractButton* button(ToolKind kind) const;
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

    PageCanvas& canvas_;
    CanvasToolHost& host_;
    BlockTool& block_;
    QStatusBar& statusBar_;
    PencilTool pencil_;
    PencilTool eraser_;
    FillTool fill_;
    LineTool line_;
    EyedropperTool eyedropper_;
    ToolKind current_ = ToolKind::Block;
    int colour_ = 1;
    QFrame* strip_ = nullptr;
    QButtonGroup* buttons_ = nullptr;
    QToolButton* swatch_ = nullptr;
    QLabel* colourLabel_ = nullptr;
    PaletteChooser* chooser_ = nullptr;
};

}  // namespace zentil
