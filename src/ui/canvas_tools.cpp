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
#include "work/page_edits.h"
#include "work/workspace.h"

namespace zentil {
namespace {

constexpr int kStripWidth = 30;
constexpr int kStatusLineMs = 5000;
const char* const kColourKey = "tools/colour";

struct ToolEntry {
    ToolKind kind;
    Qt::Key key;
    const char* name;
};

// In the strip's order, with the keys pixel editors use for them.
const ToolEntry kTools[] = {
    {ToolKind::Block, Qt::Key_M, QT_TRANSLATE_NOOP("zentil::CanvasTools", "블럭")},
    {ToolKind::Pencil, Qt::Key_B, QT_TRANSLATE_NOOP("zentil::CanvasTools", "연필")},
    {ToolKind::Eraser, Qt::Key_E, QT_TRANSLATE_NOOP("zentil::CanvasTools", "지우개")},
    {ToolKind::Eyedropper, Qt::Key_I, QT_TRANSLATE_NOOP("zentil::CanvasTools", "스포이트")},
    {ToolKind::Fill, Qt::Key_G, QT_TRANSLATE_NOOP("zentil::CanvasTools", "채우기")},
    {ToolKind::Line, Qt::Key_L, QT_TRANSLATE_NOOP("zentil::CanvasTools", "직선")},
};

}  // namespace

CanvasTools::CanvasTools(PageCanvas& canvas, CanvasToolHost& host, BlockTool& block,
                         Document& document, QStatusBar& statusBar)
    : QObject(&canvas),
      canvas_(canvas),
      host_(host),
      block_(block),
      statusBar_(statusBar),
      pencil_(canvas, host, *this, false),
      eraser_(canvas, host, *this, true),
      fill_(canvas, host, *this),
      line_(canvas, host, *this),
      eyedropper_(canvas, host, *this) {
    buildStrip();
    connect(&document, &Document::changed, this, [this] { refresh(); });
    // Every start begins with the block tool; the colour is kept.
    colour_ = std::clamp(QSettings().value(kColourKey, 1).toInt(), 0, 255);
    choose(ToolKind::Block);
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
    for (const ToolEntry& entry : kTools) {
        auto* button = new QToolButton(strip_);
        button->setIcon(toolIcon(entry.kind));
        button->setIconSize(QSize(16, 16));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setToolTip(tr("%1 (%2)").arg(
            tr(entry.name), QKeySequence(entry.key).toString(QKeySequence::NativeText)));
        buttons_->addButton(button, static_cast<int>(entry.kind));
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idClicked, this,
            [this](int id) { choose(static_cast<ToolKind>(id)); });
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

std::vector<CanvasTools::Listed> CanvasTools::listed() const {
    std::vector<Listed> tools;
    for (const ToolEntry& entry : kTools)
        tools.push_back({entry.kind, tr(entry.name), QKeySequence(entry.key)});
    return tools;
}

bool CanvasTools::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &canvas_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeStrip();
    return QObject::eventFilter(watched, event);
}

void CanvasTools::placeStrip() {
    strip_->setGeometry(canvas_.x() - kStripWidth, canvas_.y(), kStripWidth, canvas_.height());
}

CanvasTool& CanvasTools::tool(ToolKind kind) {
    switch (kind) {
        case ToolKind::Pencil:
            return pencil_;
        case ToolKind::Eraser:
            return eraser_;
        case ToolKind::Eyedropper:
            return eyedropper_;
        case ToolKind::Fill:
            return fill_;
        case ToolKind::Line:
            return line_;
        case ToolKind::Block:
            break;
    }
    return block_;
}

QAbstractButton* CanvasTools::button(ToolKind kind) const {
    return buttons_->button(static_cast<int>(kind));
}

void CanvasTools::choose(ToolKind kind) {
    CanvasTool& next = tool(kind);
    if (canvas_.tool() != &next) {
        if (CanvasTool* before = canvas_.tool()) before->cancel();
        // A carried block is put away, as Escape does, before another tool
        // takes the canvas.
        if (kind != ToolKind::Block && host_.workspace().blockLifted()) block_.putAwayByHand();
        canvas_.setTool(&next);
    }
    current_ = kind;
    button(kind)->setChecked(true);
    canvas_.viewport()->setCursor(kind == ToolKind::Block ? Qt::ArrowCursor : Qt::CrossCursor);
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
