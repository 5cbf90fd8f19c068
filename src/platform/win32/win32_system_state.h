// The system-state port over the system parameters.
#pragma once

#include "platform/system_state.h"

namespace cellaro::win32 {

class Win32SystemState final : public SystemState {
public:
    [[nodiscard]] bool screenSaverRunning() const override;
};

} // namespace cellaro::win32
