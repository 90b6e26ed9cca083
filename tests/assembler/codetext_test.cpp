// The code file: the code text's lines, then ".", with CR LF line ends.

#include <gtest/gtest.h>

#include "assembler/codetext.h"
#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

TEST(CodeFile, CompiledCodeSavedAndOpenedAgain) {
    const auto run = RunAssembler({"MOV #5,R0", "HLT"}, Options(true));
    const std::string file = CodeFileContents(run.assembly.CodeText());
    EXPECT_EQ(file, "2150\r\nAF18\r\n.\r\n");
    EXPECT_EQ(CodeTextFromFile(file), run.assembly.CodeText());
    EXPECT_EQ(CodeFileContents({}), ".\r\n");
}

TEST(CodeFile, ReadsAnyLineEndAndDropsOnlyAFinalDot) {
    const std::pair<const char*, const char*> rows[] = {
        {"", ""},
        {"2150\nAF18", "2150|AF18"},  // no final "." line: taken whole
        {"2150\rAF18\r.\r", "2150|AF18"},
        {"2150\r\n.\r\nAF18\r\n", "2150|.|AF18"},
        {";start\r\n2150 ;load 5\r\naf18\r\n.\r\n", ";start|2150 ;load 5|af18"},
        {"\r\n2150\r\n\r\n.", "|2150|"},
    };
    for (const auto& [bytes, lines] : rows)
        EXPECT_EQ(Joined(CodeTextFromFile(bytes)), lines) << bytes;
}

}  // namespace
}  // namespace q42::test
