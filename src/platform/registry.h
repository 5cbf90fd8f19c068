// The autostart port: one string value under the current user's Run key.
#pragma once

#include <optional>
#include <string>

namespace cellaro {

class AutostartRegistry {
public:
    AutostartRegistry() = default;
    AutostartRegistry(const AutostartRegistry&) = delete;
    AutostartRegistry& operator=(const AutostartRegistry&) = delete;
    AutostartRegistry(AutostartRegistry&&) = delete;
    AutostartRegistry& operator=(AutostartRegistry&&) = delete;
    virtual ~AutostartRegistry() = default;

    // The command stored under this value name, or nothing when the value is absent.
    [[nodiscard]] virtual std::optional<std::string> runValue(const std::string& name) const = 0;
    virtual bool setRunValue(const std::string& name, const std::string& command) = 0;
    // True when the value is absent afterwards.
    virtual bool deleteRunValue(const std::string& name) = 0;
};

} // namespace cellaro
