// The simulated display power: counts the requests to switch the displays off.
#pragma once

#include "platform/display_power.h"

#include <cstddef>

namespace cellaro::sim {

class SimDisplayPower final : public DisplayPower {
public:
    [[nodiscard]] std::size_t offRequests() const { return offRequests_; }

    void turnDisplaysOff() override { ++offRequests_; }

private:
    std::size_t offRequests_ = 0;
};

} // namespace cellaro::sim
