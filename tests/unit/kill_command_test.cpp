// The kill confirmation's text, and the simulated shell answering kill confirmations as a test
// scripts them.
#include "logic/kill_command.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_shell.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

constexpr const char* kWarning = "\r\rYou will kill the process and stop the selected window.           "
                                 "\r\rClick \"Kill process\" to ignore this message and continue.";

TEST(KillConfirmationText, KeepsTheFirstFiftyCharactersOfTheTitle) {
    struct Case {
        std::string title;
        std::string shown;
    };
    const std::string fifty(50, 'a');
    // A three-byte character (the euro sign) counts as one character and is never split.
    const std::string euro = "\xE2\x82\xAC";
    for (const Case& c :
         {Case{"", ""}, Case{"Editor", "Editor"}, Case{fifty, fifty}, Case{fifty + "b", fifty},
          Case{std::string(49, 'a') + euro + "zz", std::string(49, 'a') + euro},
          Case{"  spaced  ", "  spaced  "}}) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(killConfirmationText(c.title), "Selected window:  " + c.shown + kWarning);
    }
}

TEST(SimShellKillConfirmation, AnswersQueuedAnswersInOrderThenCancelUnticked) {
    sim::SimEventLoop loop;
    sim::SimShell shell(loop);
    shell.queueKillAnswer(KillAnswer::Yes, true);
    shell.queueKillAnswer(KillAnswer::Neither, false);
    const KillConfirmation first = shell.confirmKill("one", "Cellaro");
    const KillConfirmation second = shell.confirmKill("two", "Cellaro");
    const KillConfirmation third = shell.confirmKill("three", "Cellaro");
    EXPECT_EQ(first.answer, KillAnswer::Yes);
    EXPECT_TRUE(first.dontAskAgain);
    EXPECT_EQ(second.answer, KillAnswer::Neither);
    EXPECT_FALSE(second.dontAskAgain);
    EXPECT_EQ(third.answer, KillAnswer::No);
    EXPECT_FALSE(third.dontAskAgain);
    ASSERT_EQ(shell.killConfirmations().size(), 3U);
    EXPECT_EQ(shell.killConfirmations()[1].text, "two");
    EXPECT_EQ(shell.killConfirmations()[1].caption, "Cellaro");
}

TEST(SimShellKillConfirmation, TheHookRunsOnceWhileTheDialogShows) {
    sim::SimEventLoop loop;
    sim::SimShell shell(loop);
    int runs = 0;
    bool showing = false;
    shell.whileKillConfirmationShows([&] {
        ++runs;
        showing = shell.killConfirmationShowing();
        EXPECT_EQ(shell.killConfirmations().size(), 1U) << "recorded before the hook";
    });
    EXPECT_FALSE(shell.killConfirmationShowing());
    shell.confirmKill("text", "Cellaro");
    shell.confirmKill("text", "Cellaro");
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(showing);
    EXPECT_FALSE(shell.killConfirmationShowing());
}

} // namespace
} // namespace cellaro
