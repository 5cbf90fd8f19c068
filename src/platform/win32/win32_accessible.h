// The forms' windows as screen readers see them (Microsoft Active Accessibility): the client area
// is one accessible object whose children, child ids 1 to N, are the form's items as simple
// elements.
#pragma once

#include "platform/form_host.h"

#include <windows.h>

#include <vector>

namespace cellaro::win32 {

// What the accessible object asks of a form's window, always on the window's own thread.
class AccessibleWindow {
public:
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;
    AccessibleWindow(AccessibleWindow&&) = delete;
    AccessibleWindow& operator=(AccessibleWindow&&) = delete;

    // The form's items as they stand now.
    [[nodiscard]] virtual std::vector<AccessibleItem> accessibleItems() const = 0;
    // Clicks the item with this index of accessibleItems() soon, from the window's own message
    // queue: never inside the caller's call, which may come in the middle of one of the form's
    // handlers.
    virtual void requestClick(int item, const AccessibleItem& seen) = 0;

protected:
    AccessibleWindow() = default;
    ~AccessibleWindow() = default;
};

// Finds the window's object again from its handle: null once the window is gone, while it is not
// ready, or when the caller is not on its thread.
using AccessibleWindowLookup = AccessibleWindow* (*)(HWND window);

// The answer to WM_GETOBJECT: for the client area a new accessible object over the window, which
// keeps only the handle and looks the window up on each call (so it is never stale, and outlives
// the window safely); 0 for every other object, which the system then describes itself.
LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleWindowLookup lookup);

} // namespace cellaro::win32
