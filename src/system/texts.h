// User-visible captions and messages shared by the core and the windows,
// in Korean. The front ends show them translated: each is marked for the
// translation files (translatable.h), where every other language has it.
#pragma once

#include "system/translatable.h"

namespace zentil::texts {

inline constexpr const char* kCaptionError = ZENTIL_TEXT("CoreText", "오류");
inline constexpr const char* kCaptionNotice = ZENTIL_TEXT("CoreText", "알림");

inline constexpr const char* kModeRefused = ZENTIL_TEXT(
    "CoreText",
    "상위 컬러모드에서 하위 컬러모드로는 복사할 수 없습니다. (단, 24비트 -> 16비트 복사는 예외)");
inline constexpr const char* kColumnsMustBePositive =
    ZENTIL_TEXT("CoreText", "가로 타일 수는 0보다 커야 합니다.");
inline constexpr const char* kCannotCreateImage =
    ZENTIL_TEXT("CoreText", "이미지를 생성할 수 없습니다.");
inline constexpr const char* kStoreFull =
    ZENTIL_TEXT("CoreText", "총 읽어들일 수 있는 파일 수를 초과했습니다.");
inline constexpr const char* kAskOverwrite =
    ZENTIL_TEXT("CoreText", "기존의 파일을 덮어쓰시겠습니까?");
inline constexpr const char* kConfigCannotSave =
    ZENTIL_TEXT("CoreText", "Config 파일을 저장할 수 없습니다.");
inline constexpr const char* kReadFailed = ZENTIL_TEXT("CoreText", "파일을 읽는데 실패했습니다.");
// A path that names a folder, FIFO, device or socket.
inline constexpr const char* kNotAFile =
    ZENTIL_TEXT("CoreText", "일반 파일이 아니므로 읽을 수 없습니다. (폴더, FIFO, 장치 등)");

// Colour replacement, by colour mode.
inline constexpr const char* kColorRange8 = ZENTIL_TEXT("CoreText", "색상 범위가 255보다 큽니다.");
inline constexpr const char* kColorRange16 =
    ZENTIL_TEXT("CoreText", "색상 범위가 32767보다 큽니다.");
inline constexpr const char* kColorRange24 =
    ZENTIL_TEXT("CoreText", "색상 범위가 16777215보다 큽니다.");

// TGA pictures.
inline constexpr const char* kTgaCannotOpen = ZENTIL_TEXT("CoreText", "TGA 파일을 열 수 없습니다.");
inline constexpr const char* kTgaNotTga = ZENTIL_TEXT("CoreText", "TGA 파일이 아닙니다.");
inline constexpr const char* kTgaOnly8Bit =
    ZENTIL_TEXT("CoreText", "8Bit TGA 파일만 불러올 수 있습니다.");
inline constexpr const char* kTgaUnsupportedDepthF =
    ZENTIL_TEXT("CoreText", "지원하지 않는 TGA파일입니다. (%d)");
inline constexpr const char* kTgaBadType =
    ZENTIL_TEXT("CoreText", "TGA 파일 형식이 맞지 않습니다.");
inline constexpr const char* kTgaCannotSave =
    ZENTIL_TEXT("CoreText", "TGA 파일을 저장할 수 없습니다.");

// GPF sprite files.
inline constexpr const char* kGpfCannotOpen = ZENTIL_TEXT("CoreText", "GPF 파일을 열 수 없습니다.");
inline constexpr const char* kGpfNotGpf = ZENTIL_TEXT("CoreText", "GPF 파일이 아닙니다.");
inline constexpr const char* kGpfDamaged = ZENTIL_TEXT("CoreText", "GPF 파일이 손상되었습니다.");
inline constexpr const char* kGpfOnly8Bit =
    ZENTIL_TEXT("CoreText", "8비트 이미지만 GPF 파일로 저장할 수 있습니다.");
inline constexpr const char* kGpfTileTooLarge =
    ZENTIL_TEXT("CoreText", "타일이 너무 커서 GPF 파일로 저장할 수 없습니다.");
inline constexpr const char* kGpfCannotSave =
    ZENTIL_TEXT("CoreText", "GPF 파일을 저장할 수 없습니다.");

// Palette files.
inline constexpr const char* kNoPaletteToSave =
    ZENTIL_TEXT("CoreText", "저장할 팔레트가 없는 이미지 포맷입니다.");
inline constexpr const char* kCannotSavePalette =
    ZENTIL_TEXT("CoreText", "팔레트 파일을 저장할 수 없습니다.");
inline constexpr const char* kCannotReadPalette =
    ZENTIL_TEXT("CoreText", "팔레트 파일을 읽을 수 없습니다.");

// PNG pictures.
inline constexpr const char* kPngCannotRead =
    ZENTIL_TEXT("CoreText", "PNG 파일을 읽을 수 없습니다.");
// Why, after kPngCannotRead in brackets: "PNG 파일을 읽을 수 없습니다. (빈 파일)".
inline constexpr const char* kPngCannotReadBecauseF =
    ZENTIL_TEXT("CoreText", "PNG 파일을 읽을 수 없습니다. (%s)");
inline constexpr const char* kPngReasonEmpty = ZENTIL_TEXT("CoreText", "빈 파일");
inline constexpr const char* kPngReasonNotPng = ZENTIL_TEXT("CoreText", "PNG 파일이 아님");
inline constexpr const char* kPngReasonCut = ZENTIL_TEXT("CoreText", "파일이 잘림");
inline constexpr const char* kPngReasonDamaged = ZENTIL_TEXT("CoreText", "파일 손상");
inline constexpr const char* kPngTooManyColours =
    ZENTIL_TEXT("CoreText", "256색 이하의 PNG 파일만 불러올 수 있습니다.");
inline constexpr const char* kPngCannotSave =
    ZENTIL_TEXT("CoreText", "PNG 파일을 저장할 수 없습니다.");

// GIF pictures; the reasons in brackets are those of PNG pictures, besides
// this one.
inline constexpr const char* kGifCannotReadBecauseF =
    ZENTIL_TEXT("CoreText", "GIF 파일을 읽을 수 없습니다. (%s)");
inline constexpr const char* kGifReasonNotGif = ZENTIL_TEXT("CoreText", "GIF 파일이 아님");
// BMP pictures. Why one cannot be read goes after kBmpCannotReadBecauseF in
// brackets: one of the reasons below, or kPngReasonEmpty, kPngReasonCut or
// kPngReasonDamaged, which serve every format.
inline constexpr const char* kBmpCannotReadBecauseF =
    ZENTIL_TEXT("CoreText", "BMP 파일을 읽을 수 없습니다. (%s)");
inline constexpr const char* kBmpReasonNotBmp = ZENTIL_TEXT("CoreText", "BMP 파일이 아님");
inline constexpr const char* kBmpReasonBadMasks = ZENTIL_TEXT("CoreText", "색 마스크가 잘못됨");
inline constexpr const char* kBmpReasonRunOutside =
    ZENTIL_TEXT("CoreText", "압축된 픽셀이 그림 밖으로 나감");
inline constexpr const char* kBmpUnsupportedDepthF =
    ZENTIL_TEXT("CoreText", "지원하지 않는 BMP 파일입니다. (%d비트)");
inline constexpr const char* kBmpUnsupportedCompressionF =
    ZENTIL_TEXT("CoreText", "지원하지 않는 BMP 압축 방식입니다. (%d)");

// Work files.
inline constexpr const char* kWorkFileCannotRead =
    ZENTIL_TEXT("CoreText", "작업 파일을 읽을 수 없습니다.");
inline constexpr const char* kWorkFileCannotSave =
    ZENTIL_TEXT("CoreText", "작업 파일을 저장할 수 없습니다.");

// Beneath the message of a file that cannot be read, when a save of it was
// cut off and kept a copy of its old contents beside it.
inline constexpr const char* kOldContentsKeptF = ZENTIL_TEXT(
    "CoreText", "저장이 중간에 끊긴 파일일 수 있습니다. 이전 내용이 %s에 남아 있습니다.");

// The page commands.
inline constexpr const char* kSizesDiffer =
    ZENTIL_TEXT("CoreText", "그림 크기가 서로 일치하지 않습니다.");
inline constexpr const char* kModesDiffer =
    ZENTIL_TEXT("CoreText", "다른 색상모드의 그림이 있습니다.");
inline constexpr const char* kNotAPicture =
    ZENTIL_TEXT("CoreText", "그림 파일이 아닙니다. 불러올 수 있는 그림의 확장자가 아닙니다.");
inline constexpr const char* kSheetHoldsNoTile =
    ZENTIL_TEXT("CoreText", "이 크기로는 그림에 타일이 하나도 들어가지 않습니다.");
inline constexpr const char* kAskDeleteAllSprites =
    ZENTIL_TEXT("CoreText", "모든 스프라이트 작업 페이지를 삭제하시겠습니까?");
inline constexpr const char* kAskDeleteAllPictures =
    ZENTIL_TEXT("CoreText", "모든 TGA 페이지를 삭제하시겠습니까?");

// The file commands.
inline constexpr const char* kCannotSaveFile =
    ZENTIL_TEXT("CoreText", "파일을 저장할 수 없습니다.");
// Closing with sprite pages that were changed since they were loaded or saved.
inline constexpr const char* kAskCloseUnsaved =
    ZENTIL_TEXT("CoreText", "저장하지 않은 변경 사항이 있습니다. 종료하시겠습니까?");
inline constexpr const char* kAskOpenUnsaved =
    ZENTIL_TEXT("CoreText", "저장하지 않은 변경 사항이 있습니다. 작업 파일을 여시겠습니까?");
// Before a save of all writes files that came with a work file and that the
// editor has neither read nor written since it started; the files are listed
// beneath.
inline constexpr const char* kAskSaveToUnfamiliarFiles = ZENTIL_TEXT(
    "CoreText", "이번 실행에서 열거나 저장한 적이 없는 파일에 저장합니다. 계속하시겠습니까?");
// Status-bar lines about a picture whose file changed on disk.
inline constexpr const char* kPictureReread =
    ZENTIL_TEXT("CoreText", "파일이 바뀌어 다시 불러왔습니다.");
inline constexpr const char* kPictureNotReread =
    ZENTIL_TEXT("CoreText", "파일이 바뀌었지만 읽을 수 없습니다.");

// The status bar of the main window. Sizes come already formatted ("12,345").
inline constexpr const char* kStatusZoomF = ZENTIL_TEXT("CoreText", "배율 %d%%");
inline constexpr const char* kStatusGpfF = ZENTIL_TEXT("CoreText", "GPF %s 바이트");
inline constexpr const char* kStatusTileF = ZENTIL_TEXT("CoreText", " · 타일 %d: %s 바이트");
inline constexpr const char* kStatusGpfRefusedF = ZENTIL_TEXT("CoreText", "GPF: %s");
// While the sprite page shown is drawn black: its palette is all black.
inline constexpr const char* kStatusBlackPalette =
    ZENTIL_TEXT("CoreText", "팔레트 없음(검게 보임) → '팔레트 적용'");
inline constexpr const char* kStatusBlackPaletteTip =
    ZENTIL_TEXT("CoreText",
                "팔레트 파일을 아직 불러오지 않아 스프라이트 페이지의 색이 모두 검은색입니다. "
                "도구 모음의 '팔레트 적용'으로 팔레트 파일을 불러오면 제 색으로 보입니다.");

}  // namespace zentil::texts
