// Scenario: shortcut 101, "Kill process of selected window", on the simulated desktop: the kill
// confirmation answered as the user answers it, its don't-ask-again box kept and written to CRO.cfg
// at once, and the target asked to close without the program ever waiting on a hung window.
#include "app/program.h"
#include "config/settings.h"
#include "core/error_report.h"
#include "logic/kill_command.h"
#include "support/target_shown.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace cellaro {
namespace {

using sim::CallKind;
using testing::SimMachine;
using testing::TargetShown;
using testing::TargetShownOptions;

constexpr const char* kSkipOn = "[Options]\r\noptAutohideagain=1\r\n";

struct Kill : TargetShown {
    explicit Kill(const TargetShownOptions& options = {}) : TargetShown(options) {}

    [[nodiscard]] std::string config() const {
        return machine.files.file(SimMachine::kConfigPath).value_or("<no file>");
    }
    [[nodiscard]] bool configSkips() const {
        return config().find("optAutohideagain=1") != std::string::npos;
    }
    [[nodiscard]] std::size_t closeRequests() const {
        const auto& calls = machine.desktop.calls();
        return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), [](const sim::Call& call) {
            return call.kind == CallKind::RequestClose;
        }));
    }
    [[nodiscard]] bool targetAlive() const { return machine.desktop.exists(target); }
};

// ----- The confirmation -----------------------------------------------------------------------------

TEST(KillConfirmation, ShowsTheCaptionAndTheTextWithTheTitleCutToFiftyCharacters) {
    const std::string title(60, 'x');
    TargetShownOptions options;
    options.title = "\xC3\xA9" + title; // a two-byte character counts as one
    Kill scene(options);
    scene.program.killTarget();

    ASSERT_EQ(scene.machine.shell.killConfirmations().size(), 1U);
    const auto& shown = scene.machine.shell.killConfirmations().front();
    EXPECT_EQ(shown.caption, "Cellaro");
    EXPECT_EQ(shown.text, "Selected window:  \xC3\xA9" + std::string(49, 'x') +
                              "\r\rYou will kill the process and stop the selected window.           "
                              "\r\rClick \"Kill process\" to ignore this message and continue.");
}

TEST(KillConfirmation, EachAnswerClosesOnlyOnYesAndStoresTheBoxWhateverTheAnswer) {
    struct Case {
        KillAnswer answer;
        bool ticked;
        bool closes;
    };
    for (const Case& c : {Case{KillAnswer::Yes, false, true}, Case{KillAnswer::Yes, true, true},
                          Case{KillAnswer::No, false, false}, Case{KillAnswer::No, true, false},
                          Case{KillAnswer::Neither, false, false}, Case{KillAnswer::Neither, true, false}}) {
        SCOPED_TRACE(::testing::Message()
                     << "answer " << static_cast<int>(c.answer) << " ticked " << c.ticked);
        Kill scene;
        scene.machine.shell.queueKillAnswer(c.answer, c.ticked);
        scene.program.killTarget();
        EXPECT_EQ(scene.targetAlive(), !c.closes);
        EXPECT_EQ(scene.closeRequests(), c.closes ? 1U : 0U);
        EXPECT_EQ(scene.program.settings().skipKillConfirmation(), c.ticked);
        EXPECT_EQ(scene.configSkips(), c.ticked) << scene.config();
        EXPECT_NE(scene.config().find("[Options]"), std::string::npos) << "written at once";
    }
}

TEST(KillConfirmation, EscapeKeepsTheWindowAndAnUntickedBoxWritesZero) {
    Kill scene(TargetShownOptions::withConfig(kSkipOn));
    scene.program.settings().setSkipKillConfirmation(false); // the settings' reset, in memory only
    scene.machine.shell.queueKillAnswer(KillAnswer::No, false);
    scene.program.killTarget();
    EXPECT_TRUE(scene.targetAlive());
    EXPECT_NE(scene.config().find("optAutohideagain=0"), std::string::npos) << scene.config();
}

// ----- The guard and the don't-ask-again flag -------------------------------------------------------

TEST(KillConfirmation, A101WhileTheConfirmationShowsDoesNothing) {
    Kill scene;
    scene.machine.shell.queueKillAnswer(KillAnswer::Yes, false);
    bool showingDuringSecond = false;
    scene.machine.shell.whileKillConfirmationShows([&scene, &showingDuringSecond] {
        showingDuringSecond = scene.machine.shell.killConfirmationShowing();
        scene.program.killTarget();
    });
    scene.program.killTarget();
    EXPECT_TRUE(showingDuringSecond);
    EXPECT_EQ(scene.machine.shell.killConfirmations().size(), 1U);
    EXPECT_EQ(scene.closeRequests(), 1U);
    EXPECT_FALSE(scene.targetAlive());

    // Once the confirmation has closed, 101 works again.
    scene.machine.desktop.createWindow([] {
        sim::WindowOptions other;
        other.title = "Other";
        other.bounds = Rect::fromBounds(10, 10, 300, 200);
        return other;
    }());
    scene.program.killTarget();
    EXPECT_EQ(scene.machine.shell.killConfirmations().size(), 2U);
}

TEST(KillConfirmation, TickedBoxWithCancelThenThe101ClosesAtOnceWithoutAsking) {
    Kill scene;
    scene.machine.shell.queueKillAnswer(KillAnswer::No, true);
    scene.program.killTarget();
    EXPECT_TRUE(scene.targetAlive());
    EXPECT_TRUE(scene.configSkips());

    scene.program.killTarget();
    EXPECT_EQ(scene.machine.shell.killConfirmations().size(), 1U) << "not asked again";
    EXPECT_FALSE(scene.targetAlive());
}

TEST(KillConfirmation, AFlagReadFromTheFileSkipsTheConfirmationAndWritesNothing) {
    Kill scene(TargetShownOptions::withConfig(kSkipOn));
    const int writes = scene.machine.files.writeCount();
    scene.program.killTarget();
    EXPECT_TRUE(scene.machine.shell.killConfirmations().empty());
    EXPECT_FALSE(scene.targetAlive());
    EXPECT_EQ(scene.machine.files.writeCount(), writes);
}

TEST(KillConfirmation, AFailedWriteIsReportedWithTheErrorBoxAndTheFlagStillHolds) {
    Kill scene;
    scene.machine.files.failWrites(SimMachine::kConfigPath, "Access is denied.");
    scene.machine.shell.queueKillAnswer(KillAnswer::No, true);
    scene.program.killTarget();
    ASSERT_EQ(scene.machine.shell.messageBoxes().size(), 1U);
    EXPECT_EQ(scene.machine.shell.messageBoxes().front().text,
              saveFailedText(SimMachine::kConfigPath, "Access is denied."));
    EXPECT_EQ(scene.machine.shell.messageBoxes().front().icon, MessageBoxIcon::Error);
    EXPECT_TRUE(scene.program.settings().skipKillConfirmation());
    EXPECT_TRUE(scene.targetAlive());
}

// ----- The close request ----------------------------------------------------------------------------

TEST(KillTarget, WithNoTargetTheRequestGoesToNoWindow) {
    for (const bool skip : {false, true}) {
        SCOPED_TRACE(skip ? "skipping" : "asking");
        SimMachine machine;
        if (skip) {
            machine.files.setFile(SimMachine::kConfigPath, kSkipOn);
        }
        Program& program = machine.start();
        machine.loop.advance(Program::kTrackingIntervalMs);
        ASSERT_EQ(program.tracker().target(), kNoWindow);
        machine.shell.queueKillAnswer(KillAnswer::Yes, true);
        program.killTarget();
        EXPECT_EQ(machine.shell.killConfirmations().size(), skip ? 0U : 1U);
        for (const sim::Call& call : machine.desktop.calls()) {
            EXPECT_NE(call.kind, CallKind::RequestClose);
        }
    }
}

TEST(KillTarget, AHungTargetIsNotWaitedOnAndTheProgramGoesOn) {
    Kill scene(TargetShownOptions::withConfig(kSkipOn));
    scene.machine.desktop.setHung(scene.target, true);
    const auto before = scene.machine.loop.nowMs();
    scene.program.killTarget();
    EXPECT_EQ(scene.machine.loop.nowMs(), before);
    EXPECT_TRUE(scene.targetAlive());
    ASSERT_FALSE(scene.machine.desktop.calls().empty());
    EXPECT_EQ(scene.machine.desktop.calls().back().outcome, sim::CallOutcome::TimedOut);

    // The program still answers: 101 works again at once, and the tray still opens its window.
    scene.program.killTarget();
    EXPECT_EQ(scene.closeRequests(), 2U);
    scene.machine.desktop.setHung(scene.target, false);
    scene.program.killTarget();
    EXPECT_FALSE(scene.targetAlive());
}

TEST(KillTarget, AWindowThatKeepsItselfOpenIsAskedOnceAndStays) {
    TargetShownOptions options = TargetShownOptions::withConfig(kSkipOn);
    Kill scene(options);
    // An editor answering "Save changes?" with Cancel: the request was delivered, the window stays.
    sim::WindowOptions editor;
    editor.title = "Unsaved";
    editor.bounds = Rect::fromBounds(100, 100, 400, 300);
    editor.acceptsClose = false;
    const WindowId unsaved = scene.machine.desktop.createWindow(editor);
    scene.machine.host.activateByUser(unsaved);
    scene.machine.loop.advance(Program::kTrackingIntervalMs);
    ASSERT_EQ(scene.program.tracker().target(), unsaved);
    scene.program.killTarget();
    EXPECT_TRUE(scene.machine.desktop.exists(unsaved));
    EXPECT_EQ(scene.closeRequests(), 1U);
}

} // namespace
} // namespace cellaro
