// The tools' icons and cursors, drawn from 16 x 16 pixel pictures in the
// program itself, so that they look alike on every desktop and need no
// files. One character per pixel: '.' clear, 'k' outline, 'w' light,
// 'y' yellow, 'r' red, 'b' blue, 'g' grey.
#pragma once

#include <QCursor>
#include <QIcon>

#include "canvas_tool.h"

namespace zentil {

QIcon toolIcon(const ToolPicture& picture);
QCursor toolCursor(const ToolCursor& cursor);

}  // namespace zentil
