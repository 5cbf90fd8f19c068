// The display scale as the system reports it. The per-monitor functions exist only on newer
// systems (and in part under Wine), so they are looked up at run time; without them every answer
// falls back to the screen's dots per inch, which is then the one scale of the whole desktop.
#pragma once

#include "platform/win32/win32_handles.h"

#include <windows.h>

#include <optional>

namespace cellaro::win32 {

class DpiQueries {
public:
    DpiQueries();
    DpiQueries(const DpiQueries&) = delete;
    DpiQueries& operator=(const DpiQueries&) = delete;
    DpiQueries(DpiQueries&&) = delete;
    DpiQueries& operator=(DpiQueries&&) = delete;
    ~DpiQueries() = default;

    // The dots per inch a window is shown at (its monitor's, for a per-monitor aware program).
    [[nodiscard]] int windowDpi(HWND window) const;
    // The dots per inch of a monitor.
    [[nodiscard]] int monitorDpi(HMONITOR monitor) const;
    // The screen's dots per inch (LOGPIXELSY of the screen's device context).
    [[nodiscard]] int screenDpi() const;
    // A system metric (SM_CXSMICON...) as it is at these dots per inch.
    [[nodiscard]] int systemMetric(int index, int dpi) const;
    // The font the system gives tooltips (the status font of the non-client metrics), at these dots
    // per inch; nothing when the system does not say.
    [[nodiscard]] std::optional<LOGFONTW> hintFont(int dpi) const;
    // The font the system gives message boxes, at these dots per inch.
    [[nodiscard]] std::optional<LOGFONTW> messageFont(int dpi) const;

private:
    // The non-client metrics (fonts) at these dots per inch.
    [[nodiscard]] std::optional<NONCLIENTMETRICSW> nonClientMetrics(int dpi) const;

    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

    ScopedLibrary user32_;
    ScopedLibrary shcore_;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    SystemParametersInfoForDpiFunction systemParametersInfoForDpi_ = nullptr;
    GetDpiForMonitorFunction getDpiForMonitor_ = nullptr;
};

} // namespace cellaro::win32
