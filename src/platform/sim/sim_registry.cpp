// The simulated autostart registry.
#include "platform/sim/sim_registry.h"

#include "core/ascii.h"

#include <algorithm>

namespace cellaro::sim {

namespace {} // namespace

void SimAutostartRegistry::preset(const std::string& name, const std::string& command) {
    values_[ascii::lowered(name)] = command;
}

std::optional<std::string> SimAutostartRegistry::runValue(const std::string& name) const {
    if (readsFail_) {
        return std::nullopt;
    }
    const auto found = values_.find(ascii::lowered(name));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool SimAutostartRegistry::setRunValue(const std::string& name, const std::string& command) {
    ++writeCount_;
    if (writesFail_) {
        return false;
    }
    values_[ascii::lowered(name)] = command;
    return true;
}

bool SimAutostartRegistry::deleteRunValue(const std::string& name) {
    ++writeCount_;
    if (writesFail_) {
        return false;
    }
    values_.erase(ascii::lowered(name));
    return true;
}

} // namespace cellaro::sim
