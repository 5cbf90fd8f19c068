// Scenario: the about window on the simulated desktop: shown once from the tray, placed and sized
// at every scale, the version line from the executable's version resource, the website and share
// links, the prepared e-mail with and without a mail program, closing, and dragging.
#include "app/tray_form.h"
#include "forms/about/about_window.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "logic/working_mode.h"
#include "pixels/bitmap.h"
#include "pixels/bitmap_canvas.h"
#include "support/sim_machine.h"
#include "support/ui.h"
#include "widgets/image.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

constexpr int kEscape = 0x1B;
constexpr std::string_view kRecommendationBody =
    "The Cellaro introducing a new way to control desktop windows...  Website: https://cellaro.example/";

struct About {
    explicit About(int dpi = kBaseDpi) : machine(1, dpi), program(machine.start()) {}

    AboutWindow& window() { return program.aboutWindow(); }
    void chooseFromTray() {
        machine.shell.queueMenuChoice("About1");
        machine.shell.clickTrayRight(Point{1800, 1060});
    }
    bool click(std::string_view control) { return testing::click(machine.host, window(), control); }
    [[nodiscard]] std::string versionLine() { return window().find("lVersion")->caption(); }
    [[nodiscard]] int visibleAboutWindows() const {
        int count = 0;
        for (const WindowId id : machine.desktop.topLevelWindows()) {
            if (machine.desktop.title(id) == "About" && machine.desktop.isVisible(id)) {
                ++count;
            }
        }
        return count;
    }

    SimMachine machine;
    Program& program;
};

TEST(AboutWindow, ChosenTwiceShowsOneWindowAndTheTrayLeavesAShownOneAlone) {
    About about;
    EXPECT_FALSE(about.window().visible());
    about.chooseFromTray();
    ASSERT_TRUE(about.window().visible());
    EXPECT_EQ(about.machine.host.activeWindow(), about.window().id());

    // The user works in another window; "About" again neither adds a window nor takes the focus.
    sim::WindowOptions editor;
    editor.title = "Editor";
    const WindowId other = about.machine.desktop.createWindow(editor);
    about.machine.host.activateByUser(other);
    about.chooseFromTray();
    EXPECT_EQ(about.visibleAboutWindows(), 1);
    EXPECT_EQ(about.machine.desktop.foregroundWindow(), other);
    EXPECT_EQ(about.machine.host.windowCount(), about.program.forms().size());
}

TEST(AboutWindow, TheTrayTakesTheFullScreenGridAwayFirst) {
    About about;
    about.program.trayForm().runCommand(CommandCall::onMonitor(Command::FullScreenGrid, 0));
    ASSERT_TRUE(about.program.mode().fullScreen());
    about.chooseFromTray();
    EXPECT_FALSE(about.program.mode().fullScreen());
    EXPECT_FALSE(about.program.workingWindow().visible());
    EXPECT_TRUE(about.window().visible());
}

// Placed at (1, 1) at every scale, always on top, the size kept whatever asks for another.
TEST(AboutWindow, PlacedAtTheCornerOnTopAndOfAFixedSizeAtEveryScale) {
    struct Case {
        int dpi;
        Rect bounds;
        int pictureSize;
        Rect versionText; // where the version line is drawn, in physical pixels
        int productHeight;
    };
    for (const Case& c : {Case{96, Rect{1, 1, 559, 402}, 50, Rect::fromBounds(77, 100, 460, 22), 32},
                          Case{144, Rect{1, 1, 838, 603}, 75, Rect::fromBounds(116, 150, 690, 33), 48}}) {
        About about(c.dpi);
        about.chooseFromTray();
        AboutWindow& window = about.window();
        EXPECT_EQ(window.bounds(), c.bounds) << c.dpi;
        EXPECT_TRUE(about.machine.desktop.isTopmost(window.id())) << c.dpi;
        window.setBounds(Rect{40, 50, 400, 300});
        EXPECT_EQ(window.bounds(), (Rect{40, 50, 40 + c.bounds.width(), 50 + c.bounds.height()})) << c.dpi;

        const Bitmap shown = about.machine.host.paint(window);
        const Scale scale{c.dpi};
        const auto at = [&](int x, int y) { return shown.pixel(scale.physical(x), scale.physical(y)); };
        EXPECT_EQ(at(0, 300), AboutWindow::kStripEdgeColour) << c.dpi;
        EXPECT_EQ(shown.pixel(scale.physical(57) - 1, scale.physical(300)), AboutWindow::kStripEdgeColour)
            << c.dpi;
        EXPECT_EQ(at(28, 300), AboutWindow::kStripColour) << c.dpi;
        EXPECT_EQ(at(300, 300), AboutWindow::kPanelColour) << c.dpi;
        for (const char* picture : {"Image7", "Image15", "Image11"}) {
            const auto* image = dynamic_cast<const Image*>(window.find(picture));
            ASSERT_NE(image, nullptr) << picture;
            EXPECT_EQ(image->picture().width(), c.pictureSize) << picture << " at " << c.dpi;
        }

        std::optional<DrawnText> version;
        std::optional<DrawnText> product;
        for (const DrawnText& text : about.machine.host.paintTexts(window)) {
            if (text.text.rfind("Version: ", 0) == 0) {
                version = text;
            } else if (text.text == "Cellaro  ") {
                product = text;
            }
        }
        ASSERT_TRUE(version && product) << c.dpi;
        EXPECT_EQ(version->area, c.versionText) << c.dpi;
        EXPECT_EQ(product->style.font.height, c.productHeight) << c.dpi;
        EXPECT_TRUE(product->style.font.bold);
        EXPECT_EQ(product->style.colour, AboutWindow::kTextColour);
    }
}

TEST(AboutWindow, TheVersionLineFollowsTheExecutablesVersionResource) {
    About about;
    struct Case {
        std::optional<FileVersion> version;
        std::string line;
    };
    for (const Case& c :
         {Case{FileVersion{{2, 0, 1, 189}}, "Version: 2.0.1.189"},
          Case{FileVersion{{0, 1, 0, 0}}, "Version: 0.1.0.0"},
          Case{FileVersion{{65535, 10, 0, 7}}, "Version: 65535.10.0.7"}, Case{std::nullopt, "Version: "}}) {
        about.machine.files.setProgramVersion(c.version);
        about.chooseFromTray();
        EXPECT_EQ(about.versionLine(), c.line);
        about.machine.host.pressKey(about.window(), kEscape);
    }

    // Each activation reads it afresh.
    about.chooseFromTray();
    sim::WindowOptions editor;
    editor.title = "Editor";
    about.machine.host.activateByUser(about.machine.desktop.createWindow(editor));
    about.machine.files.setProgramVersion(FileVersion{{3, 2, 1, 0}});
    about.machine.host.activateByUser(about.window().id());
    EXPECT_EQ(about.versionLine(), "Version: 3.2.1.0");
}

TEST(AboutWindow, LinksOpenTheirAddressesInTheBrowser) {
    struct Case {
        const char* control;
        std::string address;
    };
    for (const Case& c :
         {Case{"Label35", "https://cellaro.example/"},
          Case{"Image7",
               "https://share.cellaro.example/message?text=The%20Cellaro%20introducing%20a%20new%20way%20to%"
               "20control%20desktop%20windows&url=https%3A%2F%2Fcellaro.example%2F"},
          Case{"Image15", "https://share.cellaro.example/social?u=https%3A%2F%2Fcellaro.example%2F&quote=The%"
                          "20Cellaro%20introducing%20a%20new%20way%20to%20control%20desktop%20windows"}}) {
        About about;
        about.chooseFromTray();
        ASSERT_TRUE(about.click(c.control)) << c.control;
        EXPECT_EQ(about.machine.shell.openedDocuments(), std::vector<std::string>{c.address}) << c.control;
        EXPECT_TRUE(about.machine.mail.handed().empty());
        EXPECT_TRUE(about.window().visible());
    }
}

TEST(AboutWindow, TabReachesTheLinksAndTheCloseButtonAndEnterFollowsThem) {
    About about;
    about.chooseFromTray();
    about.machine.host.syncActivation();
    // In the window's order: the three share pictures, the website, Close, and round again.
    std::vector<std::string> order;
    for (int press = 0; press < 6; ++press) {
        about.machine.host.pressKey(about.window(), 0x09);
        const Widget* focused = about.window().focused();
        order.push_back(focused == nullptr ? "" : focused->name());
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"Image7", "Image15", "Image11", "Label35", "bClose", "Image7"}));
    for (int press = 0; press < 3; ++press) {
        about.machine.host.pressKey(about.window(), 0x09);
    }
    ASSERT_EQ(about.window().focused()->name(), "Label35");
    about.machine.host.pressKey(about.window(), 0x0D);
    EXPECT_EQ(about.machine.shell.openedDocuments(), std::vector<std::string>{"https://cellaro.example/"});
    about.machine.host.pressKey(about.window(), 0x09);
    about.machine.host.pressKey(about.window(), 0x20);
    EXPECT_FALSE(about.window().visible());
}

TEST(AboutWindow, ThePreparedMailGoesToTheMailProgram) {
    About about;
    about.chooseFromTray();
    ASSERT_TRUE(about.click("Image11"));
    ASSERT_EQ(about.machine.mail.handed().size(), 1U);
    const sim::HandedMail& mail = about.machine.mail.handed()[0];
    EXPECT_EQ(mail.owner, about.window().id());
    EXPECT_EQ(mail.message.to, "");
    EXPECT_TRUE(mail.message.attachments.empty());
    EXPECT_EQ(mail.message.subject, "New way to control desktop windows");
    EXPECT_EQ(mail.message.body, kRecommendationBody);
    // A message the user cancels in the mail program is no error of ours.
    about.machine.mail.setSendCode(1);
    ASSERT_TRUE(about.click("Image11"));
    EXPECT_TRUE(about.machine.shell.messageBoxes().empty());
    EXPECT_TRUE(about.machine.shell.openedDocuments().empty());
}

TEST(AboutWindow, WithoutAMailProgramTheUserIsTold) {
    About about;
    about.machine.mail.setMailProgramPresent(false);
    about.chooseFromTray();
    ASSERT_TRUE(about.click("Image11"));
    EXPECT_EQ(about.machine.mail.refusedCount(), 1);
    ASSERT_EQ(about.machine.shell.messageBoxes().size(), 1U);
    const sim::ShownMessageBox& box = about.machine.shell.messageBoxes()[0];
    EXPECT_EQ(box.text, "Error while trying to send email");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(box.icon, MessageBoxIcon::Error);
    EXPECT_TRUE(about.window().visible());
}

TEST(AboutWindow, EscapeCloseAndTheSystemCloseIt) {
    struct Case {
        const char* way;
        void (*close)(About&);
    };
    for (const Case& c : {Case{"Escape", [](About& a) { a.machine.host.pressKey(a.window(), kEscape); }},
                          Case{"Close", [](About& a) { ASSERT_TRUE(a.click("bClose")); }},
                          Case{"Alt+F4", [](About& a) { a.machine.host.requestClose(a.window()); }}}) {
        About about;
        about.chooseFromTray();
        c.close(about);
        EXPECT_FALSE(about.window().visible()) << c.way;
        EXPECT_EQ(about.visibleAboutWindows(), 0) << c.way;
        // Closed, it comes back from the tray.
        about.chooseFromTray();
        EXPECT_TRUE(about.window().visible()) << c.way;
    }
    // Other keys leave it.
    About about;
    about.chooseFromTray();
    about.machine.host.pressKey(about.window(), 0x0D);
    EXPECT_TRUE(about.window().visible());
}

// The orange panel and its texts drag the window; the strip and the link do not.
TEST(AboutWindow, ThePanelDragsTheWindow) {
    struct Case {
        const char* control;
        bool drags;
    };
    for (const Case& c : {Case{"pMain", true}, Case{"lProduct", true}, Case{"lVersion", true},
                          Case{"pShare", false}, Case{"Label35", false}}) {
        About about(144);
        about.chooseFromTray();
        AboutWindow& window = about.window();
        const Widget* control = window.find(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        const Rect area = window.scale().physical(control->formBounds());
        const Point press{area.left + 4, area.top + 4};
        const Point released{1 + press.x + 100, 1 + press.y + 60};
        about.machine.host.pointerDown(window, press);
        about.machine.host.moveCursor(Point{released.x - 40, released.y - 20});
        about.machine.host.moveCursor(released);
        const Rect now = window.bounds();
        about.machine.host.pointerUp(window, Point{released.x - now.left, released.y - now.top});
        const Rect expected = c.drags ? Rect{101, 61, 101 + 837, 61 + 602} : Rect{1, 1, 838, 603};
        EXPECT_EQ(window.bounds(), expected) << c.control;
    }
}

} // namespace
} // namespace cellaro
