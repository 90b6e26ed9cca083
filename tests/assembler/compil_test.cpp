// The compiler, run on assembler text through the preprocessor as the assembler window does.

#include <gtest/gtest.h>

#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

// The names as "NAME:0000", "NAME=0003", joined by "|".
std::string NamesText(const std::vector<AsmName>& names) {
    TextLines lines;
    for (const AsmName& name : names)
        lines.push_back(name.name + static_cast<char>(name.kind) +
                        (name.value ? WordToHex(*name.value) : ""));
    return Joined(lines);
}

TEST(Compile, WorkedExampleEndToEnd) {
    const TextLines source = {"; count down",    "N=3",          "START: MOV #N,R0",
                              "LOOP: SUB #1,R0", "    BNE LOOP", "    OUT #'A',P.1",
                              "    HLT",         "MSG: DS Hi"};
    const Preprocessed preprocessed = Preprocess(source);
    ASSERT_FALSE(preprocessed.failure.has_value());
    EXPECT_EQ(Joined(preprocessed.text.lines),
              "N=|3|START:|MOV #N,R0|LOOP:|SUB #1,R0|BNE LOOP|OUT #65,P.1|HLT|MSG:|DW 6948H|"
              "LEN(MSG)=|2");
    const Assembly assembly = Compile(preprocessed.text, source, Options(true));
    ASSERT_TRUE(assembly.Ok());
    EXPECT_EQ(Joined(assembly.CodeText()), "01D0|0003|2310|4DFC|0BD1|0041|AF18|6948");
    EXPECT_EQ(assembly.intermediate.lines.size(), 9u);
    EXPECT_EQ(assembly.intermediate.sourceLines, (std::vector<int>{3, 3, 4, 4, 5, 6, 7, 8, 8}));
    EXPECT_EQ(NamesText(assembly.names), "N=0003|START:0000|LOOP:0004|MSG:000E|LEN(MSG)=0002");
    EXPECT_TRUE(assembly.warnings.empty());
    // Each word knows its statement: OUT is source line 6, intermediate line 6.
    EXPECT_EQ(assembly.code[4].sourceLine, 6);
    EXPECT_EQ(assembly.code[5].intermediateLine, 6);
    // The whole pipeline gives the same.
    const Assembly whole = Assemble(source, Options(true));
    EXPECT_EQ(whole.CodeText(), assembly.CodeText());
    EXPECT_EQ(whole.intermediate.lines, assembly.intermediate.lines);
}

struct StatementCase {
    const char* source;      // lines separated by "|"; labels A and B follow them
    const char* code;        // the code text joined by "|", without the words of A and B
    const char* error = "";  // English
    bool shortConst = true;
};

void PrintTo(const StatementCase& c, std::ostream* os) {
    *os << '"' << c.source << '"' << (c.shortConst ? "" : " long");
}

class CompileStatement : public testing::TestWithParam<StatementCase> {};

TEST_P(CompileStatement, GivesWordsOrError) {
    const auto& c = GetParam();
    std::vector<std::string> source;
    for (std::string rest = c.source; !rest.empty();) {
        const auto bar = std::min(rest.find('|'), rest.size());
        source.push_back(rest.substr(0, bar));
        rest.erase(0, bar + 1);
    }
    source.insert(source.end(), {"A: HLT", "B: DW 7"});
    const auto run = RunAssembler(source, Options(true, c.shortConst));
    EXPECT_EQ(run.error, c.error);
    const std::string code = Joined(run.assembly.CodeText());
    EXPECT_EQ(run.error.empty() ? code.substr(0, code.size() - 10) : code, c.code);
}

const StatementCase kStatements[] = {
    {"MOV #5,R0", "2150"},
    {"MOV #5,R0", "01D0|0005", "", false},
    {"MOV #15,R0", "21F0"},
    {"MOV #16,R0", "01D0|0010"},
    {"MOV #-1,R0", "3110"},
    {"MOV #-15,R0", "31F0"},
    {"MOV #-16,R0", "01D0|FFF0"},
    {"MOV R1%,(R2)%", "C116"},
    {"MOV (R1)%,R0", "8150"},
    {"ADD (R1)%,R0", "8250", "Mixing byte and word: (R1)<=>R0"},
    {"MOV R0,#5", "0100", "Const is forbidden here: #5"},
    {"MOV A,B", "01EE|0006|0008"},
    {"MOV R0", "0100", "\",\" not found: R0"},
    {"MOV R0,%", "0100", "Missed operand"},
    {"MOV #,R0", "01D0", "No value after \"#\""},
    {"MOV #-,R0", "01D0", "Incorrect symbol in number: -"},
    {"MOV #FFH,R0", "01D0|FFH", "Label not found in the list: FFH"},
    {"MOV ( R2 ),R0", "0100", "Label not found in the list: ( R2 )"},
    {"MOVE R0,R1", "", "Unknown operation name: MOVE"},
    {"IN P.1,R0", "0A10"},
    {"OUT #65,P.2", "0BD2|0041"},
    {"OUT #-3,P2", "3B32"},
    {"IN P.16,R0", "0A00", "Incorrect port: P.16"},
    {"IN P.,R0", "0A00", "Missed operand: P."},
    {"OUT R0%,P.1", "8B01", "Mixing byte and word: R0<=>P.1"},
    {"IN P.1,R0%", "4A10", "Mixing byte and word: P.1<=>R0"},
    {"JMP #5", "1C0D|0005"},
    {"JMP #A", "1C0D|0004"},
    {"RET R0", "0C00", "Extra operand: R0"},
    {"NOT R0%", "CE10"},
    {"PUSH #-1", "0E2D|FFFF"},
    {"PUSH R0%", "0E20", "Byte addressing is forbidden here"},
    {"NOT #1", "0E10", "Const is forbidden here: #1"},
    {"POP", "0E30", "Missed operand"},
    {"DW -2", "FFFE"},
    {"DW -32768", "8000"},
    {"DW 0007FFFH", "7FFF"},
    {"DW 32768", "32768", "Too large const: 32768"},
    {"DW 7FFFFH", "7FFFF", "Too large const: 7FFFF"},
    {"DW 1G2XH", "1G2X", "Incorrect symbol in number: X"},
    {"DW A", "A", "Incorrect symbol in number: A"},
    {"DW", "", "Missed operand"},
    {"N=10|MOV #N,R0", "01D0|000A"},
    {"@P=0FFH|MOV @P,R0", "01E0|00FF"},
    {"N=|MOV R0,R1", "", "Incorrect symbol in number: MOV R0,R1"},
};
INSTANTIATE_TEST_SUITE_P(Statements, CompileStatement, testing::ValuesIn(kStatements));

TEST(Compile, ForwardReferencesOfEveryKind) {
    const auto run = RunAssembler({"MOV #N,R0", "MOV X,R1", "MOV #X,R2", "MOV #LEN(S),R3", "BR L",
                                   "JMP L", "L: HLT", "X: DW 1", "N=300", "S: DS abc"},
                                  Options(true));
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(Joined(run.assembly.CodeText()),
              "01D0|012C|01E1|0018|01D2|0018|01D3|0003|1D04|1C0E|0016|AF18|0001|6261|0063");
}

TEST(Compile, BranchReachIs126ForwardAnd128Back) {
    const std::tuple<int, bool, const char*> rows[] = {
        {63, true, "1D7E"}, {64, true, ""}, {62, false, "1D80"}, {63, false, ""}};
    for (const auto& [nops, forward, branch] : rows) {
        std::vector<std::string> source = {"; reach", forward ? "BR T" : "T: NOP"};
        source.insert(source.end(), nops, "NOP");
        source.push_back(forward ? "T: HLT" : "BR T");
        const int branchLine = forward ? 2 : static_cast<int>(source.size());
        const auto run = RunAssembler(source, Options(true));
        if (*branch) {
            const TextLines code = run.assembly.CodeText();
            EXPECT_EQ(forward ? code.front() : code.back(), branch);
        } else {
            EXPECT_EQ(run.error, "Too long displacement") << nops;
            EXPECT_EQ(run.Where(), std::to_string(branchLine) + ":  " + source[branchLine - 1]);
        }
    }
}

// Every reference waits for pass 3. After an error the code text keeps the words written so far,
// the failing statement's included, with the references not yet resolved in their unfinished
// forms and what was left of a bad number or name in place of its word.
TEST(Compile, ReferencesResolvedOrLeftUnfinished) {
    const std::tuple<std::vector<std::string>, const char*, const char*> rows[] = {
        {{"BR Q@R", "JMP Q@R", "Q@R: HLT"}, "1D04|1C0E|0006|AF18", ""},  // "@" inside a name
        {{"BR @P", "@P=8"}, "1D06", ""},  // a branch to a constant's value
        {{"MOV #L,R0", "BR L", "MOVE", "L: HLT"}, "01D0|@L|1D00@L", "Unknown operation name: MOVE"},
        // pass 3 stops at the far branch: the words before it are resolved, the rest wait
        {{"BR L", "MOV #L,R0", "BR FAR", "MOV X,R1", "BR L", "L: HLT", "X: DW 1", "FAR=1000H"},
         "1D0C|01D0|000E|1D00@FAR|01E1|@X|1D00@L|AF18|0001",
         "Too long displacement"},
        {{"BR Q@R", "BR FAR", "Q@R: HLT", "FAR=1000H"},
         "1D02|1D00@FAR|AF18",
         "Too long displacement"},
        {{"MOV #N,R0", "DW 12XH", "N=5"}, "01D0|@N|12X", "Incorrect symbol in number: X"},
        // operand 2 is still read after operand 1 failed; its word follows what operand 1 left
        {{"ADD #12X,X", "X: DW 1"}, "02DE|12X|@X", "Incorrect symbol in number: 12X"},
        {{"MOV #,X", "X: DW 1"}, "01DE|@X", "No value after \"#\""},
    };
    for (const auto& [source, code, error] : rows) {
        const auto run = RunAssembler(source, Options(true));
        EXPECT_EQ(Joined(run.assembly.CodeText()), code) << source.front();
        EXPECT_EQ(run.error, error) << source.front();
    }
}

TEST(ReadConstant, GivesTheValueOrTheErrorWithWhatWasLeft) {
    const std::tuple<const char*, Value, const char*, const char*> rows[] = {
        {"-32768", 0x8000, "", ""},
        {"-1", 0xFFFF, "", ""},
        {"-0", 0, "", ""},
        {"0000000012H", 0x12, "", ""},
        {"12XH", 0, "Incorrect symbol in number: X", "12X"},
        {"1G2XH", 0, "Incorrect symbol in number: X", "1G2X"},  // the last bad character
        {"0012345H", 0, "Too large const: 12345", "12345"},
        {"-12X", 0, "Incorrect symbol in number: 12X", "12X"},
        {"-", 0, "Incorrect symbol in number: -", ""},
        {"32768", 0, "Too large const: 32768", "32768"},
        {"", 0, "Missed operand", ""},
    };
    for (const auto& [text, value, error, leftover] : rows) {
        const ConstNumber number = ReadConstant(text);
        EXPECT_EQ(number.error ? AsmErrorText(*number.error, true) : "", error) << text;
        EXPECT_EQ(number.value, value) << text;
        EXPECT_EQ(number.leftover, leftover) << text;
    }
}

TEST(Compile, ErrorsPointAtTheSourceLineAfterConstantsWereDeleted) {
    const std::pair<const char*, const char*> rows[] = {
        {"  movE R0,R1", "Unknown operation name: MOVE"},  // pass 2
        {"  BR FAR", "Too long displacement"},             // pass 3
        {"  A: NOP", "Duplicate label name: A"},           // pass 1, before any code
        {"  K=1X", "Incorrect symbol in number: 1X"},
        {"  K=", "Missed operand"},  // no value line at all
    };
    for (const auto& [last, errLab] : rows) {
        const auto run = RunAssembler(
            {"; constants", "A: K0=1", "K1 = 2", "S: DS abc", "MOV #K1,R0", "FAR=1000H", last},
            Options(true));
        EXPECT_EQ(run.error, errLab);
        EXPECT_EQ(run.Where(), std::string("7:  ") + last);
        ASSERT_TRUE(run.assembly.diagnostic.has_value());
        EXPECT_EQ(run.assembly.diagnostic->sourceLine, 7);
        EXPECT_TRUE(run.assembly.diagnostic->inSource);
    }
}

TEST(Compile, DiagnosticsInRussian) {
    const auto bad = RunAssembler({";", ";", "MOVE  R0, R1"}, Options(false));
    EXPECT_EQ(bad.error, "Неизвестное имя операции: MOVE");
    EXPECT_EQ(bad.Where(), "3:  MOVE  R0, R1");
    EXPECT_EQ(RunAssembler({"ADD (R1)%,R0"}, Options(false)).error,
              "Смешение byte and word: (R1)<=>R0");
    EXPECT_TRUE(RunAssembler({"HLT"}, Options(false)).assembly.Ok());
}

TEST(Compile, WarningsGoOnToSuccess) {
    const auto run = RunAssembler(
        {"JMP START", "MOV N,R0", "MOV START,R1", "START: CALL START", "N=5"}, Options(true));
    EXPECT_TRUE(run.assembly.Ok());
    EXPECT_EQ(Joined(run.assembly.CodeText()), "1C0E|000C|01E0|0005|01E1|000C|9C0E|000C");
    const std::vector<std::string> expected = {"JMP START:\nSTART\nor #START?",
                                               "MOV N,R0:\nN\nor #N?",
                                               "CALL START:\nSTART\nor #START?", "No HLT command!"};
    EXPECT_EQ(run.Warnings(), expected);
}

TEST(Compile, IntermediateTextTypedIntoTheWindow) {
    const TextLines source = {"N=5", "MOV #N,R0", "HLT"};
    const Assembly first = Assemble(source, Options(true));
    // Compiling again: the constant lines are gone.
    const Assembly again = Compile(first.intermediate, source, Options(true));
    ASSERT_TRUE(again.diagnostic.has_value());
    EXPECT_EQ(again.diagnostic->text, "Label not found in the list: N");
    EXPECT_EQ(again.diagnostic->where, "2:  MOV #N,R0");

    IntermediateText typed = again.intermediate;
    typed.lines = {"HLT", "N=", "X:", "compText"};  // beyond the line map
    const Assembly typedRun = Compile(typed, source, Options(true));
    ASSERT_TRUE(typedRun.diagnostic.has_value());
    EXPECT_EQ(typedRun.diagnostic->text, "Incorrect symbol in number: X:");
    EXPECT_EQ(typedRun.diagnostic->where, "0:  ");
    EXPECT_FALSE(typedRun.diagnostic->inSource);
}

}  // namespace
}  // namespace q42::test
