#include "tool_icons.h"

#include <QImage>
#include <QPixmap>

namespace zentil {
namespace {

// One character per pixel: '.' clear, 'k' outline, 'w' light, 'y' yellow,
// 'r' red, 'b' blue, 'g' grey.
using Picture = const char* const[16];

constexpr Picture kBlock = {
    "................", ".kk.kk.kk.kk.kk.", ".k............k.", "................",
    ".k............k.", ".k...bbbbbb...k.", "......bbbbbb....", ".k...bbbbbb...k.",
    ".k...bbbbbb...k.", "......bbbbbb....", ".k...bbbbbb...k.", ".k............k.",
    "................", ".k............k.", ".kk.kk.kk.kk.kk.", "................"};
constexpr Picture kPencil = {
    "...........kk...", "..........krrk..", ".........kwrrrk.", "........kyykrk..",
    ".......kyyyyk...", "......kyyyyk....", ".....kyyyyk.....", "....kyyyyk......",
    "...kyyyyk.......", "..kwyyyk........", "..kwwyk.........", ".kwwwk..........",
    ".kkwk...........", ".kkk............", "................", "................"};
constexpr Picture kEraser = {
    "................", "........kkkk....", ".......krrrrk...", "......krrrrrrk..",
    ".....krrrrrrrrk.", "....kwkrrrrrrk..", "...kwwwkrrrrk...", "..kwwwwwkrrk....",
    ".kwwwwwwwkk.....", "..kwwwwwk.......", "...kwwwk........", "....kkk.........",
    "................", "..gggggggggggg..", "................", "................"};
constexpr Picture kEyedropper = {
    "............kk..", "...........kkkk.", "..........kkkkk.", ".........kkkkk..",
    "........kwkkk...", ".......kwwwk....", "......kwwwk.....", ".....kwwwk......",
    "....kwwwk.......", "...kbbbk........", "..kbbbk.........", ".kbbbk..........",
    ".kbbk...........", "..kk............", "................", "................"};
constexpr Picture kFill = {
    "................", "......kk........", ".....kwwk.......", "....kwwwwk......",
    "...kwwwwwwk.....", "..kwwwwwwwwk....", ".kbbbbbbbbbbk...", "..kbbbbbbbbkbb..",
    "...kbbbbbbk.bbb.", "....kbbbbk..bbb.", ".....kbbk....bb.", "......kk.....b..",
    "................", "................", "................", "................"};
constexpr Picture kLine = {
    "................", ".............kk.", "............kkk.", "...........kk...",
    "..........kk....", ".........kk.....", "........kk......", ".......kk.......",
    "......kk........", ".....kk.........", "....kk..........", "...kk...........",
    "..kk............", ".kkk............", ".kk.............", "................"};

QRgb colourOf(char c) {
    switch (c) {
        case 'k':
            return qRgb(0x20, 0x20, 0x20);
        case 'w':
            return qRgb(0xF4, 0xF4, 0xF0);
        case 'y':
            return qRgb(0xF2, 0xC1, 0x2E);
        case 'r':
            return qRgb(0xE0, 0x5A, 0x6E);
        case 'b':
            return qRgb(0x3D, 0x8B, 0xE0);
        case 'g':
            return qRgb(0x90, 0x90, 0x90);
        default:
            return qRgba(0, 0, 0, 0);
    }
}

const Picture& pictureOf(ToolKind kind) {
    switch (kind) {
        case ToolKind::Pencil:
            return kPencil;
        case ToolKind::Eraser:
            return kEraser;
        case ToolKind::Eyedropper:
            return kEyedropper;
        case ToolKind::Fill:
            return kFill;
        case ToolKind::Line:
            return kLine;
        case ToolKind::Block:
            break;
    }
    return kBlock;
}

}  // namespace

QIcon toolIcon(ToolKind kind) {
    const Picture& picture = pictureOf(kind);
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, colourOf(picture[y][x]));
    // Twice the size, pixel for pixel, so the icon stays crisp on the button.
    return QIcon(QPixmap::fromImage(image.scaled(32, 32)));
}

}  // namespace zentil
