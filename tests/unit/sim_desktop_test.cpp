// Tests of the simulated desktop: the window manager behaviour that scenario tests rely on.
#include "platform/sim/sim_desktop.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cellaro::sim {
namespace {

// A primary 1920 x 1080 monitor with a 40-pixel task bar, and a second one up and to the left of it
// at negative coordinates with a 30-pixel task bar.
constexpr Rect kPrimaryWork{0, 0, 1920, 1040};
constexpr Rect kLeftWork{-1280, -200, 0, 794};
constexpr Rect kNormal = Rect::fromBounds(200, 150, 800, 600);
constexpr Rect kOnLeft = Rect::fromBounds(-1000, 0, 640, 480);

void addTwoMonitors(SimDesktop& desktop) {
    desktop.addMonitor(SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
    desktop.addMonitor(SimDesktop::makeMonitor(-1280, -200, 1280, 1024, 30, false));
}

// ----- Show states and the normal position -----

struct Step {
    std::optional<ShowCommand> show;
    std::optional<Rect> move;
};

struct ShowStateCase {
    const char* name;
    Rect start;
    int overhang;
    std::vector<Step> steps;
    ShowState state;
    Rect rect;
    Rect normal;
    friend void PrintTo(const ShowStateCase& c, std::ostream* out) { *out << c.name; }
};

class ShowStates : public ::testing::TestWithParam<ShowStateCase> {};

TEST_P(ShowStates, KeepNormalPositionAndCoverTheRightWorkArea) {
    const ShowStateCase& c = GetParam();
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = c.start;
    options.maximizedOverhang = c.overhang;
    const WindowId window = desktop.createWindow(options);
    for (const Step& step : c.steps) {
        if (step.show) {
            EXPECT_TRUE(desktop.show(window, *step.show));
        }
        if (step.move) {
            EXPECT_TRUE(desktop.move(window, *step.move, true));
        }
        desktop.runOtherThreads();
    }
    EXPECT_EQ(desktop.placement(window), (WindowPlacement{c.state, c.normal}));
    EXPECT_EQ(desktop.windowRect(window), c.rect);
}

constexpr Rect kElsewhere = Rect::fromBounds(300, 300, 500, 400);
using SC = ShowCommand;
using SS = ShowState;

INSTANTIATE_TEST_SUITE_P(
    SimDesktop, ShowStates,
    ::testing::Values(
        ShowStateCase{"MaximiseCoversPrimaryWorkArea",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, {}}},
                      SS::Maximized,
                      kPrimaryWork,
                      kNormal},
        ShowStateCase{"MaximiseOnNegativeMonitor",
                      kOnLeft,
                      0,
                      {{SC::ShowMaximized, {}}},
                      SS::Maximized,
                      kLeftWork,
                      kOnLeft},
        ShowStateCase{"MaximiseWithOverhang",
                      kNormal,
                      8,
                      {{SC::ShowMaximized, {}}},
                      SS::Maximized,
                      Rect{-8, -8, 1928, 1048},
                      kNormal},
        ShowStateCase{
            "MinimiseParksWindow", kNormal, 0, {{SC::Minimize, {}}}, SS::Minimized, kMinimizedRect, kNormal},
        ShowStateCase{"MinimiseThenRestore",
                      kNormal,
                      0,
                      {{SC::Minimize, {}}, {SC::Restore, {}}},
                      SS::Normal,
                      kNormal,
                      kNormal},
        ShowStateCase{"MaximiseRestore",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, {}}, {SC::Restore, {}}},
                      SS::Normal,
                      kNormal,
                      kNormal},
        ShowStateCase{"MaximisedMinimisedRestoresMaximised",
                      kOnLeft,
                      0,
                      {{SC::ShowMaximized, {}}, {SC::ShowMinimized, {}}, {SC::Restore, {}}},
                      SS::Maximized,
                      kLeftWork,
                      kOnLeft},
        ShowStateCase{"MaximisedMinimisedShowNormalIsNormal",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, {}}, {SC::Minimize, {}}, {SC::ShowNormal, {}}},
                      SS::Normal,
                      kNormal,
                      kNormal},
        ShowStateCase{
            "MoveNormalUpdatesNormal", kNormal, 0, {{{}, kElsewhere}}, SS::Normal, kElsewhere, kElsewhere},
        ShowStateCase{"MoveMaximisedStaysMaximised",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, kElsewhere}},
                      SS::Maximized,
                      kElsewhere,
                      kNormal},
        ShowStateCase{"MoveMaximisedThenRestore",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, kElsewhere}, {SC::Restore, {}}},
                      SS::Normal,
                      kNormal,
                      kNormal},
        ShowStateCase{"MaximisedMovedToOtherMonitorReMaximisesThere",
                      kNormal,
                      0,
                      {{SC::ShowMaximized, kOnLeft}, {SC::ShowMaximized, {}}},
                      SS::Maximized,
                      kLeftWork,
                      kNormal},
        ShowStateCase{"MoveMinimisedStaysParked",
                      kNormal,
                      0,
                      {{SC::Minimize, kElsewhere}},
                      SS::Minimized,
                      kMinimizedRect,
                      kNormal},
        ShowStateCase{"OffScreenWindowMaximisesOnMostOverlapped",
                      Rect::fromBounds(1800, 500, 400, 300),
                      0,
                      // centre (2000, 650) is on no monitor; the primary holds part of it
                      {{SC::ShowMaximized, {}}},
                      SS::Maximized,
                      kPrimaryWork,
                      Rect::fromBounds(1800, 500, 400, 300)},
        ShowStateCase{"NowhereMaximisesOnPrimary",
                      Rect::fromBounds(5000, 5000, 100, 100),
                      0,
                      {{SC::ShowMaximized, {}}},
                      SS::Maximized,
                      kPrimaryWork,
                      Rect::fromBounds(5000, 5000, 100, 100)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimDesktop, CreatedMaximisedOrMinimisedKeepsNormalPosition) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kOnLeft;
    options.state = ShowState::Maximized;
    const WindowId maximised = desktop.createWindow(options);
    options.state = ShowState::Minimized;
    const WindowId minimised = desktop.createWindow(options);
    EXPECT_EQ(desktop.windowRect(maximised), kLeftWork);
    EXPECT_EQ(desktop.placement(minimised), (WindowPlacement{ShowState::Minimized, kOnLeft}));
    EXPECT_EQ(desktop.windowRect(minimised), kMinimizedRect);
}

// ----- Invisible borders per show state -----

// The invisible borders as the program measures them: window rectangle minus visible frame, per
// edge (left, top, right, bottom).
std::array<int, 4> measuredBorders(const SimDesktop& desktop, WindowId window) {
    const Rect outer = desktop.windowRect(window).value_or(Rect{});
    const Rect frame = desktop.visibleFrameRect(window).value_or(Rect{});
    return {frame.left - outer.left, frame.top - outer.top, outer.right - frame.right,
            outer.bottom - frame.bottom};
}

using Borders = std::array<int, 4>;
constexpr Borders kNoBorders{0, 0, 0, 0};
constexpr Borders kWindows10Borders{7, 0, 7, 7};
constexpr Rect kNormalFrame{207, 150, 993, 743}; // kNormal less 7, 0, 7, 7

struct BordersCase {
    const char* name;
    FrameInsets normalBorders;
    std::optional<int> overhang;
    std::vector<ShowCommand> shows;
    Borders measured;
    Rect window;
    Rect frame;
    friend void PrintTo(const BordersCase& c, std::ostream* out) { *out << c.name; }
};

class BordersPerShowState : public ::testing::TestWithParam<BordersCase> {};

TEST_P(BordersPerShowState, FollowTheSystemsFrame) {
    const BordersCase& c = GetParam();
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.invisibleBorders = c.normalBorders;
    options.maximizedOverhang = c.overhang;
    const WindowId window = desktop.createWindow(options);
    for (const ShowCommand show : c.shows) {
        desktop.show(window, show);
        desktop.runOtherThreads();
    }
    EXPECT_EQ(measuredBorders(desktop, window), c.measured);
    EXPECT_EQ(desktop.windowRect(window), c.window);
    EXPECT_EQ(desktop.visibleFrameRect(window), c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    SimDesktop, BordersPerShowState,
    ::testing::Values(
        BordersCase{
            "NormalHasItsInvisibleBorders", {7, 0, 7, 7}, {}, {}, kWindows10Borders, kNormal, kNormalFrame},
        // Maximised, the whole frame hangs over the work area, the top too: 8 on every side.
        BordersCase{"MaximisedMeasuresTheOverhangOnEverySide",
                    {7, 0, 7, 7},
                    {},
                    {SC::ShowMaximized},
                    {8, 8, 8, 8},
                    Rect{-8, -8, 1928, 1048},
                    kPrimaryWork},
        BordersCase{"WiderBordersHangFurtherOver",
                    {11, 0, 11, 11},
                    {},
                    {SC::ShowMaximized},
                    {12, 12, 12, 12},
                    Rect{-12, -12, 1932, 1052},
                    kPrimaryWork},
        BordersCase{"AGivenOverhangWins",
                    {7, 0, 7, 7},
                    0,
                    {SC::ShowMaximized},
                    kNoBorders,
                    kPrimaryWork,
                    kPrimaryWork},
        BordersCase{"WithoutBordersNothingHangsOver",
                    {},
                    {},
                    {SC::ShowMaximized},
                    kNoBorders,
                    kPrimaryWork,
                    kPrimaryWork},
        BordersCase{"RestoredFromMaximisedHasItsBordersBack",
                    {7, 0, 7, 7},
                    {},
                    {SC::ShowMaximized, SC::Restore},
                    kWindows10Borders,
                    kNormal,
                    kNormalFrame},
        BordersCase{"MinimisedMeasuresNone",
                    {7, 0, 7, 7},
                    {},
                    {SC::Minimize},
                    kNoBorders,
                    kMinimizedRect,
                    kMinimizedRect},
        BordersCase{"RestoredToMaximisedMeasuresTheOverhangAgain",
                    {7, 0, 7, 7},
                    {},
                    {SC::ShowMaximized, SC::Minimize, SC::Restore},
                    {8, 8, 8, 8},
                    Rect{-8, -8, 1928, 1048},
                    kPrimaryWork}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimDesktop, StylesReflectState) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.visible = false;
    options.opacity = 128;
    const WindowId window = desktop.createWindow(options);
    EXPECT_EQ(desktop.styles(window) & style::kVisible, 0U);
    EXPECT_NE(desktop.extendedStyles(window) & exstyle::kLayered, 0U);
    EXPECT_EQ(desktop.opacity(window), 128);
    desktop.show(window, ShowCommand::ShowNoActivate);
    desktop.runOtherThreads();
    EXPECT_NE(desktop.styles(window) & style::kVisible, 0U);
    EXPECT_NE(desktop.styles(window) & style::kThickFrame, 0U);
    desktop.setOpacity(window, std::nullopt);
    EXPECT_EQ(desktop.extendedStyles(window) & exstyle::kLayered, 0U);
    EXPECT_EQ(desktop.opacity(window), std::nullopt);
}

// ----- Z-order and foreground -----

// Three windows created A, B, C (so C is on top), C in the foreground.
class ZOrderFixture {
public:
    ZOrderFixture() {
        addTwoMonitors(desktop);
        for (const char* name : {"A", "B", "C"}) {
            WindowOptions options;
            options.title = name;
            ids.push_back(desktop.createWindow(options));
        }
        desktop.activate(ids[2]);
    }
    [[nodiscard]] WindowId operator[](char name) const {
        return ids.at(static_cast<std::size_t>(name - 'A'));
    }
    // The z-order as letters, topmost first; topmost windows in lower case.
    [[nodiscard]] std::string order() const {
        std::string letters;
        for (const WindowId id : desktop.topLevelWindows()) {
            const char letter = desktop.title(id).at(0);
            letters += desktop.isTopmost(id) ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
        return letters;
    }
    // A show request that the window's thread has carried out.
    void show(WindowId window, ShowCommand command) {
        desktop.show(window, command);
        desktop.runOtherThreads();
    }
    [[nodiscard]] char foreground() const {
        const WindowId id = desktop.foregroundWindow();
        return id ? desktop.title(id).at(0) : '-';
    }

    SimDesktop desktop;
    std::vector<WindowId> ids;
};

struct ZOrderCase {
    const char* name;
    std::function<void(ZOrderFixture&)> act;
    const char* order;
    char foreground;
    friend void PrintTo(const ZOrderCase& c, std::ostream* out) { *out << c.name; }
};

class ZOrderAndForeground : public ::testing::TestWithParam<ZOrderCase> {};

TEST_P(ZOrderAndForeground, FollowTheWindowManagerRules) {
    const ZOrderCase& c = GetParam();
    ZOrderFixture f;
    ASSERT_EQ(f.order(), "CBA");
    c.act(f);
    EXPECT_EQ(f.order(), c.order);
    EXPECT_EQ(f.foreground(), c.foreground);
}

INSTANTIATE_TEST_SUITE_P(
    SimDesktop, ZOrderAndForeground,
    ::testing::Values(
        ZOrderCase{"TopRaises", [](ZOrderFixture& f) { f.desktop.setZOrder(f['A'], ZOrder::Top); }, "ACB",
                   'C'},
        ZOrderCase{"BottomLowers", [](ZOrderFixture& f) { f.desktop.setZOrder(f['C'], ZOrder::Bottom); },
                   "BAC", 'C'},
        ZOrderCase{"TopmostStaysAboveRaisedWindows",
                   [](ZOrderFixture& f) {
                       f.desktop.setZOrder(f['A'], ZOrder::Topmost);
                       f.desktop.setZOrder(f['B'], ZOrder::Top);
                       f.desktop.setForeground(f['C']);
                   },
                   "aCB", 'C'},
        ZOrderCase{"NoTopmostGoesToTopOfNormalBand",
                   [](ZOrderFixture& f) {
                       f.desktop.setZOrder(f['A'], ZOrder::Topmost);
                       f.desktop.setZOrder(f['B'], ZOrder::Topmost);
                       f.desktop.setZOrder(f['B'], ZOrder::NoTopmost);
                   },
                   "aBC", 'C'},
        ZOrderCase{"NoTopmostOnNormalWindowChangesNothing",
                   [](ZOrderFixture& f) { f.desktop.setZOrder(f['A'], ZOrder::NoTopmost); }, "CBA", 'C'},
        ZOrderCase{"BottomDropsTopmost",
                   [](ZOrderFixture& f) {
                       f.desktop.setZOrder(f['A'], ZOrder::Topmost);
                       f.desktop.setZOrder(f['A'], ZOrder::Bottom);
                   },
                   "CBA", 'C'},
        ZOrderCase{"NewWindowOpensBelowTopmostBand",
                   [](ZOrderFixture& f) {
                       f.desktop.setZOrder(f['A'], ZOrder::Topmost);
                       WindowOptions options;
                       options.title = "D";
                       f.desktop.createWindow(options);
                   },
                   "aDCB", 'C'},
        ZOrderCase{"SetForegroundRaisesAndRestores",
                   [](ZOrderFixture& f) {
                       f.show(f['A'], ShowCommand::ShowMinNoActive);
                       f.desktop.setForeground(f['A']);
                       EXPECT_FALSE(f.desktop.isMinimized(f['A']));
                   },
                   "ACB", 'A'},
        ZOrderCase{"HidingForegroundPassesItOn", [](ZOrderFixture& f) { f.show(f['C'], ShowCommand::Hide); },
                   "CBA", 'B'},
        ZOrderCase{"MinimisingForegroundSkipsMinimisedAndCloaked",
                   [](ZOrderFixture& f) {
                       f.show(f['B'], ShowCommand::ShowMinNoActive);
                       f.desktop.setCloaked(f['A'], true);
                       f.show(f['C'], ShowCommand::Minimize);
                   },
                   "CBA", '-'},
        ZOrderCase{"MinimisingForegroundPassesToNextInZOrder",
                   [](ZOrderFixture& f) {
                       f.desktop.setZOrder(f['A'], ZOrder::Top);
                       f.show(f['C'], ShowCommand::Minimize);
                   },
                   "ACB", 'A'},
        ZOrderCase{"MinimisingBackgroundWindowKeepsForeground",
                   [](ZOrderFixture& f) { f.show(f['A'], ShowCommand::Minimize); }, "CBA", 'C'},
        ZOrderCase{"ActivatingShowTakesForeground",
                   [](ZOrderFixture& f) { f.show(f['A'], ShowCommand::Show); }, "ACB", 'A'},
        ZOrderCase{"ShowNoActivateLeavesForeground",
                   [](ZOrderFixture& f) { f.show(f['A'], ShowCommand::ShowNoActivate); }, "CBA", 'C'},
        ZOrderCase{"ShowMaximizedTakesForeground",
                   [](ZOrderFixture& f) { f.show(f['B'], ShowCommand::ShowMaximized); }, "BCA", 'B'},
        ZOrderCase{"ClosingForegroundPassesItOn",
                   [](ZOrderFixture& f) { EXPECT_TRUE(f.desktop.requestClose(f['C'])); }, "BA", 'B'},
        ZOrderCase{"IgnoredCloseKeepsWindow",
                   [](ZOrderFixture& f) {
                       f.desktop.setAcceptsClose(f['C'], false);
                       EXPECT_TRUE(f.desktop.requestClose(f['C']));
                   },
                   "CBA", 'C'},
        ZOrderCase{"DestroyedForegroundPassesItOn", [](ZOrderFixture& f) { f.desktop.destroyWindow(f['C']); },
                   "BA", 'B'},
        ZOrderCase{"ActivateNothingClearsForeground", [](ZOrderFixture& f) { f.desktop.activate(kNoWindow); },
                   "CBA", '-'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimDesktop, CreatedTopmostWindowJoinsTopmostBand) {
    ZOrderFixture f;
    WindowOptions options;
    options.title = "D";
    options.extendedStyles = exstyle::kTopmost;
    f.desktop.createWindow(options);
    f.desktop.setZOrder(f['A'], ZOrder::Top);
    EXPECT_EQ(f.order(), "dACB");
}

TEST(SimDesktop, FindWindowByTitleIsExactAndTakesTheFirstInZOrder) {
    ZOrderFixture f;
    WindowOptions options;
    options.title = "A";
    options.visible = false;
    const WindowId hiddenTwin = f.desktop.createWindow(options);
    EXPECT_EQ(f.desktop.findWindowByTitle("A"), hiddenTwin);
    f.desktop.setZOrder(f['A'], ZOrder::Top);
    EXPECT_EQ(f.desktop.findWindowByTitle("A"), f['A']);
    EXPECT_EQ(f.desktop.findWindowByTitle("a"), kNoWindow);
    EXPECT_EQ(f.desktop.findWindowByTitle(""), kNoWindow);
}

TEST(SimDesktop, WindowIdsGrowAndAreNeverReused) {
    SimDesktop desktop;
    const WindowId first = desktop.createWindow({});
    EXPECT_EQ(first.value, kFirstWindowId);
    desktop.destroyWindow(first);
    const WindowId second = desktop.createWindow({});
    EXPECT_GT(second.value, first.value);
    EXPECT_FALSE(desktop.exists(first));
    EXPECT_TRUE(desktop.wasDestroyed(first));
}

// ----- Moves and shows posted to other threads -----

TEST(SimDesktopOtherThreads, PostedRequestsAreUnseenUntilTheOtherThreadsRun) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.invisibleBorders = FrameInsets{7, 0, 7, 7};
    const WindowId other = desktop.createWindow(options);
    const WindowId window = desktop.createWindow(options);
    desktop.activate(other);

    EXPECT_TRUE(desktop.move(window, kElsewhere, true));
    EXPECT_TRUE(desktop.show(window, ShowCommand::ShowMaximized));
    // Every read still sees the state before the requests.
    EXPECT_EQ(desktop.placement(window), (WindowPlacement{ShowState::Normal, kNormal}));
    EXPECT_EQ(desktop.windowRect(window), kNormal);
    EXPECT_EQ(desktop.visibleFrameRect(window), kNormalFrame);
    EXPECT_FALSE(desktop.isMaximized(window));
    EXPECT_EQ(desktop.foregroundWindow(), other);
    EXPECT_EQ(desktop.pendingCount(window), 2U);
    ASSERT_EQ(desktop.calls().size(), 2U);
    for (const Call& call : desktop.calls()) {
        EXPECT_EQ(call.outcome, CallOutcome::Posted) << describe(call);
    }

    EXPECT_EQ(desktop.runOtherThreads(), 2U);
    EXPECT_EQ(desktop.placement(window), (WindowPlacement{ShowState::Maximized, kElsewhere}));
    EXPECT_EQ(desktop.windowRect(window), (Rect{-8, -8, 1928, 1048}));
    EXPECT_EQ(desktop.foregroundWindow(), window);
    EXPECT_EQ(desktop.pendingCount(), 0U);
    EXPECT_EQ(desktop.runOtherThreads(), 0U);
}

TEST(SimDesktopOtherThreads, BordersReadWhileARestoreIsPostedAreTheMaximisedOnes) {
    // What a placement that restores a maximised window and measures its borders at once gets:
    // the overhang of the maximised state, not the borders of the restored window.
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.invisibleBorders = FrameInsets{7, 0, 7, 7};
    options.state = ShowState::Maximized;
    const WindowId window = desktop.createWindow(options);
    desktop.show(window, ShowCommand::Restore);
    EXPECT_EQ(measuredBorders(desktop, window), (Borders{8, 8, 8, 8}));
    desktop.runOtherThreads();
    EXPECT_EQ(measuredBorders(desktop, window), kWindows10Borders);
}

struct PostedOrderCase {
    const char* name;
    ShowState start;
    std::vector<Step> requests; // each a move or a show, all posted before the threads run
    ShowState state;
    Rect rect;
    Rect normal;
    friend void PrintTo(const PostedOrderCase& c, std::ostream* out) { *out << c.name; }
};

class PostedOrder : public ::testing::TestWithParam<PostedOrderCase> {};

TEST_P(PostedOrder, RequestsRunInTheOrderTheyWerePosted) {
    const PostedOrderCase& c = GetParam();
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.state = c.start;
    const WindowId window = desktop.createWindow(options);
    for (const Step& request : c.requests) {
        if (request.show) {
            desktop.show(window, *request.show);
        }
        if (request.move) {
            desktop.move(window, *request.move, true);
        }
    }
    EXPECT_EQ(desktop.runOtherThreads(), c.requests.size());
    EXPECT_EQ(desktop.placement(window), (WindowPlacement{c.state, c.normal}));
    EXPECT_EQ(desktop.windowRect(window), c.rect);
}

INSTANTIATE_TEST_SUITE_P(SimDesktop, PostedOrder,
                         ::testing::Values(PostedOrderCase{"TheLastMoveWins",
                                                           SS::Normal,
                                                           {{{}, kElsewhere}, {{}, kOnLeft}},
                                                           SS::Normal,
                                                           kOnLeft,
                                                           kOnLeft},
                                           PostedOrderCase{"RestoreThenMovePlacesTheRestoredWindow",
                                                           SS::Maximized,
                                                           {{SC::Restore, {}}, {{}, kElsewhere}},
                                                           SS::Normal,
                                                           kElsewhere,
                                                           kElsewhere},
                                           PostedOrderCase{"MoveThenRestoreReturnsToTheNormalPosition",
                                                           SS::Maximized,
                                                           {{{}, kElsewhere}, {SC::Restore, {}}},
                                                           SS::Normal,
                                                           kNormal,
                                                           kNormal},
                                           PostedOrderCase{"MinimiseThenShowNormalIsNormal",
                                                           SS::Normal,
                                                           {{SC::Minimize, {}}, {SC::ShowNormal, {}}},
                                                           SS::Normal,
                                                           kNormal,
                                                           kNormal},
                                           PostedOrderCase{"ShowNormalThenMinimiseIsMinimised",
                                                           SS::Normal,
                                                           {{SC::ShowNormal, {}}, {SC::Minimize, {}}},
                                                           SS::Minimized,
                                                           kMinimizedRect,
                                                           kNormal}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimDesktopOtherThreads, OrderIsKeptAcrossWindows) {
    // Each posted show activates its window: the one posted last ends in the foreground.
    for (const bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst);
        ZOrderFixture f;
        f.desktop.show(aFirst ? f['A'] : f['B'], ShowCommand::Show);
        f.desktop.show(aFirst ? f['B'] : f['A'], ShowCommand::Show);
        EXPECT_EQ(f.foreground(), 'C');
        f.desktop.runOtherThreads();
        EXPECT_EQ(f.foreground(), aFirst ? 'B' : 'A');
        EXPECT_EQ(f.order(), aFirst ? "BAC" : "ABC");
    }
}

TEST(SimDesktopOtherThreads, TheProgramsOwnWindowsAreMovedAndShownDuringTheCall) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.programThread = true;
    const WindowId own = desktop.createWindow(options);
    EXPECT_TRUE(desktop.move(own, kElsewhere, false));
    EXPECT_EQ(desktop.windowRect(own), kElsewhere);
    EXPECT_TRUE(desktop.show(own, ShowCommand::Hide));
    EXPECT_FALSE(desktop.isVisible(own));
    EXPECT_EQ(desktop.pendingCount(), 0U);
    for (const Call& call : desktop.calls()) {
        EXPECT_EQ(call.outcome, CallOutcome::Done) << describe(call);
    }
}

TEST(SimDesktopOtherThreads, AHungWindowKeepsItsRequestsWhileTheOthersRun) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    const WindowId hung = desktop.createWindow(options);
    const WindowId answering = desktop.createWindow(options);

    desktop.move(hung, kElsewhere, true); // posted while it still answered
    desktop.setHung(hung, true);
    desktop.show(hung, ShowCommand::ShowMaximized);
    desktop.move(answering, kOnLeft, true);
    EXPECT_EQ(desktop.calls()[0].outcome, CallOutcome::Posted);
    EXPECT_EQ(desktop.calls()[1].outcome, CallOutcome::Pending);
    EXPECT_EQ(desktop.calls()[2].outcome, CallOutcome::Posted);

    EXPECT_EQ(desktop.runOtherThreads(), 1U);
    EXPECT_EQ(desktop.windowRect(answering), kOnLeft);
    EXPECT_EQ(desktop.windowRect(hung), kNormal);
    EXPECT_EQ(desktop.pendingCount(hung), 2U);
    EXPECT_EQ(desktop.runOtherThreads(), 0U);

    // It answers again and works through both, in order.
    desktop.setHung(hung, false);
    EXPECT_EQ(desktop.pendingCount(), 0U);
    EXPECT_EQ(desktop.placement(hung), (WindowPlacement{ShowState::Maximized, kElsewhere}));
}

TEST(SimDesktopOtherThreads, ADestroyedWindowDropsWhatWasPostedToIt) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    const WindowId hung = desktop.createWindow(options);
    const WindowId closing = desktop.createWindow(options);
    const WindowId staying = desktop.createWindow(options);
    desktop.setHung(hung, true);
    desktop.move(hung, kElsewhere, true);
    desktop.move(closing, kElsewhere, true);
    desktop.show(closing, ShowCommand::Hide);
    desktop.move(staying, kOnLeft, true);

    desktop.destroyWindow(hung);
    desktop.destroyWindow(closing);
    EXPECT_EQ(desktop.pendingCount(), 1U);
    EXPECT_EQ(desktop.runOtherThreads(), 1U);
    EXPECT_EQ(desktop.windowRect(staying), kOnLeft);
}

// ----- Hung and vanished windows -----

TEST(SimDesktop, HungWindowTimesOutAndRunsPostedRequestsWhenItAnswers) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.bounds = kNormal;
    options.bigIcon = Colour::rgb(255, 0, 0);
    const WindowId window = desktop.createWindow(options);
    desktop.setHung(window, true);
    EXPECT_TRUE(desktop.isHung(window));

    EXPECT_FALSE(desktop.requestClose(window));
    EXPECT_FALSE(desktop.bigIcon(window, 32, Colour{}));
    EXPECT_TRUE(desktop.move(window, kElsewhere, true));
    EXPECT_TRUE(desktop.show(window, ShowCommand::ShowMaximized));
    // Making it layered needs its answer: bounded, nothing changes.
    EXPECT_FALSE(desktop.setOpacity(window, 100));
    EXPECT_EQ(desktop.opacity(window), std::nullopt);
    EXPECT_TRUE(desktop.exists(window));
    EXPECT_EQ(desktop.timedOutCount(), 3U);
    EXPECT_EQ(desktop.pendingCount(window), 2U);
    EXPECT_EQ(desktop.windowRect(window), kNormal);
    EXPECT_EQ(desktop.calls()[2].outcome, CallOutcome::Pending);

    desktop.setHung(window, false);
    EXPECT_EQ(desktop.pendingCount(window), 0U);
    EXPECT_TRUE(desktop.setOpacity(window, 100));
    EXPECT_EQ(desktop.opacity(window), 100);
    // Layered already, its alpha changes without its answer.
    desktop.setHung(window, true);
    EXPECT_TRUE(desktop.setOpacity(window, 50));
    EXPECT_EQ(desktop.opacity(window), 50);
    desktop.setHung(window, false);
    EXPECT_EQ(desktop.placement(window), (WindowPlacement{ShowState::Maximized, kElsewhere}));
    EXPECT_EQ(desktop.windowRect(window), kPrimaryWork);
    EXPECT_EQ(desktop.foregroundWindow(), window);
}

TEST(SimDesktop, VanishedWindowAnswersNeutrallyAndRefusesEveryRequest) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    WindowOptions options;
    options.title = "Gone";
    options.opacity = 50;
    options.bigIcon = Colour::rgb(1, 2, 3);
    const WindowId window = desktop.createWindow(options);
    desktop.activate(window);
    ASSERT_TRUE(desktop.destroyWindow(window));
    const WindowId never{0x999999};

    for (const WindowId id : {window, never}) {
        SCOPED_TRACE(id.value);
        EXPECT_FALSE(desktop.exists(id));
        EXPECT_EQ(desktop.title(id), "");
        EXPECT_EQ(desktop.className(id), "");
        EXPECT_FALSE(desktop.isVisible(id));
        EXPECT_FALSE(desktop.isCloaked(id));
        EXPECT_FALSE(desktop.isHung(id));
        EXPECT_EQ(desktop.placement(id), std::nullopt);
        EXPECT_EQ(desktop.windowRect(id), std::nullopt);
        EXPECT_EQ(desktop.visibleFrameRect(id), std::nullopt);
        EXPECT_EQ(desktop.styles(id), 0U);
        EXPECT_EQ(desktop.extendedStyles(id), 0U);
        EXPECT_EQ(desktop.opacity(id), std::nullopt);
        EXPECT_EQ(desktop.processId(id), 0U);
        EXPECT_EQ(desktop.executablePath(id), "");

        desktop.clearCalls();
        EXPECT_FALSE(desktop.move(id, kNormal, true));
        EXPECT_FALSE(desktop.show(id, ShowCommand::ShowNormal));
        EXPECT_FALSE(desktop.setZOrder(id, ZOrder::Topmost));
        EXPECT_FALSE(desktop.setForeground(id));
        EXPECT_FALSE(desktop.setOpacity(id, 10));
        EXPECT_FALSE(desktop.requestClose(id));
        EXPECT_FALSE(desktop.bigIcon(id, 32, Colour{}));
        ASSERT_EQ(desktop.calls().size(), 7U);
        for (const Call& call : desktop.calls()) {
            EXPECT_EQ(call.outcome, CallOutcome::Failed) << describe(call);
        }
    }
    EXPECT_EQ(desktop.foregroundWindow(), kNoWindow);
    EXPECT_TRUE(desktop.topLevelWindows().empty());
}

// ----- Icons and the call log -----

TEST(SimDesktop, IconsAreDrawnOverTheBackground) {
    SimDesktop desktop;
    const Colour red = Colour::rgb(255, 0, 0);
    const Colour blue = Colour::rgb(0, 0, 255);
    const Colour grey = Colour::rgb(128, 128, 128);
    WindowOptions options;
    options.bigIcon = red;
    const WindowId withIcon = desktop.createWindow(options);
    const WindowId withoutIcon = desktop.createWindow({});
    desktop.setFileIcon("C:\\Apps\\Editor.exe", blue);

    const auto big = desktop.bigIcon(withIcon, 32, grey);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width(), 32);
    EXPECT_EQ(big->pixel(16, 16), red);
    EXPECT_EQ(big->pixel(0, 0), grey);
    EXPECT_FALSE(desktop.bigIcon(withoutIcon, 32, grey));
    EXPECT_FALSE(desktop.bigIcon(withIcon, 0, grey));

    const auto file = desktop.fileIcon("c:\\apps\\editor.EXE", 16, grey);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->pixel(8, 8), blue);
    EXPECT_FALSE(desktop.fileIcon("C:\\Apps\\Other.exe", 16, grey));
    EXPECT_EQ(desktop.callCount(CallKind::BigIcon), 3U);
    EXPECT_EQ(desktop.callCount(CallKind::FileIcon), 2U);
}

TEST(SimDesktop, CallLogRecordsRequestsWithArguments) {
    SimDesktop desktop;
    addTwoMonitors(desktop);
    const WindowId a = desktop.createWindow({});
    const WindowId b = desktop.createWindow({});
    desktop.move(a, kElsewhere, false);
    desktop.show(b, ShowCommand::Minimize);
    desktop.setZOrder(a, ZOrder::Topmost);
    desktop.setOpacity(b, 200);
    desktop.place(a, kNormal); // the user's doing: not logged
    desktop.activate(b);

    ASSERT_EQ(desktop.calls().size(), 4U);
    EXPECT_EQ(desktop.calls()[0].bounds, kElsewhere);
    EXPECT_FALSE(desktop.calls()[0].repaint);
    EXPECT_EQ(desktop.calls()[1].show, ShowCommand::Minimize);
    EXPECT_EQ(desktop.calls()[2].zOrder, ZOrder::Topmost);
    EXPECT_EQ(desktop.calls()[3].alpha, 200);
    EXPECT_EQ(desktop.callCount(CallKind::Move, a), 1U);
    EXPECT_EQ(desktop.callCount(CallKind::Move, b), 0U);
    EXPECT_EQ(describe(desktop.calls()[0]), "Move 0x10010 to (300,300)-(800,700): posted");
    EXPECT_EQ(describe(desktop.calls()[3]), "SetOpacity 0x10012 alpha 200: done");
}

} // namespace
} // namespace cellaro::sim
