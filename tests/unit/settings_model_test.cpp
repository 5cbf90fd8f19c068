// The settings model: what it reads, what it tells its listeners, what it writes, and how it treats
// a file that could not be read.
#include "config/settings.h"
#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

constexpr const char* kPath = "C:\\Cellaro\\CRO.cfg";
constexpr const char* kLocked =
    "The process cannot access the file because it is being used by another process.";

struct Model {
    sim::SimFileSystem files;
    SettingsModel settings{files, kPath};

    explicit Model(const char* text, bool locked = false) {
        files.setFile(kPath, text);
        if (locked) {
            files.failReads(kPath, kLocked);
            files.failWrites(kPath, kLocked);
        }
        settings.load();
    }
    [[nodiscard]] std::string file() const { return files.file(kPath).value_or(""); }
    void unlock() { files.clearFailures(); }
};

TEST(SettingsModel, ReadsClampsAndTellsListenersOfRealChangesOnly) {
    Model m("[Options]\r\nSEW=0\r\nSEH=11\r\nA3=255\r\nAutoHide=1\r\nMNR=0\r\n[Config]\r\nload=1\r\n");
    EXPECT_EQ(m.settings.columns(), 1);
    EXPECT_EQ(m.settings.rows(), 10);
    EXPECT_EQ(m.settings.colours().grid, Colour::rgb(255, 0, 0));
    EXPECT_TRUE(m.settings.autoHide());
    EXPECT_FALSE(m.settings.maxRowsColumns());
    EXPECT_TRUE(m.settings.loadAtStartup());
    EXPECT_FALSE(m.settings.anyUnread());

    std::vector<Setting> heard;
    m.settings.addListener([&](Setting setting) { heard.push_back(setting); });
    m.settings.setAutoHide(true); // unchanged
    m.settings.setGridSize(1, 10);
    m.settings.setMaxRowsColumns(true);
    m.settings.setGridSize(4, 40);
    EXPECT_EQ(heard, (std::vector<Setting>{Setting::MaxRowsColumns, Setting::GridSize}));
    EXPECT_EQ(m.settings.rows(), 10);
}

TEST(SettingsModel, AHandEditShowsAtTheNextReloadButAnUnsavedChangeStays) {
    Model m("[Options]\r\nSEW=3\r\nSEH=3\r\n");
    BoardColours chosen;
    chosen.grid = Colour::rgb(0, 255, 0);
    m.settings.setColours(chosen);
    m.files.setFile(kPath, "[Options]\r\nSEW=8\r\nSEH=2\r\nA1=255\r\n");
    m.settings.reloadLook();
    EXPECT_EQ(m.settings.columns(), 8);
    EXPECT_EQ(m.settings.colours(), chosen); // changed in this run and not saved: the user's

    // Once saved, the file speaks for it again: a later edit of the file (another instance, a
    // reset) shows at the next reload.
    ASSERT_TRUE(m.settings.persist({Setting::Colours}).ok);
    m.files.setFile(kPath, "[Options]\r\nA3=255\r\n");
    m.settings.reloadLook();
    EXPECT_EQ(m.settings.colours().grid, Colour::rgb(255, 0, 0));
}

TEST(SettingsModel, PersistWritesTheAskedSettingsAndKeepsTheFilesOtherKeys) {
    Model m("[Options]\r\nHotKey5=alt+shift+q\r\nMNR=0\r\n; comment\r\n[hmenu]\r\nx=5000\r\ny=40\r\n");
    EXPECT_EQ(m.settings.shortcutText(5), "alt+shift+q");
    EXPECT_EQ(m.settings.navigationMenuLeft(), 5000);
    m.settings.setShortcutText(5, "Shift+Alt+Q");
    m.settings.setGridSize(7, 2);
    ASSERT_TRUE(m.settings.persist({Setting::GridSize, Setting::NavigationMenuPosition}).ok);
    EXPECT_EQ(m.file(), "[Options]\r\nHotKey5=alt+shift+q\r\nMNR=0\r\nSEW=7\r\nSEH=2\r\n\r\n[hmenu]\r\nx="
                        "5000\r\ny=40\r\n\r\n");
    ASSERT_TRUE(m.settings.persist({Setting::Shortcuts}).ok);
    EXPECT_NE(m.file().find("HotKey5=Shift+Alt+Q"), std::string::npos);
    EXPECT_NE(m.file().find("HotKey107=Alt+W"), std::string::npos);
}

TEST(SettingsModel, AFailedWriteNamesTheFileAndKeepsTheValueInMemory) {
    Model m("[Options]\r\nSEW=3\r\n");
    m.files.failWrites(kPath, "Access is denied.\r\n");
    m.settings.setGridSize(9, 9);
    const FileWriteResult saved = m.settings.persist({Setting::GridSize});
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error.find("could not save C:\\Cellaro\\CRO.cfg:\r\nAccess is denied.\r\n\r\n"),
              std::string::npos)
        << saved.error;
    EXPECT_NE(saved.error.find("a folder you can write to"), std::string::npos);
    EXPECT_EQ(m.settings.columns(), 9);
    EXPECT_EQ(m.file(), "[Options]\r\nSEW=3\r\n");
    // Not saved, so not taken back by a reload of the look.
    m.settings.reloadLook();
    EXPECT_EQ(m.settings.columns(), 9);
}

TEST(SettingsModel, ChangeAndPersistPutsEverythingBackWhenTheWriteFails) {
    Model m("[Options]\r\nMNR=0\r\n");
    std::vector<Setting> heard;
    m.settings.addListener([&](Setting setting) { heard.push_back(setting); });
    m.files.failWrites(kPath, "There is not enough space on the disk.");
    const FileWriteResult saved = m.settings.changeAndPersist(
        {Setting::MaxRowsColumns}, [&] { m.settings.setMaxRowsColumns(!m.settings.maxRowsColumns()); });
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(m.settings.maxRowsColumns()); // the check as the file has it
    EXPECT_EQ(heard, (std::vector<Setting>{Setting::MaxRowsColumns, Setting::MaxRowsColumns}));
    EXPECT_EQ(m.file(), "[Options]\r\nMNR=0\r\n");
}

// The file is held open by another program when the program starts: the defaults stand in, nothing
// is written over the file, and once it can be read its values are taken, except where the user
// changed something meanwhile.
TEST(SettingsModel, AnUnreadableFileIsNeverWrittenAndIsTakenOnceReadable) {
    Model m(
        "[Options]\r\nSEW=8\r\nAutoHide=1\r\nHotKey5=Ctrl+Alt+S\r\nHotKey9=Ctrl+Q\r\n[Config]\r\nload=1\r\n",
        true);
    const std::string original = m.file();
    ASSERT_TRUE(m.settings.anyUnread());
    EXPECT_TRUE(m.settings.unread(Setting::Shortcuts));
    EXPECT_EQ(m.settings.columns(), 6);
    EXPECT_EQ(m.settings.shortcutText(107), "Alt+W");
    EXPECT_EQ(m.settings.readError(), kLocked);

    // What the user sees is the defaults; setting the same values again is no change of theirs.
    m.settings.setGridSize(6, 6);
    m.settings.setShortcutText(5, "None");
    m.settings.setAutoHide(false);
    // Shortcut 9 is the user's own choice now.
    m.settings.setShortcutText(9, "Ctrl+Alt+9");

    const FileWriteResult locked =
        m.settings.persist({Setting::GridSize, Setting::Shortcuts, Setting::AutoHide});
    EXPECT_FALSE(locked.ok);
    EXPECT_NE(
        locked.error.find("could not save C:\\Cellaro\\CRO.cfg, because it could not read the file first"),
        std::string::npos)
        << locked.error;
    EXPECT_EQ(m.file(), original);

    int lateReads = 0;
    m.settings.addLateReadListener([&] { ++lateReads; });
    EXPECT_FALSE(m.settings.retryRead());
    EXPECT_EQ(lateReads, 0);
    m.unlock();
    ASSERT_TRUE(m.settings.persist({Setting::GridSize, Setting::Shortcuts, Setting::AutoHide}).ok);
    EXPECT_EQ(lateReads, 1);
    EXPECT_FALSE(m.settings.anyUnread());
    EXPECT_EQ(m.settings.columns(), 8);
    EXPECT_TRUE(m.settings.autoHide());
    EXPECT_TRUE(m.settings.loadAtStartup());
    EXPECT_EQ(m.settings.shortcutText(5), "Ctrl+Alt+S");
    EXPECT_EQ(m.settings.shortcutText(9), "Ctrl+Alt+9");
    const std::string saved = m.file();
    EXPECT_NE(saved.find("SEW=8"), std::string::npos) << saved;
    EXPECT_NE(saved.find("HotKey5=Ctrl+Alt+S"), std::string::npos) << saved;
    EXPECT_NE(saved.find("HotKey9=Ctrl+Alt+9"), std::string::npos) << saved;
    EXPECT_NE(saved.find("load=1"), std::string::npos) << saved;
    EXPECT_TRUE(m.settings.retryRead());
    EXPECT_EQ(lateReads, 1);
}

TEST(SettingsModel, TheSettingsWindowsReloadTakesTheFilesValuesOverThisRunsOwn) {
    Model m("[Options]\r\nTransparent=100\r\nMrezaTransparent=50\r\n");
    EXPECT_EQ(m.settings.gridOpacityPosition(), 50);
    m.settings.setWindowTransparency(10);
    m.settings.setGridOpacityPosition(1);
    m.files.setFile(kPath, "[Options]\r\nTransparent=120\r\nMrezaTransparent=60\r\n");
    ASSERT_TRUE(m.settings.reloadFromFile({Setting::WindowTransparency, Setting::GridTransparency}));
    EXPECT_EQ(m.settings.windowTransparency(), 120);
    EXPECT_EQ(m.settings.gridTransparency(), 60);
    EXPECT_EQ(m.settings.gridOpacityPosition(), 60);
    m.files.failReads(kPath, kLocked);
    EXPECT_FALSE(m.settings.reloadFromFile({Setting::WindowTransparency}));
    EXPECT_EQ(m.settings.windowTransparency(), 120);
}

} // namespace
} // namespace cellaro
