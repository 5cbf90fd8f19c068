// Benchmark of the window list build: snapshot and build over a simulated desktop with 1500
// visible windows, a fifth of them marked for a group so the carry-over has work to do.
#include "logic/winlist/window_list.h"
#include "platform/sim/sim_desktop.h"

#include <benchmark/benchmark.h>

#include <string>

namespace cellaro {
namespace {

constexpr int kWindowCount = 1500;
constexpr int kMarkedEvery = 5;

struct Desk {
    Desk() {
        desktop.addMonitor(sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
        for (int i = 0; i < kWindowCount; ++i) {
            sim::WindowOptions options;
            // Titles that share long heads, as a browser's or an editor's many windows do.
            options.title = "Document " + std::to_string(i % 97) + " - Editor (" + std::to_string(i) + ")";
            options.bounds = Rect::fromBounds(10 + (i % 50), 10 + (i % 40), 800, 600);
            desktop.createWindow(options);
        }
        list.build();
        for (int row = 0; row < list.count(); row += kMarkedEvery) {
            list.entry(row).marks.groups.at(1) = true;
        }
    }

    sim::SimDesktop desktop;
    WindowList list{desktop};
};

void BM_WindowListBuild1500(benchmark::State& state) {
    Desk desk;
    for (auto _ : state) {
        desk.list.snapshot();
        benchmark::DoNotOptimize(desk.list.build());
    }
    state.SetItemsProcessed(state.iterations() * kWindowCount);
}
BENCHMARK(BM_WindowListBuild1500)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace cellaro
