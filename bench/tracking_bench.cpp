// Benchmarks of target window tracking: the 125 ms tick on a simulated desktop with 200 windows,
// with the working window hidden and shown, on target changes, and with nothing to fall back to.
#include "logic/target_tracker.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_system_state.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

constexpr int kWindowCount = 200;
constexpr const char* kProgramPath = "C:\\Program Files\\Cellaro\\cellaro.exe";

// The working window's side, doing as little as a real one would when nothing changed.
class QuietHost final : public TrackingHost {
public:
    WindowId workingWindow;
    WindowId trayForm;
    bool visible = false;
    std::size_t displays = 0;

    [[nodiscard]] WindowId workingWindowId() const override { return workingWindow; }
    [[nodiscard]] WindowId trayFormId() const override { return trayForm; }
    [[nodiscard]] bool workingWindowVisible() const override { return visible; }
    [[nodiscard]] bool workingWindowMinimised() const override { return false; }
    [[nodiscard]] bool workingWindowTopmost() const override { return true; }
    void makeWorkingWindowTopmost() override {}
    void bringWorkingWindowToFront() override {}
    void closeWorkingWindow() override {}
    [[nodiscard]] int currentMonitorIndex() const override { return 1; }
    [[nodiscard]] bool previewVisible() const override { return visible; }
    void parkPreviewLeft() override {}
    void setNextMonitorAvailable(bool /*available*/) override {}
    void showTargetDisplay(const Bitmap& icon, const std::string& title) override {
        displays += static_cast<std::size_t>(icon.width()) + title.size();
    }
    void showDesktopDisplay() override { ++displays; }
    [[nodiscard]] std::string fitStatusText(const std::string& title) const override { return title; }
    [[nodiscard]] Colour statusBackground() const override { return Colour{}; }
    void setTrayHint(const std::string& /*hint*/) override {}
};

// Two monitors, the program's two windows, the shell's desktop and 200 application windows with
// icons, the topmost of which has the foreground.
struct Desk {
    Desk() {
        desktop.addMonitor(sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
        desktop.addMonitor(sim::SimDesktop::makeMonitor(1920, 0, 1280, 1024, 0, false));
        sim::WindowOptions shell;
        shell.title = "Program Manager";
        desktop.createWindow(shell);
        for (int k = 0; k < kWindowCount; ++k) {
            sim::WindowOptions options;
            options.title = "Document " + std::to_string(k) + " - Editor";
            options.executablePath = "C:\\Apps\\app" + std::to_string(k % 7) + ".exe";
            options.bigIcon = Colour::rgb(static_cast<std::uint8_t>(k), 90, 160);
            windows.push_back(desktop.createWindow(options));
        }
        sim::WindowOptions own;
        own.title = "Cellaro";
        own.executablePath = kProgramPath;
        own.visible = false;
        host.trayForm = desktop.createWindow(own);
        host.workingWindow = desktop.createWindow(own);
        desktop.activate(windows.back());
        tracker.tick();
    }

    sim::SimDesktop desktop;
    sim::SimSystemState system;
    QuietHost host;
    TargetTracker tracker{desktop, system, kProgramPath, host};
    std::vector<WindowId> windows;
};

// Icon requests per tick.
void reportIconFetches(benchmark::State& state, const Desk& desk) {
    state.counters["icon_fetches"] =
        benchmark::Counter(static_cast<double>(desk.desktop.callCount(sim::CallKind::BigIcon)),
                           benchmark::Counter::kAvgIterations);
}

void runTicks(benchmark::State& state, Desk& desk) {
    for (auto _ : state) {
        desk.tracker.tick();
    }
    benchmark::DoNotOptimize(desk.host.displays);
    reportIconFetches(state, desk);
}

void BM_TrackTickHidden(benchmark::State& state) {
    Desk desk;
    desk.desktop.clearCalls();
    runTicks(state, desk);
}
BENCHMARK(BM_TrackTickHidden);

void BM_TrackTickShown(benchmark::State& state) {
    Desk desk;
    desk.host.visible = true;
    desk.desktop.clearCalls();
    runTicks(state, desk);
}
BENCHMARK(BM_TrackTickShown);

// The user switches between two windows before every tick: each tick adopts a new target and
// fetches its icon.
void BM_TrackTickTargetChangeShown(benchmark::State& state) {
    Desk desk;
    desk.host.visible = true;
    const WindowId first = desk.windows[10];
    const WindowId second = desk.windows[20];
    desk.desktop.clearCalls();
    bool flip = false;
    for (auto _ : state) {
        desk.desktop.activate(flip ? first : second);
        flip = !flip;
        desk.tracker.tick();
    }
    reportIconFetches(state, desk);
}
BENCHMARK(BM_TrackTickTargetChangeShown);

// Every window hidden and the target gone: each tick scans the whole z-order for a fallback.
void BM_TrackTickNoFallbackHidden(benchmark::State& state) {
    Desk desk;
    desk.desktop.activate(kNoWindow);
    for (const WindowId window : desk.windows) {
        desk.desktop.setVisible(window, false);
    }
    desk.desktop.clearCalls();
    runTicks(state, desk);
}
BENCHMARK(BM_TrackTickNoFallbackHidden);

} // namespace
} // namespace cellaro
