// The table of the editor's commands: every entry of the menus, the
// toolbar's buttons and the window-wide keys, in the menus' order.
#include "block_tool.h"
#include "byte_map_switch.h"
#include "canvas_tools.h"
#include "edit/canvas_projection.h"
#include "editor_actions.h"
#include "editor_status.h"
#include "file_commands.h"
#include "page_canvas.h"
#include "page_commands.h"
#include "work/history.h"
#include "work/workspace.h"
#include "work_session.h"

namespace zentil {
namespace {

bool hasPage(ActionHost& h) {
    return h.workspace().currentPage() != nullptr;
}
bool showsSprite(ActionHost& h) {
    return hasPage(h) && h.workspace().activeList() == ListId::Sprites;
}
bool hasSprites(ActionHost& h) {
    return !h.workspace().sprites.empty();
}
bool activeListHasPages(ActionHost& h) {
    const PageStore* store = h.workspace().store(h.workspace().activeList());
    return store && !store->empty();
}

bool hasBlock(ActionHost& h) {
    return h.tools().block().hasBlock();
}
bool canUndo(ActionHost& h) {
    return h.history().canUndo();
}
bool canRedo(ActionHost& h) {
    return h.history().canRedo();
}
bool canZoomIn(ActionHost& h) {
    return h.canvas().zoom() < kMaxZoom;
}
bool canZoomOut(ActionHost& h) {
    return h.canvas().zoom() > kMinZoom;
}

QKeySequence key(QKeyCombination combination) {
    return QKeySequence(combination);
}

template <WindowCommand command>
void window(ActionHost& h) {
    h.run(command);
}

}  // namespace

const std::vector<EditorCommand>& EditorActions::commands() {
    using M = MenuId;
    using WC = WindowCommand;
    // One command a row: id, menu, separator before, text, tooltip, keys,
    // toolbar button, what it runs, when it can run, whether it is on.
    // clang-format off
    static const std::vector<EditorCommand> table = {
        {"file.new", M::File, false, QT_TR_NOOP("새로 만들기"), QT_TR_NOOP("새로운 이미지를 만듭니다."),
         {key(Qt::CTRL | Qt::Key_N)}, "Btn_New", window<WC::NewImage>},
        {"file.open", M::File, false, QT_TR_NOOP("불러오기"), QT_TR_NOOP("이미지를 불러옵니다."),
         {key(Qt::CTRL | Qt::Key_O)}, "Btn_LoadSpr",
         [](ActionHost& h) { h.files().Btn_LoadSprClick(); }},
        {"file.importSheet", M::File, false, QT_TR_NOOP("스프라이트 시트 가져오기..."),
         QT_TR_NOOP("그림을 타일로 잘라 스프라이트 페이지 하나로 만듭니다."),
         {key(Qt::CTRL | Qt::SHIFT | Qt::Key_I)}, nullptr,
         [](ActionHost& h) { h.files().importSheetClick(); }},
        {"file.save", M::File, false, QT_TR_NOOP("저장하기"), QT_TR_NOOP("편집한 이미지를 저장합니다."),
         {key(Qt::CTRL | Qt::Key_S)}, "Btn_SaveSpr",
         [](ActionHost& h) { h.files().Btn_SaveSprClick(); }},
        {"file.saveAll", M::File, false, QT_TR_NOOP("모두 저장"),
         QT_TR_NOOP("변경된 스프라이트 페이지를 모두 저장합니다."),
         {key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, nullptr,
         [](ActionHost& h) { h.session().saveAllSprites(); }},
        {"file.applyPalette", M::File, true, QT_TR_NOOP("팔레트 적용"),
         QT_TR_NOOP("현재 이미지에 새로운 팔레트를 적용합니다."),
         {}, "Btn_LoadPal", [](ActionHost& h) { h.files().Btn_LoadPalClick(); }},
        {"file.savePalette", M::File, false, QT_TR_NOOP("팔레트 저장"),
         QT_TR_NOOP("현재 이미지에서 팔레트를 추출하여 저장합니다."),
         {}, "Btn_SavePal", [](ActionHost& h) { h.files().Btn_SavePalClick(); }},
        {"file.quit", M::File, true, QT_TR_NOOP("끝내기"), QT_TR_NOOP("편집기를 닫습니다."),
         QKeySequence::keyBindings(QKeySequence::Quit), nullptr, window<WC::Quit>},

        {"edit.undo", M::Edit, false, QT_TR_NOOP("되돌리기"), QT_TR_NOOP("마지막 편집을 되돌립니다."),
         QKeySequence::keyBindings(QKeySequence::Undo), "Btn_Undo", window<WC::Undo>, canUndo},
        // The platform's keys, and on every platform Ctrl+Shift+Z and Ctrl+Y.
        {"edit.redo", M::Edit, false, QT_TR_NOOP("다시 실행"), QT_TR_NOOP("되돌린 편집을 다시 실행합니다."),
         QKeySequence::keyBindings(QKeySequence::Redo) +
             QList<QKeySequence>{key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), key(Qt::CTRL | Qt::Key_Y)},
         "Btn_Redo", window<WC::Redo>, canRedo},
        {"edit.keyColour", M::Edit, true, QT_TR_NOOP("투명색 설정"), QT_TR_NOOP("이미지의 투명색을 설정합니다."),
         {}, "Btn_ColorKey", window<WC::KeyColour>, hasPage},
        {"edit.changeColour", M::Edit, false, QT_TR_NOOP("색상 바꾸기"),
         QT_TR_NOOP("선택한 색상을 다른 색상으로 바꿉니다."),
         {}, "Btn_ChgColor", window<WC::ChangeColour>, showsSprite},
        {"edit.tileSize", M::Edit, false, QT_TR_NOOP("크기 설정"), QT_TR_NOOP("이미지의 크기를 조절합니다."),
         {}, "Btn_Config", window<WC::TileSize>, hasPage},
        {"edit.optimise", M::Edit, false, QT_TR_NOOP("크기 최적화"),
         QT_TRANSLATE_NOOP3("zentil::EditorActions", "이미지의 크기를 조절합니다.", "size optimisation"),
         {}, "Btn_Optimize", [](ActionHost& h) { h.pages().Btn_OptimizeClick(); }, showsSprite},
        {"edit.clear", M::Edit, false, QT_TR_NOOP("지우기"), QT_TR_NOOP("이미지를 투명색으로 지웁니다."),
         {}, "Btn_ClearPage", [](ActionHost& h) { h.pages().Btn_ClearPageClick(); }, hasSprites},
        {"edit.remapPalette", M::Edit, false, QT_TR_NOOP("팔레트에 맞추기"),
         QT_TR_NOOP("선택한 스프라이트 페이지의 색을 스프라이트 팔레트의 가장 가까운 색으로 바꿉니다."),
         {}, nullptr, [](ActionHost& h) { h.pages().remapToPaletteClick(); }, showsSprite},

        {"page.copy", M::Page, false, QT_TR_NOOP("복사"), QT_TR_NOOP("페이지를 복사하여 생성합니다."),
         {}, "BtnPageCopy", [](ActionHost& h) { h.pages().BtnPageCopyClick(); }, hasPage},
        {"page.gather", M::Page, false, QT_TR_NOOP("모아서 복사"),
         QT_TR_NOOP("선택한 페이지를 모아서 하나의 페이지에 복사합니다."),
         {}, "BtnSumCopy", [](ActionHost& h) { h.pages().BtnSumCopyClick(); }, hasPage},
        {"page.blockCopy", M::Page, false, QT_TR_NOOP("블럭 복사"),
         QT_TR_NOOP("선택한 이미지 블럭을 새로운 페이지로 생성합니다."),
         {}, "Btn_BlockCopy", [](ActionHost& h) { h.pages().Btn_BlockCopyClick(); }, hasBlock},
        {"page.delete", M::Page, true, QT_TR_NOOP("삭제"), QT_TR_NOOP("선택한 페이지를 삭제합니다."),
         {key(Qt::Key_Delete)}, "Btn_DeletePage", [](ActionHost& h) { h.pages().Btn_DeletePageClick(); },
         hasPage, nullptr, KeyScope::Lists},
        {"page.deleteAll", M::Page, false, QT_TR_NOOP("모두 삭제"), QT_TR_NOOP("모든 페이지를 삭제합니다."),
         {}, "Btn_AllDeletePage", [](ActionHost& h) { h.pages().Btn_AllDeletePageClick(); },
         activeListHasPages},

        {"view.animation", M::View, false, QT_TR_NOOP("에니메이션"),
         QT_TR_NOOP("지정한 갯수의 이미지를 애니메이션 출력합니다."),
         {}, "Btn_ShowAni", window<WC::Animation>, hasPage},
        {"view.wholeImage", M::View, false, QT_TR_NOOP("전체 보기"),
         QT_TR_NOOP("이미지 전체를 한 화면에 보여줍니다."),
         {}, "Btn_ShowPage", window<WC::WholeImage>, hasPage},
        {"view.palette", M::View, false, QT_TR_NOOP("팔레트 보기"),
         QT_TRANSLATE_NOOP3("zentil::EditorActions", "이미지의 크기를 조절합니다.", "view palette"),
         {}, "Btn_ShowPalette", window<WC::ViewPalette>},
        {"view.zoomIn", M::View, true, QT_TR_NOOP("확대"), QT_TR_NOOP("캔버스를 한 단계 확대합니다."),
         {key(Qt::CTRL | Qt::Key_Equal), key(Qt::CTRL | Qt::Key_Plus)}, nullptr,
         [](ActionHost& h) { h.status().zoomInOnce(); }, canZoomIn},
        {"view.zoomOut", M::View, false, QT_TR_NOOP("축소"), QT_TR_NOOP("캔버스를 한 단계 축소합니다."),
         {key(Qt::CTRL | Qt::Key_Minus)}, nullptr, [](ActionHost& h) { h.status().zoomOutOnce(); },
         canZoomOut},
        {"view.actualSize", M::View, false, QT_TR_NOOP("실제 크기"), QT_TR_NOOP("캔버스를 1배로 되돌립니다."),
         {key(Qt::CTRL | Qt::Key_0)}, nullptr, [](ActionHost& h) { h.status().zoomToActualSize(); }},
        // The grid is kept as chosen below the zoom where it is drawn.
        {"view.pixelGrid", M::View, true, QT_TR_NOOP("픽셀 격자"),
         QT_TR_NOOP("8배 이상에서 픽셀 사이에 옅은 격자를 그립니다."),
         {key(Qt::CTRL | Qt::Key_G)}, nullptr, [](ActionHost& h) { h.status().togglePixelGrid(); },
         nullptr, [](ActionHost& h) { return h.canvas().pixelGrid(); }},
        {"view.byteMap", M::View, false, QT_TR_NOOP("GPF 지도"),
         QT_TR_NOOP("타일마다 GPF 파일에서 차지하는 바이트를 색으로 보여 줍니다"),
         {key(Qt::CTRL | Qt::Key_B)}, nullptr,
         [](ActionHost& h) { h.byteMap().setShown(!h.byteMap().shown()); },
         nullptr, [](ActionHost& h) { return h.byteMap().shown(); }},

        // The canvas's tools come first in this menu (addToolActions).
        {"tools.previousColour", M::Tools, true, QT_TR_NOOP("이전 색"),
         QT_TR_NOOP("현재 색을 팔레트의 앞 색으로 바꿉니다."),
         {key(Qt::Key_BracketLeft)}, nullptr, [](ActionHost& h) { h.tools().stepColour(-1); }},
        {"tools.nextColour", M::Tools, false, QT_TR_NOOP("다음 색"),
         QT_TR_NOOP("현재 색을 팔레트의 다음 색으로 바꿉니다."),
         {key(Qt::Key_BracketRight)}, nullptr, [](ActionHost& h) { h.tools().stepColour(1); }},
        {"tools.chooseColour", M::Tools, false, QT_TR_NOOP("색 고르기"),
         QT_TR_NOOP("팔레트의 256색 가운데 현재 색을 고릅니다."),
         {}, nullptr, [](ActionHost& h) { h.tools().openChooser(); }},

        // The keys window and the About box are run by EditorActions itself.
        {"help.keys", M::Help, false, QT_TR_NOOP("단축키"), QT_TR_NOOP("모든 명령과 그 키를 보여 줍니다."),
         QKeySequence::keyBindings(QKeySequence::HelpContents), nullptr, nullptr},
        {"help.developerSite", M::Help, false, QT_TR_NOOP("개발자 홈"),
         QT_TR_NOOP("개발자 홈페이지로 이동합니다."), {}, "Btn_DevHome", window<WC::DeveloperSite>},
        {"help.about", M::Help, true, QT_TR_NOOP("Zentil Editor 정보"),
         QT_TR_NOOP("판, 사용 허가와 쓰인 라이브러리를 보여 줍니다."), {}, nullptr, nullptr},
    };
    // clang-format on
    return table;
}

}  // namespace zentil
