// Loading the code text into RAM.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "machine/codepage.h"
#include "session/code_loading.h"
#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

using Lines = std::vector<std::string>;

struct LoadCase {
    const char* name;
    Lines code;
    std::vector<Value> words;  // RAM from 0000
    const char* lineLab;       // nullptr: the load succeeds
    const char* errLab;
    int lineIndex;
};

TEST(CopyCode, AcceptsWordLinesAndStopsAtTheFirstBadLine) {
    const LoadCase cases[] = {
        {"plain words",
         {"0E20", "ffff", "12", "7"},
         {0x0E20, 0xFFFF, 0x0012, 0x0007},
         nullptr,
         "",
         0},
        {"comments and blanks skipped",
         {"; x", " 1234", "", "abcd ; y", "1234;z"},
         {0xABCD, 0x1234},
         nullptr,
         "",
         0},
        {"blank inside the digits", {"0001", "1 2"}, {1}, "1 2", "неправильный символ", 1},
        {"short word with a comment", {"12 ; comment"}, {}, "12 ;", "неправильный символ", 0},
        {"short word with a glued comment",
         {"12 ;comment"},
         {},
         "12 ;comment",
         "некорректная длина кода",
         0},
        {"fifth character", {"0001", "ABCDE"}, {1}, "ABCDE", "некорректная длина кода", 1},
        {"semicolon glued after digits", {"12;x"}, {}, "12;x", "неправильный символ", 0},
        {"comment after 4 digits with semicolon", {"0012;comment"}, {0x12}, nullptr, "", 0},
    };
    for (const auto& c : cases) {
        Machine machine;
        const auto error = CopyCode(machine, c.code).error;
        for (std::size_t i = 0; i < c.words.size(); ++i)
            EXPECT_EQ(machine.State().ram[i], c.words[i]) << c.name;
        EXPECT_EQ(machine.State().ram[c.words.size()], 0) << c.name;
        if (c.lineLab == nullptr) {
            EXPECT_FALSE(error.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(error.has_value()) << c.name;
        EXPECT_EQ(Utf8(error->fault), c.errLab) << c.name;
        EXPECT_EQ(error->lineLab, c.lineLab) << c.name;
        EXPECT_EQ(Cp1251ToUtf8(error->errLab), c.errLab) << c.name;
        EXPECT_EQ(error->lineIndex, c.lineIndex) << c.name;
    }
}

TEST(CopyCode, TextWithoutWordLinesCopiesNothing) {
    Machine machine;
    machine.WriteWord(0, 0x5555);
    for (const Lines& code : {Lines{}, Lines{"; only", " comments"}}) {
        const CodeCopy copy = CopyCode(machine, code);
        EXPECT_FALSE(copy.error.has_value());
        EXPECT_EQ(copy.words, 0);
    }
    EXPECT_EQ(machine.State().ram[0], 0x5555);
}

TEST(CopyCode, FillsRamExactlyAndReportsTheFirstWordThatDoesNotFit) {
    Lines code(128, "1234");
    Machine machine;
    machine.TakeChangedRam();
    EXPECT_EQ(CopyCode(machine, code).words, 128);
    EXPECT_EQ(machine.State().ram[127], 0x1234);
    const auto shown = machine.TakeChangedRam();
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](bool b) { return b; }));

    code.push_back("; the end");
    code.push_back("5678");
    code.push_back("9ABC");
    Machine full;
    const auto error = CopyCode(full, code).error;
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->lineLab, "5678");
    EXPECT_EQ(Utf8(error->fault), "неправильный адрес памяти");
    EXPECT_EQ(error->lineIndex, 129);
    EXPECT_EQ(full.State().ram[127], 0x1234);
}

}  // namespace
}  // namespace q42::test
