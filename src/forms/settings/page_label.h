// The settings pages' plain black labels.
#pragma once

#include "widgets/label.h"

#include <string>
#include <string_view>

namespace cellaro {

inline Label& addPageLabel(Widget& parent, const std::string& name, Rect bounds, std::string_view text) {
    auto& label = parent.add<Label>(name);
    label.setBounds(bounds);
    label.setFontColour(Colour{0x000000});
    label.setText(std::string(text));
    return label;
}

} // namespace cellaro
