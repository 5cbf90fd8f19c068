// The system-state port: what the program asks about the session as a whole.
#pragma once

namespace cellaro {

class SystemState {
public:
    SystemState() = default;
    SystemState(const SystemState&) = delete;
    SystemState& operator=(const SystemState&) = delete;
    SystemState(SystemState&&) = delete;
    SystemState& operator=(SystemState&&) = delete;
    virtual ~SystemState() = default;

    // Whether a screen saver is running now.
    [[nodiscard]] virtual bool screenSaverRunning() const = 0;
};

} // namespace cellaro
