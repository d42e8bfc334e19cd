#include "form_tile.h"

#include <algorithm>

#include "image/page.h"
#include "render/page_render.h"
#include "ui_form_tile.h"

namespace zentil {

namespace {
constexpr int kOuterSize = 600;
constexpr int kButtonStrip = 40;  // under the picture, for the button
constexpr int kMargin = 8;
}  // namespace

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

void TTileWin::FormShow() {
    const Page* page = host() ? host()->currentPage() : nullptr;
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

    // Scaled straight from the page, as the canvas scales it.
    ImageView& tile = *ui_->Image_Tile;
    tile.resize(picture);
    tile.dropPicture();
    if (page != nullptr && s > 0 && h > 0) {
        tile.fitPictureToSize();
        renderPageFitted(tile.picture(), *page, 0, 0, s, h);
    }
    tile.update();
    ok.move(clientWidth - ok.width() - kMargin, clientHeight - ok.height() - kMargin);
}

void TTileWin::Btn_OkClick() {
    hide();
}

}  // namespace zentil
