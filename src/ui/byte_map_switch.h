// The "GPF 지도" switch: with it on, the canvas tints every tile of the shown
// page by the bytes it takes in a GPF file, with the figure printed in tiles
// large enough on screen. It follows every edit: the status bar's figure is
// kept tile by tile, and so is the scale from the cheapest tile to the
// dearest; only the touched tiles are drawn again unless the scale moved.
#pragma once

#include <QObject>
#include <cstdint>

#include "page_canvas.h"
#include "render/byte_map_scale.h"

class QStatusBar;
class QToolButton;

namespace zentil {

class Document;
class EditorStatus;
class Workspace;

class ByteMapSwitch final : public QObject, public CanvasLayer {
    Q_OBJECT
  public:
    ByteMapSwitch(PageCanvas& canvas, EditorStatus& status, Document& document,
                  QStatusBar& statusBar);

    QToolButton* button() const { return button_; }
    bool shown() const;
    void setShown(bool on);
    // Brings the scale to the status bar's figure after an edit or another page.
    void follow();

    void paintLayer(QImage& view, const QRect& dirty, const Page& page,
                    const CanvasProjection& projection) const override;

  private:
    PageCanvas& canvas_;
    EditorStatus& status_;
    Workspace& workspace_;
    QToolButton* button_ = nullptr;
    ByteMapScale scale_;
    const Page* page_ = nullptr;  // what the scale describes
    std::uint64_t revision_ = 0;
};

}  // namespace zentil
