// What the editor's commands reach in the window they work in: the parts
// that carry out the commands, the state that says when a command can run,
// and the keys that work only where the focus is.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

class QWidget;

namespace zentil {

class ByteMapSwitch;
class CanvasTools;
class EditorStatus;
class FileCommands;
class History;
class PageCanvas;
class PageCommands;
class WorkSession;
class Workspace;

// The window's own commands: the dialogs it opens, the history, leaving.
enum class WindowCommand {
    NewImage,
    Animation,
    WholeImage,
    TileSize,
    KeyColour,
    ChangeColour,
    ViewPalette,
    DeveloperSite,
    Undo,
    Redo,
    Quit
};

// A key that works only while a list or the canvas has the focus, as the
// keys window lists it.
struct FocusKey {
    QKeySequence keys;
    QString where;
    QString what;
};

class ActionHost {
  public:
    virtual ~ActionHost() = default;
    virtual QWidget& window() = 0;
    virtual const Workspace& workspace() const = 0;
    virtual const History& history() const = 0;
    virtual void run(WindowCommand command) = 0;
    virtual FileCommands& files() = 0;
    virtual WorkSession& session() = 0;
    virtual PageCommands& pages() = 0;
    virtual EditorStatus& status() = 0;
    virtual ByteMapSwitch& byteMap() = 0;
    virtual CanvasTools& tools() = 0;
    virtual const PageCanvas& canvas() const = 0;
    // The page lists, where the keys of a list work.
    virtual QList<QWidget*> lists() = 0;
    virtual std::vector<FocusKey> focusKeys() = 0;
};

}  // namespace zentil
