// The display-power port: switching the displays off.
#pragma once

namespace cellaro {

class DisplayPower {
public:
    DisplayPower() = default;
    DisplayPower(const DisplayPower&) = delete;
    DisplayPower& operator=(const DisplayPower&) = delete;
    DisplayPower(DisplayPower&&) = delete;
    DisplayPower& operator=(DisplayPower&&) = delete;
    virtual ~DisplayPower() = default;

    // Asks the system to switch every display off (they wake again on input). Never waits for it.
    virtual void turnDisplaysOff() = 0;
};

} // namespace cellaro
