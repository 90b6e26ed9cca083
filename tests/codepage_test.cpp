// Conversions between the machine's 8-bit text and UTF-8.

#include <gtest/gtest.h>

#include "machine/codepage.h"

namespace q42 {
namespace {

TEST(Codepage, RoundTripsCyrillicAndAscii) {
    const std::string utf8 = "Задача завершена: Ёё A1";
    const std::string cp1251 = Utf8ToCp1251(utf8);
    EXPECT_EQ(cp1251.size(), 23u);
    EXPECT_EQ(static_cast<unsigned char>(cp1251[0]), 0xC7);  // З
    EXPECT_EQ(Cp1251ToUtf8(cp1251), utf8);
}

TEST(Codepage, UndefinedCodeBecomesReplacementCharacter) {
    EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
}

TEST(Codepage, EveryByteConvertsToValidUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCp1251(utf8).size(), 256u);
}

TEST(Codepage, UnrepresentableAndBrokenInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b");  // a CJK character: one "?"
    EXPECT_EQ(Utf8ToCp1251("a\xC3"
                           "b"),
              "a?b");  // a cut sequence keeps the next byte
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");
    EXPECT_EQ(Utf8ToCp1251(std::string("x\0y", 3)), std::string("x\0y", 3));
}

TEST(Codepage, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("Привет"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE0\x80"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xCF\xF0\xE8"));      // Windows-1251 text
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

}  // namespace
}  // namespace q42
