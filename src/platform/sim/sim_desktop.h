// The simulated desktop: monitors and top-level windows held in memory and behaving as the
// system's window manager does (show states with their normal position, z-order with a topmost
// band, foreground hand-over, invisible frame borders, opacity, moves and shows posted to other
// threads, hung and vanishing windows). Tests build a desktop, run the program on it, and assert on
// the recorded calls and the resulting state.
#pragma once

#include "pixels/bitmap.h"
#include "platform/desktop.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace cellaro::sim {

// How far the window rectangle reaches beyond what the user sees, per edge (the invisible resize
// borders; 7, 0, 7, 7 on a typical Windows 10 window in its normal state).
struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameInsets&, const FrameInsets&) = default;
};

// Everything a test says about a window when it creates it.
struct WindowOptions {
    std::string title;
    std::string className = "SimWindow";
    std::uint32_t processId = 1000;
    std::string executablePath = "C:\\Program Files\\Sim\\sim.exe";
    // The visible bit is taken from `visible`, the topmost bit of extendedStyles puts the window in
    // the topmost band, the layered bit from `opacity`.
    std::uint32_t styles =
        style::kCaption | style::kSysMenu | style::kThickFrame | style::kMinimizeBox | style::kMaximizeBox;
    std::uint32_t extendedStyles = 0;
    Rect bounds = Rect::fromBounds(100, 100, 800, 600); // the normal position
    ShowState state = ShowState::Normal;
    bool visible = true;
    bool cloaked = false;
    // The invisible borders of the window in its normal state.
    FrameInsets invisibleBorders;
    // How far a maximised window reaches beyond the work area on every side (the system lets a
    // maximised window hang its whole frame over the monitor's edges, the top included). Unset, it
    // follows the invisible borders as the system's frame does: the widest of them plus the one
    // visible border pixel (8 for 7, 0, 7, 7), and nothing for a window without invisible borders.
    std::optional<int> maximizedOverhang;
    std::optional<std::uint8_t> opacity; // layered with this alpha
    std::optional<Colour> bigIcon;       // what WM_GETICON answers, drawn as a square of this colour
    bool acceptsClose = true;            // a close request destroys it; otherwise it is ignored
    // The window's thread does not answer (see SimDesktop::isHung for when the system says so).
    bool hung = false;
    // A busy program: its thread carries out what is posted to it only this long after it was
    // posted (with a clock, see SimDesktop::setClock).
    int answerDelayMs = 0;
    // The window belongs to the program's own user-interface thread (the form host's windows):
    // moves and shows of it are carried out during the call. Other windows get them posted.
    bool programThread = false;
};

// The program's requests, as recorded in the call log.
enum class CallKind { Move, Show, SetZOrder, SetForeground, SetOpacity, RequestClose, BigIcon, FileIcon };

// What happened to a request.
enum class CallOutcome {
    Done,     // carried out
    Posted,   // posted to the window's thread; carried out when the other threads next run
    Pending,  // posted to a hung window's thread; carried out when the window answers again
    TimedOut, // the window did not answer in time (hung); nothing happened
    Failed,   // no such window (or nothing to give, for icon requests)
};

// One request of the program, with its arguments; fields that don't belong to the kind keep
// their defaults.
struct Call {
    CallKind kind = CallKind::Move;
    WindowId window{};
    Rect bounds{};                        // Move
    bool repaint = false;                 // Move
    ShowCommand show = ShowCommand::Show; // Show
    ZOrder zOrder = ZOrder::Top;          // SetZOrder
    std::optional<std::uint8_t> alpha{};  // SetOpacity
    std::string path{};                   // FileIcon
    int size = 0;                         // BigIcon, FileIcon
    CallOutcome outcome = CallOutcome::Done;
    std::int64_t postedAtMs = 0; // Move, Show: on the desktop's clock
};

// A readable one-line form of a call, for test failure messages.
std::string describe(const Call& call);

// The desktop window's id: below the ids of the windows, never one of them.
inline constexpr WindowId kSimDesktopWindow{0x10000};

// A minimised window parks here, as on Windows.
inline constexpr Rect kMinimizedRect = Rect::fromBounds(-32000, -32000, 160, 28);
// The first window id handed out; ids grow from here and are never reused.
inline constexpr std::uintptr_t kFirstWindowId = 0x10010;

// Behaviour chosen where the system leaves room:
// - A maximised window's rectangle is the work area of the monitor that holds the centre of its
//   current rectangle (of its normal position while minimised; else the monitor it overlaps most,
//   else the primary), grown by the window's maximised overhang; its visible frame is its rectangle
//   shrunk by the overhang on every side (the work area, until the window is moved). So the
//   invisible borders measured from the two rectangles depend on the show state: the normal ones
//   (7, 0, 7, 7) in the normal state, the overhang on every side (8, 8, 8, 8) while maximised.
// - A minimised window's rectangle is the parking place kMinimizedRect, and its visible frame is
//   the same rectangle: no invisible borders are measured while minimised.
// - move() of a normal window sets the rectangle and the normal position; of a maximised window it
//   sets the rectangle and the window stays maximised with its normal position kept; of a
//   minimised window it changes nothing that can be seen (the window stays parked) and succeeds.
// - Minimising a maximised window remembers it, so a later Restore (or setForeground) maximises it
//   again, while ShowNormal and ShowNoActivate always return to the normal position.
// - Hiding or minimising the foreground window, and destroying it, hand the foreground to the next
//   window in z-order that is visible, not cloaked and not minimised, or to no window.
// - setForeground() on a hidden window makes it the foreground window without showing it.
// - Other threads: move() and show() of a window that is not the program's own (see
//   WindowOptions::programThread) are posted to the window's thread, as the real adapter posts
//   them (asynchronous SetWindowPos, ShowWindowAsync), return true and are logged as Posted. They
//   take effect when the other threads run: runOtherThreads() carries out every posted request of
//   every window that is not hung, in the order they were posted. Until then every read (window
//   rectangle, visible frame, placement, styles, visibility, foreground) sees the state before
//   them. The simulated event loop runs the other threads whenever the program's thread yields
//   (SimMachine wires SimEventLoop's yield handlers to runOtherThreads()). Moves and shows of the
//   program's own windows are carried out during the call.
// - A hung window keeps what is posted to it (logged as Pending when posted while it was hung)
//   until it answers again (setHung(id, false)), which carries its requests out at once, in order.
//   requestClose() and bigIcon() time out at once and are logged as TimedOut. The system's hung
//   flag (isHung) is set only kHungFlagAfterMs after the window stopped answering (a window made
//   hung at its creation has been hung for long). setOpacity() of a window that must become
//   layered (or stop being layered) needs its thread to answer: on a window that does not, it
//   times out and changes nothing; the alpha of a window that is layered already changes at once.
// - A window with an answer delay has its posted requests carried out that long after posting,
//   in order, whenever the other threads run after that.
// - z-order, foreground and opacity requests don't wait for the window's thread and take effect
//   during the call, posted requests or not.
// - A window destroyed with requests still posted to it drops them.
// - A window that ignores close requests still returns true from requestClose(): the request was
//   delivered.
// - Monitor changes don't move windows; a maximised window keeps its rectangle until re-maximised.
class SimDesktop final : public Desktop {
public:
    // The system calls a window hung once its thread has not looked at its messages for this long.
    static constexpr std::int64_t kHungFlagAfterMs = 5000;

    SimDesktop() = default;

    // The time, for the windows' answer delays and the late hung flag (SimMachine gives it the
    // event loop's clock). Without a clock, posted requests run at the next yield and a window is
    // hung the moment it stops answering.
    void setClock(std::function<std::int64_t()> now) { clock_ = std::move(now); }

    // ----- Driving the desktop (what the user and other programs do; not logged) -----

    // Adds a monitor at the end of the enumeration order; returns its index.
    std::size_t addMonitor(const Monitor& monitor);
    // A monitor of this size at (left, top), with a task bar of the given height at its bottom.
    static Monitor makeMonitor(int left, int top, int width, int height, int taskBarHeight, bool primary);
    // Replaces the monitor at this index; false for an unknown index.
    bool replaceMonitor(std::size_t index, const Monitor& monitor);
    // Removes the monitor at this index; false for an unknown index.
    bool removeMonitor(std::size_t index);
    void setMonitors(std::vector<Monitor> monitors);

    // Creates a window at the top of its band (a new window opens above the others). It does not
    // take the foreground: call activate() for that.
    WindowId createWindow(const WindowOptions& options);
    // The window goes away (its owner closed it or the process ended).
    bool destroyWindow(WindowId window);
    // The user clicks the window: top of its band, foreground, restored if minimised. kNoWindow
    // leaves the desktop without a foreground window.
    bool activate(WindowId window);
    // The user clicks on the desktop's background: the desktop window becomes the foreground window.
    void activateDesktop() { foreground_ = kSimDesktopWindow; }
    // The user or its owner moves the window (same rules as move(), not logged).
    bool place(WindowId window, const Rect& bounds);
    bool setTitle(WindowId window, const std::string& title);
    bool setCloaked(WindowId window, bool cloaked);
    bool setVisible(WindowId window, bool visible);
    bool setAcceptsClose(WindowId window, bool accepts);
    bool setBigIcon(WindowId window, std::optional<Colour> colour);
    bool setProcess(WindowId window, std::uint32_t processId, const std::string& executablePath);
    // The window's own program changes its extended styles and layering (as the program's own
    // forms do through their host, not through the desktop port): the topmost bit moves the window
    // to the top of its new band, the layered bit follows `opacity`.
    bool restyle(WindowId window, std::uint32_t extendedStyles, std::optional<std::uint8_t> opacity);
    // A hung window stops answering; when it answers again its posted moves and shows run.
    bool setHung(WindowId window, bool hung);
    bool setAnswerDelay(WindowId window, int delayMs);
    // The threads of the other programs run: every move and show posted to a window that is not
    // hung, and whose answer delay has passed, is carried out, in the order of posting. Returns how
    // many were carried out.
    std::size_t runOtherThreads();
    // The first icon of an executable file, drawn as a square of this colour; nothing removes it.
    // Paths compare without regard to letter case.
    void setFileIcon(const std::string& path, std::optional<Colour> colour);

    // ----- Inspecting what the program did -----

    [[nodiscard]] const std::vector<Call>& calls() const { return calls_; }
    // What was painted onto the screen, in order: where, and the pixels that were drawn.
    struct ScreenPaint {
        Point at;
        Bitmap picture;
        Colour transparent;
    };
    [[nodiscard]] const std::vector<ScreenPaint>& screenPaints() const { return screenPaints_; }
    [[nodiscard]] std::size_t callCount(CallKind kind) const;
    [[nodiscard]] std::size_t callCount(CallKind kind, WindowId window) const;
    // The calls that found a hung window and gave up waiting.
    [[nodiscard]] std::size_t timedOutCount() const;
    void clearCalls() { calls_.clear(); }
    // Moves and shows posted to the window's thread and not yet carried out.
    [[nodiscard]] std::size_t pendingCount(WindowId window) const;
    // The same over all windows.
    [[nodiscard]] std::size_t pendingCount() const { return posted_.size(); }
    [[nodiscard]] bool isTopmost(WindowId window) const;
    [[nodiscard]] bool isMinimized(WindowId window) const;
    [[nodiscard]] bool isMaximized(WindowId window) const;
    // Whether a window with this id was ever created and has been destroyed since.
    [[nodiscard]] bool wasDestroyed(WindowId window) const { return destroyed_.contains(window.value); }

    // ----- The desktop port -----

    [[nodiscard]] std::vector<Monitor> monitors() const override { return monitors_; }
    [[nodiscard]] WindowId foregroundWindow() const override { return foreground_; }
    [[nodiscard]] WindowId desktopWindow() const override { return kSimDesktopWindow; }
    [[nodiscard]] std::vector<WindowId> topLevelWindows() const override { return zOrder_; }
    [[nodiscard]] WindowId findWindowByTitle(const std::string& title) const override;

    [[nodiscard]] bool exists(WindowId window) const override { return find(window) != nullptr; }
    [[nodiscard]] std::string title(WindowId window) const override;
    [[nodiscard]] std::string className(WindowId window) const override;
    [[nodiscard]] bool isVisible(WindowId window) const override;
    [[nodiscard]] bool isCloaked(WindowId window) const override;
    [[nodiscard]] bool isHung(WindowId window) const override;
    [[nodiscard]] std::optional<WindowPlacement> placement(WindowId window) const override;
    [[nodiscard]] std::optional<Rect> windowRect(WindowId window) const override;
    [[nodiscard]] std::optional<Rect> visibleFrameRect(WindowId window) const override;
    [[nodiscard]] std::uint32_t styles(WindowId window) const override;
    [[nodiscard]] std::uint32_t extendedStyles(WindowId window) const override;
    [[nodiscard]] std::optional<std::uint8_t> opacity(WindowId window) const override;
    [[nodiscard]] std::uint32_t processId(WindowId window) const override;
    [[nodiscard]] std::string executablePath(WindowId window) const override;

    bool move(WindowId window, const Rect& bounds, bool repaint) override;
    bool show(WindowId window, ShowCommand command) override;
    bool setZOrder(WindowId window, ZOrder where) override;
    bool setForeground(WindowId window) override;
    bool setOpacity(WindowId window, std::optional<std::uint8_t> alpha) override;
    bool requestClose(WindowId window) override;
    [[nodiscard]] std::optional<Bitmap> bigIcon(WindowId window, int size, Colour background) const override;
    bool paintOnScreen(const Bitmap& picture, Point at, Colour transparent) override;
    [[nodiscard]] std::optional<Bitmap> fileIcon(const std::string& path, int size,
                                                 Colour background) const override;

private:
    struct Window {
        WindowOptions options; // title, class, process, styles, insets and so on, kept up to date
        Rect rect;             // the current window rectangle
        Rect normal;           // the normal (restored) position
        ShowState state = ShowState::Normal;
        bool restoreToMaximized = false;
        // Since when its thread has not answered.
        std::int64_t hungSinceMs = 0;
    };
    [[nodiscard]] std::int64_t now() const { return clock_ ? clock_() : 0; }

    [[nodiscard]] const Window* find(WindowId window) const;
    Window* find(WindowId window);
    void record(Call call) const;
    // Carries out a move or show request now, or posts it to the window's thread; fills in the
    // call's outcome.
    void carryOutOrPost(Call& call);
    void carryOut(WindowId id, Window& window, const Call& call);
    // Carries out, in order of posting, the posted requests of this window, or with kNoWindow of
    // every window that is not hung.
    std::size_t runPosted(WindowId only);

    static void applyMove(Window& window, const Rect& bounds);
    void applyShow(WindowId id, Window& window, ShowCommand command);
    static void minimize(Window& window);
    void maximize(Window& window) const;
    static void restoreNormal(Window& window);
    void bringToForeground(WindowId id, Window& window);
    // Puts the window at the top of its band (topmost or not).
    void raise(WindowId id);
    void lower(WindowId id);
    void removeFromZOrder(WindowId id);
    // Gives the foreground to the next window that can hold it, when `leaving` holds it now.
    void passForeground(WindowId leaving);
    [[nodiscard]] Rect maximizedRect(const Window& window) const;
    [[nodiscard]] static int maximizedOverhang(const Window& window);
    [[nodiscard]] const Monitor* monitorFor(const Rect& rect) const;
    [[nodiscard]] static Bitmap drawIcon(int size, Colour icon, Colour background);

    std::vector<Monitor> monitors_;
    std::map<std::uintptr_t, Window> windows_;
    std::vector<WindowId> zOrder_; // topmost band first
    std::set<std::uintptr_t> destroyed_;
    WindowId foreground_;
    std::uintptr_t nextId_ = kFirstWindowId;
    std::map<std::string, Colour> fileIcons_; // keyed by the lower-case path
    std::vector<ScreenPaint> screenPaints_;
    // Moves and shows posted to other threads and not yet carried out, oldest first.
    std::deque<Call> posted_;
    // Requests on a const port call (the icon requests) are logged too.
    mutable std::vector<Call> calls_;
    std::function<std::int64_t()> clock_;
};

} // namespace cellaro::sim
