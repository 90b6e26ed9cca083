// What the assembler window keeps of an assembly: each command fills the label table, the code
// text, the status texts and the selection its own way, and nothing of an earlier program is left
// where a command rewrites.

#include <gtest/gtest.h>

#include "assembler/assembler.h"
#include "desktop/assembler_view.h"
#include "machine/codepage.h"

namespace q42 {
namespace {

AsmOptions Options(bool english) {
    return {.englishInterface = english, .useShortConst = true};
}

// The label table's data rows as "NAME:VALUE" cells joined by "|", up to the last filled row.
std::string Rows(const LabelGrid& grid) {
    std::string text;
    std::size_t last = 0;
    for (std::size_t r = 1; r < grid.rows.size(); ++r)
        if (!grid.rows[r][0].empty()) last = r;
    for (std::size_t r = 1; r <= last; ++r)
        text += (r == 1 ? "" : "|") + grid.rows[r][0] + grid.rows[r][1] + grid.rows[r][2];
    return text;
}

void CompileAndPreprocess(AssemblerView& view, const TextLines& source, bool english = true) {
    ClearCodeAndLabels(view);
    ShowCompilation(view, Assemble(source, Options(english)), english);
}

TEST(AssemblerView, CompileAndPreprocessShowsTheProgramInTheWindowsTerms) {
    for (const bool english : {false, true}) {
        AssemblerView view;
        CompileAndPreprocess(view, {"N=3", "L: MOV #N,R0", "HLT"}, english);
        EXPECT_EQ(Rows(view.labelGrid), "N=0003|L:0000");
        EXPECT_EQ(view.labelGrid.rows.size(), 20u);  // the header row and 19 data rows
        EXPECT_EQ(view.codeLines, (TextLines{"01D0", "0003", "AF18"}));
        EXPECT_EQ(view.intermediate.lines, (TextLines{"L:", "MOV #N,R0", "HLT"}));
        EXPECT_EQ(Cp1251ToUtf8(view.statusText),
                  english ? "Successful compilation" : "Успешная компиляция");
        EXPECT_EQ(view.errorText, "");
        EXPECT_EQ(view.selection.kind, AsmSelection::Kind::Cleared);
    }
}

TEST(AssemblerView, AnErrorShowsItsLineAndSelectsItWhenTheTextHasIt) {
    AssemblerView view;
    const TextLines source = {"NOP", " movE r0,r1", "HLT"};
    CompileAndPreprocess(view, source, false);
    EXPECT_EQ(view.statusText, "2:   movE r0,r1");
    EXPECT_EQ(Cp1251ToUtf8(view.errorText), "Неизвестное имя операции: MOVE");
    EXPECT_EQ(view.selection.kind, AsmSelection::Kind::Line);
    EXPECT_EQ(view.selection.line, 2);
    EXPECT_EQ(view.codeLines, (TextLines{"0000"}));

    // Compiled alone, a typed line beyond the line map names no line of the text.
    view.intermediate.lines.push_back("BAD");
    ShowCompilation(view, Compile(view.intermediate, source, Options(true)), true);
    EXPECT_EQ(view.selection.kind, AsmSelection::Kind::Line);  // MOVE, line 2, still comes first
    view.intermediate.lines = {"NOP", "NOP", "NOP", "NOP", "BAD"};
    ShowCompilation(view, Compile(view.intermediate, source, Options(true)), true);
    EXPECT_EQ(view.statusText, "0:  ");
    EXPECT_EQ(view.selection.kind, AsmSelection::Kind::Unchanged);
}

// Compile + preprocess starts from an empty table; compiling alone rewrites only the rows it
// needs. The table grows for a program with more names than rows, and keeps its rows after.
TEST(AssemblerView, EachCommandRewritesWhatItShouldAndNoMore) {
    AssemblerView view;
    CompileAndPreprocess(view, {"A: NOP", "B: NOP", "C: HLT"});
    ShowCompilation(view, Compile({{"X:", "HLT"}, {1, 1}}, {"X: HLT"}, Options(true)), true);
    EXPECT_EQ(Rows(view.labelGrid), "X:0000|B:0002|C:0004");
    EXPECT_EQ(view.codeLines, (TextLines{"AF18"}));

    TextLines many;
    for (int i = 0; i < 25; ++i)
        many.push_back("L" + std::to_string(i) + ": NOP");
    CompileAndPreprocess(view, many);
    EXPECT_EQ(view.labelGrid.rows.size(), 26u);
    CompileAndPreprocess(view, {"ONLY: HLT"});
    EXPECT_EQ(Rows(view.labelGrid), "ONLY:0000");
    EXPECT_EQ(view.labelGrid.rows.size(), 26u);
    EXPECT_EQ(view.codeLines, (TextLines{"AF18"}));
}

TEST(AssemblerView, PreprocessingAloneEmptiesCodeAndLabels) {
    AssemblerView view;
    CompileAndPreprocess(view, {"A: MOVE"});
    EXPECT_NE(view.statusText, "");
    ShowPreprocessing(view, PreprocessOnly({"B: nop"}, Options(true)));
    EXPECT_EQ(view.intermediate.lines, (TextLines{"B:", "NOP"}));
    EXPECT_EQ(view.intermediate.sourceLines, (std::vector<int>{1, 1}));
    EXPECT_EQ(Rows(view.labelGrid), "");
    EXPECT_TRUE(view.codeLines.empty());
    EXPECT_EQ(view.statusText, "");
    EXPECT_EQ(view.errorText, "");
    EXPECT_EQ(view.selection.kind, AsmSelection::Kind::Unchanged);

    ShowPreprocessing(view, PreprocessOnly({"NOP", "RW 0"}, Options(true)));
    EXPECT_EQ(view.statusText, "2: RW 0");
    EXPECT_EQ(view.errorText, "Invalid value: 0");
    EXPECT_EQ(view.selection.line, 2);
}

TEST(AssemblerView, CopyingTheCodeShowsTheBadLineOrNothing) {
    AssemblerView view;
    CompileAndPreprocess(view, {"MOVE"});
    ShowCodeCopy(view, CodeLineError{Fault::BadCodeLength, "12345", "length", 2});
    EXPECT_EQ(view.statusText, "12345");
    EXPECT_EQ(view.errorText, "length");
    ShowCodeCopy(view, std::nullopt);
    EXPECT_EQ(view.statusText, "");
    EXPECT_EQ(view.errorText, "");
}

}  // namespace
}  // namespace q42
