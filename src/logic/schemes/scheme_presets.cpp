// The scheme label's texts.
#include "logic/schemes/scheme_presets.h"

namespace cellaro {

std::optional<std::string> schemeLabelText(int index) {
    if (index == kModifiedSchemeIndex) {
        return std::string(kModifiedSchemeLabel);
    }
    if (index == kDefaultSchemeIndex) {
        return std::string(kDefaultSchemeLabel);
    }
    if (const SchemePreset* preset = findSchemePreset(index)) {
        return std::string(kPresetSchemeLabelPrefix) + std::string(preset->name);
    }
    return std::nullopt;
}

} // namespace cellaro
