// Hostile input: enormous lines, binary bytes, huge counts, long programs. Each must end in a
// clear message or a clean result, in time linear in the input.

#include <gtest/gtest.h>

#include <chrono>

#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

TEST(Robustness, EnormousLinesGiveOrdinaryResults) {
    const std::string digits(1 << 18, '7');
    const std::string blanks(1 << 18, ' ');
    const std::pair<std::string, const char*> rows[] = {
        {"DW " + digits, "Too large const: 777"},
        {"RW " + digits, "Too large const: 777"},
        {"DW " + std::string(1 << 18, '0') + "12H", ""},
        {"L" + blanks + ":" + blanks + "MOV" + blanks + "R0" + blanks + "," + blanks + "R1", ""},
        {"DS " + digits, "Too large const: DS 262144"},
        {"DS " + std::string(1 << 16, 'a'), ""},
        {std::string(1 << 18, ','), "Unknown operation name: ,,,"},
    };
    for (const auto& [source, errorStart] : rows) {
        const auto run = Assemble({source, "HLT"}, Options(true));
        EXPECT_TRUE(run.error.starts_with(errorStart)) << run.error.substr(0, 40);
        EXPECT_EQ(run.error.empty(), *errorStart == '\0') << run.error.substr(0, 40);
    }
}

TEST(Robustness, BinaryBytesAreCharactersLikeAnyOther) {
    const std::string nul(1, '\0');
    RecordedWarnings warnings;
    AssemblerTexts texts;
    texts.asmText = {"MOV #'" + nul + "',R0", "DS \x01" + nul + "\xFF", "DW #'\xFF'", "HLT"};
    EXPECT_EQ(PreprocessAndCompile(texts, Options(true), warnings), "");
    EXPECT_EQ(Joined(texts.codeText), "2100|0001|00FF|00FF|AF18");
    texts.asmText = {"\x01\x02" + nul + "\xFE: N" + nul + "P"};
    EXPECT_EQ(PreprocessAndCompile(texts, Options(true), warnings),
              "Unknown operation name: N" + nul + "P");
}

TEST(Robustness, ReservationsStopAtTheAddressSpace) {
    EXPECT_EQ(Assemble({"RW 8000H", "HLT"}, Options(true)).error, "");
    const auto run = Assemble({"RW 4000H", "RW 4000H", "RW 1", "HLT"}, Options(true));
    EXPECT_EQ(run.error, "Too large const: 1");
    EXPECT_EQ(run.texts.compText.size(), 0x8001u);
}

TEST(Robustness, LongProgramsCompileInLinearTime) {
    std::vector<std::string> source;
    source.reserve(38000);
    for (int i = 0; i < 30000; ++i)
        source.push_back("K" + std::to_string(i) + "=" + std::to_string(i));
    for (int i = 0; i < 8000; ++i) {
        const std::string n = std::to_string(i);
        source.insert(source.end(),
                      {"C" + n + "=" + n, "L" + n + ": MOV #C" + n + ",L" + n, "BR L" + n});
    }
    source.push_back("HLT");
    const auto start = std::chrono::steady_clock::now();
    const auto run = Assemble(source, Options(true));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.error, "");
    ASSERT_EQ(run.texts.codeText.size(), 8000u * 4 + 1);
    EXPECT_EQ(run.texts.codeText[3], "1DF8");
    EXPECT_EQ(run.texts.labels.rows[45999], (LabelGrid::Row{"C7999", "=", "1F3F"}));
    EXPECT_EQ(run.texts.labels.rows[46000], (LabelGrid::Row{"L7999", ":", "F9F8"}));
    EXPECT_LT(elapsed, std::chrono::seconds(10));  // generous: about 0.1 s, 1 s under sanitizers
}

}  // namespace
}  // namespace q42::test
