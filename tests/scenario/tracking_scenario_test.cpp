// Target window tracking on a simulated machine: the program's forms on the simulated desktop, the
// user's windows around them, and the tracker driven tick by tick over a recording host.
#include "logic/target_tracker.h"
#include "support/sim_machine.h"

#include "app/tray_form.h"
#include "forms/settings/settings_window.h"
#include "forms/working/working_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cellaro::testing {
namespace {

constexpr Colour kStatusBackground = Colour::rgb(30, 30, 30);
constexpr Colour kRed = Colour::rgb(200, 0, 0);
constexpr Colour kBlue = Colour::rgb(0, 0, 200);

// The working window's side of the tracking, as plain fields and call records.
struct RecordingHost final : TrackingHost {
    WindowId workingWindow;
    WindowId trayForm;
    bool visible = false;
    bool minimised = false;
    bool topmost = true;
    bool preview = false;
    int monitorIndex = 0;

    int broughtToFront = 0;
    int closed = 0;
    std::optional<bool> nextMonitorAvailable;
    std::vector<std::string> hints;
    // The status strip: a picture and text, or the desktop picture with "Desktop".
    std::optional<Bitmap> icon;
    std::string statusText;
    int displays = 0;
    mutable int fits = 0;

    [[nodiscard]] WindowId workingWindowId() const override { return workingWindow; }
    [[nodiscard]] WindowId trayFormId() const override { return trayForm; }
    [[nodiscard]] bool workingWindowVisible() const override { return visible; }
    [[nodiscard]] bool workingWindowMinimised() const override { return minimised; }
    [[nodiscard]] bool workingWindowTopmost() const override { return topmost; }
    void makeWorkingWindowTopmost() override { topmost = true; }
    void bringWorkingWindowToFront() override { ++broughtToFront; }
    void closeWorkingWindow() override {
        ++closed;
        visible = false;
    }
    [[nodiscard]] int currentMonitorIndex() const override { return monitorIndex; }
    [[nodiscard]] bool previewVisible() const override { return preview; }
    void parkPreviewLeft() override { preview = false; }
    void setNextMonitorAvailable(bool available) override { nextMonitorAvailable = available; }
    void showTargetDisplay(const Bitmap& picture, const std::string& title) override {
        icon = picture;
        statusText = title;
        ++displays;
    }
    void showDesktopDisplay() override {
        icon.reset();
        statusText = "Desktop";
        ++displays;
    }
    // Twenty characters fit (bytes stand in for characters here).
    [[nodiscard]] std::string fitStatusText(const std::string& title) const override {
        ++fits;
        return title.size() <= 20 ? title : title.substr(0, 17) + "...";
    }
    [[nodiscard]] Colour statusBackground() const override { return kStatusBackground; }
    void setTrayHint(const std::string& hint) override { hints.push_back(hint); }
};

// A machine with the program started, the shell's desktop window at the bottom, and a tracker.
struct Rig {
    explicit Rig(int monitors = 1) : machine(monitors), program(machine.start()) {
        host.workingWindow = program.workingWindow().id();
        host.trayForm = program.trayForm().id();
        shellDesktop = open("Program Manager",
                            [&](sim::WindowOptions& o) { o.executablePath = "C:\\Windows\\explorer.exe"; });
    }

    WindowId open(const std::string& title, const std::function<void(sim::WindowOptions&)>& adjust = {}) {
        sim::WindowOptions options;
        options.title = title;
        if (adjust) {
            adjust(options);
        }
        return desktop().createWindow(options);
    }
    // The user clicks the window, and a tick follows.
    void click(WindowId window) {
        desktop().activate(window);
        tracker.tick();
    }
    void ticks(int count) {
        for (int k = 0; k < count; ++k) {
            tracker.tick();
        }
    }
    sim::SimDesktop& desktop() { return machine.desktop; }
    [[nodiscard]] std::string targetTitle() const { return machine.desktop.title(tracker.target()); }

    SimMachine machine;
    Program& program;
    RecordingHost host;
    TargetTracker tracker{machine.desktop, machine.systemState, program.programPath(), host};
    WindowId shellDesktop;
};

// ----- Which foreground windows become the target -----

struct ForegroundCase {
    const char* name;
    // Opens or picks the window that the user then clicks.
    std::function<WindowId(Rig&)> foreground;
    bool becomesTarget;
};

class ForegroundTest : public ::testing::TestWithParam<ForegroundCase> {};

TEST_P(ForegroundTest, OnlyForeignTitledWindowsReplaceTheTarget) {
    Rig rig;
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    ASSERT_EQ(rig.tracker.target(), editor);

    const WindowId clicked = GetParam().foreground(rig);
    rig.click(clicked);
    rig.ticks(2);

    EXPECT_EQ(rig.tracker.target(), GetParam().becomesTarget ? clicked : editor) << rig.targetTitle();
}

const ForegroundCase kForegroundCases[] = {
    {"AnotherApplication", [](Rig& rig) { return rig.open("Notes"); }, true},
    {"UnicodeTitle", [](Rig& rig) { return rig.open("Редактор — 東京 😀"); }, true},
    {"TheDesktop", [](Rig& rig) { return rig.shellDesktop; }, false},
    {"StartMenu", [](Rig& rig) { return rig.open("Start menu"); }, false},
    {"SiblingProgram", [](Rig& rig) { return rig.open("tVbar-802.41"); }, false},
    {"NoForegroundWindow", [](Rig&) { return kNoWindow; }, false},
    {"WorkingWindow", [](Rig& rig) { return rig.program.workingWindow().id(); }, false},
    {"TrayForm", [](Rig& rig) { return rig.program.trayForm().id(); }, false},
    {"OtherOwnForm", [](Rig& rig) { return rig.program.settingsWindow().id(); }, false},
    {"OwnTitleUpperCase", [](Rig& rig) { return rig.open("CELLARO"); }, false},
    {"OwnTitleLowerCase", [](Rig& rig) { return rig.open("cellaro"); }, false},
    {"UntitledWindowKeepsPreviousTarget", [](Rig& rig) { return rig.open(""); }, false},
    {"TitledNotificationArea",
     [](Rig& rig) {
         return rig.open("Wine System Tray",
                         [](sim::WindowOptions& o) { o.className = "__winex11_standalone_tray"; });
     },
     false},
    {"TaskBar",
     [](Rig& rig) { return rig.open("", [](sim::WindowOptions& o) { o.className = "Shell_TrayWnd"; }); },
     false},
    {"UntitledWhilePreviousTargetLostItsTitle",
     [](Rig& rig) {
         rig.desktop().setTitle(rig.tracker.target(), "");
         return rig.open("");
     },
     false},
};

INSTANTIATE_TEST_SUITE_P(Tracking, ForegroundTest, ::testing::ValuesIn(kForegroundCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- The fallback when the target goes out of sight -----

struct LossCase {
    const char* name;
    std::function<void(Rig&, WindowId)> lose;
};

class TargetLossTest : public ::testing::TestWithParam<LossCase> {};

TEST_P(TargetLossTest, TopmostVisibleTitledForeignWindowTakesOver) {
    Rig rig;
    const WindowId mail = rig.open("Mail");
    const WindowId browser = rig.open("Browser");
    rig.open("Start");
    rig.open("");
    rig.open("Ghost", [&](sim::WindowOptions& o) { o.cloaked = true; });
    rig.open("Hidden", [&](sim::WindowOptions& o) { o.visible = false; });
    rig.open("Tools", [&](sim::WindowOptions& o) { o.executablePath = SimMachine::kProgramPath; });
    rig.open("System Tray", [&](sim::WindowOptions& o) { o.className = "__winex11_standalone_tray"; });
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    rig.click(rig.shellDesktop); // the user is on the desktop when the editor goes away

    GetParam().lose(rig, editor);
    rig.tracker.tick();

    EXPECT_EQ(rig.tracker.target(), browser) << rig.targetTitle();
    rig.desktop().setVisible(browser, false);
    rig.tracker.tick();
    EXPECT_EQ(rig.tracker.target(), mail) << rig.targetTitle();
}

const LossCase kLossCases[] = {
    {"Closed", [](Rig& rig, WindowId target) { rig.desktop().destroyWindow(target); }},
    {"Hidden", [](Rig& rig, WindowId target) { rig.desktop().setVisible(target, false); }},
    {"Cloaked", [](Rig& rig, WindowId target) { rig.desktop().setCloaked(target, true); }},
};

INSTANTIATE_TEST_SUITE_P(Tracking, TargetLossTest, ::testing::ValuesIn(kLossCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A title that is part of the program's own titles ("ro" in "Cellaro") must not lead the fallback to
// one of the program's hidden forms.
TEST(Tracking, FallbackTakesTheListedWindowItselfNotAnotherContainingItsTitle) {
    Rig rig;
    const WindowId shortTitle = rig.open("ro");
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    rig.click(rig.shellDesktop);
    rig.desktop().destroyWindow(editor);
    rig.tracker.tick();
    EXPECT_EQ(rig.tracker.target(), shortTitle) << rig.targetTitle();
}

TEST(Tracking, WithNoVisibleTitledWindowTheTargetStaysAndTheStripShowsDesktop) {
    Rig rig;
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    rig.host.visible = true;
    rig.click(rig.shellDesktop);
    rig.desktop().setVisible(rig.shellDesktop, false);
    rig.desktop().destroyWindow(editor);
    rig.ticks(3);
    EXPECT_EQ(rig.tracker.target(), editor);
    EXPECT_EQ(rig.host.statusText, "Desktop");
    EXPECT_EQ(rig.host.hints.back(), "Cellaro"); // a vanished target has no title
}

TEST(Tracking, WhileHiddenAWindowThatAppearsWithoutFocusIsFoundWithinASecond) {
    Rig rig;
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    rig.click(rig.shellDesktop);
    rig.desktop().setVisible(rig.shellDesktop, false);
    rig.desktop().destroyWindow(editor);
    rig.ticks(3); // the search for a replacement came up empty
    const WindowId notes = rig.open("Notes", [](sim::WindowOptions& o) { o.visible = false; });
    rig.desktop().setVisible(notes, true); // shown without taking the focus
    int ticks = 0;
    while (rig.tracker.target() != notes && ticks < 20) {
        rig.tracker.tick();
        ++ticks;
    }
    EXPECT_EQ(rig.tracker.target(), notes);
    EXPECT_LE(ticks * Program::kTrackingIntervalMs, 1000);
}

TEST(Tracking, MinimisedWorkingWindowShowsDesktopAndFallsBack) {
    Rig rig;
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    const WindowId top = rig.open("Top");
    rig.host.visible = true;
    rig.host.minimised = true;
    rig.tracker.refreshTarget();
    EXPECT_EQ(rig.tracker.target(), top);
    EXPECT_EQ(rig.host.statusText, "Desktop");
}

// ----- The status strip -----

TEST(Tracking, OwnExecutableTargetShowsDesktop) {
    Rig rig;
    rig.host.visible = true;
    rig.click(rig.open("Tools", [&](sim::WindowOptions& o) {
        o.executablePath = "c:\\program files\\cellaro\\CELLARO.EXE";
    }));
    EXPECT_EQ(rig.host.statusText, "Desktop");
    EXPECT_FALSE(rig.host.icon);
}

TEST(Tracking, ShownTargetDisplaysItsIconAndFittedTitle) {
    Rig rig;
    rig.host.visible = true;
    const std::string title = "Редактор — 東京 😀";
    rig.click(rig.open(title, [&](sim::WindowOptions& o) { o.bigIcon = kRed; }));
    EXPECT_EQ(rig.host.statusText, rig.host.fitStatusText(title));
    ASSERT_TRUE(rig.host.icon);
    EXPECT_EQ(rig.host.icon->width(), 32);
    EXPECT_EQ(rig.host.icon->pixel(16, 16), kRed);
    EXPECT_NE(rig.host.hints.back().find(title), std::string::npos);
}

struct IconCase {
    const char* name;
    std::optional<Colour> bigIcon;
    std::optional<Colour> fileIcon;
    bool hung;
    Colour expected;
    std::size_t bigIconRequests;
};

class IconTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconTest, IconComesFromTheWindowElseItsFileElseIsEmpty) {
    const IconCase& c = GetParam();
    Rig rig;
    const std::string path = "C:\\Apps\\frozen.exe";
    rig.desktop().setFileIcon(path, c.fileIcon);
    const WindowId window = rig.open("Frozen", [&](sim::WindowOptions& o) {
        o.executablePath = path;
        o.bigIcon = c.bigIcon;
        o.hung = c.hung;
    });
    rig.host.visible = true;
    rig.click(window);
    rig.ticks(20); // 2.5 seconds of ticks while shown

    ASSERT_TRUE(rig.host.icon);
    EXPECT_EQ(rig.host.icon->pixel(16, 16), c.expected);
    EXPECT_EQ(rig.host.statusText, "Frozen");
    EXPECT_EQ(rig.desktop().callCount(sim::CallKind::BigIcon, window), c.bigIconRequests);
    EXPECT_LE(rig.desktop().callCount(sim::CallKind::FileIcon), 1U);
    EXPECT_EQ(rig.desktop().timedOutCount(), 0U);
}

const IconCase kIconCases[] = {
    {"WindowIcon", kRed, kBlue, false, kRed, 1},
    {"FileIcon", std::nullopt, kBlue, false, kBlue, 1},
    {"NoIcon", std::nullopt, std::nullopt, false, kStatusBackground, 1},
    {"HungWindowIsNotAsked", kRed, kBlue, true, kBlue, 0},
    {"HungWindowWithoutFileIcon", kRed, std::nullopt, true, kStatusBackground, 0},
};

INSTANTIATE_TEST_SUITE_P(Tracking, IconTest, ::testing::ValuesIn(kIconCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Tracking, IconIsFetchedOncePerTargetChangeAndAgainAfterARecheck) {
    Rig rig;
    const WindowId a = rig.open("Alpha", [&](sim::WindowOptions& o) { o.bigIcon = kRed; });
    const WindowId b = rig.open("Beta", [&](sim::WindowOptions& o) { o.bigIcon = kBlue; });
    // Hidden working window: one fetch per change of target.
    rig.click(a);
    rig.ticks(10);
    rig.click(b);
    rig.click(a);
    rig.ticks(10);
    EXPECT_EQ(rig.desktop().callCount(sim::CallKind::BigIcon, a), 2U);
    EXPECT_EQ(rig.desktop().callCount(sim::CallKind::BigIcon, b), 1U);

    // Shown: the strip refreshes every tick from the kept icon and fitted title; the re-check reads
    // them again.
    rig.host.visible = true;
    const int displaysBefore = rig.host.displays;
    const int fitsBefore = rig.host.fits;
    rig.ticks(12);
    EXPECT_GE(rig.host.displays - displaysBefore, 12);
    EXPECT_EQ(rig.host.fits, fitsBefore);
    EXPECT_EQ(rig.desktop().callCount(sim::CallKind::BigIcon, a), 2U);
    rig.desktop().setBigIcon(a, kBlue);
    rig.tracker.recheck();
    rig.tracker.tick();
    EXPECT_EQ(rig.desktop().callCount(sim::CallKind::BigIcon, a), 3U);
    EXPECT_EQ(rig.host.icon->pixel(16, 16), kBlue);
    EXPECT_EQ(rig.host.fits, fitsBefore + 1);
}

TEST(Tracking, HiddenWorkingWindowTicksOnlyLookUp) {
    Rig rig;
    rig.click(rig.open("Editor", [&](sim::WindowOptions& o) { o.bigIcon = kRed; }));
    rig.desktop().clearCalls();
    rig.ticks(40);
    EXPECT_TRUE(rig.desktop().calls().empty()) << sim::describe(rig.desktop().calls().front());
    EXPECT_EQ(rig.machine.systemState.screenSaverQueries(), 0U);
}

// ----- The working window's housekeeping -----

TEST(Tracking, ScreenSaverClosesTheShownWorkingWindowOnTargetChange) {
    Rig rig;
    rig.click(rig.open("Editor"));
    rig.machine.systemState.setScreenSaverRunning(true);
    rig.click(rig.open("Saver"));
    EXPECT_EQ(rig.host.closed, 0); // hidden: nothing to close

    rig.host.visible = true;
    rig.click(rig.open("Saver 2"));
    EXPECT_EQ(rig.host.closed, 1);
    EXPECT_EQ(rig.host.broughtToFront, 1);
}

// ----- The tray hint -----

TEST(Tracking, TwoMonitorHintNamesTargetAndMonitor) {
    Rig rig(2);
    rig.host.monitorIndex = 1;
    rig.click(rig.open("Editor"));
    EXPECT_EQ(rig.host.nextMonitorAvailable, true);
    EXPECT_EQ(rig.host.hints.back(), "Cellaro\r\nEditor\r\nMonitor: 2");
}

TEST(Tracking, HintIsSetOnlyWhenItChanges) {
    Rig rig;
    const WindowId editor = rig.open("Editor");
    rig.click(editor);
    rig.ticks(30);
    ASSERT_EQ(rig.host.hints.size(), 1U);
    rig.desktop().setTitle(editor, "E");
    rig.ticks(5);
    EXPECT_EQ(rig.host.hints, (std::vector<std::string>{"Cellaro\r\nEditor", "Cellaro"}));
}

} // namespace
} // namespace cellaro::testing
