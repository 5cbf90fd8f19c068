// Target window tracking: the 125 ms tick that chooses the foreign window the working window's
// commands act on, its exclusion rules, the fallback when the target goes away, the data of the
// status strip (the target's icon and title) and the tray hint. Owned by the working window, which
// runs the timers and implements TrackingHost for the few things the tracking asks of it.
#pragma once

#include "core/geometry.h"
#include "pixels/bitmap.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

class Desktop;
class SystemState;

// The status picture's side at 100 %.
inline constexpr int kStatusIconSize = 32;

// What the tracking needs from the working window and its neighbours (the preview rectangle, the
// tray form). Every method is called on the user-interface thread from inside TargetTracker's
// entry points; none of them may call back into the tracker.
class TrackingHost {
public:
    TrackingHost() = default;
    TrackingHost(const TrackingHost&) = delete;
    TrackingHost& operator=(const TrackingHost&) = delete;
    TrackingHost(TrackingHost&&) = delete;
    TrackingHost& operator=(TrackingHost&&) = delete;
    virtual ~TrackingHost() = default;

    // The working window's and the main tray form's own windows: never a target.
    [[nodiscard]] virtual WindowId workingWindowId() const = 0;
    [[nodiscard]] virtual WindowId trayFormId() const = 0;

    [[nodiscard]] virtual bool workingWindowVisible() const = 0;
    // Its placement reports it minimised.
    [[nodiscard]] virtual bool workingWindowMinimised() const = 0;
    // It has the topmost extended style now.
    [[nodiscard]] virtual bool workingWindowTopmost() const = 0;
    // Gives it the topmost style again, without moving or sizing it.
    virtual void makeWorkingWindowTopmost() = 0;
    // Puts it at the front of the z-order (it is visible and topmost when this is called).
    virtual void bringWorkingWindowToFront() = 0;
    // Closes (hides) it as the user's close would; called only while it is visible.
    virtual void closeWorkingWindow() = 0;
    // The current monitor index: the monitor of the working window.
    [[nodiscard]] virtual int currentMonitorIndex() const = 0;

    [[nodiscard]] virtual bool previewVisible() const = 0;
    // Moves the preview rectangle out of sight to left -5000.
    virtual void parkPreviewLeft() = 0;

    // Shows or hides the "Move to Next Monitor" button (xi1) and the tray menu's "Move to next
    // monitor". Called on every tick with the current answer: make an unchanged value cheap.
    virtual void setNextMonitorAvailable(bool available) = 0;

    // The status strip shows this 32 x 32 picture and text (the text already fitted by
    // fitStatusText). Called on every refresh of the display, which is every tick while the working
    // window is shown: skip repainting when nothing changed.
    virtual void showTargetDisplay(const Bitmap& icon, const std::string& title) = 0;
    // The status strip shows the desktop picture (Image6) and the text "Desktop".
    virtual void showDesktopDisplay() = 0;
    // The title shortened with a trailing ellipsis to the status text's width in its font (DrawText
    // with end ellipsis); the title itself when it fits. The tracker keeps the answer per title.
    [[nodiscard]] virtual std::string fitStatusText(const std::string& title) const = 0;
    // The status picture's side in the working window's physical pixels (kIconSize at 100 %).
    [[nodiscard]] virtual int statusPictureSize() const { return kStatusIconSize; }
    // The colour behind the status picture, over which icons are drawn.
    [[nodiscard]] virtual Colour statusBackground() const = 0;

    // Sets the tray icon's hint. Called only when the text differs from the last one set.
    virtual void setTrayHint(const std::string& hint) = 0;
};

class TargetTracker {
public:
    // The titles of the shell's and the program's windows that the tick never adopts.
    static constexpr std::array<std::string_view, 4> kExcludedTitles{"Program Manager", "tVbar-802.41",
                                                                     "Cellaro", "Start menu"};
    // Titles that the fallback never picks.
    static constexpr std::array<std::string_view, 3> kFallbackSkippedTitles{"Program Manager", "Start",
                                                                            "Cellaro"};
    static constexpr int kIconSize = kStatusIconSize;

    // programPath: the running program's own executable; windows of that executable are shown as
    // "Desktop". All references must outlive the tracker.
    TargetTracker(Desktop& desktop, const SystemState& system, std::string programPath, TrackingHost& host);

    // Timer3Timer: one tracking tick (every 125 ms for the program's life).
    void tick();
    // SpremeniIkono: replaces an invisible target by the fallback and refreshes the status strip.
    // freshIcon asks the target for its icon again instead of using the one kept for it (the
    // working window's activation passes true, so it never shows an icon from long ago).
    void refreshTarget(bool freshIcon = false);
    // Timer20Timer: the re-check tick (every 1560 ms while the working window is shown). Forgets the
    // kept icon and executable path, so the next refresh reads them again, and refreshes at once
    // when the target is not visible.
    void recheck();

    // Puts a window back as the target (and as the previous target, which untitled foreground
    // windows stand for), as it was before one of the program's own windows was in front for a
    // moment (the active window highlight). Nothing else changes; the next tick goes on from there.
    void restoreTarget(WindowId window) {
        target_ = window;
        previousTarget_ = window;
    }

    // The window the commands act on; no window until the first foreign window was seen.
    [[nodiscard]] WindowId target() const { return target_; }
    [[nodiscard]] WindowId previousTarget() const { return previousTarget_; }
    [[nodiscard]] WindowId candidate() const { return candidate_; }
    [[nodiscard]] WindowId lastCandidate() const { return lastCandidate_; }
    // GetWindoWPolozaj: the monitor index of the target window (0 without one).
    [[nodiscard]] int targetMonitorIndex() const;
    // The last hint given to the host (empty before the first tick).
    [[nodiscard]] const std::string& trayHint() const { return trayHint_; }

    // Visible and not hidden by the system's cloaking.
    [[nodiscard]] bool isShown(WindowId window) const;
    // The window belongs to the running program's own executable.
    [[nodiscard]] bool isOwnWindow(WindowId window) const;

    // The tray hint: "Cellaro", the title on a second line when it has at least two characters,
    // and "Monitor: n" (1-based) on a last line with more than one monitor. A title too long for the
    // tray's 127 characters is cut with an ellipsis, so the monitor line always stays.
    [[nodiscard]] static std::string trayHintText(const std::string& title, int monitorCount,
                                                  int monitorIndex);

private:
    // The window adopted by the fallback: the first visible, titled window from the top of the
    // z-order that is none of the program's or the shell's; nothing when there is none.
    [[nodiscard]] WindowId fallbackTarget() const;
    [[nodiscard]] bool isOwnExecutable(const std::string& path) const;
    // The target's executable path, read once per target.
    [[nodiscard]] const std::string& targetExecutable();
    [[nodiscard]] bool isOwnExecutableTarget();
    [[nodiscard]] const Bitmap& targetIcon();
    [[nodiscard]] const std::string& fittedTitle(const std::string& title);
    void updateTrayHint(int monitorCount);

    Desktop& desktop_;
    const SystemState& system_;
    std::string programPath_;
    TrackingHost& host_;

    WindowId target_;
    WindowId previousTarget_;
    WindowId candidate_;
    WindowId lastCandidate_;

    // Read once per target (and again after a re-check): the executable path and the icon.
    std::optional<WindowId> executableOf_;
    std::string executable_;
    std::optional<WindowId> iconOf_;
    Bitmap icon_;
    // The last title fitted to the status text, and its fitted form.
    std::optional<std::string> fittedFrom_;
    std::string fitted_;

    std::string trayHint_;

    // The foreground window of the last tick, and what the last search for a replacement target
    // found: the tick repeats a search that found none only every kIdleSearchEveryTicks ticks
    // while the foreground window stays the same and the working window is hidden.
    static constexpr int kIdleSearchEveryTicks = 8;
    WindowId tickForeground_;
    bool fallbackFoundNone_ = false;
    WindowId foregroundAtEmptySearch_;
    int ticksSinceEmptySearch_ = 0;
};

} // namespace cellaro
