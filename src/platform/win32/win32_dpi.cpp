// Dots per inch of windows and monitors, and system metrics and fonts at a given scale.
#include "platform/win32/win32_dpi.h"

#include "core/scale.h"
#include "platform/win32/win32_system_library.h"

namespace cellaro::win32 {

namespace {

// GetDpiForMonitor's MDT_EFFECTIVE_DPI: the scale the user chose for the monitor.
constexpr int kEffectiveDpi = 0;

bool validDpi(UINT dpi) {
    return dpi > 0 && dpi <= 20 * kBaseDpi;
}

} // namespace

DpiQueries::DpiQueries()
    : user32_(loadSystemLibrary(L"user32.dll")), shcore_(loadSystemLibrary(L"shcore.dll")) {
    getDpiForWindow_ = procAddress<GetDpiForWindowFunction>(user32_.get(), "GetDpiForWindow");
    getSystemMetricsForDpi_ =
        procAddress<GetSystemMetricsForDpiFunction>(user32_.get(), "GetSystemMetricsForDpi");
    systemParametersInfoForDpi_ =
        procAddress<SystemParametersInfoForDpiFunction>(user32_.get(), "SystemParametersInfoForDpi");
    getDpiForMonitor_ = procAddress<GetDpiForMonitorFunction>(shcore_.get(), "GetDpiForMonitor");
}

int DpiQueries::screenDpi() const {
    const ScopedWindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return validDpi(static_cast<UINT>(dpi)) ? dpi : kBaseDpi;
}

int DpiQueries::windowDpi(HWND window) const {
    // Asked on every paint and pointer move: the screen's device context only when the system
    // cannot answer (no such function, or zero for a handle that is no window any more).
    const UINT dpi = window != nullptr && getDpiForWindow_ != nullptr ? getDpiForWindow_(window) : 0;
    return validDpi(dpi) ? static_cast<int>(dpi) : screenDpi();
}

int DpiQueries::monitorDpi(HMONITOR monitor) const {
    UINT x = 0;
    UINT y = 0;
    if (monitor != nullptr && getDpiForMonitor_ != nullptr &&
        SUCCEEDED(getDpiForMonitor_(monitor, kEffectiveDpi, &x, &y)) && validDpi(y)) {
        return static_cast<int>(y);
    }
    return screenDpi();
}

int DpiQueries::systemMetric(int index, int dpi) const {
    if (getSystemMetricsForDpi_ != nullptr) {
        return getSystemMetricsForDpi_(index, static_cast<UINT>(dpi));
    }
    // The plain metric is at the screen's scale.
    return ::MulDiv(::GetSystemMetrics(index), dpi, screenDpi());
}

std::optional<LOGFONTW> DpiQueries::hintFont(int dpi) const {
    const auto metrics = nonClientMetrics(dpi);
    if (!metrics) {
        return std::nullopt;
    }
    return metrics->lfStatusFont;
}

std::optional<LOGFONTW> DpiQueries::messageFont(int dpi) const {
    const auto metrics = nonClientMetrics(dpi);
    if (!metrics) {
        return std::nullopt;
    }
    return metrics->lfMessageFont;
}

std::optional<NONCLIENTMETRICSW> DpiQueries::nonClientMetrics(int dpi) const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (systemParametersInfoForDpi_ != nullptr &&
        systemParametersInfoForDpi_(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                    static_cast<UINT>(dpi)) != 0) {
        return metrics;
    }
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == 0) {
        return std::nullopt;
    }
    // The plain answer is at the screen's scale.
    const int screen = screenDpi();
    metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, screen);
    metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, screen);
    return metrics;
}

} // namespace cellaro::win32
