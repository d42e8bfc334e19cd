// Marks a text that the front ends show translated. The compiler sees the
// text alone; lupdate, told to read the mark as QT_TRANSLATE_NOOP
// (translations/CMakeLists.txt), files it under `context` in every
// translation file, from which the editor's translations and zentil-tool's
// table are built. The core stays free of Qt: the mark is all it knows.
#pragma once

#define ZENTIL_TEXT(context, text) text
