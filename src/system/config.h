// The settings record. Its in-memory layout is the settings file's layout:
// 4132 bytes, little-endian numbers, zero-terminated texts in fixed fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zentil {

inline constexpr std::size_t kConfigTextSize = 1024;
inline constexpr std::size_t kConfigSize = 4132;

struct Config {
    std::int32_t windowLeft;
    std::int32_t windowTop;
    std::int32_t windowWidth;
    std::int32_t windowHeight;
    std::int32_t maximized;  // 1 when the window was maximised at close
    std::int32_t showGrid;   // not 0: draw the tile grid and centre lines
    std::int32_t gridColor;  // 0x00BBGGRR
    std::uint8_t defaultColorKey8;
    std::uint8_t unused;
    std::uint16_t defaultColorKey16;
    std::uint32_t defaultColorKey24;  // 0x00RRGGBB
    char palettePath[kConfigTextSize];
    char startDirectory[kConfigTextSize];
    char openDirectory[kConfigTextSize];
    char saveDirectory[kConfigTextSize];
};

static_assert(sizeof(Config) == kConfigSize);
static_assert(offsetof(Config, windowLeft) == 0);
static_assert(offsetof(Config, windowTop) == 4);
static_assert(offsetof(Config, windowWidth) == 8);
static_assert(offsetof(Config, windowHeight) == 12);
static_assert(offsetof(Config, maximized) == 16);
static_assert(offsetof(Config, showGrid) == 20);
static_assert(offsetof(Config, gridColor) == 24);
static_assert(offsetof(Config, defaultColorKey8) == 28);
static_assert(offsetof(Config, unused) == 29);
static_assert(offsetof(Config, defaultColorKey16) == 30);
static_assert(offsetof(Config, defaultColorKey24) == 32);
static_assert(offsetof(Config, palettePath) == 36);
static_assert(offsetof(Config, startDirectory) == 1060);
static_assert(offsetof(Config, openDirectory) == 2084);
static_assert(offsetof(Config, saveDirectory) == 3108);

// File image of a record, little-endian whatever the host's byte order.
std::array<std::uint8_t, kConfigSize> encodeConfig(const Config& record);
// Reads a file image over `record`. A short image replaces only the start of
// the record; every text field is then made to end within its 1024 bytes.
void decodeConfig(std::span<const std::uint8_t> bytes, Config& record);

// Copies `text` into a fixed text field, cut so that it ends with a zero.
void setConfigText(char (&field)[kConfigTextSize], std::string_view text);
std::string_view configText(const char (&field)[kConfigTextSize]);

}  // namespace zentil
