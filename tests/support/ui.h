// Driving forms by their named controls, as a user clicks what they see.
#pragma once

#include "platform/sim/sim_form_host.h"
#include "widgets/form.h"

#include <string_view>

namespace cellaro::testing {

// The centre of the named widget in the form's client area, in the window's physical pixels;
// nothing when the form has no such widget or it isn't showing.
inline std::optional<Point> centreOf(Form& form, std::string_view widgetName) {
    const Widget* widget = form.find(widgetName);
    if (widget == nullptr || !widget->showing()) {
        return std::nullopt;
    }
    const Rect area = widget->formBounds();
    return form.scale().physical(Point{area.left + area.width() / 2, area.top + area.height() / 2});
}

// A left click at the centre of the named widget. False when it isn't there to click.
inline bool click(sim::SimFormHost& host, Form& form, std::string_view widgetName) {
    const auto centre = centreOf(form, widgetName);
    if (centre) {
        host.click(form, *centre);
    }
    return centre.has_value();
}

inline bool doubleClick(sim::SimFormHost& host, Form& form, std::string_view widgetName) {
    const auto centre = centreOf(form, widgetName);
    if (centre) {
        host.doubleClick(form, *centre);
    }
    return centre.has_value();
}

} // namespace cellaro::testing
