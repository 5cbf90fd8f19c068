// Timers, message pumping and time on the user-interface thread over the Windows message queue.
#include "platform/win32/win32_event_loop.h"

#include <algorithm>
#include <utility>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"CellaroEventLoop";
// However busy the queue is, one processPendingMessages call handles at most this many messages, so
// a handler that posts a message each time it runs cannot keep it going for ever.
constexpr int kMaxMessagesPerPass = 4096;

// True when the message was queued after the pass began (tick counts wrap after 49 days).
bool queuedAfter(DWORD messageTime, DWORD passStart) {
    return static_cast<LONG>(messageTime - passStart) > 0;
}

} // namespace

Win32EventLoop::Win32EventLoop() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MessageWindow::windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    // A second event loop in the same process finds the class already there, which is fine.
    ::RegisterClassExW(&windowClass);
    create(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, instance);
}

Win32EventLoop::~Win32EventLoop() {
    if (handle() != nullptr) {
        for (const auto& entry : timers_) {
            ::KillTimer(handle(), entry.first);
        }
        destroyWindow();
    }
}

std::int64_t Win32EventLoop::nowMs() const {
    return static_cast<std::int64_t>(::GetTickCount64());
}

TimerId Win32EventLoop::startTimer(int intervalMs, std::function<void()> handler) {
    if (handle() == nullptr || !handler) {
        return kNoTimer;
    }
    // Ids are never reused while a timer holds them, and rarely at all, so a WM_TIMER already queued
    // for a stopped timer cannot run a newer one's handler.
    TimerId id = lastTimer_;
    do {
        ++id;
    } while (id == kNoTimer || timers_.count(id) != 0);
    const auto interval = static_cast<UINT>(std::max(intervalMs, 1)); // the system raises it to its minimum
    if (::SetTimer(handle(), id, interval, nullptr) == 0) {
        return kNoTimer;
    }
    lastTimer_ = id;
    timers_.emplace(id, std::make_shared<std::function<void()>>(std::move(handler)));
    return id;
}

void Win32EventLoop::stopTimer(TimerId timer) {
    const auto found = timers_.find(timer);
    if (found == timers_.end()) {
        return;
    }
    ::KillTimer(handle(), timer);
    timers_.erase(found);
}

void Win32EventLoop::dispatchTimer(TimerId timer) {
    const auto found = timers_.find(timer);
    if (found == timers_.end()) {
        return; // stopped after this tick was queued
    }
    // The copy keeps the handler alive even if it stops its own timer.
    const std::shared_ptr<std::function<void()>> handler = found->second;
    (*handler)();
}

LRESULT Win32EventLoop::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        // A failure inside a timer tick is swallowed by the window procedure; the next tick tries
        // again.
        dispatchTimer(static_cast<TimerId>(wParam));
        return 0;
    }
    return ::DefWindowProcW(handle(), message, wParam, lParam);
}

void Win32EventLoop::processPendingMessages() {
    const DWORD passStart = ::GetTickCount();
    MSG message{};
    for (int handled = 0; handled < kMaxMessagesPerPass; ++handled) {
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == 0) {
            return;
        }
        if (message.message == WM_QUIT) {
            // Leave it for the main loop, which ends the program with it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        runMessageHook();
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
        if (queuedAfter(message.time, passStart)) {
            return; // what came in during this pass waits for the next one
        }
    }
}

// A wait for no object and no kind of message blocks like Sleep and runs nothing, but it is a wait
// of the user-interface thread for the system: Wine hands what the thread's windows painted to the
// X server only when the thread waits so (or is past its paint throttle), so a window painted just
// before a Sleep would stay unseen for the whole wait (the active window highlight, the pin).
void Win32EventLoop::sleep(int ms) {
    if (ms > 0) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), 0, 0);
    }
}

void Win32EventLoop::setMessageHook(std::function<void()> hook) {
    messageHook_ = std::make_shared<std::function<void()>>(std::move(hook));
}

void Win32EventLoop::runMessageHook() const {
    const std::shared_ptr<std::function<void()>> hook = messageHook_;
    if (hook && *hook) {
        (*hook)();
    }
}

int Win32EventLoop::run() {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return -1;
        }
        runMessageHook();
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace cellaro::win32
