// The end-to-end probe's questions to another program's windows as a screen reader asks them
// (Microsoft Active Accessibility): the tree of a window's client area, and the focus events a
// program raises.
#pragma once

#include <windows.h>

namespace probe {

// accessible HWND: the window's client object (AccessibleObjectFromWindow, OBJID_CLIENT) and each
// of its children, one line each.
int describeAccessible(HWND window);

// accessible-do HWND CHILD: the default action of that child of the window's client object
// (accDoDefaultAction), as a screen reader's "press" asks for it.
int doDefaultAction(HWND window, LONG child);

// focus-events PID COUNT SECONDS: the focus events (EVENT_OBJECT_FOCUS) of that process, heard
// out of context, until COUNT have come or SECONDS have passed.
int watchFocusEvents(DWORD processId, int count, int seconds);

} // namespace probe
