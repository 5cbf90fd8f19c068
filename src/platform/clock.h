// The clock port: the current local date and time as the user reads them.
#pragma once

#include <string>

namespace cellaro {

struct DateTimeTexts {
    std::string date; // the user's short date format
    std::string time; // the user's long time format
};

class Clock {
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    Clock(Clock&&) = delete;
    Clock& operator=(Clock&&) = delete;
    virtual ~Clock() = default;

    // Both texts of the same moment, now, in the user's locale (UTF-8).
    [[nodiscard]] virtual DateTimeTexts now() const = 0;
};

} // namespace cellaro
