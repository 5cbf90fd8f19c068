// The autostart port over the current user's Run key in the registry.
#pragma once

#include "platform/registry.h"

namespace cellaro::win32 {

class Win32AutostartRegistry final : public AutostartRegistry {
public:
    [[nodiscard]] std::optional<std::string> runValue(const std::string& name) const override;
    bool setRunValue(const std::string& name, const std::string& command) override;
    bool deleteRunValue(const std::string& name) override;
};

} // namespace cellaro::win32
