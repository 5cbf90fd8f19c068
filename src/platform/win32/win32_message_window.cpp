// The adapter's one window procedure and the life of a window bound to its object.
#include "platform/win32/win32_message_window.h"

namespace cellaro::win32 {

MessageWindow::~MessageWindow() {
    destroyWindow();
}

HWND MessageWindow::create(DWORD extendedStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                           int x, int y, int width, int height, HWND parent, HINSTANCE instance) {
    // WM_NCCREATE stores the object and the handle (lpCreateParams is this base, whatever the
    // derived class): the messages of creation reach the object already.
    ::CreateWindowExW(extendedStyle, className, title, style, x, y, width, height, parent, nullptr, instance,
                      this);
    return window_;
}

void MessageWindow::destroyWindow() {
    if (window_ == nullptr) {
        return;
    }
    const HWND window = window_;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    ::DestroyWindow(window);
}

MessageWindow* MessageWindow::fromHandle(HWND window) {
    return window == nullptr ? nullptr
                             : reinterpret_cast<MessageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK MessageWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MessageWindow*>(creation->lpCreateParams);
        if (self != nullptr) {
            self->window_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // From here on nothing may reach the object: it may be on its way out already.
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->windowDestroyed();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace cellaro::win32
