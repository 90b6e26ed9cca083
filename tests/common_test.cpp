// Hexadecimal conversions shown and read by every window.

#include <gtest/gtest.h>

#include "machine/common.h"

namespace q42 {
namespace {

TEST(WordToHex, FourUpperCaseDigitsCutToTheFirstFour) {
    const std::pair<Value, const char*> rows[] = {
        {0, "0000"},       {0xFF, "00FF"}, {0xABCD, "ABCD"}, {0xFFFF, "FFFF"}, {0x100FE, "100F"},
        {0x10000, "1000"}, {-1, "FFFF"},   {-0x100, "FFFF"}, {0x7, "0007"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(WordToHex(value), text) << value;
}

TEST(PadHex4, PadsShortTextsOnly) {
    EXPECT_EQ(PadHex4(""), "0000");
    EXPECT_EQ(PadHex4("1a"), "001a");
    EXPECT_EQ(PadHex4("12345"), "12345");
}

TEST(HexToWord, ReadsFourCharactersAndSkipsBadOnes) {
    struct Row {
        const char* text;
        Value value;
        Fault error;
    };
    const Row rows[] = {
        {"1a", 0x001A, Fault::None},          {"ABCD", 0xABCD, Fault::None},
        {"abcd", 0xABCD, Fault::None},        {"12G4", 0x0124, Fault::BadCharacter},
        {"123456", 0x1234, Fault::None},      {"", 0, Fault::None},
        {" 12", 0x0012, Fault::BadCharacter}, {"g", 0, Fault::BadCharacter},
    };
    for (const auto& row : rows) {
        const auto result = HexToWord(row.text);
        EXPECT_EQ(result.value, row.value) << row.text;
        EXPECT_EQ(result.error, row.error) << row.text;
    }
}

TEST(CheckHexEdit, PadsRaisesAndJudges) {
    struct Row {
        const char* before;
        const char* after;
        bool bad;
    };
    const Row rows[] = {
        {"ab", "00AB", false},    {"x1", "00x1", true},    {"", "", true},
        {"12345", "12345", true}, {"fFfF", "FFFF", false}, {"12 ", "012 ", true},
    };
    for (const auto& row : rows) {
        std::string field = row.before;
        EXPECT_EQ(CheckHexEdit(field), row.bad) << row.before;
        EXPECT_EQ(field, row.after) << row.before;
    }
}

}  // namespace
}  // namespace q42
