// What the canvas's tools ask of the main window.
#pragma once

#include "block_tool.h"

namespace zentil {

class TMainWin;

class MainCanvasHost final : public BlockToolHost {
  public:
    explicit MainCanvasHost(TMainWin& window) : w_(window) {}
    Workspace& workspace() override;
    void record(std::unique_ptr<Command> command) override;
    void closeStep() override;
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

}  // namespace zentil
