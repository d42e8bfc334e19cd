// The main window's status bar: the zoom, the GPF size of the shown page and
// of the tile under the pointer, the steps that can be undone, and, over the
// canvas's corner, a hint while the sprite page shown is drawn black for
// want of a palette; the zoom buttons and
// the pixel-grid switch, which work the canvas and are kept in the
// platform's settings for the next start; at its right end the language
// menu.
#pragma once

#include <QObject>
#include <cstdint>
#include <vector>

#include "formats/gpf_figure.h"
#include "system/outcome.h"

class QLabel;
class QStatusBar;
class QToolButton;

namespace zentil {

class LanguageMenu;
class PageCanvas;
class Workspace;
class History;
struct Page;

class EditorStatus final : public QObject {
    Q_OBJECT
  public:
    EditorStatus(QStatusBar& bar, PageCanvas& canvas);

    QLabel* zoom = nullptr;
    QLabel* gpf = nullptr;
    QLabel* undo = nullptr;
    QLabel* hint = nullptr;
    QToolButton* zoomOut = nullptr;
    QToolButton* zoomIn = nullptr;
    QToolButton* pixelGrid = nullptr;
    LanguageMenu* language = nullptr;

    // The zoom and the pixel grid as the last run left them.
    void readViewSettings();
    // The texts as the workspace, history and pointer now stand. The GPF
    // size is measured again only where the page changed since (the tiles
    // the workspace's change log says edits touched), and whole after
    // forgetGpf (a page shown from its list is measured afresh).
    void update(const Workspace& workspace, const History& history);
    void forgetGpf() { figure_ = GpfFigure{}; }
    // The shown page's GPF figure, tile by tile, as the last update left it.
    const GpfFigure& figure() const { return figure_; }
    // The tile under the pointer (-1: none).
    void setPointerTile(int tile) { pointerTile_ = tile; }

    // Zoom keys: a level up or down about the middle of the view, back to
    // 1x; the pixel grid on or off.
    void zoomInOnce();
    void zoomOutOnce();
    void zoomToActualSize();
    void togglePixelGrid();

  signals:
    // After every update: what the window shows now stands.
    void updated();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showZoom();
    void showHint();
    void placeHint();
    void writeViewSettings();
    void showGpf(const Page& page, const Workspace& workspace);

    QStatusBar& bar_;
    PageCanvas& canvas_;
    GpfFigure figure_;
    bool hintWanted_ = false;  // the page shown is drawn black
    int pointerTile_ = -1;
};

}  // namespace zentil
