// The simulated clock: the date and time texts the test sets.
#pragma once

#include "platform/clock.h"

#include <string>
#include <utility>

namespace cellaro::sim {

class SimClock final : public Clock {
public:
    void setNow(std::string date, std::string time) {
        texts_ = DateTimeTexts{std::move(date), std::move(time)};
    }

    [[nodiscard]] DateTimeTexts now() const override { return texts_; }

private:
    DateTimeTexts texts_{"08/12/2026", "13:45:00"};
};

} // namespace cellaro::sim
