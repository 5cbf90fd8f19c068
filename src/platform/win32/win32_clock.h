// The clock port over the system's local time and the user's locale formats.
#pragma once

#include "platform/clock.h"

namespace cellaro::win32 {

class Win32Clock final : public Clock {
public:
    [[nodiscard]] DateTimeTexts now() const override;
};

} // namespace cellaro::win32
