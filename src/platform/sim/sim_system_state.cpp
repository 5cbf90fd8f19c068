// The simulated system state.
#include "platform/sim/sim_system_state.h"

namespace cellaro::sim {

bool SimSystemState::screenSaverRunning() const {
    ++screenSaverQueries_;
    return screenSaverRunning_;
}

} // namespace cellaro::sim
