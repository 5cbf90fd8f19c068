// The event-loop port over the Windows message queue: timers on a hidden message-only window.
#pragma once

#include "platform/event_loop.h"
#include "platform/win32/win32_message_window.h"

#include <windows.h>

#include <map>
#include <memory>

namespace cellaro::win32 {

class Win32EventLoop final : public EventLoop, public MessageWindow {
public:
    // Creates the hidden window that receives the timers; must run on the user-interface thread.
    Win32EventLoop();
    ~Win32EventLoop() override;

    [[nodiscard]] std::int64_t nowMs() const override;
    TimerId startTimer(int intervalMs, std::function<void()> handler) override;
    void stopTimer(TimerId timer) override;
    void processPendingMessages() override;
    void sleep(int ms) override;
    void setMessageHook(std::function<void()> hook) override;

    // Runs the thread's message loop until WM_QUIT and returns its exit code.
    int run();

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void dispatchTimer(TimerId timer);
    // The message hook's turn for a message just taken from the queue.
    void runMessageHook() const;

    // Handlers are shared so one can stop its own timer while it runs without being destroyed.
    std::map<TimerId, std::shared_ptr<std::function<void()>>> timers_;
    TimerId lastTimer_ = kNoTimer;
    // Shared so that a hook that replaces itself keeps running to its end.
    std::shared_ptr<std::function<void()>> messageHook_;
};

} // namespace cellaro::win32
