// The settings model: what it reads, what it tells its listeners, and which settings it writes.
#include "config/settings.h"
#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

constexpr const char* kPath = "C:\\Cellaro\\CRO.cfg";

struct Model {
    sim::SimFileSystem files;
    SettingsModel settings{files, kPath};

    explicit Model(const char* text) {
        files.setFile(kPath, text);
        settings.load();
    }
};

TEST(SettingsModel, ReadsClampsAndTellsListenersOfRealChangesOnly) {
    Model m("[Options]\r\nSEW=0\r\nSEH=11\r\nA3=255\r\nAutoHide=1\r\nMNR=0\r\n[Config]\r\nload=1\r\n");
    EXPECT_EQ(m.settings.columns(), 1);
    EXPECT_EQ(m.settings.rows(), 10);
    EXPECT_EQ(m.settings.colours().grid, Colour::rgb(255, 0, 0));
    EXPECT_TRUE(m.settings.autoHide());
    EXPECT_FALSE(m.settings.maxRowsColumns());
    EXPECT_TRUE(m.settings.loadAtStartup());

    std::vector<Setting> heard;
    m.settings.addListener([&](Setting setting) { heard.push_back(setting); });
    m.settings.setAutoHide(true); // unchanged
    m.settings.setGridSize(1, 10);
    m.settings.setMaxRowsColumns(true);
    m.settings.setGridSize(4, 40);
    EXPECT_EQ(heard, (std::vector<Setting>{Setting::MaxRowsColumns, Setting::GridSize}));
    EXPECT_EQ(m.settings.rows(), 10);
}

TEST(SettingsModel, AHandEditShowsAtTheNextReloadButTheUsersChangeStays) {
    Model m("[Options]\r\nSEW=3\r\nSEH=3\r\n");
    BoardColours chosen;
    chosen.grid = Colour::rgb(0, 255, 0);
    m.settings.setColours(chosen);
    m.files.setFile(kPath, "[Options]\r\nSEW=8\r\nSEH=2\r\nA1=255\r\n");
    m.settings.reloadLook();
    EXPECT_EQ(m.settings.columns(), 8);
    EXPECT_EQ(m.settings.colours(), chosen); // changed in this run: the user's
}

TEST(SettingsModel, WritesOnlyWhatIsKnown) {
    sim::SimFileSystem files;
    files.setFile(kPath, "[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=0\r\n\r\n");
    files.failReads(kPath, "locked");
    SettingsModel settings(files, kPath);
    settings.load();
    ASSERT_TRUE(settings.readFailed());
    EXPECT_FALSE(settings.loadAtStartupKnown());
    files.clearFailures();

    ConfigFile unknown(files, kPath);
    settings.writeTo(unknown, {Setting::LoadAtStartup, Setting::MaxRowsColumns});
    EXPECT_EQ(unknown.document().serialize(), "[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=0\r\n\r\n");

    settings.setMaxRowsColumns(true);
    ConfigFile changed(files, kPath);
    settings.writeTo(changed, {Setting::LoadAtStartup, Setting::MaxRowsColumns});
    EXPECT_EQ(changed.document().serialize(), "[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=1\r\n\r\n");

    // Read successfully at last: everything is known, and the user's change survives the reading.
    settings.reloadLook();
    EXPECT_FALSE(settings.readFailed());
    EXPECT_TRUE(settings.loadAtStartup());
    EXPECT_TRUE(settings.maxRowsColumns());
}

} // namespace
} // namespace cellaro
