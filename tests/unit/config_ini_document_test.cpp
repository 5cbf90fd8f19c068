// Tests of the INI document: reading rules, regeneration, edits, and stability on random input.
#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace cellaro {
namespace {

using namespace std::string_literals;

struct LookupCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(IniDocument, ReadsValuesByTheFileRules) {
    const LookupCase cases[] = {
        {"section in lower case", "[options]\r\nA1=5\r\n", "Options", "A1", "5"},
        {"key in other case", "[Options]\r\na1=5\r\n", "OPTIONS", "A1", "5"},
        {"blanks around = and line", "[Options]\r\n \t A1  =  7 \t\r\n", "Options", "A1", "7"},
        {"blanks inside brackets", "[  Options ]\r\nA1=5", "Options", "A1", "5"},
        {"empty value is empty text", "[Options]\r\nHotKey5=\r\n", "Options", "HotKey5", ""},
        {"missing key", "[Options]\r\nHotKey4=\r\n", "Options", "HotKey5", std::nullopt},
        {"missing section", "[Config]\r\nA1=5\r\n", "Options", "A1", std::nullopt},
        {"empty file", "", "Options", "A1", std::nullopt},
        {"before first section", "A1=5\r\n[Options]\r\n", "Options", "A1", std::nullopt},
        {"comment line", "[Options]\r\n  ;A1=5\r\n", "Options", "A1", std::nullopt},
        {"line without = names no key", "[Options]\r\nA1\r\n", "Options", "A1", std::nullopt},
        {"first = splits", "[Options]\r\nA1=a=b\r\n", "Options", "A1", "a=b"},
        {"empty key", "[Options]\r\n=x\r\n", "Options", "", "x"},
        {"first of repeated keys", "[Options]\r\nA1=1\r\nA1=2\r\n", "Options", "A1", "1"},
        {"first of repeated sections", "[Options]\r\nA1=1\r\n[OPTIONS]\r\nA1=2\r\n", "Options", "A1", "1"},
        {"later duplicate section unseen", "[Options]\r\nA1=1\r\n[Options]\r\nA2=2\r\n", "Options", "A2",
         std::nullopt},
        {"key of another section", "[Options]\r\nA1=1\r\n[Config]\r\nload=1\r\n", "Options", "load",
         std::nullopt},
        {"LF only", "[Options]\nA1=1\nA2=2", "Options", "A2", "2"},
        {"lone CR", "[Options]\rA1=1\rA2=2", "Options", "A2", "2"},
        {"byte order mark skipped", "\xEF\xBB\xBF[Options]\r\nA1=5\r\n", "Options", "A1", "5"},
        {"NUL kept in value", "[Options]\r\nA1=a\0b\r\n"s, "Options", "A1", "a\0b"s},
        {"header with = inside", "[a=b]\r\nk=v\r\n", "a=b", "k", "v"},
        {"bracket inside name", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        {"unclosed bracket is a carried line", "[Options]\r\n[x\r\nk=v\r\n", "Options", "k", "v"},
    };
    for (const LookupCase& c : cases) {
        const IniDocument document = IniDocument::parse(c.file);
        EXPECT_EQ(document.value(c.section, c.key), c.expected) << c.name;
    }
}

struct RewriteCase {
    const char* name;
    std::string file;
    std::string expected;
};

TEST(IniDocument, RegeneratesTheWholeFile) {
    const RewriteCase cases[] = {
        {"empty", "", ""},
        {"comments, blanks around = and empty lines dropped; carried line kept",
         "; head\r\n[Options]\r\n; note\r\nA1 = 5\r\n\r\n  keep me  \r\nB=\r\n",
         "[Options]\r\nA1=5\r\nkeep me\r\nB=\r\n\r\n"},
        {"order of sections and keys kept", "[Options]\nZ=1\nA=2\nM=3\n[Config]\nload=1\n",
         "[Options]\r\nZ=1\r\nA=2\r\nM=3\r\n\r\n[Config]\r\nload=1\r\n\r\n"},
        {"names keep their case", "[options]\r\nhotkey5=alt+shift+q\r\n",
         "[options]\r\nhotkey5=alt+shift+q\r\n\r\n"},
        {"lines before first section dropped", "junk\r\nx=1\r\n[hmenu]\r\nx=2", "[hmenu]\r\nx=2\r\n\r\n"},
        {"duplicate sections both kept", "[O]\r\nA=1\r\n[o]\r\nA=2\r\n",
         "[O]\r\nA=1\r\n\r\n[o]\r\nA=2\r\n\r\n"},
        {"empty section", "[Options]", "[Options]\r\n\r\n"},
    };
    for (const RewriteCase& c : cases) {
        EXPECT_EQ(IniDocument::parse(c.file).serialize(), c.expected) << c.name;
    }
}

struct EditCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string value;
    std::string expected;
};

TEST(IniDocument, SetValueReplacesInPlaceOrAppends) {
    const EditCase cases[] = {
        {"replace in place, file's key spelling kept", "[Options]\nA=1\nB=2\nC=3", "options", "b", "9",
         "[Options]\r\nA=1\r\nB=9\r\nC=3\r\n\r\n"},
        {"new key at end of its section", "[Options]\nA=1\n[Config]\nload=1", "Options", "Z", "5",
         "[Options]\r\nA=1\r\nZ=5\r\n\r\n[Config]\r\nload=1\r\n\r\n"},
        {"new section at end", "[Options]\nA=1", "hmenu", "x", "1620",
         "[Options]\r\nA=1\r\n\r\n[hmenu]\r\nx=1620\r\n\r\n"},
        {"first file", "", "Config", "load", "1", "[Config]\r\nload=1\r\n\r\n"},
        {"empty value", "[Options]\nHotKey5=Alt+Q", "Options", "HotKey5", "",
         "[Options]\r\nHotKey5=\r\n\r\n"},
        {"first of duplicate sections edited", "[O]\nA=1\n[o]\nA=2", "O", "A", "9",
         "[O]\r\nA=9\r\n\r\n[o]\r\nA=2\r\n\r\n"},
        {"line breaks in a value cannot open a section", "[Options]\nA=1", "Options", "A",
         "2\r\n[Config]\r\nload=1", "[Options]\r\nA=2[Config]load=1\r\n\r\n"},
        {"line breaks in names removed", "", "Opt\r\nions", "A\n1", "5", "[Options]\r\nA1=5\r\n\r\n"},
        {"blanks around value trimmed", "", "Options", " A1 ", "  5\t", "[Options]\r\nA1=5\r\n\r\n"},
        {"bracket in section name", "", "a]b", "k", "v", "[a]b]\r\nk=v\r\n\r\n"},
    };
    for (const EditCase& c : cases) {
        IniDocument document = IniDocument::parse(c.file);
        EXPECT_TRUE(document.setValue(c.section, c.key, c.value)) << c.name;
        const std::string text = document.serialize();
        EXPECT_EQ(text, c.expected) << c.name;
        EXPECT_EQ(IniDocument::parse(text).value(c.section, c.key), document.value(c.section, c.key))
            << c.name;
    }
}

TEST(IniDocument, RefusesKeysThatCouldNotBeReadBack) {
    for (const char* key : {"", "  ", "\r\n", "a=b", ";x", "[x", " [x]"}) {
        IniDocument document = IniDocument::parse("[Options]\r\nA=1\r\n");
        EXPECT_FALSE(document.setValue("Options", key, "v]")) << key;
        EXPECT_EQ(document.serialize(), "[Options]\r\nA=1\r\n\r\n") << key;
    }
}

TEST(IniDocument, ParsesMegabyteLines) {
    const std::string longValue(4 << 20, 'x');
    const IniDocument document =
        IniDocument::parse("[Options]\r\nA1=" + longValue + "\r\n" + std::string(1 << 20, '\0'));
    EXPECT_EQ(document.value("Options", "A1"), longValue);
}

// Characters that matter to the format, mixed with anything else.
char randomInterestingByte(std::mt19937& random) {
    static constexpr char kSpecial[] = {'[',  ']',  '=', ';', ' ',    '\t',   '\r',
                                        '\n', '\0', 'a', 'B', '\xEF', '\xBB', '\xBF'};
    std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(sizeof kSpecial) - 1);
    const int index = pick(random);
    if (index < static_cast<int>(sizeof kSpecial)) {
        return kSpecial[index];
    }
    return static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
}

std::string randomText(std::mt19937& random, int maximumLength) {
    std::string text(std::uniform_int_distribution<int>(0, maximumLength)(random), ' ');
    for (char& c : text) {
        c = randomInterestingByte(random);
    }
    return text;
}

std::string randomIniLines(std::mt19937& random) {
    static const char* const kPieces[] = {"[Options]", "[options]", "[ Config ]", "[]",     "[",    "]",
                                          "=",         ";",         " ",          "\t",     "\r\n", "\n",
                                          "\r",        "A1",        "HotKey5",    "=Alt+W", "0x1F", "[a]b]"};
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < pieces; ++i) {
        if (std::uniform_int_distribution<int>(0, 4)(random) == 0) {
            text += randomText(random, 6);
        } else {
            text += kPieces[std::uniform_int_distribution<int>(0, std::size(kPieces) - 1)(random)];
        }
    }
    return text;
}

TEST(IniDocument, RandomInputParsesStablyAndEditsReadBack) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string input = (round % 2 == 0) ? randomText(random, 300) : randomIniLines(random);
        IniDocument document = IniDocument::parse(input);
        const std::string first = document.serialize();
        const std::string second = IniDocument::parse(first).serialize();
        ASSERT_EQ(first, second) << "round " << round;

        const std::string section = randomText(random, 5);
        const std::string key = randomText(random, 5);
        if (document.setValue(section, key, randomText(random, 8))) {
            const std::string edited = document.serialize();
            const IniDocument reread = IniDocument::parse(edited);
            ASSERT_EQ(reread.value(section, key), document.value(section, key)) << "round " << round;
            ASSERT_EQ(reread.serialize(), edited) << "round " << round;
        }
    }
}

} // namespace
} // namespace cellaro
