// The tool strip's icons, drawn as 16 x 16 pixel pictures in the program
// itself, so that they look alike on every desktop and need no files.
#pragma once

#include <QIcon>

namespace zentil {

enum class ToolKind { Block, Pencil, Eraser, Eyedropper, Fill, Line };

QIcon toolIcon(ToolKind kind);

}  // namespace zentil
