// The simulated keyboard's key names.
#include "platform/sim/sim_keyboard.h"

namespace cellaro::sim {

SimKeyNames::SimKeyNames()
    : names_{{0x0C, "Num 5"},       {0x10, "Shift"},       {0x11, "Ctrl"},     {0x12, "Alt"},
             {0x13, "Pause"},       {0x14, "Caps Lock"},   {0x2C, "Sys Req"},  {0x5B, "Left Windows"},
             {0x5D, "Application"}, {0x6A, "Num *"},       {0x6B, "Num +"},    {0x6D, "Num -"},
             {0x6E, "Num Del"},     {0x6F, "Num /"},       {0x90, "Num Lock"}, {0x91, "Scroll Lock"},
             {0xA0, "Shift"},       {0xA1, "Right Shift"}, {0xA2, "Ctrl"},     {0xA3, "Right Ctrl"},
             {0xBA, ";"},           {0xBB, "="},           {0xBC, ","},        {0xBD, "-"},
             {0xBE, "."},           {0xBF, "/"},           {0xC0, "`"},        {0xDB, "["},
             {0xDC, "\\"},          {0xDD, "]"},           {0xDE, "'"}} {}

std::optional<std::string> SimKeyNames::displayName(std::uint8_t virtualKey) const {
    const auto found = names_.find(virtualKey);
    if (found == names_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace cellaro::sim
