// Taking a stamp back and doing it again: a 512 x 512 block on a 2048 x 2048
// page, beside a memcpy of the block's bytes in the same run; the memory a
// step keeps; and a press that stamps 50 tiles, which is one step.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "edit/block.h"
#include "memcpy_reference.h"
#include "work/history.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048, kTile = 32, kBlock = 512;

// A workspace holding one 2048 x 2048 sprite page of noise, and a 512 x 512
// block lifted from it and composed.
struct Sheet {
    Workspace ws;
    LiftedBlock lifted;
    Page* page = nullptr;
    bool make() {
        auto sheet = std::make_unique<Page>();
        if (!createPage(*sheet, kTile, kSide / kTile, kTile, kSide / kTile, kMode8)) return false;
        std::mt19937 rng(9);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                putPixel(*sheet, x, y, rng() % 256);
        page = &ws.sprites.at(ws.sprites.append(std::move(sheet)));
        return liftBlock(lifted, *page, 256, 256, kBlock, kBlock, {}).ok &&
               composeBlockView(lifted, *page, 1024, 1024, 0).ok;
    }
    std::unique_ptr<Command> stamp(int left, int top, int stroke) {
        Outcome outcome;
        const auto edit = [&](Page& p) { return stampBlock(p, lifted, left, top); };
        if (stroke > 0)
            return strokeEdit(ws, *page, {left, top, kBlock, kBlock}, edit, outcome, stroke);
        return editRect(ws, *page, {left, top, kBlock, kBlock}, edit, outcome);
    }
};

void memcpyBlock(benchmark::State& state) {
    bench::runMemcpy(state, std::size_t{kBlock} * kBlock, std::int64_t{kBlock} * kBlock);
}

// One iteration is one undo or one redo, in turn.
void undoRedoStamp(benchmark::State& state) {
    Sheet s;
    if (!s.make()) return state.SkipWithError("the sheet could not be made");
    History history;
    history.push(s.stamp(1024, 1024, 0));
    bool undo = true;
    for (auto _ : state) {
        Outcome outcome;
        if (undo)
            history.undo(s.ws);
        else
            history.redo(s.ws, outcome);
        undo = !undo;
        benchmark::ClobberMemory();
    }
    state.counters["bytes_kept_per_step"] = static_cast<double>(history.bytes());
    state.counters["page_bytes"] = static_cast<double>(pixelBufferBytes(*s.page));
    state.SetItemsProcessed(state.iterations() * std::int64_t{kBlock} * kBlock);
}

// A press that stamps, carried over 50 tiles: the steps the history holds.
void fiftyTileStroke(benchmark::State& state) {
    Sheet s;
    if (!s.make()) return state.SkipWithError("the sheet could not be made");
    std::size_t steps = 0;
    for (auto _ : state) {
        History history;
        for (int i = 0; i < 50; ++i)
            history.push(s.stamp((i % 10) * kTile * 4, (i / 10) * kTile * 4, 1));
        history.closeStep();
        steps = history.undoCount();
        benchmark::DoNotOptimize(steps);
    }
    state.counters["history_steps"] = static_cast<double>(steps);
}

BENCHMARK(memcpyBlock)->Name("history/memcpy_512x512_block")->Unit(benchmark::kMicrosecond);
BENCHMARK(undoRedoStamp)->Name("history/undo_or_redo_512x512_stamp")->Unit(benchmark::kMicrosecond);
BENCHMARK(fiftyTileStroke)->Name("history/stroke_of_50_stamps")->Unit(benchmark::kMillisecond);

}  // namespace
