// The main window's status bar and the canvas zoom: the zoom level, the GPF
// size of the current page and of the tile under the pointer, the steps that
// can be undone, the hint about the black default palette; the zoom keys and
// buttons, the pixel-grid switch, and the settings that keep them.
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

#include "edit/canvas_projection.h"
#include "form_main.h"
#include "page_canvas.h"
#include "system/texts.h"
#include "ui_form_main.h"

namespace zentil {
namespace {

// Where the platform's settings keep the view of the canvas.
const QString kZoomKey = QStringLiteral("canvas/zoom");
const QString kPixelGridKey = QStringLiteral("canvas/pixelGrid");

// "12,345": byte counts with their thousands marked, whatever the locale.
QString grouped(std::uint64_t n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(static_cast<qulonglong>(n));
}

QLabel* statusLabel(QStatusBar* bar, const char* name) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setContentsMargins(2, 0, 2, 0);
    return label;
}

QToolButton* statusButton(QStatusBar* bar, const char* name, const QString& text,
                          const QString& tip) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

bool allBlack(const Palette& palette) {
    return std::all_of(palette.begin(), palette.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace

void TMainWin::connectStatus() {
    QStatusBar* bar = ui_->Status_Bar;
    status_.zoom = statusLabel(bar, "Status_Zoom");
    status_.zoom->setToolTip(QStringLiteral(
        "캔버스 배율. Ctrl+휠, Ctrl+= 와 Ctrl+- 로 바꾸고 Ctrl+0 으로 1배로 돌아갑니다."));
    status_.gpf = statusLabel(bar, "Status_Gpf");
    status_.gpf->setToolTip(QStringLiteral(
        "현재 페이지를 GPF 파일로 저장할 때의 크기와, 포인터 아래 타일이 차지하는 크기"));
    status_.undo = statusLabel(bar, "Status_Undo");
    status_.hint = statusLabel(bar, "Status_Hint");
    status_.hint->setText(QString::fromUtf8(texts::kStatusBlackPalette));
    status_.hint->setToolTip(QString::fromUtf8(texts::kStatusBlackPaletteTip));
    status_.hint->setStyleSheet(QStringLiteral("QLabel { color: #A00000; }"));
    // It takes the room the others leave: at the narrowest window with long
    // figures its end is cut, rather than the buttons.
    status_.hint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_.hint->hide();
    bar->addWidget(status_.zoom);
    bar->addWidget(status_.gpf);
    bar->addWidget(status_.undo);
    bar->addWidget(status_.hint, 1);

    status_.zoomOut = statusButton(bar, "Btn_ZoomOut", QStringLiteral("−"),
                                   QStringLiteral("캔버스를 한 단계 축소합니다."));
    status_.zoomIn = statusButton(bar, "Btn_ZoomIn", QStringLiteral("+"),
                                  QStringLiteral("캔버스를 한 단계 확대합니다."));
    status_.pixelGrid =
        statusButton(bar, "Btn_PixelGrid", QStringLiteral("픽셀 격자"),
                     QStringLiteral("8배 이상에서 픽셀 사이에 옅은 격자를 그립니다."));
    status_.pixelGrid->setCheckable(true);
    bar->addPermanentWidget(status_.zoomOut);
    bar->addPermanentWidget(status_.zoomIn);
    bar->addPermanentWidget(status_.pixelGrid);
    connect(status_.zoomOut, &QToolButton::clicked, this, &TMainWin::zoomOut);
    connect(status_.zoomIn, &QToolButton::clicked, this, &TMainWin::zoomIn);
    connect(status_.pixelGrid, &QToolButton::clicked, this, [this](bool on) {
        canvas().setPixelGrid(on);
        writeViewSettings();
    });
    // However the zoom changes (keys, buttons, the wheel), it is shown and kept.
    connect(&canvas(), &PageCanvas::zoomChanged, this, [this] {
        showZoomStatus();
        writeViewSettings();
    });
    showZoomStatus();
    updateStatus();
}

int TMainWin::canvasZoom() const {
    return canvas().zoom();
}

void TMainWin::zoomIn() {
    canvas().zoomBy(1, canvas().viewCentre());
}

void TMainWin::zoomOut() {
    canvas().zoomBy(-1, canvas().viewCentre());
}

void TMainWin::zoomToActualSize() {
    canvas().setZoom(1);
}

void TMainWin::togglePixelGrid() {
    status_.pixelGrid->click();
}

void TMainWin::showZoomStatus() {
    status_.zoom->setText(QString::asprintf(texts::kStatusZoomF, canvas().zoom() * 100));
    status_.zoomIn->setEnabled(canvas().zoom() < kMaxZoom);
    status_.zoomOut->setEnabled(canvas().zoom() > kMinZoom);
}

void TMainWin::readViewSettings() {
    const QSettings settings;
    const bool grid = settings.value(kPixelGridKey, false).toBool();
    status_.pixelGrid->setChecked(grid);
    canvas().setPixelGrid(grid);
    // Restoring is no change to keep.
    const QSignalBlocker quiet(&canvas());
    canvas().setZoom(validZoomLevel(settings.value(kZoomKey, 1).toInt()));
    showZoomStatus();
}

void TMainWin::writeViewSettings() {
    QSettings settings;
    settings.setValue(kZoomKey, canvas().zoom());
    settings.setValue(kPixelGridKey, canvas().pixelGrid());
}

void TMainWin::updateStatus() {
    if (!status_.gpf) return;
    status_.undo->setText(
        QString::asprintf(texts::kStatusUndoF, static_cast<int>(history_.undoCount())));

    const Page* page = workspace_.currentPage();
    const bool sprites = workspace_.activeList() == ListId::Sprites && page != nullptr;
    status_.hint->setVisible(sprites && allBlack(workspace_.palette));
    if (!page || !page->inUse()) {
        status_.gpf->clear();
        return;
    }
    // Measured again only where the page changed since: the tiles the edits
    // touched, or all of it when that is not known.
    const Outcome& measured =
        gpf_.update(*page, workspace_.changes.changedSince(*page, gpf_.revision()));
    if (!measured) {
        status_.gpf->setText(QString::asprintf(texts::kStatusGpfRefusedF, measured.text.c_str()));
        return;
    }
    const GpfSizes& sizes = gpf_.sizes();
    QString text =
        QString::asprintf(texts::kStatusGpfF, grouped(sizes.fileBytes).toUtf8().constData());
    if (pointerTile_ >= 0 && static_cast<std::size_t>(pointerTile_) < sizes.tileBytes.size())
        text += QString::asprintf(
            texts::kStatusTileF, pointerTile_,
            grouped(sizes.tileBytes[static_cast<std::size_t>(pointerTile_)]).toUtf8().constData());
    status_.gpf->setText(text);
}

}  // namespace zentil
