// User-visible captions and messages shared by the core and the windows.
// They are shown exactly as written here.
#pragma once

namespace zentil::texts {

inline constexpr const char* kCaptionError = "오류";
inline constexpr const char* kCaptionNotice = "알림";

inline constexpr const char* kModeRefused =
    "상위 컬러모드에서 하위 컬러모드로는 복사할 수 없습니다. (단, 24비트 -> 16비트 복사는 예외)";
inline constexpr const char* kColumnsMustBePositive = "가로 타일 수는 0보다 커야 합니다.";
inline constexpr const char* kCannotCreateImage = "이미지를 생성할 수 없습니다.";
inline constexpr const char* kStoreFull = "총 읽어들일 수 있는 파일 수를 초과했습니다.";
inline constexpr const char* kAskOverwrite = "기존의 파일을 덮어쓰시겠습니까?";
inline constexpr const char* kConfigCannotSave = "Config 파일을 저장할 수 없습니다.";
inline constexpr const char* kReadFailed = "파일을 읽는데 실패했습니다.";
// A path that names a folder, FIFO, device or socket.
inline constexpr const char* kNotAFile =
    "일반 파일이 아니므로 읽을 수 없습니다. (폴더, FIFO, 장치 등)";

// Colour replacement, by colour mode.
inline constexpr const char* kColorRange8 = "색상 범위가 255보다 큽니다.";
inline constexpr const char* kColorRange16 = "색상 범위가 32767보다 큽니다.";
inline constexpr const char* kColorRange24 = "색상 범위가 16777215보다 큽니다.";

// TGA pictures.
inline constexpr const char* kTgaCannotOpen = "TGA 파일을 열 수 없습니다.";
inline constexpr const char* kTgaNotTga = "TGA 파일이 아닙니다.";
inline constexpr const char* kTgaOnly8Bit = "8Bit TGA 파일만 불러올 수 있습니다.";
inline constexpr const char* kTgaUnsupportedDepthF = "지원하지 않는 TGA파일입니다. (%d)";
inline constexpr const char* kTgaBadType = "TGA 파일 형식이 맞지 않습니다.";
inline constexpr const char* kTgaCannotSave = "TGA 파일을 저장할 수 없습니다.";

// GPF sprite files.
inline constexpr const char* kGpfCannotOpen = "GPF 파일을 열 수 없습니다.";
inline constexpr const char* kGpfNotGpf = "GPF 파일이 아닙니다.";
inline constexpr const char* kGpfDamaged = "GPF 파일이 손상되었습니다.";
inline constexpr const char* kGpfOnly8Bit = "8비트 이미지만 GPF 파일로 저장할 수 있습니다.";
inline constexpr const char* kGpfTileTooLarge = "타일이 너무 커서 GPF 파일로 저장할 수 없습니다.";
inline constexpr const char* kGpfCannotSave = "GPF 파일을 저장할 수 없습니다.";

// Palette files.
inline constexpr const char* kNoPaletteToSave = "저장할 팔레트가 없는 이미지 포맷입니다.";
inline constexpr const char* kCannotSavePalette = "팔레트 파일을 저장할 수 없습니다.";
inline constexpr const char* kCannotReadPalette = "팔레트 파일을 읽을 수 없습니다.";

// PNG pictures.
inline constexpr const char* kPngCannotRead = "PNG 파일을 읽을 수 없습니다.";
// Why, after kPngCannotRead in brackets: "PNG 파일을 읽을 수 없습니다. (빈 파일)".
inline constexpr const char* kPngCannotReadBecauseF = "PNG 파일을 읽을 수 없습니다. (%s)";
inline constexpr const char* kPngReasonEmpty = "빈 파일";
inline constexpr const char* kPngReasonNotPng = "PNG 파일이 아님";
inline constexpr const char* kPngReasonCut = "파일이 잘림";
inline constexpr const char* kPngReasonDamaged = "파일 손상";
inline constexpr const char* kPngTooManyColours = "256색 이하의 PNG 파일만 불러올 수 있습니다.";
inline constexpr const char* kPngCannotSave = "PNG 파일을 저장할 수 없습니다.";

// Work files.
inline constexpr const char* kWorkFileCannotRead = "작업 파일을 읽을 수 없습니다.";
inline constexpr const char* kWorkFileCannotSave = "작업 파일을 저장할 수 없습니다.";

// Beneath the message of a file that cannot be read, when a save of it was
// cut off and kept a copy of its old contents beside it.
inline constexpr const char* kOldContentsKeptF =
    "저장이 중간에 끊긴 파일일 수 있습니다. 이전 내용이 %s에 남아 있습니다.";

// The page commands.
inline constexpr const char* kSizesDiffer = "그림 크기가 서로 일치하지 않습니다.";
inline constexpr const char* kModesDiffer = "다른 색상모드의 그림이 있습니다.";
inline constexpr const char* kAskDeleteAllSprites =
    "모든 스프라이트 작업 페이지를 삭제하시겠습니까?";
inline constexpr const char* kAskDeleteAllPictures = "모든 TGA 페이지를 삭제하시겠습니까?";

// The file commands.
inline constexpr const char* kCannotSaveFile = "파일을 저장할 수 없습니다.";
// Closing with sprite pages that were changed since they were loaded or saved.
inline constexpr const char* kAskCloseUnsaved =
    "저장하지 않은 변경 사항이 있습니다. 종료하시겠습니까?";
inline constexpr const char* kAskOpenUnsaved =
    "저장하지 않은 변경 사항이 있습니다. 작업 파일을 여시겠습니까?";
// Before a save of all writes files that came with a work file and that the
// editor has neither read nor written since it started; the files are listed
// beneath.
inline constexpr const char* kAskSaveToUnfamiliarFiles =
    "이번 실행에서 열거나 저장한 적이 없는 파일에 저장합니다. 계속하시겠습니까?";
// Status-bar lines about a picture whose file changed on disk.
inline constexpr const char* kPictureReread = "파일이 바뀌어 다시 불러왔습니다.";
inline constexpr const char* kPictureNotReread = "파일이 바뀌었지만 읽을 수 없습니다.";

// The status bar of the main window. Sizes come already formatted ("12,345").
inline constexpr const char* kStatusZoomF = "배율 %d%%";
inline constexpr const char* kStatusGpfF = "GPF %s 바이트";
inline constexpr const char* kStatusTileF = " · 타일 %d: %s 바이트";
inline constexpr const char* kStatusGpfRefusedF = "GPF: %s";
// While the sprite page shown is drawn black: its palette is all black.
inline constexpr const char* kStatusBlackPalette = "팔레트 없음(검게 보임) → '팔레트 적용'";
inline constexpr const char* kStatusBlackPaletteTip =
    "팔레트 파일을 아직 불러오지 않아 스프라이트 페이지의 색이 모두 검은색입니다. "
    "도구 모음의 '팔레트 적용'으로 팔레트 파일을 불러오면 제 색으로 보입니다.";

}  // namespace zentil::texts
