#include "editor_status.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

#include "core_texts.h"
#include "edit/canvas_projection.h"
#include "language_menu.h"
#include "page_canvas.h"
#include "system/texts.h"
#include "work/history.h"
#include "work/workspace.h"

namespace zentil {
namespace {

// The hint's distance from the canvas's corner.
constexpr int kHintMargin = 6;

// Where the platform's settings keep the view of the canvas.
const QString kZoomKey = QStringLiteral("canvas/zoom");
const QString kPixelGridKey = QStringLiteral("canvas/pixelGrid");

// "12,345": byte counts with their thousands marked, whatever the locale.
QString grouped(std::uint64_t n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(static_cast<qulonglong>(n));
}

QLabel* statusLabel(QStatusBar& bar, const char* name) {
    auto* label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(name));
    // No margins of its own: the status bar spaces its items, and at the
    // narrowest window the texts need every pixel.
    return label;
}

QToolButton* statusButton(QStatusBar& bar, const char* name, const QString& text,
                          const QString& tip) {
    auto* button = new QToolButton(&bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

EditorStatus::EditorStatus(QStatusBar& bar, PageCanvas& canvas)
    : QObject(&bar), bar_(bar), canvas_(canvas) {
    zoom = statusLabel(bar, "Status_Zoom");
    zoom->setToolTip(
        tr("캔버스 배율. Ctrl+휠, Ctrl+= 와 Ctrl+- 로 바꾸고 Ctrl+0 으로 1배로 돌아갑니다."));
    gpf = statusLabel(bar, "Status_Gpf");
    gpf->setToolTip(
        tr("현재 페이지를 GPF 파일로 저장할 때의 크기와, 포인터 아래 타일이 차지하는 크기"));
    undo = statusLabel(bar, "Status_Undo");
    bar.addWidget(zoom);
    bar.addWidget(gpf);
    bar.addWidget(undo);
    // The hint lies over the canvas's corner, where it has room whole at any
    // width of the window; the status bar at the narrowest has none to spare.
    hint = new QLabel(canvas.parentWidget());
    hint->setObjectName(QStringLiteral("Status_Hint"));
    hint->setText(uiText(texts::kStatusBlackPalette));
    hint->setToolTip(uiText(texts::kStatusBlackPaletteTip));
    hint->setStyleSheet(
        QStringLiteral("QLabel { color: #A00000; background: #FFF6D8; border: 1px solid #A00000; "
                       "padding: 2px 6px; }"));
    hint->hide();
    canvas.installEventFilter(this);
    connect(&bar, &QStatusBar::messageChanged, this, &EditorStatus::showHint);

    zoomOut =
        statusButton(bar, "Btn_ZoomOut", QStringLiteral("−"), tr("캔버스를 한 단계 축소합니다."));
    zoomIn =
        statusButton(bar, "Btn_ZoomIn", QStringLiteral("+"), tr("캔버스를 한 단계 확대합니다."));
    pixelGrid = statusButton(bar, "Btn_PixelGrid", tr("픽셀 격자"),
                             tr("8배 이상에서 픽셀 사이에 옅은 격자를 그립니다."));
    pixelGrid->setCheckable(true);
    bar.addPermanentWidget(zoomOut);
    bar.addPermanentWidget(zoomIn);
    bar.addPermanentWidget(pixelGrid);
    language = new LanguageMenu(bar);
    bar.addPermanentWidget(language);
    connect(zoomOut, &QToolButton::clicked, this, &EditorStatus::zoomOutOnce);
    connect(zoomIn, &QToolButton::clicked, this, &EditorStatus::zoomInOnce);
    connect(pixelGrid, &QToolButton::toggled, this, [this](bool on) {
        canvas_.setPixelGrid(on);
        writeViewSettings();
    });
    // However the zoom changes (keys, buttons, the wheel), it is shown and kept.
    connect(&canvas_, &PageCanvas::zoomChanged, this, [this] {
        showZoom();
        writeViewSettings();
    });
    showZoom();
}

void EditorStatus::zoomInOnce() {
    canvas_.zoomBy(1, canvas_.viewCentre());
}

void EditorStatus::zoomOutOnce() {
    canvas_.zoomBy(-1, canvas_.viewCentre());
}

void EditorStatus::zoomToActualSize() {
    canvas_.setZoom(1);
}

void EditorStatus::togglePixelGrid() {
    // The key keeps working below the grid's zoom, where the button is off.
    pixelGrid->toggle();
}

void EditorStatus::showZoom() {
    zoom->setText(uiFormat(texts::kStatusZoomF, canvas_.zoom() * 100));
    zoomIn->setEnabled(canvas_.zoom() < kMaxZoom);
    zoomOut->setEnabled(canvas_.zoom() > kMinZoom);
    // Below the zoom where it is drawn, the switch keeps the choice but is off.
    pixelGrid->setEnabled(canvas_.zoom() >= kPixelGridMinZoom);
}

void EditorStatus::readViewSettings() {
    const QSettings settings;
    const bool grid = settings.value(kPixelGridKey, false).toBool();
    // Restoring is no change to keep.
    const QSignalBlocker quietGrid(pixelGrid);
    pixelGrid->setChecked(grid);
    canvas_.setPixelGrid(grid);
    const QSignalBlocker quiet(&canvas_);
    canvas_.setZoom(validZoomLevel(settings.value(kZoomKey, 1).toInt()));
    showZoom();
}

void EditorStatus::writeViewSettings() {
    QSettings settings;
    settings.setValue(kZoomKey, canvas_.zoom());
    settings.setValue(kPixelGridKey, canvas_.pixelGrid());
}

void EditorStatus::update(const Workspace& workspace, const History& history) {
    undo->setText(tr("되돌리기 %n단계", nullptr, static_cast<int>(history.undoCount())));
    const Page* page = workspace.currentPage();
    // Only an 8-bit page is drawn with a palette; pages of 16 or 24 bits and
    // pages with colours of their own show them.
    hintWanted_ = workspace.activeList() == ListId::Sprites && page != nullptr && page->inUse() &&
                  page->mode == kMode8 && isAllBlack(page->palette);
    showHint();
    if (!page || !page->inUse())
        gpf->clear();
    else
        showGpf(*page, workspace);
    emit updated();
}

// A line on the status bar (a tool's reason, a file's news) stands for the
// hint until it goes: one message at a time.
void EditorStatus::showHint() {
    const bool shown = hintWanted_ && bar_.currentMessage().isEmpty();
    if (shown) placeHint();
    hint->setVisible(shown);
}

void EditorStatus::placeHint() {
    hint->adjustSize();
    hint->move(canvas_.x() + kHintMargin, canvas_.y() + kHintMargin);
    hint->raise();
}

bool EditorStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &canvas_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeHint();
    return QObject::eventFilter(watched, event);
}

void EditorStatus::showGpf(const Page& page, const Workspace& workspace) {
    // Measured again only where the page changed since: the tiles the edits
    // touched, or all of it when that is not known.
    const Outcome& measured =
        figure_.update(page, workspace.changes.changedSince(page, figure_.revision()));
    if (!measured) {
        gpf->setText(
            uiFormat(texts::kStatusGpfRefusedF, uiText(measured.text).toUtf8().constData()));
        return;
    }
    const GpfSizes& sizes = figure_.sizes();
    QString text = uiFormat(texts::kStatusGpfF, grouped(sizes.fileBytes).toUtf8().constData());
    if (pointerTile_ >= 0 && static_cast<std::size_t>(pointerTile_) < sizes.tileBytes.size())
        text += uiFormat(
            texts::kStatusTileF, pointerTile_,
            grouped(sizes.tileBytes[static_cast<std::size_t>(pointerTile_)]).toUtf8().constData());
    gpf->setText(text);
}

}  // namespace zentil
