#include "system/config.h"

#include <algorithm>
#include <cstring>

namespace zentil {
namespace {

template <typename T>
void putLe(std::uint8_t* out, T value) {
    using U = std::make_unsigned_t<T>;
    U bits = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[i] = static_cast<std::uint8_t>(bits & 0xFFu);
        bits = static_cast<U>(bits >> 8);
    }
}

template <typename T>
T getLe(const std::uint8_t* in) {
    using U = std::make_unsigned_t<T>;
    U bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        bits = static_cast<U>((bits << 8) | in[i]);
    return static_cast<T>(bits);
}

// Applies `visit(field, offset)` to every numeric field, so that encoding and
// decoding walk one list of offsets.
template <typename Record, typename Visit>
void eachNumber(Record& r, Visit&& visit) {
    visit(r.windowLeft, offsetof(Config, windowLeft));
    visit(r.windowTop, offsetof(Config, windowTop));
    visit(r.windowWidth, offsetof(Config, windowWidth));
    visit(r.windowHeight, offsetof(Config, windowHeight));
    visit(r.maximized, offsetof(Config, maximized));
    visit(r.showGrid, offsetof(Config, showGrid));
    visit(r.gridColor, offsetof(Config, gridColor));
    visit(r.defaultColorKey8, offsetof(Config, defaultColorKey8));
    visit(r.unused, offsetof(Config, unused));
    visit(r.defaultColorKey16, offsetof(Config, defaultColorKey16));
    visit(r.defaultColorKey24, offsetof(Config, defaultColorKey24));
}

template <typename Record, typename Visit>
void eachText(Record& r, Visit&& visit) {
    visit(r.palettePath, offsetof(Config, palettePath));
    visit(r.startDirectory, offsetof(Config, startDirectory));
    visit(r.openDirectory, offsetof(Config, openDirectory));
    visit(r.saveDirectory, offsetof(Config, saveDirectory));
}

}  // namespace

std::array<std::uint8_t, kConfigSize> encodeConfig(const Config& record) {
    std::array<std::uint8_t, kConfigSize> out{};
    eachNumber(record,
               [&](const auto& field, std::size_t offset) { putLe(out.data() + offset, field); });
    eachText(record, [&](const auto& field, std::size_t offset) {
        std::memcpy(out.data() + offset, field, kConfigTextSize);
    });
    return out;
}

void decodeConfig(std::span<const std::uint8_t> bytes, Config& record) {
    std::array<std::uint8_t, kConfigSize> image = encodeConfig(record);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kConfigSize), image.begin());
    eachNumber(record, [&](auto& field, std::size_t offset) {
        field = getLe<std::remove_reference_t<decltype(field)>>(image.data() + offset);
    });
    eachText(record, [&](auto& field, std::size_t offset) {
        std::memcpy(field, image.data() + offset, kConfigTextSize);
        field[kConfigTextSize - 1] = '\0';
    });
}

void setConfigText(char (&field)[kConfigTextSize], std::string_view text) {
    const std::size_t n = std::min(text.size(), kConfigTextSize - 1);
    std::memset(field, 0, kConfigTextSize);
    std::memcpy(field, text.data(), n);
}

std::string_view configText(const char (&field)[kConfigTextSize]) {
    return std::string_view(field, ::strnlen(field, kConfigTextSize));
}

}  // namespace zentil
