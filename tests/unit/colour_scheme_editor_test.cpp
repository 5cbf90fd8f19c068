// Tests of the colour scheme editing on the simulated files: presets with and without saved files,
// saving, Reset all, colour choices, color.cld, the scheme label, and the grid preview's pixels.
#include "core/error_report.h"
#include "logic/schemes/colour_scheme_editor.h"
#include "logic/schemes/scheme_presets.h"
#include "logic/schemes/scheme_preview.h"
#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

const std::string kDirectory = "C:\\Program Files\\Cellaro\\";
const BoardColours kChengdu{Colour::rgb(0x62, 0xA5, 0xC2), Colour::rgb(0xB8, 0xF2, 0xD5),
                            Colour::rgb(0x9D, 0x9D, 0x9D), Colour::rgb(0xF0, 0xD1, 0x37),
                            Colour::rgb(0x9E, 0xD1, 0xAE)};
const BoardColours kMilano{Colour{0}, Colour{4674285}, Colour{0}, Colour{16777215}, Colour{4674285}};
const BoardColours kSaved{Colour{1}, Colour{2}, Colour{3}, Colour{4}, Colour{5}};

class ColourSchemeEditorTest : public ::testing::Test {
protected:
    // The fields set to kSaved by choosing each colour in turn.
    void chooseSavedColours() {
        for (const ColourFieldInfo& info : kColourFields) {
            ColourChooserState dialog = editor.beginColourChoice(info.field);
            dialog.colour = kSaved.*info.colour;
            editor.colourChosen(info.field, dialog);
        }
    }

    sim::SimFileSystem files;
    ColourSchemeEditor editor{files};
};

TEST_F(ColourSchemeEditorTest, ChengduWithoutItsFileTakesTheBuiltInColours) {
    const SchemeChange change = editor.applyPreset(7);
    EXPECT_TRUE(change.redrawPreview);
    EXPECT_FALSE(change.error);
    EXPECT_EQ(editor.fields(), kChengdu);
    EXPECT_EQ(editor.label(), "Color scheme name: Chengdu");
    EXPECT_EQ(editor.index(), 7);
}

TEST_F(ColourSchemeEditorTest, ASavedSlotGivesItsColoursUntilResetAll) {
    editor.applyPreset(1);
    editor.showApplied(kSaved, 1);
    const SchemeChange saved = editor.savePreset(3);
    EXPECT_FALSE(saved.error);
    EXPECT_FALSE(saved.redrawPreview);
    EXPECT_EQ(editor.label(), "Color scheme name: Auckland"); // saving changes neither label nor index
    EXPECT_EQ(editor.index(), 1);
    EXPECT_EQ(files.file(kDirectory + "P03.IDX"), formatSchemeFile(kSaved));

    editor.applyPreset(3);
    EXPECT_EQ(editor.fields(), kSaved);
    EXPECT_EQ(editor.label(), "Color scheme name: Milano");
    EXPECT_EQ(editor.index(), 3);

    // The file outlives this editor: the next run reads it too.
    ColourSchemeEditor nextRun{files};
    nextRun.applyPreset(3);
    EXPECT_EQ(nextRun.fields(), kSaved);

    editor.resetAll();
    editor.applyPreset(3);
    EXPECT_EQ(editor.fields(), kMilano);
}

TEST_F(ColourSchemeEditorTest, ResetAllDeletesOnlyTheSchemeFilesThatExist) {
    const std::string others[] = {"CRO.cfg", "color.cld", "P10.IDX", "P11.IDX", "P00.IDX", "P3.IDX"};
    for (const std::string& name : others) {
        files.setFile(kDirectory + name, "kept");
    }
    editor.savePreset(2);
    editor.savePreset(10);
    chooseSavedColours();

    const SchemeChange change = editor.resetAll();
    EXPECT_TRUE(change.redrawPreview);
    EXPECT_FALSE(files.file(kDirectory + "P02.IDX"));
    EXPECT_FALSE(files.file(kDirectory + "P010.IDX"));
    EXPECT_EQ(files.files().size(), std::size(others));
    for (const std::string& name : others) {
        EXPECT_EQ(files.file(kDirectory + name), "kept") << name;
    }
    EXPECT_EQ(editor.fields(), BoardColours{});
    EXPECT_EQ(editor.index(), 20);
    EXPECT_EQ(editor.label(), "Default Color scheme");

    // Nothing left to delete: the reset still sets the defaults.
    editor.applyPreset(5);
    editor.resetAll();
    EXPECT_EQ(files.files().size(), std::size(others));
    EXPECT_EQ(editor.index(), 20);
}

TEST_F(ColourSchemeEditorTest, ACancelledChoiceChangesNothingAndAConfirmedOneAlwaysModifies) {
    editor.applyPreset(7);
    ColourChooserState dialog = editor.beginColourChoice(SchemeColour::Grid);
    EXPECT_EQ(dialog.colour, kChengdu.grid); // the chooser opens on the field's colour
    dialog.colour = Colour{0x0000FF};
    dialog.customColours.front() = Colour{0x00FF00};
    editor.colourChoiceCancelled(dialog);
    EXPECT_EQ(editor.fields(), kChengdu);
    EXPECT_EQ(editor.label(), "Color scheme name: Chengdu");
    EXPECT_EQ(editor.index(), 7);
    EXPECT_EQ(editor.chooser().customColours.front(), Colour{0x00FF00});

    // The same colour confirmed still makes the scheme the user's own.
    dialog = editor.beginColourChoice(SchemeColour::Grid);
    const SchemeChange change = editor.colourChosen(SchemeColour::Grid, dialog);
    EXPECT_TRUE(change.redrawPreview);
    EXPECT_EQ(editor.fields(), kChengdu);
    EXPECT_EQ(editor.label(), "Modified Color scheme");
    EXPECT_EQ(editor.index(), 0);
}

TEST_F(ColourSchemeEditorTest, EachFieldTakesItsOwnChosenColour) {
    for (const ColourFieldInfo& info : kColourFields) {
        ColourSchemeEditor fresh{files};
        ColourChooserState dialog = fresh.beginColourChoice(info.field);
        dialog.colour = Colour{0xABCDEF};
        fresh.colourChosen(info.field, dialog);
        BoardColours expected;
        expected.*info.colour = Colour{0xABCDEF};
        EXPECT_EQ(fresh.fields(), expected) << info.label;
        EXPECT_EQ(fresh.field(info.field), Colour{0xABCDEF}) << info.label;
    }
}

TEST_F(ColourSchemeEditorTest, AnUnusableFileIsReportedAndLeavesLabelAndIndex) {
    struct Case {
        const char* what;
        std::string content;
        bool readFails = false;
    };
    const Case cases[] = {
        {"garbage", "\x03\x8a\xff[garbage\n"},
        {"cut short", formatSchemeFile(kSaved).substr(0, 40)},
        {"empty", ""},
        {"unreadable", formatSchemeFile(kSaved), true},
    };
    for (const Case& test : cases) {
        sim::SimFileSystem local;
        ColourSchemeEditor subject{local};
        subject.applyPreset(7);
        local.setFile(kDirectory + "P03.IDX", test.content);
        if (test.readFails) {
            local.failReads(kDirectory + "P03.IDX", "The process cannot access the file.");
        }
        const SchemeChange change = subject.applyPreset(3);
        ASSERT_TRUE(change.error) << test.what;
        EXPECT_NE(change.error->find("P03.IDX"), std::string::npos) << *change.error;
        EXPECT_FALSE(change.redrawPreview) << test.what;
        EXPECT_EQ(subject.label(), "Color scheme name: Chengdu") << test.what;
        EXPECT_EQ(subject.index(), 7) << test.what;
        // The fields take what the slot holds: its built-in colours, as nothing was read or saved.
        EXPECT_EQ(subject.fields(), kMilano) << test.what;
    }
}

TEST_F(ColourSchemeEditorTest, AFailedReadGivesTheColoursTheSlotLastHeld) {
    chooseSavedColours();
    editor.savePreset(3);
    editor.resetAll();
    files.setFile(kDirectory + "P03.IDX", "broken");
    editor.applyPreset(3);
    EXPECT_EQ(editor.fields(), kSaved);
    EXPECT_EQ(editor.index(), 20);
}

TEST_F(ColourSchemeEditorTest, AFailedSaveIsReportedAndKeepsTheFieldsAndTheOldFile) {
    editor.savePreset(4);
    chooseSavedColours();
    files.failWrites(kDirectory + "P04.IDX", "Access is denied.");
    const SchemeChange change = editor.savePreset(4);
    EXPECT_EQ(change.error, saveFailedText(kDirectory + "P04.IDX", "Access is denied."));
    EXPECT_EQ(editor.fields(), kSaved);
    EXPECT_EQ(files.file(kDirectory + "P04.IDX"), formatSchemeFile(BoardColours{}));
}

TEST_F(ColourSchemeEditorTest, TheChooserStateIsKeptInColorCld) {
    EXPECT_FALSE(editor.restoreChooser()); // no file yet: nothing to report
    EXPECT_EQ(editor.chooser(), ColourChooserState{});

    ColourChooserState dialog = editor.beginColourChoice(SchemeColour::RangeSelection);
    dialog.colour = Colour{0x102030};
    dialog.customColours.back() = Colour{0x405060};
    editor.colourChosen(SchemeColour::RangeSelection, dialog);
    ASSERT_TRUE(editor.saveChooser().ok);

    ColourSchemeEditor nextRun{files};
    EXPECT_FALSE(nextRun.restoreChooser());
    EXPECT_EQ(nextRun.chooser(), dialog);

    files.setFile(kDirectory + "color.cld", "\x01\x02\x03\n");
    ColourSchemeEditor broken{files};
    const std::optional<std::string> error = broken.restoreChooser();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("color.cld"), std::string::npos);
    EXPECT_EQ(broken.chooser(), ColourChooserState{});
    // A file that can't be used is put aside, with nothing of it lost, so it is told of once.
    EXPECT_FALSE(files.exists(kDirectory + "color.cld"));
    EXPECT_EQ(files.file(kDirectory + "color.cld.bad"), std::string("\x01\x02\x03\n"));
    EXPECT_FALSE(ColourSchemeEditor{files}.restoreChooser());

    // One that can't be read now (held open, say) is not: it may be fine the next time.
    files.setFile(kDirectory + "color.cld", "whatever");
    files.failReads(kDirectory + "color.cld", "Locked.");
    ASSERT_TRUE(ColourSchemeEditor{files}.restoreChooser());
    EXPECT_TRUE(files.exists(kDirectory + "color.cld"));

    files.failWrites(kDirectory + "color.cld", "Disk full.");
    EXPECT_EQ(broken.saveChooser().error, saveFailedText(kDirectory + "color.cld", "Disk full."));
}

TEST(SchemeLabel, NamesTheSchemeOfEachIndex) {
    const std::pair<int, const char*> cases[] = {
        {0, "Modified Color scheme"},           {1, "Color scheme name: Auckland"},
        {4, "Color scheme name: Chuquicamata"}, {10, "Color scheme name: Paris"},
        {20, "Default Color scheme"},
    };
    for (const auto& [index, text] : cases) {
        EXPECT_EQ(schemeLabelText(index), text) << index;
    }
    for (int index : {-1, 11, 19, 21, 100}) {
        EXPECT_FALSE(schemeLabelText(index)) << index;
    }
}

TEST(SchemeLabel, KeepsItsTextForAnIndexWithoutOne) {
    sim::SimFileSystem files;
    ColourSchemeEditor editor{files};
    EXPECT_EQ(editor.label(), "Color scheme");
    editor.loadIndex(15);
    EXPECT_EQ(editor.label(), "Color scheme");
    EXPECT_EQ(editor.index(), 15);
    editor.loadIndex(0);
    editor.showApplied(kChengdu, 11);
    EXPECT_EQ(editor.label(), "Modified Color scheme");
    EXPECT_EQ(editor.fields(), kChengdu);
}

TEST(SchemePreview, SevenByFourCellsAreFortyFiveByFortyEightWithBackgroundStrips) {
    const BoardColours colours{Colour{0x111111}, Colour{0x222222}, Colour{0x333333}, Colour{0x444444},
                               Colour{0x555555}};
    const Bitmap picture = drawSchemePreview(colours, 7, 4);
    ASSERT_EQ(picture.width(), 320);
    ASSERT_EQ(picture.height(), 195);
    // Cell outlines: the first cell's right edge at x 44, the second's left edge at 45, and so on.
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(picture.pixel(column * 45, 100), colours.grid) << column;
        EXPECT_EQ(picture.pixel(column * 45 + 44, 100), colours.grid) << column;
    }
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(picture.pixel(150, row * 48), colours.grid) << row;
        EXPECT_EQ(picture.pixel(150, row * 48 + 47), colours.grid) << row;
    }
    // 320 - 7 x 45 = 5 columns and 195 - 4 x 48 = 3 rows keep the background.
    for (int y = 0; y < 195; y += 7) {
        for (int x = 315; x < 320; ++x) {
            EXPECT_EQ(picture.pixel(x, y), colours.background) << x << "," << y;
        }
    }
    for (int x = 0; x < 320; x += 9) {
        for (int y = 192; y < 195; ++y) {
            EXPECT_EQ(picture.pixel(x, y), colours.background) << x << "," << y;
        }
    }
    // Only the first cell is filled as selected; the rounded corners outside it keep the background.
    EXPECT_EQ(picture.pixel(10, 10), colours.rangeSelection);
    EXPECT_EQ(picture.pixel(22, 24), colours.rangeSelection);
    EXPECT_EQ(picture.pixel(67, 24), colours.gridBackground);
    EXPECT_EQ(picture.pixel(300, 170), colours.gridBackground);
    EXPECT_EQ(picture.pixel(0, 0), colours.background);
    EXPECT_EQ(picture.pixel(44, 47), colours.background);
}

TEST(SchemePreview, AGridColouredLikeItsCellsLetsTheFillReachEveryConnectedCell) {
    const BoardColours colours{Colour{0x111111}, Colour{0x222222}, Colour{0x222222}, Colour{0x444444},
                               Colour{0x555555}};
    const Bitmap picture = drawSchemePreview(colours, 7, 4);
    // The cells touch along their edges, so every cell is reached; the background between the
    // rounded corners and in the strips is another colour and stays.
    EXPECT_EQ(picture.pixel(67, 24), colours.rangeSelection);
    EXPECT_EQ(picture.pixel(300, 170), colours.rangeSelection);
    EXPECT_EQ(picture.pixel(45, 100), colours.rangeSelection);
    for (const Colour& kept : {picture.pixel(0, 0), picture.pixel(317, 100), picture.pixel(100, 193)}) {
        EXPECT_EQ(kept, colours.background);
    }
    for (const std::uint32_t value : picture.pixels()) {
        EXPECT_TRUE(value == colours.rangeSelection.value || value == colours.background.value);
    }

    // With the background in the same colour as well, the whole picture is one area.
    const BoardColours oneColour{Colour{0x222222}, Colour{0x222222}, Colour{0x222222}, Colour{0x444444},
                                 Colour{0x555555}};
    EXPECT_EQ(drawSchemePreview(oneColour, 7, 4), Bitmap(320, 195, oneColour.rangeSelection));
}

TEST(SchemePreview, CountsBelowOneCountAsOne) {
    const BoardColours colours{Colour{0x111111}, Colour{0x222222}, Colour{0x333333}, Colour{0x444444},
                               Colour{0x555555}};
    EXPECT_EQ(drawSchemePreview(colours, 0, -3), drawSchemePreview(colours, 1, 1));
    sim::SimFileSystem files;
    ColourSchemeEditor editor{files};
    editor.showApplied(colours, 20);
    EXPECT_EQ(editor.preview(10, 10), drawSchemePreview(colours, 10, 10));
}

} // namespace
} // namespace cellaro
