#include "form_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "action_host.h"
#include "block_tool.h"
#include "byte_map_switch.h"
#include "edit/pixel_info.h"
#include "editor_status.h"
#include "file_command_host.h"
#include "file_commands.h"
#include "file_dialogs.h"
#include "file_paths.h"
#include "form_config.h"
#include "form_new.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "info_panels.h"
#include "page_canvas.h"
#include "page_command_host.h"
#include "page_list.h"
#include "qt_message_sink.h"
#include "system/config_file.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "window_placement.h"
#include "work_session.h"

namespace zentil {
namespace {

// List colours: the list holding the shown page stands out.
const QColor kListIdle(0xD7, 0xD8, 0xD9);
const QColor kListActive(0xF4, 0xDA, 0xF5);

constexpr int kMinWidth = 800, kMinHeight = 600;

}  // namespace

TMainWin::TMainWin(QWidget* parent) : QWidget(parent), ui_(new Ui::TMainWin) {
    ui_->setupUi(this);
    setMinimumSize(kMinWidth, kMinHeight);
    ui_->Lb_Spr->setListColor(kListIdle);
    ui_->Lb_Tga->setListColor(kListIdle);

    Timer_FileOpen.setInterval(100);
    connect(&Timer_FileOpen, &QTimer::timeout, this, [this] { Timer_FileOpen.stop(); });
    setAcceptDrops(true);
    connectFiles();
    connectButtons();
    connectCanvas();
    status_ = new EditorStatus(*ui_->Status_Bar, canvas());
    connectHistory();
    // After the status bar, whose GPF figure the map follows.
    byteMap_ = new ByteMapSwitch(canvas(), *status_, document_, *ui_->Status_Bar);
    connect(this, &TMainWin::pageShown, byteMap_, &ByteMapSwitch::follow);
    connectKeys();
}

TMainWin::~TMainWin() {
    canvas().setTool(nullptr);
    delete ui_;
}

void TMainWin::connectButtons() {
    connect(ui_->Lb_Spr, &PageList::activated, this, &TMainWin::Lb_SprClick);
    connect(ui_->Lb_Tga, &PageList::activated, this, &TMainWin::Lb_TgaClick);
    connect(ui_->Cb_CrossIndex, &QComboBox::currentIndexChanged, this,
            &TMainWin::Cb_CrossIndexChange);
}

// ---- window events ----------------------------------------------------------

void TMainWin::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TMainWin::FormShow() {
    workspace_.clearCurrent();
    files_->OpenFilterIndex = 0;
    files_->SaveFilterIndex = 1;
    loadConfig();
    status_->readViewSettings();
    const Config& settings = workspace_.settings;
    if (dialogs_.newWin) dialogs_.newWin->setColorKeyField(settings.defaultColorKey8);
    if (dialogs_.configWin)
        dialogs_.configWin->setLineColor(static_cast<std::uint32_t>(settings.gridColor));
    ui_->Combo_CopyMode->setCurrentIndex(0);
    ui_->Cb_CrossIndex->setCurrentIndex(0);
    ui_->Cb_ApplyArea->setCurrentIndex(0);
    // "[*]" shows the platform's mark while sprite pages have unsaved changes.
    setWindowTitle(QStringLiteral("Zentil Editor 3.21 for GP32[*]"));
    ui_->FlatPanel15->setText(QStringLiteral("GPF"));
    // The area controls stay hidden; the list headers take their place.
    ui_->FlatPanel13->hide();
    ui_->Cb_CrossIndex->hide();
    ui_->Cb_ApplyArea->hide();
    const int headerTop = ui_->FlatPanel13->y();
    ui_->FlatPanel15->move(ui_->FlatPanel15->x(), headerTop);
    ui_->FlatPanel14->move(ui_->FlatPanel14->x(), headerTop);
    ui_->Panel_Info->resize(ui_->Panel_Info->width(), ui_->Cb_CrossIndex->y());
    const int listTop = ui_->Panel_Info->y() + ui_->Panel_Info->height();
    ui_->Lb_Spr->move(ui_->Lb_Spr->x(), listTop);
    ui_->Lb_Tga->move(ui_->Lb_Tga->x(), listTop);
    FormResize();
}

void TMainWin::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainWin::FormResize() {
    // The minimum size itself is kept by the window system (setMinimumSize).
    const int w = std::max(width(), kMinWidth), h = std::max(height(), kMinHeight);
    ui_->Panel_Btn->resize(w, ui_->Panel_Btn->height());
    // The status bar along the bottom; the canvas and the lists above it.
    const int statusHeight = ui_->Status_Bar->sizeHint().height();
    const int bottom = h - statusHeight;
    ui_->Status_Bar->setGeometry(0, bottom, w, statusHeight);
    ui_->Sb_Page->resize(w - ui_->Sb_Page->x(), bottom - ui_->Sb_Page->y());
    ui_->Lb_Spr->resize(ui_->Lb_Spr->width(), bottom - ui_->Lb_Spr->y());
    ui_->Lb_Tga->resize(ui_->Lb_Tga->width(), bottom - ui_->Lb_Tga->y());
}

void TMainWin::closeEvent(QCloseEvent* event) {
    if (!session_->mayDropUnsaved(WorkSession::Leaving::Quit)) {
        event->ignore();
        return;
    }
    history_.clear();
    workspace_.clearPages();
    saveConfig();
    event->accept();
}

// ---- settings --------------------------------------------------------------

void TMainWin::loadConfig() {
    Config& settings = workspace_.settings;
    const ConfigRead read = readConfigFile(kConfigFileName, settings);
    if (read != ConfigRead::Loaded) setConfigDefaults(settings);
    placeWindow(*this, settings, read == ConfigRead::Loaded, QSize(kMinWidth, kMinHeight));
    showPixelInfo(0, 0);
    // A palette named by a loaded file is used, in whichever format it was
    // applied (a missing or unreadable one silently not: the sprite pages
    // keep the black start palette); a first start loads none.
    if (read == ConfigRead::Loaded) {
        Palette palette{};
        if (readPaletteOfFile(std::string(configText(settings.palettePath)), palette)) {
            workspace_.palette = palette;
            applyPaletteToSprites(workspace_.sprites, palette);
            if (const Page* page = workspace_.currentPage()) showPage(*page);
        }
    }
    setConfigText(settings.startDirectory, pathToBytes(QDir::currentPath()));
}

bool TMainWin::saveConfig() {
    Config& settings = workspace_.settings;
    const QString folder = pathFromBytes(configText(settings.startDirectory));
    const QString path = QDir(folder).filePath(QString::fromLatin1(kConfigFileName));
    storePlacement(*this, settings);
    if (!writeConfigFile(pathToBytes(path), settings)) {
        messages().message(texts::kCaptionError, texts::kConfigCannotSave);
        return false;
    }
    return true;
}

// ---- the canvas ------------------------------------------------------------

int TMainWin::canvasZoom() const {
    return canvas().zoom();
}

void TMainWin::updateStatus() {
    if (status_) status_->update(workspace_, history_);
}

PageCanvas& TMainWin::canvas() const {
    return *ui_->Sb_Page;
}

void TMainWin::dropCanvasPicture() {
    canvas().showPage(nullptr);
    updateStatus();
}

void TMainWin::showPage(const Page& page) {
    // The canvas reads the page's pixels at every repaint, so showing it
    // again is only needed when it is another page or its size changed.
    canvas().setGrid(gridLines(), ui_->Cb_CrossIndex->currentIndex());
    canvas().showPage(&page);
    updateStatus();
    emit pageShown();
}

GridLines TMainWin::gridLines() const {
    const Config& settings = workspace_.settings;
    return {settings.showGrid != 0, static_cast<std::uint32_t>(settings.gridColor)};
}

void TMainWin::scrollToOrigin() {
    canvas().scrollToOrigin();
}

// ---- the lists -------------------------------------------------------------

PageList& TMainWin::listWidget(ListId list) const {
    return list == ListId::Pictures ? *ui_->Lb_Tga : *ui_->Lb_Spr;
}

// The page the document shows, afresh from its top left corner, its list
// standing out.
void TMainWin::showShownPage() {
    Page* page = workspace_.currentPage();
    if (!page) {
        dropCanvasPicture();
        return;
    }
    const ListId which = workspace_.activeList();
    status_->forgetGpf();  // a page shown from its list is measured afresh
    ui_->Edit_Col->setValue(page->cols);
    listWidget(which == ListId::Sprites ? ListId::Pictures : ListId::Sprites)
        .setListColor(kListIdle);
    listWidget(which).setListColor(kListActive);
    showPage(*page);
    scrollToOrigin();
    showPixelInfo(0, 0);
}

void TMainWin::Lb_SprClick() {
    document_.show(ListId::Sprites);
}

void TMainWin::Lb_TgaClick() {
    document_.show(ListId::Pictures);
}

void TMainWin::showCurrent() {
    if (workspace_.activeList() != ListId::None) document_.show(workspace_.activeList());
}

void TMainWin::Cb_CrossIndexChange() {
    showCurrent();
}

void TMainWin::showOnly(ListId list, int row) {
    document_.selectEntry(list, row);
}

std::vector<int> TMainWin::selectedRows(ListId list) const {
    if (list == ListId::None) return {};
    return document_.selection().marks(list).selected;
}

void TMainWin::setMessageSink(MessageSink* sink) {
    messages_ = sink;
}

MessageSink& TMainWin::messages() {
    if (messages_) return *messages_;
    if (!ownMessages_) ownMessages_ = std::make_unique<QtMessageSink>(this);
    return *ownMessages_;
}

void TMainWin::report(const Outcome& outcome) {
    messages().report(outcome);
}

void TMainWin::report(const std::vector<Outcome>& problems) {
    for (const Outcome& problem : problems)
        messages().report(problem);
}

void TMainWin::showPixelInfo(int x, int y) {
    zentil::showPixelInfo(*ui_, pixelInfo(workspace_.currentPage(), x, y, workspace_.defaults()));
    const Page* page = workspace_.currentPage();
    const bool onTile = page && page->inUse() && page->tileWidth > 0 && page->tileHeight > 0 &&
                        x >= 0 && y >= 0 && x < page->width && y < page->height;
    status_->setPointerTile(onTile ? tileIndexAt(*page, x, y) : -1);
    updateStatus();
}

}  // namespace zentil
