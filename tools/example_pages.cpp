// zentil-examples FOLDER: writes a small set of colourful example pages into
// FOLDER for demonstrations and screenshots, all drawn here from nothing:
//   Tiles.gpf  a 12 x 8 sheet of 32 x 32 landscape tiles
//   Hero.gpf   eight 32 x 32 frames of a walking character
//   Hero.tga   the same frames as a picture
//   Items.gpf  an 8 x 4 sheet of 16 x 16 items
//   Sheet.Pal  the palette all of them use
//   Zentil.Cfg settings that load Sheet.Pal and place the window at 0, 0
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>

#include "formats/gpf_file.h"
#include "formats/palette_file.h"
#include "formats/tga_file.h"
#include "image/page.h"
#include "image/palette.h"
#include "system/config.h"
#include "system/config_file.h"

namespace {

using namespace zentil;

// Entry 0 is the transparent colour, 1 to 15 a grey ramp, and from 16 on
// fifteen hues of sixteen shades each, darkest first.
constexpr std::uint8_t kKey = 0;
constexpr int kHues = 15;
enum Hue {
    Red = 0,
    Orange = 1,
    Yellow = 2,
    Lime = 3,
    Green = 4,
    Teal = 6,
    Sky = 8,
    Blue = 9,
    Violet = 11,
    Pink = 13
};

std::uint8_t shade(int hue, int level) {
    return static_cast<std::uint8_t>(16 + hue * 16 + std::clamp(level, 0, 15));
}
std::uint8_t grey(int level) {
    return static_cast<std::uint8_t>(std::clamp(level, 1, 15));
}

Palette makePalette() {
    Palette p{};
    auto set = [&](int i, double r, double g, double b) {
        p[i * 3] = static_cast<std::uint8_t>(std::lround(std::clamp(r, 0.0, 1.0) * 255));
        p[i * 3 + 1] = static_cast<std::uint8_t>(std::lround(std::clamp(g, 0.0, 1.0) * 255));
        p[i * 3 + 2] = static_cast<std::uint8_t>(std::lround(std::clamp(b, 0.0, 1.0) * 255));
    };
    set(0, 0.09, 0.08, 0.19);
    for (int i = 1; i < 16; ++i)
        set(i, (i - 1) / 14.0, (i - 1) / 14.0, (i - 1) / 14.0);
    for (int h = 0; h < kHues; ++h) {
        // Fully saturated hue, darkened toward black and then lightened toward white.
        const double angle = h * 6.0 / kHues;
        const double x = 1 - std::fabs(std::fmod(angle, 2.0) - 1);
        const double rgb[6][3] = {{1, x, 0}, {x, 1, 0}, {0, 1, x}, {0, x, 1}, {x, 0, 1}, {1, 0, x}};
        const double* c = rgb[static_cast<int>(angle) % 6];
        for (int s = 0; s < 16; ++s) {
            const double dark = std::min(1.0, 0.25 + s / 10.0);
            const double light = std::max(0.0, (s - 10) / 7.0);
            set(16 + h * 16 + s, c[0] * dark + light * (1 - c[0] * dark),
                c[1] * dark + light * (1 - c[1] * dark), c[2] * dark + light * (1 - c[2] * dark));
        }
    }
    return p;
}

// A small deterministic noise value 0..255 for a pixel.
int noise(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^
                      static_cast<std::uint32_t>(y) * 19349663u ^
                      static_cast<std::uint32_t>(seed) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<int>(h & 0xFF);
}

void fillCircle(Page& page, int cx, int cy, int r, std::uint8_t colour) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r + r) putPixel(page, cx + x, cy + y, colour);
}

void fillBox(Page& page, int left, int top, int w, int h, std::uint8_t colour) {
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            putPixel(page, x, y, colour);
}

// One 32 x 32 landscape tile of the given kind at (ox, oy).
void drawTile(Page& page, int ox, int oy, int kind, int seed) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int n = noise(x, y, seed);
            std::uint8_t c = kKey;
            switch (kind) {
                case 0:  // grass
                    c = shade(Green, n < 40 ? 6 : n > 230 ? 11 : 8);
                    break;
                case 1:  // water
                    c = shade(Sky, 7 + static_cast<int>(3 * std::sin((x + 2 * y + seed) * 0.4)));
                    break;
                case 2:  // bricks
                    c = (y % 8 == 7 || (x + (y / 8 % 2) * 8) % 16 == 15)
                            ? grey(11)
                            : shade(Red, n < 60 ? 5 : 7);
                    break;
                case 3:  // sand
                    c = shade(Yellow, n < 30 ? 8 : n > 240 ? 12 : 10);
                    break;
                case 4:  // stone
                    c = grey(((x / 8 + y / 8) % 2 ? 7 : 9) + (n < 50 ? -1 : 0));
                    break;
                case 5:  // lava
                    c = shade(n < 128 ? Orange : Red,
                              9 + static_cast<int>(3 * std::sin((x * 0.3) + y * 0.2 + seed)));
                    break;
                case 6:  // rainbow
                    c = shade((x + y + seed) / 5 % kHues, 9);
                    break;
                default:  // meadow with flowers
                    c = shade(Lime, n < 50 ? 6 : 8);
                    break;
            }
            putPixel(page, ox + x, oy + y, c);
        }
    if (kind == 7)
        for (int i = 0; i < 5; ++i) {
            const int fx = ox + 4 + noise(i, 1, seed) % 24, fy = oy + 4 + noise(i, 2, seed) % 24;
            const std::uint8_t petal = shade(i % 2 ? Pink : Yellow, 11);
            fillCircle(page, fx, fy, 2, petal);
            putPixel(page, fx, fy, shade(Orange, 9));
        }
}

// A round hero in a helmet, frame f of a walk of eight.
void drawHero(Page& page, int ox, int oy, int f) {
    const int bob = f % 2;
    const int step = (f % 4 < 2) ? 2 : -2;
    const std::uint8_t outline = grey(1);
    // Feet.
    fillBox(page, ox + 10 + step, oy + 27, 5, 3, outline);
    fillBox(page, ox + 17 - step, oy + 27, 5, 3, outline);
    // Body and head.
    fillCircle(page, ox + 16, oy + 20 - bob, 8, outline);
    fillCircle(page, ox + 16, oy + 20 - bob, 7, shade(Blue, 9));
    fillCircle(page, ox + 16, oy + 11 - bob, 8, outline);
    fillCircle(page, ox + 16, oy + 11 - bob, 7, shade(Orange, 13));
    // Helmet and eyes.
    fillBox(page, ox + 9, oy + 3 - bob, 15, 5, shade(Red, 9));
    fillBox(page, ox + 14, oy + 1 - bob, 4, 3, shade(Yellow, 11));
    fillBox(page, ox + 12, oy + 10 - bob, 2, 3, outline);
    fillBox(page, ox + 19, oy + 10 - bob, 2, 3, outline);
    // A belt in a colour of its own for every frame.
    fillBox(page, ox + 9, oy + 20 - bob, 15, 2, shade((f * 2) % kHues, 10));
}

// A 16 x 16 item: gems, coins and hearts in turn, in many colours.
void drawItem(Page& page, int ox, int oy, int index) {
    const int hue = (index * 4) % kHues;
    switch (index % 3) {
        case 0:  // gem
            for (int y = 0; y < 12; ++y) {
                const int half = y < 4 ? 3 + y : 14 - y;
                fillBox(page, ox + 8 - half, oy + 2 + y, half * 2, 1,
                        shade(hue, y < 4 ? 12 : 8 + (y % 2)));
            }
            break;
        case 1:  // coin
            fillCircle(page, ox + 8, oy + 8, 6, shade(Yellow, 7));
            fillCircle(page, ox + 8, oy + 8, 4, shade(Yellow, 11));
            fillBox(page, ox + 6, oy + 5, 2, 2, shade(Yellow, 15));
            break;
        default:  // heart
            fillCircle(page, ox + 5, oy + 6, 3, shade(hue, 9));
            fillCircle(page, ox + 11, oy + 6, 3, shade(hue, 9));
            for (int y = 0; y < 7; ++y)
                fillBox(page, ox + 2 + y, oy + 7 + y, 13 - 2 * y, 1, shade(hue, 9));
            break;
    }
}

bool writeFresh(const std::filesystem::path& path, const Page& page, bool sprite) {
    std::filesystem::remove(path);
    return (sprite ? writeSpriteFile(path.string(), page) : writeTgaFile(path.string(), page)).ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zentil-examples FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    PageDefaults defaults;
    defaults.palette = makePalette();

    Page tiles, hero, items;
    if (!createPage(tiles, 32, 12, 32, 8, kMode8, defaults) ||
        !createPage(hero, 32, 8, 32, 1, kMode8, defaults) ||
        !createPage(items, 16, 8, 16, 4, kMode8, defaults)) {
        std::cerr << "zentil-examples: out of memory\n";
        return 1;
    }
    for (int t = 0; t < 96; ++t)
        drawTile(tiles, t % 12 * 32, t / 12 * 32, (t % 12 + t / 12) % 8, t);
    for (int f = 0; f < 8; ++f)
        drawHero(hero, f * 32, 0, f);
    for (int i = 0; i < 32; ++i)
        drawItem(items, i % 8 * 16, i / 8 * 16, i);
    for (Page* page : {&tiles, &hero, &items})
        setColorKey(*page, kKey);

    Config settings{};
    setConfigDefaults(settings);
    setConfigText(settings.palettePath, "Sheet.Pal");
    setConfigText(settings.openDirectory, std::filesystem::absolute(folder).string());
    settings.windowLeft = 0;
    settings.windowTop = 0;
    settings.windowWidth = 960;
    settings.windowHeight = 680;

    std::filesystem::remove(folder / "Sheet.Pal");
    const bool written = writeFresh(folder / "Tiles.gpf", tiles, true) &&
                         writeFresh(folder / "Hero.gpf", hero, true) &&
                         writeFresh(folder / "Hero.tga", hero, false) &&
                         writeFresh(folder / "Items.gpf", items, true) &&
                         savePaletteFile((folder / "Sheet.Pal").string(), hero.palette).ok &&
                         writeConfigFile((folder / kConfigFileName).string(), settings);
    if (!written) {
        std::cerr << "zentil-examples: cannot write into " << folder << '\n';
        return 1;
    }
    return 0;
}
