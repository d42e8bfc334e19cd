#include "form_tile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/page_render.h"
#include "ui_form_tile.h"

namespace zentil {

namespace {
constexpr int kOuterSize = 600;
constexpr int kButtonStrip = 40;  // under the picture, for the button
constexpr int kMargin = 8;

// The source pixel under the centre of target pixel `t` of `targetSize`.
int sourceIndex(int t, int targetSize, int sourceSize) {
    return static_cast<int>((std::int64_t{2} * t + 1) * sourceSize /
                            (std::int64_t{2} * targetSize));
}
}  // namespace

void stretchNearest(const QImage& source, QImage& target) {
    if (source.isNull() || target.isNull()) return;
    if (target.format() != source.format()) target = QImage(target.size(), source.format());
    if (target.isNull()) return;
    if (source.depth() % 8 != 0) {
        target = source.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return;
    }
    const int bytes = source.depth() / 8;
    const int width = target.width();
    const int height = target.height();
    std::vector<int> columnOffset(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columnOffset[static_cast<std::size_t>(x)] = sourceIndex(x, width, source.width()) * bytes;
    int previousRow = -1;
    for (int y = 0; y < height; ++y) {
        const int row = sourceIndex(y, height, source.height());
        std::uint8_t* out = target.scanLine(y);
        if (row == previousRow) {  // enlarged: the row above already holds it
            std::memcpy(out, target.constScanLine(y - 1), static_cast<std::size_t>(width) * bytes);
            continue;
        }
        const std::uint8_t* in = source.constScanLine(row);
        for (int x = 0; x < width; ++x)
            std::memcpy(out + x * bytes, in + columnOffset[static_cast<std::size_t>(x)],
                        static_cast<std::size_t>(bytes));
        previousRow = row;
    }
}

TTileWin::TTileWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TTileWin) {
    ui_->setupUi(this);
    fixClientSize();
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TTileWin::Btn_OkClick);
}

TTileWin::~TTileWin() {
    delete ui_;
}

void TTileWin::showEvent(QShowEvent* event) {
    FormShow();
    TDialogBase::showEvent(event);  // centred over the main window
}

void TTileWin::hideEvent(QHideEvent* event) {
    // The full-size picture is only needed while scaling; each showing draws afresh.
    ui_->Image_Temp->dropPicture();
    TDialogBase::hideEvent(event);
}

void TTileWin::FormShow() {
    const Page* page = host() ? host()->workspace().currentPage() : nullptr;
    const int s = (page && page->inUse()) ? page->stride : 0;  // the canvas shows the whole stride
    const int h = (page && page->inUse()) ? page->height : 0;

    // An outer size of 600 x 600, then the client fitted to the page's
    // proportions with a strip under the picture for the button.
    const QSize frame = frameGeometry().size() - size();
    int clientWidth = kOuterSize - std::max(0, frame.width());
    int clientHeight = kOuterSize - std::max(0, frame.height());
    if (s > 0 && h > 0) {
        if (s < h)
            clientWidth =
                static_cast<int>(static_cast<double>(clientHeight - kButtonStrip) * s / h);
        else
            clientHeight =
                static_cast<int>(static_cast<double>(clientWidth) * h / s) + kButtonStrip;
    }
    // A very narrow page still leaves room for the button, and at least one
    // pixel of picture either way.
    QPushButton& ok = *ui_->Btn_Ok;
    const QSize picture(std::max(clientWidth, 1), std::max(clientHeight - kButtonStrip, 1));
    clientWidth = std::max(clientWidth, ok.width() + 2 * kMargin);
    setFixedSize(clientWidth, clientHeight);

    ImageView& tile = *ui_->Image_Tile;
    ImageView& temp = *ui_->Image_Temp;
    tile.resize(picture);
    temp.resize(s, h);
    temp.dropPicture();
    tile.dropPicture();
    if (page != nullptr && s > 0 && h > 0) {
        temp.fitPictureToSize();
        renderPage(temp.picture(), *page, 0, 0, s, h);
        tile.fitPictureToSize();
        stretchNearest(temp.picture(), tile.picture());
    }
    tile.update();
    ok.move(clientWidth - ok.width() - kMargin, clientHeight - ok.height() - kMargin);
}

void TTileWin::Btn_OkClick() {
    hide();
}

}  // namespace zentil
