// The simulated autostart registry.
#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cctype>

namespace cellaro::sim {

namespace {

std::string lowerCase(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

void SimAutostartRegistry::preset(const std::string& name, const std::string& command) {
    values_[lowerCase(name)] = command;
}

std::optional<std::string> SimAutostartRegistry::runValue(const std::string& name) const {
    if (readsFail_) {
        return std::nullopt;
    }
    const auto found = values_.find(lowerCase(name));
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
    values_[lowerCase(name)] = command;
    return true;
}

bool SimAutostartRegistry::deleteRunValue(const std::string& name) {
    ++writeCount_;
    if (writesFail_) {
        return false;
    }
    values_.erase(lowerCase(name));
    return true;
}

} // namespace cellaro::sim
