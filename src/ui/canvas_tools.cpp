#include "canvas_tools.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "block_tool.h"
#include "document.h"
#include "formats/palette_file.h"
#include "page_canvas.h"
#include "palette_chooser.h"
#include "tool_icons.h"
#include "two_point_tools.h"
#include "work/page_edits.h"
#include "work/workspace.h"

namespace zentil {
namespace {

constexpr int kStripWidth = 30;
constexpr int kStatusLineMs = 5000;
const char* const kColourKey = "tools/colour";

using MakeTool = std::unique_ptr<CanvasTool> (*)(PageCanvas&, CanvasToolHost&, PaintColourHost&);

template <typename Tool>
std::unique_ptr<CanvasTool> make(PageCanvas& canvas, CanvasToolHost& host,
                                 PaintColourHost& colours) {
    return std::make_unique<Tool>(canvas, host, colours);
}

// The drawing tools in the strip's order, after the block tool. Adding a tool
// is writing its class and a line here.
// clang-format off
constexpr MakeTool kDrawingTools[] = {
    make<PencilTool>,
    make<EraserTool>,
    make<EyedropperTool>,
    make<FillTool>,
    make<LineTool>,
    make<RectangleTool>,
    make<FilledRectangleTool>,
    make<EllipseTool>,
    make<FilledEllipseTool>,
};
// clang-format on

QString keyText(const ToolLook& look) {
    return QKeySequence(look.key).toString(QKeySequence::NativeText);
}

}  // namespace

CanvasTools::CanvasTools(PageCanvas& canvas, CanvasToolHost& host, BlockTool& block,
                         Document& document, QStatusBar& statusBar)
    : QObject(&canvas), canvas_(canvas), host_(host), block_(block), statusBar_(statusBar) {
    tools_.push_back(&block_);
    for (const MakeTool make : kDrawingTools) {
        owned_.push_back(make(canvas, host, *this));
        tools_.push_back(owned_.back().get());
    }
    buildStrip();
    connect(&document, &Document::changed, this, [this] { refresh(); });
    // Every start begins with the block tool; the colour is kept.
    colour_ = std::clamp(QSettings().value(kColourKey, 1).toInt(), 0, 255);
    choose(block_.look().id);
    refresh();
}

// The main window takes the tool from the canvas before either goes.
CanvasTools::~CanvasTools() = default;

void CanvasTools::buildStrip() {
    QWidget* window = canvas_.parentWidget();
    strip_ = new QFrame(window);
    strip_->setObjectName(QStringLiteral("Panel_Tools"));
    auto* layout = new QVBoxLayout(strip_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    buttons_ = new QButtonGroup(strip_);
    for (int i = 0; i < static_cast<int>(tools_.size()); ++i) {
        const ToolLook& look = tools_[i]->look();
        auto* button = new QToolButton(strip_);
        button->setIcon(toolIcon(look.icon));
        button->setIconSize(QSize(16, 16));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setToolTip(tr("%1 (%2)\n%3").arg(tr(look.name), keyText(look), tr(look.tip)));
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idClicked, this,
            [this](int i) { choose(tools_[i]->look().id); });
    layout->addSpacing(6);
    swatch_ = new QToolButton(strip_);
    swatch_->setObjectName(QStringLiteral("Btn_Colour"));
    swatch_->setAutoRaise(true);
    swatch_->setIconSize(QSize(18, 18));
    connect(swatch_, &QToolButton::clicked, this, &CanvasTools::swatchClicked);
    connect(swatch_, &QToolButton::clicked, this, &CanvasTools::openChooser);
    layout->addWidget(swatch_);
    layout->addStretch();
    colourLabel_ = new QLabel(&statusBar_);
    statusBar_.addPermanentWidget(colourLabel_);
    // The strip takes the canvas's left edge and follows it.
    canvas_.setGeometry(canvas_.x() + kStripWidth, canvas_.y(), canvas_.width() - kStripWidth,
                        canvas_.height());
    canvas_.installEventFilter(this);
    placeStrip();
}

bool CanvasTools::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &canvas_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeStrip();
    return QObject::eventFilter(watched, event);
}

void CanvasTools::placeStrip() {
    strip_->setGeometry(canvas_.x() - kStripWidth, canvas_.y(), kStripWidth, canvas_.height());
}

int CanvasTools::indexOf(ToolId id) const {
    for (int i = 0; i < static_cast<int>(tools_.size()); ++i)
        if (tools_[i]->look().id == id) return i;
    return -1;
}

CanvasTool* CanvasTools::tool(ToolId id) const {
    const int i = indexOf(id);
    return i < 0 ? nullptr : tools_[i];
}

QAbstractButton* CanvasTools::button(ToolId id) const {
    return buttons_->button(indexOf(id));
}

ToolId CanvasTools::current() const {
    return tools_[current_]->look().id;
}

QList<CanvasTools::Entry> CanvasTools::entries() const {
    QList<Entry> all;
    for (const CanvasTool* tool : tools_) {
        const ToolLook& look = tool->look();
        all.append(
            {look.id, tr(look.name), QKeySequence(look.key), toolIcon(look.icon), tr(look.tip)});
    }
    return all;
}

void CanvasTools::choose(ToolId id) {
    const int i = indexOf(id);
    if (i < 0) return;
    CanvasTool& next = *tools_[i];
    const bool changed = canvas_.tool() != &next;
    // The canvas ends the work of the tool it had, which puts a carried
    // block away.
    if (changed) canvas_.setTool(&next);
    current_ = i;
    buttons_->button(i)->setChecked(true);
    canvas_.viewport()->setCursor(toolCursor(next.look().cursor));
    if (changed) emit toolChosen(id);
}

bool CanvasTools::key(const CanvasKey& key) {
    CanvasTool* tool = canvas_.tool();
    return tool && tool->key(key);
}

void CanvasTools::leavePages() {
    if (CanvasTool* tool = canvas_.tool()) tool->cancel();
    block_.forget();
}

void CanvasTools::setCurrentColour(int index) {
    index = std::clamp(index, 0, 255);
    if (index == colour_) return;
    colour_ = index;
    QSettings().setValue(kColourKey, colour_);
    refresh();
    emit colourChanged(colour_);
}

void CanvasTools::explain(const QString& text) {
    statusBar_.showMessage(text, kStatusLineMs);
}

const Palette& CanvasTools::shownPalette() const {
    return zentil::shownPalette(host_.workspace().currentPage(), host_.workspace().palette);
}

QColor CanvasTools::colour() const {
    const std::uint8_t* rgb = &shownPalette()[static_cast<std::size_t>(colour_) * 3];
    return QColor(rgb[0], rgb[1], rgb[2]);
}

void CanvasTools::openChooser() {
    if (!chooser_) {
        chooser_ = new PaletteChooser(strip_);
        connect(chooser_, &PaletteChooser::picked, this, &CanvasTools::setCurrentColour);
        connect(chooser_, &PaletteChooser::editRequested, this, &CanvasTools::editEntry);
    }
    chooser_->setPalette(shownPalette(), colour_);
    chooser_->popUpAt(swatch_->mapToGlobal(QPoint(swatch_->width(), 0)));
}

void CanvasTools::editEntry(int index, QColor now) {
    Workspace& workspace = host_.workspace();
    // A picture's colours are its own; the sprite palette is edited where it shows.
    if (workspace.activeList() == ListId::Pictures) {
        explain(tr("그림 목록의 페이지는 읽기 전용이라 팔레트를 바꿀 수 없습니다."));
        return;
    }
    const std::optional<QColor> chosen = askPaletteColour(canvas_.window(), index, now);
    if (!chosen || *chosen == now) return;
    setCurrentColour(index);
    // The colours the chooser showed, so that only the edited entry changes
    // on the page shown.
    Palette palette = shownPalette();
    std::uint8_t* entry = &palette[static_cast<std::size_t>(index) * 3];
    entry[0] = static_cast<std::uint8_t>(chosen->red());
    entry[1] = static_cast<std::uint8_t>(chosen->green());
    entry[2] = static_cast<std::uint8_t>(chosen->blue());
    host_.record(applySpritePalette(workspace, palette));
    host_.closeStep();
}

QString CanvasTools::colourText() const {
    const QColor rgb = colour();
    return tr("색 %1: %2, %3, %4").arg(colour_).arg(rgb.red()).arg(rgb.green()).arg(rgb.blue());
}

void CanvasTools::refresh() {
    const QString text = colourText();
    colourLabel_->setText(text);
    QPixmap square(18, 18);
    square.fill(colour());
    QPainter(&square).drawRect(0, 0, 17, 17);
    swatch_->setIcon(QIcon(square));
    swatch_->setToolTip(text);
}

}  // namespace zentil
