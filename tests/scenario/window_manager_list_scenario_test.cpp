// Scenario: the window manager list on the simulated desktop, built straight over the simulated
// ports: its rows in list order with their texts and icons, the group boxes and the selection, the
// close and open-location buttons, the bottom bar, the scroll bar and closing.
#include "config/settings.h"
#include "forms/winlist/window_manager_list.h"
#include "logic/session.h"
#include "logic/winlist/window_list.h"
#include "support/sim_machine.h"
#include "support/ui.h"
#include "widgets/check_box.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/scroll_box.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using sim::CallKind;
using testing::SimMachine;

constexpr Colour kRed = Colour::rgb(255, 0, 0);
constexpr Colour kBlue = Colour::rgb(0, 0, 255);
constexpr const char* kNoGroup = "No windows group was created";

struct ListScene {
    SimMachine machine;
    SettingsModel settings{machine.files, SimMachine::kConfigPath};
    Session session;
    WindowList list{machine.desktop};
    int activations = 0;
    int closings = 0;
    std::vector<std::array<std::string, kGroupCount>> published;
    std::unique_ptr<WindowManagerList> dialog;

    explicit ListScene(const std::optional<std::string>& config = std::nullopt) {
        if (config) {
            machine.files.setFile(SimMachine::kConfigPath, *config);
        }
        settings.load();
        const WindowManagerListServices services{
            machine.host,
            machine.desktop,
            machine.loop,
            machine.shell,
            settings,
            session,
            list,
            [this] { return settings.persist({Setting::SkipKillConfirmation}).ok; },
            [this] { ++activations; },
            [this] { ++closings; },
            [this](const std::array<std::string, kGroupCount>& texts) { published.push_back(texts); }};
        dialog = std::make_unique<WindowManagerList>(services);
    }

    WindowId open(const std::string& title, Rect bounds = Rect::fromBounds(100, 120, 800, 500),
                  ShowState state = ShowState::Normal) {
        sim::WindowOptions options;
        options.title = title;
        options.bounds = bounds;
        options.state = state;
        return machine.desktop.createWindow(options);
    }
    void show() { dialog->show(true); }

    // The entry index of the window of this title in the last build.
    [[nodiscard]] int indexOf(const std::string& title) const {
        for (int index = 0; index < list.count(); ++index) {
            if (list.entry(index).title == title) {
                return index;
            }
        }
        return -1;
    }
    [[nodiscard]] const WindowRow& rowOf(const std::string& title) const {
        const WindowRow* row = dialog->row(indexOf(title));
        if (row == nullptr) {
            throw std::runtime_error("no row for " + title);
        }
        return *row;
    }
    [[nodiscard]] const WindowMarks& marksOf(const std::string& title) const {
        return list.entry(indexOf(title)).marks;
    }
    bool click(const std::string& name) { return testing::click(machine.host, *dialog, name); }
    bool clickPart(const std::string& prefix, const std::string& title) {
        return click(prefix + std::to_string(indexOf(title)));
    }
    [[nodiscard]] std::vector<std::string> listedTitles() const {
        std::vector<std::string> titles;
        for (int index = 0; index < list.count(); ++index) {
            if (dialog->row(index) != nullptr) {
                titles.push_back(list.entry(index).title);
            }
        }
        return titles;
    }
    [[nodiscard]] std::string config() const {
        return machine.files.file(SimMachine::kConfigPath).value_or("<no file>");
    }
};

// ----- Opening: the dialog and its rows -----------------------------------------------------------

TEST(WindowManagerList, OpensCentredOnThePrimaryMonitorWithRowsInListOrderAndTheirTexts) {
    ListScene scene;
    scene.open("charlie", Rect::fromBounds(10, 20, 800, 600));
    scene.open("Alpha", Rect::fromBounds(50, 60, 300, 200), ShowState::Minimized);
    scene.open("bravo", Rect::fromBounds(50, 60, 300, 200), ShowState::Maximized);
    scene.show();

    EXPECT_EQ(scene.dialog->bounds(), Rect::fromBounds((1920 - 836) / 2, (1080 - 527) / 2, 836, 527));
    EXPECT_EQ(scene.dialog->name(), "WMFselectWindow");
    EXPECT_EQ(scene.listedTitles(), (std::vector<std::string>{"Alpha", "bravo", "charlie"}));
    EXPECT_EQ(scene.rowOf("Alpha").stateLabel().text(), "Minimized");
    EXPECT_EQ(scene.rowOf("bravo").stateLabel().text(), "Maximized ( 0, 0, 1920, 1040 )");
    EXPECT_EQ(scene.rowOf("charlie").stateLabel().text(), "Normal ( 10, 20, 810, 620 )");
    const WindowRow& row = scene.rowOf("charlie");
    EXPECT_EQ(row.titleLabel().text(), "charlie");
    EXPECT_EQ(row.titleLabel().hint(), "charlie");
    EXPECT_EQ(row.closeButton().hint(), "Close");
    // Every part carries its row's index; the rows stack from the top in order.
    const int index = scene.indexOf("charlie");
    const std::vector<const Widget*> parts{&row.panel(),       &row.clientPanel(),       &row.groupBox(3),
                                           &row.icon(),        &row.titleLabel(),        &row.stateLabel(),
                                           &row.closeButton(), &row.openLocationButton()};
    for (const Widget* part : parts) {
        EXPECT_EQ(part->tag(), index) << part->name();
    }
    EXPECT_EQ(scene.rowOf("Alpha").panel().bounds().top, 0);
    EXPECT_EQ(scene.rowOf("bravo").panel().bounds().top, WindowRow::kHeight);
    EXPECT_EQ(row.panel().bounds().top, 2 * WindowRow::kHeight);
}

TEST(WindowManagerList, RowsTakenOutOfTheListHaveNoPartsButKeepTheirEntries) {
    ListScene scene;
    scene.open("Editor");
    scene.open("Tiny", Rect::fromBounds(0, 0, 19, 300));
    scene.show();

    // The dialog's own window ("Cellaro") and the narrow one are entries without rows.
    for (const std::string title : {"Tiny", "Cellaro"}) {
        const int index = scene.indexOf(title);
        ASSERT_GE(index, 0) << title;
        EXPECT_FALSE(scene.list.entry(index).listed);
        EXPECT_EQ(scene.dialog->row(index), nullptr);
        EXPECT_EQ(scene.dialog->find("panel106" + std::to_string(index)), nullptr);
    }
    EXPECT_EQ(scene.listedTitles(), std::vector<std::string>{"Editor"});
    EXPECT_EQ(scene.rowOf("Editor").panel().bounds().top, 0);
}

struct IconCase {
    const char* name;
    std::optional<Colour> bigIcon;
    std::optional<Colour> fileIcon;
    bool hung;
    std::optional<Colour> shown; // nothing: no picture
};

class ListIconTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(ListIconTest, TheIconIsTheWindowsElseItsFilesElseNone) {
    const IconCase& c = GetParam();
    ListScene scene;
    sim::WindowOptions options;
    options.title = "Viewer";
    options.executablePath = "C:\\Apps\\viewer.exe";
    options.bigIcon = c.bigIcon;
    options.hung = c.hung;
    scene.machine.desktop.setFileIcon(options.executablePath, c.fileIcon);
    scene.machine.desktop.createWindow(options);
    scene.show();

    const Bitmap& picture = scene.rowOf("Viewer").icon().picture();
    if (c.shown) {
        ASSERT_EQ(picture.width(), 32);
        EXPECT_EQ(picture.pixel(16, 16), *c.shown);
    } else {
        EXPECT_TRUE(picture.empty());
    }
    EXPECT_EQ(scene.machine.desktop.timedOutCount(), 0U);
}

const IconCase kIconCases[] = {
    {"WindowIcon", kRed, kBlue, false, kRed},
    {"FileIcon", std::nullopt, kBlue, false, kBlue},
    {"NoIcon", std::nullopt, std::nullopt, false, std::nullopt},
    {"HungWindowShowsItsFileIcon", kRed, kBlue, true, kBlue},
};

INSTANTIATE_TEST_SUITE_P(WindowManagerList, ListIconTest, ::testing::ValuesIn(kIconCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- Marks -----------------------------------------------------------------------------------------

TEST(WindowManagerList, GroupBoxesAndSelectionSetTheMarksWhichARefreshCarriesOver) {
    ListScene scene;
    scene.open("Editor");
    scene.open("Mail");
    scene.show();

    ASSERT_TRUE(scene.clickPart("boxB106", "Editor"));
    ASSERT_TRUE(scene.clickPart("boxD106", "Editor"));
    ASSERT_TRUE(scene.clickPart("label110", "Mail"));
    EXPECT_EQ(scene.dialog->currentRow(), scene.indexOf("Mail"));
    EXPECT_EQ(scene.marksOf("Editor"), (WindowMarks{false, {false, true, false, true}}));
    EXPECT_EQ(scene.marksOf("Mail"), (WindowMarks{true, {}}));
    // The other parts of a row toggle its selection too.
    ASSERT_TRUE(scene.clickPart("panelImage106", "Editor"));
    ASSERT_TRUE(scene.clickPart("image106", "Editor"));
    ASSERT_TRUE(scene.clickPart("labelPOL110", "Editor"));
    EXPECT_TRUE(scene.marksOf("Editor").selected);

    scene.open("Browser"); // the rows move
    ASSERT_TRUE(scene.click("XiButton1"));
    EXPECT_EQ(scene.dialog->currentRow(), 0);
    EXPECT_EQ(scene.listedTitles(), (std::vector<std::string>{"Browser", "Editor", "Mail"}));
    EXPECT_EQ(scene.marksOf("Editor"), (WindowMarks{true, {false, true, false, true}}));
    EXPECT_EQ(scene.marksOf("Mail"), (WindowMarks{true, {}}));
    EXPECT_TRUE(scene.rowOf("Editor").groupBox(1).checked());
    EXPECT_FALSE(scene.rowOf("Editor").groupBox(0).checked());
    EXPECT_TRUE(scene.rowOf("Editor").groupBox(3).checked());
}

TEST(WindowManagerList, InvertTogglesEveryGroupBoxAndUnselectClearsThemLeavingTheSelection) {
    ListScene scene;
    scene.open("Editor");
    scene.open("Mail");
    scene.show();
    ASSERT_TRUE(scene.clickPart("boxA106", "Editor"));
    ASSERT_TRUE(scene.clickPart("label110", "Editor"));

    ASSERT_TRUE(scene.click("XBRefresh"));
    EXPECT_EQ(scene.marksOf("Editor"), (WindowMarks{true, {false, true, true, true}}));
    EXPECT_EQ(scene.marksOf("Mail"), (WindowMarks{false, {true, true, true, true}}));
    EXPECT_TRUE(scene.rowOf("Editor").groupBox(2).checked());
    EXPECT_FALSE(scene.rowOf("Editor").groupBox(0).checked());

    ASSERT_TRUE(scene.click("xiunselect"));
    EXPECT_EQ(scene.marksOf("Editor"), (WindowMarks{true, {}}));
    EXPECT_EQ(scene.marksOf("Mail"), (WindowMarks{}));
    for (int group = 0; group < kGroupCount; ++group) {
        EXPECT_FALSE(scene.rowOf("Mail").groupBox(group).checked());
    }
}

// ----- Closing windows -------------------------------------------------------------------------------

TEST(WindowManagerList, TheCloseButtonAsksUnlessToldNotToAndKeepsTheBoxWhateverTheAnswer) {
    struct Case {
        const char* name;
        std::optional<std::string> config;
        std::optional<KillAnswer> answer; // nothing: no question expected
        bool tick;
        bool closes;
        bool skipAfter;
    };
    const std::string skipOn = "[Options]\r\noptAutohideagain=1\r\n";
    for (const Case& c : {Case{"Yes", std::nullopt, KillAnswer::Yes, false, true, false},
                          Case{"CancelTicked", std::nullopt, KillAnswer::No, true, false, true},
                          Case{"ClosedBox", std::nullopt, KillAnswer::Neither, false, false, false},
                          Case{"NotAsked", skipOn, std::nullopt, false, true, true}}) {
        SCOPED_TRACE(c.name);
        ListScene scene(c.config);
        const WindowId editor = scene.open("Editor");
        scene.open("Mail");
        scene.show();
        if (c.answer) {
            scene.machine.shell.queueKillAnswer(*c.answer, c.tick);
        }
        const int index = scene.indexOf("Editor");
        ASSERT_TRUE(scene.clickPart("ZapriOknol110", "Editor"));

        ASSERT_EQ(scene.machine.shell.killConfirmations().size(), c.answer ? 1U : 0U);
        if (c.answer) {
            const auto& shown = scene.machine.shell.killConfirmations().front();
            EXPECT_EQ(shown.caption, "Cellaro");
            EXPECT_EQ(shown.text, "\r\rYou will kill the process and stop the selected window.           "
                                  "\r\rClick \"Kill process\" to ignore this message and continue.");
            EXPECT_NE(scene.config().find(c.skipAfter ? "optAutohideagain=1" : "optAutohideagain=0"),
                      std::string::npos);
        }
        EXPECT_EQ(scene.settings.skipKillConfirmation(), c.skipAfter);
        EXPECT_EQ(scene.machine.desktop.exists(editor), !c.closes);
        EXPECT_EQ(scene.machine.desktop.callCount(CallKind::RequestClose), c.closes ? 1U : 0U);
        // A closed window's row goes and the rows below move up.
        EXPECT_EQ(scene.dialog->row(index)->panel().visible(), !c.closes);
        EXPECT_EQ(scene.rowOf("Mail").panel().bounds().top, c.closes ? 0 : WindowRow::kHeight);
    }
}

TEST(WindowManagerList, AHungWindowsCloseGivesUpAndTheDialogGoesOn) {
    ListScene scene("[Options]\r\noptAutohideagain=1\r\n");
    const WindowId frozen = scene.open("Frozen");
    scene.open("Mail");
    scene.show();
    scene.machine.desktop.setHung(frozen, true);

    ASSERT_TRUE(scene.clickPart("ZapriOknol110", "Frozen"));
    EXPECT_EQ(scene.machine.desktop.timedOutCount(), 1U);
    EXPECT_TRUE(scene.machine.desktop.exists(frozen));
    ASSERT_TRUE(scene.click("XiButton1"));
    EXPECT_EQ(scene.listedTitles(), (std::vector<std::string>{"Frozen", "Mail"}));
}

TEST(WindowManagerList, CloseSelectedWindowsAsksAndOnYesClosesTheSelectedOnesThenRebuilds) {
    for (const MessageBoxResult answer : {MessageBoxResult::No, MessageBoxResult::Yes}) {
        ListScene scene;
        const WindowId editor = scene.open("Editor");
        const WindowId mail = scene.open("Mail");
        const WindowId notes = scene.open("Notes");
        scene.show();
        ASSERT_TRUE(scene.clickPart("label110", "Editor"));
        ASSERT_TRUE(scene.clickPart("label110", "Notes"));
        // Clearing the groups leaves the selection.
        ASSERT_TRUE(scene.click("xiunselect"));
        scene.machine.shell.queueMessageBoxAnswer(answer);
        ASSERT_TRUE(scene.click("XBClose"));

        ASSERT_EQ(scene.machine.shell.messageBoxes().size(), 1U);
        const auto& box = scene.machine.shell.messageBoxes().front();
        EXPECT_EQ(box.text, "Close selected windows?");
        EXPECT_EQ(box.caption, "Cellaro");
        EXPECT_EQ(box.buttons, MessageBoxButtons::YesNo);
        EXPECT_EQ(box.icon, MessageBoxIcon::Warning);
        EXPECT_EQ(box.defaultButton, MessageBoxDefault::Second);
        EXPECT_TRUE(box.question);
        const bool yes = answer == MessageBoxResult::Yes;
        EXPECT_EQ(scene.machine.desktop.exists(editor), !yes);
        EXPECT_TRUE(scene.machine.desktop.exists(mail));
        EXPECT_EQ(scene.machine.desktop.exists(notes), !yes);
        const std::vector<std::string> left =
            yes ? std::vector<std::string>{"Mail"} : std::vector<std::string>{"Editor", "Mail", "Notes"};
        EXPECT_EQ(scene.listedTitles(), left);
    }
}

// ----- Open file location ----------------------------------------------------------------------------

TEST(WindowManagerList, OpenFileLocationShowsTheExecutableInItsFolderAndNothingWithoutAPath) {
    ListScene scene;
    const WindowId editor = scene.open("Editor");
    const WindowId system = scene.open("System");
    scene.machine.desktop.setProcess(editor, 77, "C:\\Apps\\editor.exe");
    scene.machine.desktop.setProcess(system, 4, "");
    scene.show();

    ASSERT_TRUE(scene.clickPart("MinimizeOknol110", "Editor"));
    ASSERT_TRUE(scene.clickPart("MinimizeOknol110", "System"));
    EXPECT_EQ(scene.machine.shell.openedFolders(), std::vector<std::string>{"C:\\Apps\\editor.exe"});
}

// ----- Layout ----------------------------------------------------------------------------------------

TEST(WindowManagerList, TheRowButtonsAndHeaderCaptionsMoveLeftWhenTheScrollBarAppears) {
    struct Case {
        int windows;
        bool bar;
    };
    for (const Case& c : {Case{3, false}, Case{20, true}}) {
        SCOPED_TRACE(c.windows);
        ListScene scene;
        for (int i = 0; i < c.windows; ++i) {
            scene.open("Window " + std::to_string(100 + i));
        }
        scene.show();
        ScrollBox* box = scene.dialog->scrollBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->scrollBarShown(), c.bar);
        const int width = 836 - (c.bar ? ScrollBox::kScrollBarWidth : 0);
        EXPECT_EQ(box->clientWidth(), width);
        const WindowRow& row = scene.rowOf("Window 101");
        EXPECT_EQ(row.clientPanel().bounds().width(), width - 1);
        EXPECT_EQ(row.closeButton().bounds().left, width - 50);
        EXPECT_EQ(row.openLocationButton().bounds().left, width - 100);
        EXPECT_EQ(scene.dialog->find("Panel2")->bounds().left, width - 134);
        EXPECT_EQ(scene.dialog->find("xClose")->formBounds().right, 836);
    }
}

TEST(WindowManagerList, TheWheelOverTheRowsScrollsThem) {
    ListScene scene;
    for (int i = 0; i < 20; ++i) {
        scene.open("Window " + std::to_string(100 + i));
    }
    scene.show();
    ScrollBox* box = scene.dialog->scrollBox();
    ASSERT_NE(box, nullptr);
    const auto overList = testing::centreOf(*scene.dialog, "Panel3");
    ASSERT_TRUE(overList);
    scene.machine.host.wheel(*scene.dialog, *overList, -120); // a notch towards the user
    EXPECT_EQ(box->position(), ScrollBox::kWheelStep);
    scene.machine.host.wheel(*scene.dialog, *overList, 240);
    EXPECT_EQ(box->position(), 0);
}

// ----- Closing the dialog ----------------------------------------------------------------------------

TEST(WindowManagerList, EscClosesAndPublishesTheMemberTextsWhileTheOpenFlagFollowsTheDialog) {
    ListScene scene;
    scene.open("Title1");
    scene.open("Title2");
    scene.open("Other");
    scene.show();
    EXPECT_TRUE(scene.session.dialogOpen());
    EXPECT_EQ(scene.activations, 1);
    ASSERT_TRUE(scene.clickPart("boxA106", "Title1"));
    ASSERT_TRUE(scene.clickPart("boxA106", "Title2"));
    ASSERT_TRUE(scene.clickPart("boxC106", "Other"));

    scene.machine.host.pressKey(*scene.dialog, WindowManagerList::kVirtualKeyEscape);
    EXPECT_FALSE(scene.dialog->visible());
    EXPECT_FALSE(scene.session.dialogOpen());
    EXPECT_EQ(scene.closings, 1);
    ASSERT_EQ(scene.published.size(), 1U);
    EXPECT_EQ(scene.published[0],
              (std::array<std::string, kGroupCount>{"Title1\rTitle2", kNoGroup, "Other", kNoGroup}));
    EXPECT_EQ(scene.dialog->scrollBox(), nullptr);
    EXPECT_EQ(scene.dialog->find("panel1060"), nullptr);
    EXPECT_TRUE(scene.list.rowTexts().empty());
    // The entries keep their marks for the group commands, and the next opening carries them over.
    EXPECT_TRUE(scene.marksOf("Title1").groups[0]);
    scene.show();
    EXPECT_TRUE(scene.session.dialogOpen());
    EXPECT_TRUE(scene.rowOf("Title2").groupBox(0).checked());
    ASSERT_TRUE(scene.click("xClose"));
    EXPECT_FALSE(scene.dialog->visible());
    EXPECT_EQ(scene.published.size(), 2U);
}

} // namespace
} // namespace cellaro
