// What the canvas's tools, the file commands and the editor's actions ask of
// the main window.
#pragma once

#include "action_host.h"
#include "block_tool.h"
#include "file_command_host.h"

namespace zentil {

class TMainWin;

class MainCanvasHost final : public BlockToolHost {
  public:
    explicit MainCanvasHost(TMainWin& window) : w_(window) {}
    Workspace& workspace() override;
    void record(std::unique_ptr<Command> command) override;
    void closeStep() override;
    void dropStep(const Command* edit) override;
    void report(const Outcome& outcome) override;
    void showPixelInfo(int x, int y) override;
    int copyMode() const override;
    int areaLayer() const override;
    int areaScope() const override;
    bool acceptsClicks() const override;
    void blockLiftedChanged(bool lifted) override;
    void showCurrent() override;

  private:
    TMainWin& w_;
};

class MainFileHost final : public FileCommandHost {
  public:
    explicit MainFileHost(TMainWin& window) : w_(window) {}
    Document& document() override;
    MessageSink& messages() override;
    FileDialogs& fileDialogs() override;
    QWidget* window() override;
    void guardCanvas() override;
    void cancelCanvas() override;
    bool canvasBusy() const override;
    void showStatusLine(const QString& text) override;

  private:
    TMainWin& w_;
};

class MainActionHost final : public ActionHost {
  public:
    explicit MainActionHost(TMainWin& window) : w_(window) {}
    QWidget& window() override;
    const Workspace& workspace() const override;
    const History& history() const override;
    void run(WindowCommand command) override;
    FileCommands& files() override;
    WorkSession& session() override;
    PageCommands& pages() override;
    EditorStatus& status() override;
    ByteMapSwitch& byteMap() override;
    CanvasTools& tools() override;
    const PageCanvas& canvas() const override;
    QList<QWidget*> lists() override;
    std::vector<FocusKey> focusKeys() override;

  private:
    TMainWin& w_;
};

}  // namespace zentil
