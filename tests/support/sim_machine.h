// A simulated machine for scenario tests: every port over the simulated desktop, and the program
// started on it as the entry point starts it on Windows.
#pragma once

#include "app/ports.h"
#include "app/program.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_display_power.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_form_host.h"
#include "platform/sim/sim_hot_keys.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_mail.h"
#include "platform/sim/sim_printer.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_screen_capture.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system_state.h"

#include <memory>

namespace cellaro::testing {

// Where the second monitor lies next to the primary.
enum class SecondMonitor { Right, Left, Above, Below };

struct SimMachine {
    static constexpr const char* kProgramPath = "C:\\Program Files\\Cellaro\\cellaro.exe";
    static constexpr const char* kConfigPath = "C:\\Program Files\\Cellaro\\CRO.cfg";

    // The second monitor's rectangle for each place: 1280 x 1024 beside the 1920 x 1080 primary,
    // top-aligned or left-aligned.
    static Rect secondMonitorBounds(SecondMonitor where) {
        switch (where) {
        case SecondMonitor::Left:
            return Rect::fromBounds(-1280, 0, 1280, 1024);
        case SecondMonitor::Above:
            return Rect::fromBounds(0, -1024, 1280, 1024);
        case SecondMonitor::Below:
            return Rect::fromBounds(0, 1080, 1280, 1024);
        case SecondMonitor::Right:
            break;
        }
        return Rect::fromBounds(1920, 0, 1280, 1024);
    }

    // One 1920 x 1080 monitor with a 40-pixel task bar, at this scale; two adds a 1280 x 1024 one at
    // its own scale, to the primary's right unless told otherwise.
    explicit SimMachine(int monitors = 1, int dpi = kBaseDpi, SecondMonitor where = SecondMonitor::Right,
                        int secondDpi = kBaseDpi) {
        Monitor first = sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true);
        first.dpi = dpi;
        desktop.addMonitor(first);
        if (monitors > 1) {
            const Rect second = secondMonitorBounds(where);
            Monitor monitor = sim::SimDesktop::makeMonitor(second.left, second.top, second.width(),
                                                           second.height(), 0, false);
            monitor.dpi = secondDpi;
            desktop.addMonitor(monitor);
        }
        // Answer delays and the system's late hung flag go by the loop's clock.
        desktop.setClock([this] { return loop.nowMs(); });
        files.setProgramPath(kProgramPath);
        // Whenever the program's thread yields, the other programs' threads carry out what it
        // posted to their windows.
        loop.addYieldHandler([this] { desktop.runOtherThreads(); });
    }

    Program& start() {
        program = std::make_unique<Program>(ports);
        return *program;
    }

    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    sim::SimFileSystem files;
    sim::SimAutostartRegistry registry;
    sim::SimKeyNames keyNames;
    sim::SimFormHost host{desktop, loop};
    sim::SimShell shell{loop};
    sim::SimSystemState systemState;
    sim::SimScreenCapture screen{desktop};
    sim::SimDisplayPower displayPower;
    sim::SimHotKeys hotKeys;
    sim::SimMailSender mail;
    sim::SimPrinter printer;
    sim::SimClock clock;
    Ports ports{desktop,     files,  registry,     loop,    keyNames, host,    shell,
                systemState, screen, displayPower, hotKeys, mail,     printer, clock};
    std::unique_ptr<Program> program;
};

} // namespace cellaro::testing
