#include "byte_map_switch.h"

#include <QKeySequence>
#include <QStatusBar>
#include <QToolButton>

#include "document.h"
#include "editor_status.h"
#include "render/byte_map.h"
#include "work/workspace.h"

namespace zentil {

ByteMapSwitch::ByteMapSwitch(PageCanvas& canvas, EditorStatus& status, Document& document,
                             QStatusBar& statusBar)
    : QObject(&canvas), canvas_(canvas), status_(status), workspace_(document.workspace()) {
    button_ = new QToolButton(&statusBar);
    button_->setObjectName(QStringLiteral("Btn_ByteMap"));
    button_->setText(tr("GPF 지도"));
    button_->setCheckable(true);
    button_->setAutoRaise(true);
    // The key is the 보기 menu's "GPF 지도".
    const QKeySequence key(Qt::CTRL | Qt::Key_B);
    button_->setToolTip(tr("타일마다 GPF 파일에서 차지하는 바이트를 색으로 보여 줍니다 (%1)")
                            .arg(key.toString(QKeySequence::NativeText)));
    statusBar.addPermanentWidget(button_);
    connect(button_, &QToolButton::toggled, this, &ByteMapSwitch::setShown);
    connect(&document, &Document::changed, this, &ByteMapSwitch::follow);
}

bool ByteMapSwitch::shown() const {
    return canvas_.layer() == this;
}

void ByteMapSwitch::setShown(bool on) {
    if (button_->isChecked() != on) button_->setChecked(on);  // comes back here
    if (shown() == on) return;
    if (on) follow();
    canvas_.setLayer(on ? this : nullptr);
}

void ByteMapSwitch::follow() {
    const Page* page = canvas_.page();
    const GpfFigure& figure = status_.figure();
    if (!page || figure.page() != page || figure.revision() != page->revision) {
        scale_ = ByteMapScale{};
        page_ = nullptr;
        return;
    }
    const std::uint64_t cheapest = scale_.cheapest(), dearest = scale_.dearest();
    const bool known = scale_.known() && page_ == page;
    std::optional<PixelRect> changed;
    if (known) changed = workspace_.changes.changedSince(*page, revision_);
    scale_.update(*page, figure, changed);
    page_ = page;
    revision_ = page->revision;
    if (!shown()) return;
    if (!known || !changed || scale_.cheapest() != cheapest || scale_.dearest() != dearest) {
        canvas_.refresh();
        return;
    }
    // The touched tiles, whole: a tile's figure covers all of it.
    if (changed->empty()) return;
    const TileBlock touched = gpfTilesTouched(*page, *changed);
    if (touched.empty()) return;
    const int tw = page->tileWidth, th = page->tileHeight;
    canvas_.updatePageRect(QRect(touched.col0 * tw, touched.row0 * th,
                                 (touched.col1 - touched.col0 + 1) * tw,
                                 (touched.row1 - touched.row0 + 1) * th));
}

void ByteMapSwitch::paintLayer(QImage& view, const QRect& dirty, const Page& page,
                               const CanvasProjection& projection) const {
    const GpfFigure& figure = status_.figure();
    if (page_ != &page || figure.page() != &page || figure.revision() != page.revision) return;
    drawByteMap(view, dirty, page, projection, figure.sizes(), scale_);
}

}  // namespace zentil
