#include "form_config.h"

#include <QHideEvent>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <array>

#include "image/page.h"
#include "render/drawing.h"
#include "system/config.h"
#include "ui_form_config.h"

namespace zentil {
namespace {

// The largest tile size an alignment allows.
constexpr int kAlignedTileMax = 1024;
constexpr int kTileMin = 2;

struct NamedColor {
    const char* name;
    std::uint32_t bgr;  // 0x00BBGGRR
};

// The colours the line colour drop-down offers.
constexpr std::array<NamedColor, 16> kNamedColors{{
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "검정"), 0x000000},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "밤색"), 0x000080},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "초록"), 0x008000},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "올리브"), 0x008080},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "남색"), 0x800000},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "보라"), 0x800080},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "청록"), 0x808000},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "회색"), 0x808080},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "은색"), 0xC0C0C0},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "빨강"), 0x0000FF},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "연두"), 0x00FF00},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "노랑"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "파랑"), 0xFF0000},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "자홍"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "하늘"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("zentil::TConfigWin", "흰색"), 0xFFFFFF},
}};

QIcon swatch(std::uint32_t bgr) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colorFromBgr(bgr));
    // An outline keeps a white swatch visible on a white list.
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

TConfigWin::TConfigWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TConfigWin) {
    ui_->setupUi(this);
    fixClientSize();
    for (const NamedColor& color : kNamedColors)
        ui_->Combo_LineColor->addItem(swatch(color.bgr), tr(color.name),
                                      QVariant::fromValue(color.bgr));
    setLineColor(0xFFFFFF);
    connect(ui_->Combo_TileSort, &QComboBox::currentIndexChanged, this,
            &TConfigWin::Combo_TileSortChange);
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TConfigWin::Btn_OkClick);
    connect(ui_->Btn_No, &QPushButton::clicked, this, &TConfigWin::Btn_NoClick);
    connect(ui_->Edit_TileWidth, &QSpinBox::valueChanged, this, [this] { proposeCount(true); });
    connect(ui_->Edit_TileHeight, &QSpinBox::valueChanged, this, [this] { proposeCount(false); });
    connect(ui_->Edit_Col, &QSpinBox::valueChanged, this, [this] { colsSet_ = true; });
    connect(ui_->Edit_Row, &QSpinBox::valueChanged, this, [this] { rowsSet_ = true; });
}

TConfigWin::~TConfigWin() {
    delete ui_;
}

void TConfigWin::setLineColor(std::uint32_t bgr) {
    QComboBox* combo = ui_->Combo_LineColor;
    int index = combo->findData(QVariant::fromValue(bgr));
    if (index < 0) {
        // One extra entry holds a colour that has no name; it is reused.
        const QString name =
            QStringLiteral("#%1").arg(colorFromBgr(bgr).rgb() & 0xFFFFFF, 6, 16, QChar('0'));
        if (combo->count() > static_cast<int>(kNamedColors.size())) {
            index = combo->count() - 1;
            combo->setItemText(index, name.toUpper());
            combo->setItemIcon(index, swatch(bgr));
            combo->setItemData(index, QVariant::fromValue(bgr));
        } else {
            combo->addItem(swatch(bgr), name.toUpper(), QVariant::fromValue(bgr));
            index = combo->count() - 1;
        }
    }
    combo->setCurrentIndex(index);
}

std::uint32_t TConfigWin::lineColor() const {
    return ui_->Combo_LineColor->currentData().value<std::uint32_t>();
}

void TConfigWin::showEvent(QShowEvent* event) {
    TDialogBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TConfigWin::hideEvent(QHideEvent* event) {
    TDialogBase::hideEvent(event);
    if (!event->spontaneous()) FormHide();
}

void TConfigWin::reject() {
    Btn_NoClick();
}

void TConfigWin::fillFromCurrentPage() {
    colsSet_ = rowsSet_ = false;
    const Page* page = host() ? host()->currentPage() : nullptr;
    if (!page || !page->inUse()) return;
    const QSignalBlocker quietCols(ui_->Edit_Col), quietRows(ui_->Edit_Row),
        quietWidth(ui_->Edit_TileWidth), quietHeight(ui_->Edit_TileHeight);
    ui_->Edit_Col->setValue(page->cols);
    ui_->Edit_Row->setValue(page->rows);
    ui_->Edit_TileWidth->setValue(page->tileWidth);
    ui_->Edit_TileHeight->setValue(page->tileHeight);
}

void TConfigWin::proposeCount(bool across) {
    const Page* page = host() ? host()->currentPage() : nullptr;
    if (!page || !page->inUse() || (across ? colsSet_ : rowsSet_)) return;
    QSpinBox& count = across ? *ui_->Edit_Col : *ui_->Edit_Row;
    const int pageSize = across ? page->width : page->height;
    const int tileSize =
        std::max(1, (across ? ui_->Edit_TileWidth : ui_->Edit_TileHeight)->value());
    // Rounded up: every pixel of the page keeps a tile.
    const QSignalBlocker quiet(&count);
    count.setValue((pageSize + tileSize - 1) / tileSize);
}

void TConfigWin::FormShow() {
    const EditorHost* editor = host();
    if (!editor) return;
    // The last selected entry is remembered; without a selection the entry
    // of an earlier showing stays.
    const std::vector<int> rows = editor->selectedRows(editor->activeList());
    if (!rows.empty()) rememberedIndex_ = rows.back();
    // The limits go first, so that the page's sizes are not cut by the
    // limits of an earlier showing.
    if (const Page* page = editor->currentPage(); page && page->inUse()) {
        ui_->Edit_TileWidth->setMaximum(page->stride);
        ui_->Edit_TileHeight->setMaximum(page->height);
        ui_->Edit_TileWidth->setMinimum(kTileMin);
        ui_->Edit_TileHeight->setMinimum(kTileMin);
    }
    fillFromCurrentPage();
    {
        const QSignalBlocker quiet(ui_->Combo_TileSort);
        ui_->Combo_TileSort->setCurrentIndex(0);
    }
    // Pages of the TGA list keep their grid; only the line colour is offered.
    const bool sprite = editor->activeList() == ListId::Sprites;
    for (QWidget* field :
         {static_cast<QWidget*>(ui_->Combo_TileSort), static_cast<QWidget*>(ui_->Edit_Col),
          static_cast<QWidget*>(ui_->Edit_Row), static_cast<QWidget*>(ui_->Edit_TileWidth),
          static_cast<QWidget*>(ui_->Edit_TileHeight)})
        field->setEnabled(sprite);
    setLineColor(static_cast<std::uint32_t>(editor->settings().gridColor));
    if (ui_->Combo_TileSort->isEnabled())
        ui_->Combo_TileSort->setFocus();
    else if (ui_->Edit_Col->isEnabled())
        ui_->Edit_Col->setFocus();
    else if (ui_->Edit_TileWidth->isEnabled())
        ui_->Edit_TileWidth->setFocus();
}

void TConfigWin::Combo_TileSortChange() {
    const auto align = static_cast<TileAlign>(ui_->Combo_TileSort->currentIndex());
    const bool width = align == TileAlign::None || align == TileAlign::Center ||
                       align == TileAlign::Left || align == TileAlign::Right;
    const bool height = align == TileAlign::None || align == TileAlign::Center ||
                        align == TileAlign::Top || align == TileAlign::Bottom;
    const bool counts = align == TileAlign::None;
    ui_->Edit_TileWidth->setEnabled(width);
    ui_->Edit_TileHeight->setEnabled(height);
    ui_->Edit_Col->setEnabled(counts);
    ui_->Edit_Row->setEnabled(counts);
    if (align == TileAlign::None) return;
    // An aligned tile may outgrow the page. The limit is only ever raised: a
    // tile already wider than 1024 keeps its size.
    if (width)
        ui_->Edit_TileWidth->setMaximum(std::max(ui_->Edit_TileWidth->maximum(), kAlignedTileMax));
    if (height)
        ui_->Edit_TileHeight->setMaximum(
            std::max(ui_->Edit_TileHeight->maximum(), kAlignedTileMax));
}

void TConfigWin::Btn_OkClick() {
    const int tileWidth = ui_->Edit_TileWidth->value();
    const int tileHeight = ui_->Edit_TileHeight->value();
    const int cols = ui_->Edit_Col->value();
    const int rows = ui_->Edit_Row->value();
    if (tileWidth < 1 || tileHeight < 1 || cols < 1 || rows < 1) return;

    emit chosen({tileWidth, tileHeight, cols, rows,
                 static_cast<TileAlign>(ui_->Combo_TileSort->currentIndex())},
                lineColor());
    hide();
}

void TConfigWin::Btn_NoClick() {
    fillFromCurrentPage();
    if (host()) setLineColor(static_cast<std::uint32_t>(host()->settings().gridColor));
    hide();
}

void TConfigWin::FormHide() {
    emit closed(rememberedIndex_);
}

}  // namespace zentil
