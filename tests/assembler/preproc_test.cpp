// The preprocessor: assembler text -> intermediate text, line map and its diagnostics.

#include <gtest/gtest.h>

#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

struct LineCase {
    const char* source;        // one source line
    const char* intermediate;  // the intermediate lines joined by "|"
    const char* errLab = "";   // English, empty when the line is good
    const char* lineLab = "";
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << '"' << c.source << '"';
}

class PreprocessLine : public testing::TestWithParam<LineCase> {};

TEST_P(PreprocessLine, WritesIntermediateLinesAndDiagnostic) {
    const auto& c = GetParam();
    const auto run = RunAssembler({c.source}, Options(true), false);
    EXPECT_EQ(Joined(run.assembly.intermediate.lines), c.intermediate);
    EXPECT_EQ(run.error, c.errLab);
    EXPECT_EQ(run.Where(), c.lineLab);
}

const LineCase kLines[] = {
    {"; only a comment", ""},
    {"  loop:  mov   #5 , r0 ; set, go", "LOOP:|MOV #5,R0"},
    {"N = 10", "N=|10"},
    {"\tNOP", "\tNOP"},            // a tab is not a blank
    {"метка: nop", "метка:|NOP"},  // only a..z are raised
    {"MSG: DS Hi!", "MSG:|DW 6948H|DW 0021H|LEN(MSG)=|3"},
    {"DS ab", "DW 6261H"},
    {"DSUM=5", "DW 4D55H|DW 353DH"},
    {"msg: DS Hello ;x", "MSG:|DW 6548H|DW 6C6CH|DW 206FH|LEN(MSG)=|6"},
    {"  msg : ds ab", "MSG:|DW 6261H|LEN(MSG)=|2"},
    {"DS", "DS"},  // too short to be a string
    {"MOV #'a',R0", "MOV #97,R0"},
    {"MOV #'я',#'b'", "MOV #255,#'B'"},  // the 8-bit code; only the first literal
    {"MOV #';',R0", "MOV #'", "Invalid value: #'", "1: MOV #'"},
    {"mov #'ab',r0", "MOV #'AB',R0", "Invalid value: #'ab'", "1: mov #'ab',r0"},
    {"BUF: RW 3", "BUF:|DW AC42H|DW AC42H|DW AC42H"},
    {"RW 2H", "DW AC42H|DW AC42H"},
    {"RW 0", "0", "Invalid value: 0", "1: RW 0"},
    {"RW 1X", "1X", "Incorrect symbol in number 1X", "1: RW 1X"},
    {"rw 40000", "40000", "Too large const: 40000", "1: RW 40000"},
    {"1ABC: NOP", "1ABC:NOP", "Identifier begins from figure or \"-\": 1ABC:", "1: 1ABC:NOP"},
    {"MY LABEL: NOP", "MY LABEL:NOP",
     "Incorrect symbol in identifier: MY LABEL:", "1: MY LABEL:NOP"},
    {"1A B: NOP", "1A B:NOP", "Identifier begins from figure or \"-\": 1A B:", "1: 1A B:NOP"},
    {"L: -X=5", "L:|-X=5", "Identifier begins from figure or \"-\": -X=", "1: L:-X=5"},
    // A second label would swallow its statement: the line is refused instead.
    {"a: b: mov #2,r0", "A:B: MOV #2,R0",
     "Incorrect symbol in identifier: A:B:", "1: A:B: MOV #2,R0"},
    {"A: B:", "A:B:", "Incorrect symbol in identifier: A:B:", "1: A:B:"},
    {"L: X=5", "L:|X=|5"},
};
INSTANTIATE_TEST_SUITE_P(Lines, PreprocessLine, testing::ValuesIn(kLines));

TEST(Preprocess, StopsAfterTheLineWithAnErrorAndSelectsIt) {
    const auto run = RunAssembler({"NOP", "A: RW 0", "HLT"}, Options(true), false);
    EXPECT_EQ(Joined(run.assembly.intermediate.lines), "NOP|A:|0");
    EXPECT_EQ(run.assembly.intermediate.sourceLines, (std::vector<int>{1, 2, 2}));
    ASSERT_TRUE(run.assembly.diagnostic.has_value());
    EXPECT_TRUE(run.assembly.diagnostic->inSource);
    EXPECT_EQ(run.assembly.diagnostic->sourceLine, 2);
}

TEST(Preprocess, LineMapFollowsEveryIntermediateLineBeyond127) {
    const auto run = RunAssembler({"; data", "BUF: RW 200", "HLT"}, Options(true), false);
    ASSERT_EQ(run.assembly.intermediate.lines.size(), 202u);
    EXPECT_EQ(run.assembly.intermediate.SourceLineOf(201), 2);
    EXPECT_EQ(run.assembly.intermediate.SourceLineOf(202), 3);
    EXPECT_EQ(run.assembly.intermediate.SourceLineOf(203), 0);
}

TEST(Preprocess, DiagnosticsInRussian) {
    const std::pair<const char*, const char*> rows[] = {
        {"RW 0", "Недопустимое значение: 0"},
        {"rw  1x", "Недопустимый символ в числе 1X"},
        {"1abc : nop", "Идентификатор начинается с цифры или \"-\": 1ABC:"},
        {"A,B: NOP", "Недопустимый символ в идентификаторе: A,B:"},
    };
    for (const auto& [source, errLab] : rows) {
        const auto run = RunAssembler({"; one", "NOP", source}, Options(false), false);
        EXPECT_EQ(run.error, errLab);
        EXPECT_TRUE(run.Where().starts_with("3: ")) << run.Where();
    }
}

}  // namespace
}  // namespace q42::test
