// The base of the adapter's own windows: one window procedure that hands each message to the
// object that created the window.
#pragma once

#include <windows.h>

namespace cellaro::win32 {

// Owns one window of a class registered with MessageWindow::windowProcedure. The object is stored
// in the window on WM_NCCREATE, so the messages of creation reach it already; each message then
// goes to handleMessage until WM_NCDESTROY, when the link is cut and windowDestroyed is told. An
// object outlives its window or destroys it: a window never reaches an object that is gone.
class MessageWindow {
public:
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    MessageWindow(MessageWindow&&) = delete;
    MessageWindow& operator=(MessageWindow&&) = delete;

    // The window, or null before it is created and once it is gone.
    [[nodiscard]] HWND handle() const { return window_; }

    // The window procedure of every class whose windows are made through create().
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    MessageWindow() = default;
    // Destroys the window if it is still there (see destroyWindow).
    virtual ~MessageWindow();

    // Creates the window with CreateWindowEx, this object as its handler; null on failure. Call it
    // from the most derived class's constructor (or later), when handleMessage is its own.
    HWND create(DWORD extendedStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                int y, int width, int height, HWND parent, HINSTANCE instance);

    // Destroys the window now. The link is cut first: none of the messages of the window's end
    // reaches the object, nor does windowDestroyed run.
    void destroyWindow();

    // Every message of the window from WM_NCCREATE on, except WM_NCDESTROY. An exception that
    // escapes it is swallowed (it must never unwind through the system's dispatcher) and the
    // message goes to DefWindowProc; the next message tries again.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The system destroyed the window (WM_NCDESTROY); handle() is null already.
    virtual void windowDestroyed() {}

    // The object a window made through create() is bound to, or null once the link is cut. The
    // caller knows the window is one of these (by its class): any other keeps its own data there.
    [[nodiscard]] static MessageWindow* fromHandle(HWND window);

private:
    HWND window_ = nullptr;
};

} // namespace cellaro::win32
