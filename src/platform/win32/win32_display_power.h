// The display power over the Windows API: the monitor-power system command, sent to a hidden window
// of the program's own.
#pragma once

#include "platform/display_power.h"
#include "platform/win32/win32_message_window.h"

namespace cellaro::win32 {

class Win32DisplayPower final : public DisplayPower, private MessageWindow {
public:
    Win32DisplayPower();
    ~Win32DisplayPower() override;
    Win32DisplayPower(const Win32DisplayPower&) = delete;
    Win32DisplayPower& operator=(const Win32DisplayPower&) = delete;
    Win32DisplayPower(Win32DisplayPower&&) = delete;
    Win32DisplayPower& operator=(Win32DisplayPower&&) = delete;

    void turnDisplaysOff() override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace cellaro::win32
