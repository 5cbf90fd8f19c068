// Benchmarks of the window manager list on a simulated desktop with 1500 windows: opening the
// dialog (the window list built and one row made per window), and a Refresh of the open dialog.
#include "config/settings.h"
#include "forms/winlist/window_manager_list.h"
#include "logic/session.h"
#include "logic/winlist/window_list.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_form_host.h"
#include "platform/sim/sim_shell.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace cellaro {
namespace {

constexpr int kWindowCount = 1500;
constexpr const char* kConfigPath = "C:\\Program Files\\Cellaro\\CRO.cfg";

struct Desk {
    Desk() {
        desktop.addMonitor(sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
        for (int k = 0; k < kWindowCount; ++k) {
            sim::WindowOptions options;
            options.title = "Document " + std::to_string(k) + " - Editor";
            options.executablePath = "C:\\Apps\\app" + std::to_string(k % 7) + ".exe";
            // Every third window answers with its own icon; the others show their file's.
            if (k % 3 == 0) {
                options.bigIcon = Colour::rgb(static_cast<std::uint8_t>(k), 90, 160);
            }
            options.bounds = Rect::fromBounds(10 + k % 300, 10 + k % 200, 640, 480);
            options.state = k % 5 == 0 ? ShowState::Minimized : ShowState::Normal;
            desktop.createWindow(options);
        }
        for (int k = 0; k < 7; ++k) {
            desktop.setFileIcon("C:\\Apps\\app" + std::to_string(k) + ".exe", Colour::rgb(200, 100, 0));
        }
        settings.load();
        dialog = std::make_unique<WindowManagerList>(
            WindowManagerListServices{host, desktop, loop, shell, settings, session, list, {}, {}, {}, {}});
    }

    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    sim::SimFileSystem files;
    sim::SimFormHost host{desktop, loop};
    sim::SimShell shell{loop};
    SettingsModel settings{files, kConfigPath};
    Session session;
    WindowList list{desktop};
    std::unique_ptr<WindowManagerList> dialog;
};

// Opening: the first activation builds the list and makes the rows; closing (not timed) takes
// them down again.
void BM_WindowManagerListOpen(benchmark::State& state) {
    Desk desk;
    for (auto _ : state) {
        desk.dialog->show(true);
        state.PauseTiming();
        desk.dialog->close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWindowCount);
}
BENCHMARK(BM_WindowManagerListOpen)->Unit(benchmark::kMillisecond);

// Refresh of the open dialog: snapshot, build with carry-over, the old rows destroyed and new ones
// made.
void BM_WindowManagerListRefresh(benchmark::State& state) {
    Desk desk;
    desk.dialog->show(true);
    for (auto _ : state) {
        desk.dialog->refresh();
    }
    state.SetItemsProcessed(state.iterations() * kWindowCount);
}
BENCHMARK(BM_WindowManagerListRefresh)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace cellaro
