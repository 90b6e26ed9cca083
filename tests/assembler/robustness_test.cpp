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
        const auto run = RunAssembler({source, "HLT"}, Options(true));
        EXPECT_TRUE(run.error.starts_with(errorStart)) << run.error.substr(0, 40);
        EXPECT_EQ(run.error.empty(), *errorStart == '\0') << run.error.substr(0, 40);
    }
}

TEST(Robustness, BinaryBytesAreCharactersLikeAnyOther) {
    const std::string nul(1, '\0');
    const Assembly good = Assemble(
        {"MOV #'" + nul + "',R0", "DS \x01" + nul + "\xFF", "DW #'\xFF'", "HLT"}, Options(true));
    EXPECT_TRUE(good.Ok());
    EXPECT_EQ(Joined(good.CodeText()), "2100|0001|00FF|00FF|AF18");
    const Assembly bad = Assemble({"\x01\x02" + nul + "\xFE: N" + nul + "P"}, Options(true));
    ASSERT_TRUE(bad.diagnostic.has_value());
    EXPECT_EQ(bad.diagnostic->text, "Unknown operation name: N" + nul + "P");
}

TEST(Robustness, ReservationsStopAtTheAddressSpace) {
    EXPECT_EQ(RunAssembler({"RW 8000H", "HLT"}, Options(true)).error, "");
    const auto run = RunAssembler({"RW 4000H", "RW 4000H", "RW 1", "HLT"}, Options(true));
    EXPECT_EQ(run.error, "Too large const: 1");
    EXPECT_EQ(run.assembly.intermediate.lines.size(), 0x8001u);
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
    const auto run = RunAssembler(source, Options(true));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.error, "");
    const auto& code = run.assembly.code;
    ASSERT_EQ(code.size(), 8000u * 4 + 1);
    EXPECT_EQ(code[3].value, 0x1DF8);
    const auto& names = run.assembly.names;
    ASSERT_EQ(names.size(), 46000u);
    EXPECT_EQ(names[45998].name, "C7999");
    EXPECT_EQ(names[45998].value, 0x1F3F);
    EXPECT_EQ(names[45999].name, "L7999");
    EXPECT_EQ(names[45999].kind, NameKind::Label);
    EXPECT_EQ(names[45999].value, 0xF9F8);
    EXPECT_LT(elapsed, std::chrono::seconds(10));  // generous: about 0.1 s, 1 s under sanitizers
}

}  // namespace
}  // namespace q42::test
