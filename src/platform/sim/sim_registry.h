// The simulated autostart registry: the Run key's string values in memory, able to fail on demand.
#pragma once

#include "platform/registry.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace cellaro::sim {

// Value names compare without regard to letter case, as the registry's do.
class SimAutostartRegistry final : public AutostartRegistry {
public:
    SimAutostartRegistry() = default;

    // ----- Driving -----

    // While reads fail, every value reads as absent (the key could not be opened).
    void setReadsFail(bool fail) { readsFail_ = fail; }
    // While writes fail, setting and deleting change nothing and report failure.
    void setWritesFail(bool fail) { writesFail_ = fail; }
    // Puts a value in place as another program (or the user) would; not counted as a write.
    void preset(const std::string& name, const std::string& command);

    // ----- Inspecting -----

    // Successful and failed set and delete requests.
    [[nodiscard]] std::size_t writeCount() const { return writeCount_; }
    [[nodiscard]] std::size_t valueCount() const { return values_.size(); }

    // ----- The registry port -----

    [[nodiscard]] std::optional<std::string> runValue(const std::string& name) const override;
    bool setRunValue(const std::string& name, const std::string& command) override;
    bool deleteRunValue(const std::string& name) override;

private:
    std::map<std::string, std::string> values_; // keyed by the lower-case name
    bool readsFail_ = false;
    bool writesFail_ = false;
    std::size_t writeCount_ = 0;
};

} // namespace cellaro::sim
