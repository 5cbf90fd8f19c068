// The display power over the Windows API.
#pragma once

#include "platform/display_power.h"

namespace cellaro::win32 {

class Win32DisplayPower final : public DisplayPower {
public:
    void turnDisplaysOff() override;
};

} // namespace cellaro::win32
