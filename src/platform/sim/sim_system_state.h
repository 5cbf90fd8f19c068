// The simulated system state: a screen saver that tests switch on and off.
#pragma once

#include "platform/system_state.h"

#include <cstddef>

namespace cellaro::sim {

class SimSystemState final : public SystemState {
public:
    SimSystemState() = default;

    // ----- Driving -----

    void setScreenSaverRunning(bool running) { screenSaverRunning_ = running; }

    // ----- Inspecting -----

    // How often the program asked whether a screen saver runs.
    [[nodiscard]] std::size_t screenSaverQueries() const { return screenSaverQueries_; }

    // ----- The system-state port -----

    [[nodiscard]] bool screenSaverRunning() const override;

private:
    bool screenSaverRunning_ = false;
    mutable std::size_t screenSaverQueries_ = 0;
};

} // namespace cellaro::sim
