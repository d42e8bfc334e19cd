#include "form_palette.h"

#include <QMouseEvent>

#include "image/page.h"
#include "render/drawing.h"
#include "ui_form_palette.h"

namespace zentil {

namespace {
constexpr int kSwatchSize = 16;
constexpr int kSwatchesPerRow = 16;
}  // namespace

TPaletteWin::TPaletteWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TPaletteWin) {
    ui_->setupUi(this);
    fixClientSize();
    connect(ui_->Image_PaletteBox, &ImageView::mouseMoved, this, [this](QMouseEvent* event) {
        const QPoint at = event->position().toPoint();
        Image_PaletteBoxMouseMove(at.x(), at.y());
    });
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TPaletteWin::Btn_OkClick);
}

TPaletteWin::~TPaletteWin() {
    delete ui_;
}

void TPaletteWin::showEvent(QShowEvent* event) {
    FormShow();
    TDialogBase::showEvent(event);  // centred over the main window
}

Palette TPaletteWin::chosenPalette() const {
    const EditorHost* editor = host();
    if (editor == nullptr) return Palette{};
    if (editor->activeList() != ListId::Pictures) return editor->spritePalette();
    if (editor->selectedRows(ListId::Pictures).empty()) return editor->spritePalette();
    const Page* page = editor->currentPage();
    if (page == nullptr || page->mode != kMode8) return editor->spritePalette();
    return page->palette;
}

void TPaletteWin::FormShow() {
    viewPalette_ = chosenPalette();
    ImageView& box = *ui_->Image_PaletteBox;
    box.show();
    box.dropPicture();
    box.fitPictureToSize();
    drawPaletteGrid(box.picture(), viewPalette_);
    box.update();
}

void TPaletteWin::Image_PaletteBoxMouseMove(int x, int y) {
    // While a button is held the box keeps reporting moves outside itself;
    // those point at no swatch and leave the number as it was.
    const ImageView& box = *ui_->Image_PaletteBox;
    if (x < 0 || y < 0 || x >= box.width() || y >= box.height()) return;
    const int number = (y / kSwatchSize) * kSwatchesPerRow + x / kSwatchSize;
    ui_->Panel_PalNumber->setText(QString::number(number));
}

void TPaletteWin::Btn_OkClick() {
    close();  // hiding enables the main window again
}

}  // namespace zentil
