// What the file commands and the work session ask of the window they work
// in: the document (the lists and the canvas follow its changes), where
// messages and file dialogs go, and the few things of the canvas that a
// file brings along.
#pragma once

#include <QString>

#include "work/workspace.h"

class QWidget;

namespace zentil {

class Document;
class MessageSink;
class FileDialogs;

class FileCommandHost {
  public:
    virtual ~FileCommandHost() = default;
    virtual Document& document() = 0;
    virtual MessageSink& messages() = 0;
    virtual FileDialogs& fileDialogs() = 0;
    // The window that progress and questions stand over.
    virtual QWidget* window() = 0;
    // The canvas ignores presses for a moment, so that the click that closed
    // a file dialog does not reach it.
    virtual void guardCanvas() = 0;
    // The canvas's gesture is put away (a session is replaced) ...
    virtual void cancelCanvas() = 0;
    // ... or still under way on the current page.
    virtual bool canvasBusy() const = 0;
    // A line in the status bar for a while.
    virtual void showStatusLine(const QString& text) = 0;
};

}  // namespace zentil
