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

}  // namespace zentil::texts
