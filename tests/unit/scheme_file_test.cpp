// Tests of the preset scheme files and color.cld: names, the text both are written as, round trips,
// and the files that must be refused.
#include "config/scheme_file.h"
#include "core/error_report.h"
#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

const BoardColours kMilano{Colour{0}, Colour{4674285}, Colour{0}, Colour{16777215}, Colour{4674285}};

ColourChooserState distinctChooserState() {
    ColourChooserState state;
    state.colour = Colour{0x123456};
    for (std::size_t i = 0; i < state.customColours.size(); ++i) {
        state.customColours.at(i) = Colour{static_cast<std::uint32_t>(i * 0x0F0F0F)};
    }
    return state;
}

TEST(SchemeFile, NamesEachSlotWithAZeroBeforeItsNumber) {
    const std::pair<int, const char*> cases[] = {
        {1, "P01.IDX"}, {3, "P03.IDX"}, {9, "P09.IDX"}, {10, "P010.IDX"}, {0, ""}, {11, ""}, {-1, ""},
    };
    for (const auto& [slot, name] : cases) {
        EXPECT_EQ(schemeFileName(slot), name) << slot;
    }
    sim::SimFileSystem files;
    EXPECT_EQ(schemeFilePath(files, 10), "C:\\Program Files\\Cellaro\\P010.IDX");
    EXPECT_EQ(colourChooserFilePath(files), "C:\\Program Files\\Cellaro\\color.cld");
}

TEST(SchemeFile, IsWrittenAsAVersionedSectionOfColours) {
    EXPECT_EQ(formatSchemeFile(kMilano),
              "[Scheme]\r\nVersion=1\r\nBackground=0\r\nGridBackground=4674285\r\n"
              "Grid=0\r\nRangeSelection=16777215\r\nResizingWindow=4674285\r\n\r\n");
}

TEST(SchemeFile, RoundTripsEveryColour) {
    const BoardColours cases[] = {
        BoardColours{},
        kMilano,
        {Colour{1}, Colour{2}, Colour{3}, Colour{4}, Colour{5}},
        {Colour{0xFFFFFF}, Colour{0}, Colour{0xABCDEF}, Colour{0x00FF00}, Colour{0xFF0000}},
    };
    for (const BoardColours& colours : cases) {
        const FileFormatResult<BoardColours> read = parseSchemeFile(formatSchemeFile(colours));
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(*read.value, colours);
    }
}

TEST(SchemeFile, ReadsWhatAPersonMightHaveEdited) {
    const char* text = "; saved by hand\n[scheme]\nversion = 1\nbackground=0x1F1F1F\nGRIDBACKGROUND=4674285\n"
                       "Grid=0\nRangeSelection=16777215\nResizingWindow=4674285\nLater=7\n[Other]\nGrid=5\n";
    const FileFormatResult<BoardColours> read = parseSchemeFile(text);
    ASSERT_TRUE(read.ok()) << read.error;
    BoardColours expected = kMilano;
    expected.background = Colour{0x1F1F1F};
    EXPECT_EQ(*read.value, expected);
}

TEST(SchemeFile, RefusesFilesThatAreNotSchemes) {
    const std::string valid = formatSchemeFile(kMilano);
    const auto replaced = [&valid](const std::string& from, const std::string& to) {
        std::string text = valid;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::pair<std::string, const char*> cases[] = {
        {"", "empty"},
        {std::string("\0\xff\xfe [Scheme]\x01\n", 14), "binary"},
        {"[Scheme]\r\n", "section only"},
        {replaced("[Scheme]", "[Schema]"), "other section"},
        {replaced("Version=1\r\n", ""), "no version"},
        {replaced("Version=1", "Version=2"), "newer version"},
        {replaced("Version=1", "Version=one"), "unparsable version"},
        {replaced("Grid=0\r\n", ""), "a colour missing"},
        {replaced("Grid=0", "Grid="), "a colour empty"},
        {replaced("Grid=0", "Grid=-1"), "negative colour"},
        {replaced("Grid=0", "Grid=16777216"), "colour above 0xFFFFFF"},
        {replaced("Grid=0", "Grid=0xFFFFFFFF"), "system colour pattern"},
        {replaced("Grid=0", "Grid=grey"), "colour not a number"},
        {valid + std::string(70000, ';') + "\r\n", "far too large"},
        {formatColourChooserFile(ColourChooserState{}), "the chooser's file"},
    };
    for (const auto& [text, what] : cases) {
        const FileFormatResult<BoardColours> read = parseSchemeFile(text);
        EXPECT_FALSE(read.ok()) << what;
        EXPECT_FALSE(read.error.empty()) << what;
    }
}

TEST(SchemeFile, ACutShortFileIsRefusedOrReadWhole) {
    // Every prefix of a file either fails or still holds every colour unchanged: no shortened
    // number is ever taken for a whole one.
    const BoardColours colours{Colour{16086644}, Colour{11517140}, Colour{8421504}, Colour{15525360},
                               Colour{13090761}};
    const std::string text = formatSchemeFile(colours);
    for (std::size_t length = 0; length < text.size(); ++length) {
        const FileFormatResult<BoardColours> read = parseSchemeFile(text.substr(0, length));
        if (read.ok()) {
            EXPECT_EQ(*read.value, colours) << length;
        }
    }
    EXPECT_FALSE(parseSchemeFile(text.substr(0, text.find("13090761") + 4)).ok());
}

TEST(ColourChooserFile, RoundTripsTheColourAndSixteenCustomColours) {
    for (const ColourChooserState& state : {ColourChooserState{}, distinctChooserState()}) {
        const FileFormatResult<ColourChooserState> read =
            parseColourChooserFile(formatColourChooserFile(state));
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(*read.value, state);
    }
    const std::string text = formatColourChooserFile(distinctChooserState());
    EXPECT_EQ(text.rfind("[ColourChooser]\r\nVersion=1\r\nColour=1193046\r\nCustom1=0\r\n", 0), 0U);
    EXPECT_NE(text.find("\r\nCustom16=14803425\r\n"), std::string::npos);
}

TEST(ColourChooserFile, RefusesAMissingOrBadCustomColour) {
    const std::string valid = formatColourChooserFile(distinctChooserState());
    const auto without = [&valid](const std::string& line) {
        std::string text = valid;
        text.erase(text.find(line), line.size());
        return text;
    };
    const std::string cases[] = {
        without("Custom16=14803425\r\n"), without("Colour=1193046\r\n"),
        without("Version=1\r\n"),         valid.substr(0, valid.size() - 8),
        formatSchemeFile(kMilano),        "[ColourChooser]\r\nVersion=1\r\nColour=0\r\n",
    };
    for (const std::string& text : cases) {
        EXPECT_FALSE(parseColourChooserFile(text).ok()) << text;
    }
}

TEST(SchemeFile, IsReadAndWrittenThroughTheFilePort) {
    sim::SimFileSystem files;
    using Status = StoredFileRead<BoardColours>::Status;
    EXPECT_EQ(readSchemeFile(files, 10).status, Status::Missing);

    ASSERT_TRUE(writeSchemeFile(files, 10, kMilano).ok);
    EXPECT_EQ(files.file("C:\\Program Files\\Cellaro\\P010.IDX"), formatSchemeFile(kMilano));
    const StoredFileRead<BoardColours> read = readSchemeFile(files, 10);
    EXPECT_EQ(read.status, Status::Ok);
    EXPECT_EQ(read.value, kMilano);

    // A write that fails leaves the old file as it was.
    files.failWrites("C:\\Program Files\\Cellaro\\", "Access is denied.");
    const FileWriteResult refused = writeSchemeFile(files, 10, BoardColours{});
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, saveFailedText("C:\\Program Files\\Cellaro\\P010.IDX", "Access is denied."));
    EXPECT_EQ(files.file("C:\\Program Files\\Cellaro\\P010.IDX"), formatSchemeFile(kMilano));
    EXPECT_FALSE(writeSchemeFile(files, 11, BoardColours{}).ok);

    files.failReads("C:\\Program Files\\Cellaro\\P010.IDX", "The file is locked.");
    const StoredFileRead<BoardColours> locked = readSchemeFile(files, 10);
    EXPECT_EQ(locked.status, Status::Error);
    EXPECT_EQ(locked.error,
              "Cellaro could not read C:\\Program Files\\Cellaro\\P010.IDX:\r\nThe file is locked.");

    files.setFile("C:\\Program Files\\Cellaro\\P02.IDX", "garbage");
    const StoredFileRead<BoardColours> garbage = readSchemeFile(files, 2);
    EXPECT_EQ(garbage.status, Status::Error);
    EXPECT_EQ(garbage.error.rfind("Cellaro could not use C:\\Program Files\\Cellaro\\P02.IDX: ", 0), 0U)
        << garbage.error;
    EXPECT_TRUE(garbage.unusable);
    EXPECT_FALSE(locked.unusable);
}

} // namespace
} // namespace cellaro
