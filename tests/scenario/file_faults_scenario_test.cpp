// Scenario: every writer of the files beside the program, when its file is locked by another program,
// in a folder the user cannot write, or on a full disk. Each reports once (the working window's
// close not at all), names the file and the system's reason, skips the rest of its operation, and
// leaves every file as it was. (What the steps before the fault wrote, such as the working window's
// close, is the starting point.)
#include "app/tray_form.h"
#include "config/settings.h"
#include "forms/settings/grids_page.h"
#include "forms/settings/settings_window.h"
#include "forms/settings/transparency_pages.h"
#include "forms/winlist/window_manager_list.h"
#include "forms/working/full_screen_grid.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "logic/winlist/window_list.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/track_bar.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;
using testing::TargetShown;

constexpr const char* kDirectory = "C:\\Program Files\\Cellaro\\";
constexpr const char* kSharingViolation =
    "The process cannot access the file because it is being used by another process.";

enum class Fault { Locked, ReadOnly, DiskFull };

struct FaultCase {
    Fault fault;
    const char* name;
    const char* reason;
};

constexpr std::array<FaultCase, 3> kFaults{{
    {Fault::Locked, "locked", kSharingViolation},
    {Fault::ReadOnly, "read-only", "Access is denied."},
    {Fault::DiskFull, "disk full", "There is not enough space on the disk."},
}};

// The files as the user's earlier runs left them.
const std::map<std::string, std::string> kFiles{
    {"CRO.cfg",
     "[Options]\r\nMrezaTransparent=100\r\nSEW=5\r\nHotKey5=Ctrl+Alt+S\r\n\r\n[Config]\r\nload=0\r\n\r\n"},
    {"P03.IDX", "[Scheme]\r\nVersion=1\r\nBackground=1\r\nGridBackground=2\r\nGrid=3\r\nRangeSelection=4\r\n"
                "ResizingWindow=5\r\n"},
    {"color.cld", "[ColourChooser]\r\nVersion=1\r\nColour=255\r\n"},
};

void inject(sim::SimFileSystem& files, const std::string& path, const FaultCase& fault) {
    if (fault.fault == Fault::Locked) {
        files.failReads(path, fault.reason);
    }
    files.failWrites(path, fault.reason);
}

struct Writer {
    const char* name;
    const char* file; // the file it writes, beside the program
    std::function<void(TargetShown&)> prepare;
    std::function<void(TargetShown&)> act;
    // The rest of the operation did not happen (or, for the writers that go on, did).
    std::function<void(TargetShown&)> checkAfter;
    bool reported = true;
};

std::string color(const char* file) {
    return std::string(kDirectory) + file;
}

void openSettings(TargetShown& t) {
    ASSERT_TRUE(testing::click(t.machine.host, t.working, "SBTools"));
    ASSERT_TRUE(t.program.settingsWindow().visible());
}

// The texts of the error boxes shown so far (questions and notes left out).
std::vector<std::string> errorBoxes(const sim::SimShell& shell) {
    std::vector<std::string> texts;
    for (const sim::ShownMessageBox& box : shell.messageBoxes()) {
        if (box.icon == MessageBoxIcon::Error) {
            texts.push_back(box.text);
        }
    }
    return texts;
}

int rowOf(TargetShown& t) {
    const WindowList& list = t.program.windowEntries();
    for (int row = 0; row < list.count(); ++row) {
        if (list.entry(row).window() == t.target) {
            return row;
        }
    }
    return -1;
}

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all{
        {"Settings OK", "CRO.cfg",
         [](TargetShown& t) {
             openSettings(t);
             t.program.settingsWindow().gridsPage().setCounts(8, 8);
         },
         [](TargetShown& t) { t.program.settingsWindow().ok(); },
         [](TargetShown& t) {
             // Still open, with the user's choice in it, to try again or cancel.
             EXPECT_TRUE(t.program.settingsWindow().visible());
             EXPECT_EQ(t.program.settingsWindow().gridsPage().across(), 8);
         }},
        {"Reset all", "CRO.cfg", openSettings, [](TargetShown& t) { t.program.settingsWindow().resetAll(); },
         [](TargetShown& t) {
             // The slider keeps its place: the rest of the reset was skipped.
             EXPECT_EQ(t.program.settingsWindow().fullScreenGridPage().slider().position(), 100);
         }},
        {"Max Num rows/cols", "CRO.cfg", nullptr,
         [](TargetShown& t) { t.working.fullScreenGrid().toggleMaxRowsColumns(); },
         [](TargetShown& t) { EXPECT_TRUE(t.program.settings().maxRowsColumns()); }},
        {"Kill confirmation of the shortcut", "CRO.cfg", nullptr,
         [](TargetShown& t) {
             t.machine.shell.queueKillAnswer(KillAnswer::Yes, true);
             t.program.killTarget();
         },
         [](TargetShown& t) { EXPECT_TRUE(t.machine.desktop.exists(t.target)); }},
        {"Kill confirmation of the window list", "CRO.cfg",
         [](TargetShown& t) {
             t.program.manageGroups();
             t.machine.host.syncActivation();
             ASSERT_GE(rowOf(t), 0);
         },
         [](TargetShown& t) {
             t.machine.shell.queueKillAnswer(KillAnswer::Yes, true);
             t.program.windowList().closeWindow(rowOf(t));
         },
         [](TargetShown& t) { EXPECT_TRUE(t.machine.desktop.exists(t.target)); }},
        {"Load Cellaro at Startup", "CRO.cfg", nullptr,
         [](TargetShown& t) { t.program.trayForm().runCommand(CommandCall::of(Command::LoadAtStartup)); },
         [](TargetShown& t) {
             EXPECT_FALSE(t.program.trayForm().autostartChecked());
             EXPECT_FALSE(t.machine.registry.runValue("Cellaro").has_value());
         }},
        {"Exit", "CRO.cfg", nullptr,
         [](TargetShown& t) { t.program.trayForm().runCommand(CommandCall::of(Command::Exit)); },
         [](TargetShown& t) { EXPECT_TRUE(t.machine.host.quitRequested()); }},
        {"Working window close", "CRO.cfg", nullptr, [](TargetShown& t) { t.working.close(); },
         [](TargetShown& t) { EXPECT_FALSE(t.working.visible()); }, false},
        {"Save scheme 3", "P03.IDX", openSettings,
         [](TargetShown& t) {
             ASSERT_TRUE(testing::click(t.machine.host, t.program.settingsWindow(), "Save3"));
         },
         [](TargetShown& t) { EXPECT_EQ(t.program.settingsWindow().schemes().index(), 20); }},
        {"Settings close (the colour chooser)", "color.cld", openSettings,
         [](TargetShown& t) { t.program.settingsWindow().cancel(); },
         [](TargetShown& t) { EXPECT_FALSE(t.program.settingsWindow().visible()); }},
    };
    return all;
}

TEST(FileFaults, EveryWriterReportsOnceSkipsTheRestAndLeavesEveryFileAsItWas) {
    for (const Writer& writer : writers()) {
        for (const FaultCase& fault : kFaults) {
            SCOPED_TRACE(std::string(writer.name) + ", " + writer.file + " " + fault.name);
            testing::TargetShownOptions options;
            options.config = kFiles.at("CRO.cfg");
            TargetShown t(options);
            for (const auto& [name, text] : kFiles) {
                if (name != "CRO.cfg") {
                    t.machine.files.setFile(color(name.c_str()), text);
                }
            }
            if (writer.prepare) {
                writer.prepare(t);
            }
            const std::string path = color(writer.file);
            inject(t.machine.files, path, fault);
            const std::map<std::string, std::string, sim::PathLess> filesBefore = t.machine.files.files();
            const std::vector<std::string> errorsBefore = errorBoxes(t.machine.shell);

            writer.act(t);

            const std::vector<std::string> errors = errorBoxes(t.machine.shell);
            ASSERT_EQ(errors.size() - errorsBefore.size(), writer.reported ? 1U : 0U);
            if (writer.reported) {
                const std::string& text = errors.back();
                EXPECT_NE(text.find(path), std::string::npos) << text;
                EXPECT_NE(text.find(fault.reason), std::string::npos) << text;
            }
            EXPECT_EQ(t.machine.files.files(), filesBefore);
            writer.checkAfter(t);
        }
    }
}

} // namespace
} // namespace cellaro
