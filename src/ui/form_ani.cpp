#include "form_ani.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

#include "edit/canvas_projection.h"
#include "image/page.h"
#include "render/canvas_render.h"
#include "ui_form_ani.h"

namespace zentil {

namespace {
constexpr int kMinClientSize = 200;
constexpr int kExtraWidth = 40;   // beside the frame
constexpr int kExtraHeight = 52;  // under the frame, for the speed field and the button
constexpr int kMargin = 8;
constexpr int kSpeedFieldBottom = 10;  // the speed field sits a little lower than the button
}  // namespace

TAniWin::TAniWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TAniWin) {
    ui_->setupUi(this);
    fixClientSize();
    // The speed moves only by its arrows, in whole steps.
    if (QLineEdit* text = ui_->Edit_Delay->findChild<QLineEdit*>()) text->setReadOnly(true);
    ui_->Label1->adjustSize();
    Timer_Ani.setInterval(1);
    connect(&Timer_Ani, &QTimer::timeout, this, &TAniWin::Timer_AniTimer);
    connect(ui_->Edit_Delay, &QSpinBox::valueChanged, this, &TAniWin::Edit_DelayChange);
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TAniWin::Btn_OkClick);
}

TAniWin::~TAniWin() {
    delete ui_;
}

const Page* TAniWin::playedPage() const {
    if (host() == nullptr) return nullptr;
    if (const Page* block = host()->liftedBlock()) return block;
    return host()->currentPage();
}

bool TAniWin::applySpeed() {
    const int framesPerSecond = ui_->Edit_Delay->value();
    if (framesPerSecond <= 0) {
        Timer_Ani.stop();
        return false;
    }
    Timer_Ani.setInterval(1000 / framesPerSecond);
    return true;
}

void TAniWin::showEvent(QShowEvent* event) {
    FormShow();
    TDialogBase::showEvent(event);  // centred on the screen
}

void TAniWin::FormShow() {
    ui_->Image_Put->dropPicture();
    frameX_ = 0;
    frameY_ = 0;

    // The window is sized by the current page's tiles, also while a block
    // plays, shown at the canvas zoom as far as they fit.
    const Page* current = host() ? host()->currentPage() : nullptr;
    zoom_ = previewZoom(current ? current->tileWidth : 0, current ? current->tileHeight : 0);
    const int tw = current ? current->tileWidth * zoom_ : 0;
    const int th = current ? current->tileHeight * zoom_ : 0;
    const int clientWidth = std::max(tw + kExtraWidth, kMinClientSize);
    const int clientHeight = std::max(th + kExtraHeight, kMinClientSize);
    setFixedSize(clientWidth, clientHeight);
    ui_->Image_Put->resize(tw, th);

    QPushButton& ok = *ui_->Btn_Ok;
    QSpinBox& speed = *ui_->Edit_Delay;
    ok.move(clientWidth - ok.width() - kMargin, clientHeight - ok.height() - kMargin);
    speed.move(ok.x() - speed.width() - kMargin, clientHeight - speed.height() - kSpeedFieldBottom);
    ui_->Image_Put->move((clientWidth - tw) / 2, (clientHeight - (speed.y() + kMargin)) / 2);
    placeSpeedLabel();

    if (applySpeed()) Timer_Ani.start();
    ok.setFocus();
}

int TAniWin::previewZoom(int tileWidth, int tileHeight) const {
    const QScreen* screen = mainWindow() ? mainWindow()->screen() : this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() / 2 : QSize(512, 384);
    int zoom = host() ? zoomLevelAfter(host()->canvasZoom(), 0) : 1;
    while (zoom > 1 && (std::int64_t{tileWidth} * zoom > room.width() ||
                        std::int64_t{tileHeight} * zoom > room.height()))
        zoom = zoomLevelAfter(zoom, -1);
    return zoom;
}

void TAniWin::placeSpeedLabel() {
    // Left of the speed field where it fits; in a window too narrow for that,
    // over the speed field, or failing that at the left edge: never outside.
    QLabel& label = *ui_->Label1;
    const QSpinBox& speed = *ui_->Edit_Delay;
    const QRect client = rect();
    const QRect taken[] = {speed.geometry(), ui_->Btn_Ok->geometry(), ui_->Image_Put->geometry()};
    const QPoint preferred[] = {
        {speed.x() - label.width() - 4, speed.y() + 3},
        {speed.x(), speed.y() - label.height() - 2},
    };
    for (const QPoint& at : preferred) {
        const QRect wanted(at, label.size());
        bool free = client.contains(wanted);
        for (const QRect& other : taken)
            free = free && !other.intersects(wanted);
        if (free) {
            label.move(at);
            return;
        }
    }
    label.move(0, speed.y() + 3);
}

void TAniWin::placeWindow() {
    const QScreen* screen = mainWindow() ? mainWindow()->screen() : this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QRect own = frameGeometry();
    move(area.left() + std::max(0, (area.width() - own.width()) / 2),
         area.top() + std::max(0, (area.height() - own.height()) / 2));
}

void TAniWin::hideEvent(QHideEvent* event) {
    Timer_Ani.stop();
    TDialogBase::hideEvent(event);  // the main window comes back
}

void TAniWin::Timer_AniTimer() {
    const Page* played = playedPage();
    if (played == nullptr || !played->inUse()) return;
    const Page& page = *played;
    // The position moves on before drawing: the first frame shown is tile 1,
    // and tile 0 follows the last one.
    frameX_ += page.tileWidth;
    if (frameX_ >= page.width) {
        frameX_ = 0;
        frameY_ += page.tileHeight;
        if (frameY_ >= page.height) frameY_ = 0;
    }
    ImageView& put = *ui_->Image_Put;
    put.fitPictureToSize();
    CanvasProjection frame;
    frame.zoom = zoom_;
    frame.originX = -std::int64_t{frameX_} * zoom_;
    frame.originY = -std::int64_t{frameY_} * zoom_;
    renderCanvasView(put.picture(), put.rect(), page, frame, {});
    put.update();
}

void TAniWin::Edit_DelayChange() {
    if (applySpeed() && isVisible() && !Timer_Ani.isActive()) Timer_Ani.start();
}

void TAniWin::Btn_OkClick() {
    hide();
}

}  // namespace zentil
