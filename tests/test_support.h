// Shared helpers for the core tests: a recorder for messages and canvas
// requests, and a fixture that starts every test from an empty program state.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <string>
#include <utility>
#include <vector>

#include "image/page.h"
#include "image/page_table.h"
#include "image/palette.h"
#include "system/canvas_events.h"
#include "system/config.h"
#include "system/messages.h"

namespace zentil::test {

struct RecordedMessage {
    std::string caption;
    std::string text;
    bool operator==(const RecordedMessage&) const = default;
};

class MessageRecorder final : public MessageSink {
  public:
    void message(std::string_view caption, std::string_view text) override {
        messages.push_back({std::string(caption), std::string(text)});
    }
    bool ask(std::string_view caption, std::string_view text) override {
        questions.push_back({std::string(caption), std::string(text)});
        return answer;
    }
    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> questions;
    bool answer = false;
};

class CanvasRecorder final : public CanvasView {
  public:
    void scrollToOrigin() override { events.push_back("scroll"); }
    void showPage(const Page& page, bool dropPrevious) override {
        events.push_back(std::string(dropPrevious ? "show-fresh " : "show ") +
                         std::to_string(page.width) + "x" + std::to_string(page.height));
    }
    void redrawCurrentPage() override { events.push_back("redraw-current"); }
    std::vector<std::string> events;
};

// Resets the page table, settings and default palette, and records messages
// and canvas requests for the duration of a test.
class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        releaseAllPages();
        config() = Config{};
        defaultPalette() = Palette{};
        previousSink_ = setMessageSink(&recorder);
        previousView_ = setCanvasView(&canvas);
    }
    void TearDown() override {
        releaseAllPages();
        setMessageSink(previousSink_);
        setCanvasView(previousView_);
    }

    MessageRecorder recorder;
    CanvasRecorder canvas;

  private:
    MessageSink* previousSink_ = nullptr;
    CanvasView* previousView_ = nullptr;
};

// A palette whose entry i is (i, 255 - i, i * 7 mod 256), so that every entry differs.
inline Palette rampPalette() {
    Palette p{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        p[i * 3 + 0] = static_cast<std::uint8_t>(i);
        p[i * 3 + 1] = static_cast<std::uint8_t>(255 - i);
        p[i * 3 + 2] = static_cast<std::uint8_t>((i * 7) % 256);
    }
    return p;
}

// Limits the size of files this process may write for the life of the guard,
// so that writing past it fails (with the signal that would end the process
// ignored).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool ok() const { return ok_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool ok_ = false;
};

}  // namespace zentil::test
