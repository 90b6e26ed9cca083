// The execution log tells each step in words with its values and the names the program wrote:
// example programs run in a session, and the rows of their logs read in both languages.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assembler/assembler.h"
#include "machine/rom_image.h"
#include "session/code_loading.h"
#include "session/session.h"
#include "session/text_file.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

// Every row of the log of `program` run to its end with `lines` typed, told in `language`.
std::vector<std::string> Stories(const std::vector<std::string>& program,
                                 const std::vector<std::string>& lines, Language language) {
    SetTextLanguage(language);
    ScriptedConsole console;
    Session session(console, console);
    console.display = &session.display;
    console.lines.assign(lines.begin(), lines.end());
    struct : MessageSink {
        void ShowMessage(const std::string&) override {}
    } messages;
    InitMachine(session.machine, Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    const Assembly assembly = Assemble(program, AsmOptions{});
    EXPECT_TRUE(assembly.Ok());
    EXPECT_FALSE(CopyCode(session.machine, assembly.CodeText()).error.has_value());
    session.source.Set(assembly);
    EXPECT_EQ(session.debugger.Run().reason, DebugPause::Reason::Ended);
    std::vector<std::string> stories;
    for (std::int64_t row = 0; row < session.debugger.LogRows(); ++row)
        stories.push_back(session.debugger.Explain(session.debugger.LogRow(row))->story);
    SetTextLanguage(Language::Russian);
    return stories;
}

std::vector<std::string> Example(const char* name) {
    return ReadTextFile(std::string(Q42_SOURCE_DIR "/examples/") + name).lines;
}

// Forms the examples do not use: byte operands, the other single-operand operations, the stack
// pointer's operations, a memory word by name, and a step that fails.
const std::vector<std::string> kForms = {
    "        MOV #5,R0",   "        NOT R0",     "        SL R0",      "        ASR R0",
    "        SR R0",       "        MOV #-3,R1", "        MOV R1%,R2", "        ADD #1%,R2%",
    "        MOV X,R3",    "        AND #6,R3",  "        TOSP #80H",  "        ADDSP #2",
    "        SUBSP #4",    "        FRMSP R3",   "        PUSHPS",     "        POPPS",
    "        CALL #4180H", "        DIV #0,R0",  "        HLT",        "X:      DW 7",
};

struct StoryCase {
    const char* program;  // "stars", "sum" or "forms"
    const char* english;
    const char* russian;
};

const StoryCase kCases[] = {
    // stars.asm: data operations, branches taken and not, calls by name into the ROM, the stack.
    {"stars", "MOV #1,R1: R1 := 0001; N = 0, Z = 0", "MOV #1,R1: R1 := 0001; N = 0, Z = 0"},
    {"stars", "ADD #1,R1: R1 := 0001 + 0001 = 0002; N = 0, Z = 0",
     "ADD #1,R1: R1 := 0001 + 0001 = 0002; N = 0, Z = 0"},
    {"stars", "SUB #1,R1: R1 := 0002 \u2212 0001 = 0001; N = 0, Z = 0",
     "SUB #1,R1: R1 := 0002 \u2212 0001 = 0001; N = 0, Z = 0"},
    {"stars", "CMP #ROWS,R1: R1 = 0002 compared with 0005: less; N = 1, Z = 0",
     "CMP #ROWS,R1: R1 = 0002 сравнивается с 0005: меньше; N = 1, Z = 0"},
    {"stars", "BNE NEXT: Z = 0, so jump to NEXT (0014)", "BNE NEXT: Z = 0, переход на NEXT (0014)"},
    {"stars", "BNE NEXT: Z = 1, so no jump", "BNE NEXT: Z = 1, перехода нет"},
    {"stars", "BLE ROW: N = 0, Z = 1, so jump to ROW (0002)",
     "BLE ROW: N = 0, Z = 1, переход на ROW (0002)"},
    {"stars", "CALL #STARS: push 0006, go to STARS (0010)",
     "CALL #STARS: 0006 в стек, переход на STARS (0010)"},
    {"stars", "CALL #PUTC: push 001C, go to PUTC (4000)",
     "CALL #PUTC: 001C в стек, переход на PUTC (4000)"},
    {"stars", "RET: return to 001C, taken from the stack",
     "RET: возврат на 001C, адрес взят из стека"},
    {"stars", "PUSH R1: push 0001 (SP = 00FA); N = 0, Z = 0",
     "PUSH R1: 0001 в стек (SP = 00FA); N = 0, Z = 0"},
    {"stars", "POP R1: R1 := 0001 popped from the stack (SP = 00FC); N = 0, Z = 0",
     "POP R1: R1 := 0001 из стека (SP = 00FC); N = 0, Z = 0"},
    {"stars", "IN P.2,R3: R3 := 0080 from port 2", "IN P.2,R3: R3 := 0080 из порта 2"},
    {"stars", "OUT R0,P.3: 002A to port 3", "OUT R0,P.3: 002A в порт 3"},
    {"stars", "HLT: the program stops", "HLT: программа останавливается"},
    // Inside the ROM no name is written: an address, or the ROM's own name for a routine.
    {"stars", "BNE @4002: Z = 0, so jump to 4002", "BNE @4002: Z = 0, переход на 4002"},
    {"stars", "CALL #4000H: push 4018, go to PUTC (4000)",
     "CALL #4000H: 4018 в стек, переход на PUTC (4000)"},
    // sum.asm: the input rows, and what follows them.
    {"sum", "input: the number 12 typed, R1 := 000C", "ввод: набрано число 12, R1 := 000C"},
    {"sum", "input: the number -30 typed, R1 := FFE2", "ввод: набрано число -30, R1 := FFE2"},
    {"sum", "MOV R1,R3: R3 := 000C; N = 0, Z = 0", "MOV R1,R3: R3 := 000C; N = 0, Z = 0"},
    {"sum", "CALL #READINT: push 0004, go to READINT (4182)",
     "CALL #READINT: 0004 в стек, переход на READINT (4182)"},
    {"sum", "DIV #10,R3: R3 := 0012 \u00F7 000A = 0001; N = 0, Z = 0",
     "DIV #10,R3: R3 := 0012 \u00F7 000A = 0001; N = 0, Z = 0"},
    {"sum", "MUL #10,R0: R0 := 0001 \u00D7 000A = 000A; N = 0, Z = 0",
     "MUL #10,R0: R0 := 0001 \u00D7 000A = 000A; N = 0, Z = 0"},
    // The other forms.
    {"forms", "NOT R0: R0 := NOT 0005 = FFFA; N = 1, Z = 0",
     "NOT R0: R0 := НЕ 0005 = FFFA; N = 1, Z = 0"},
    {"forms", "SL R0: R0 := FFFA shifted left = FFF4; N = 1, Z = 0",
     "SL R0: R0 := FFFA со сдвигом влево = FFF4; N = 1, Z = 0"},
    {"forms", "ASR R0: R0 := FFF4 shifted right, sign kept = FFFA; N = 1, Z = 0",
     "ASR R0: R0 := FFF4 со сдвигом вправо, знак сохранён = FFFA; N = 1, Z = 0"},
    {"forms", "SR R0: R0 := FFFA shifted right = 7FFD; N = 0, Z = 0",
     "SR R0: R0 := FFFA со сдвигом вправо = 7FFD; N = 0, Z = 0"},
    {"forms", "MOV R1%,R2: R2 := FFFD; N = 1, Z = 0", "MOV R1%,R2: R2 := FFFD; N = 1, Z = 0"},
    {"forms", "ADD #1%,R2%: R2% := FD + 01 = FE; N = 1, Z = 0",
     "ADD #1%,R2%: R2% := FD + 01 = FE; N = 1, Z = 0"},
    {"forms", "MOV X,R3: R3 := 0007; N = 0, Z = 0", "MOV X,R3: R3 := 0007; N = 0, Z = 0"},
    {"forms", "AND #6,R3: R3 := 0007 AND 0006 = 0006; N = 0, Z = 0",
     "AND #6,R3: R3 := 0007 И 0006 = 0006; N = 0, Z = 0"},
    {"forms", "TOSP #0080H: SP := 0080; N = 0, Z = 0", "TOSP #0080H: SP := 0080; N = 0, Z = 0"},
    {"forms", "ADDSP #0002H: SP := 0080 + 0002 = 0082; N = 0, Z = 0",
     "ADDSP #0002H: SP := 0080 + 0002 = 0082; N = 0, Z = 0"},
    {"forms", "SUBSP #0004H: SP := 0082 \u2212 0004 = 007E; N = 0, Z = 0",
     "SUBSP #0004H: SP := 0082 \u2212 0004 = 007E; N = 0, Z = 0"},
    {"forms", "FRMSP R3: R3 := SP = 007E; N = 0, Z = 0", "FRMSP R3: R3 := SP = 007E; N = 0, Z = 0"},
    {"forms", "PUSHPS: push PS 0000 (SP = 007C)", "PUSHPS: PS 0000 в стек (SP = 007C)"},
    {"forms", "POPPS: PS := 0000 popped from the stack (SP = 007E); N = 0, Z = 0",
     "POPPS: PS := 0000 из стека (SP = 007E); N = 0, Z = 0"},
    {"forms", "input: answer TRUE, R1 := 0001", "ввод: ответ TRUE, R1 := 0001"},
    {"forms", "DIV #0,R0: error: division by zero", "DIV #0,R0: ошибка: деление на ноль"},
};

TEST(StepStory, TellsEachKindOfStepWithItsValuesAndNamesInBothLanguages) {
    struct Run {
        const char* program;
        std::vector<std::string> lines;
        std::vector<std::string> typed;
    };
    const Run runs[] = {{"stars", Example("stars.asm"), {}},
                        {"sum", Example("sum.asm"), {"12", "-30"}},
                        {"forms", kForms, {"true"}}};
    for (const Run& run : runs) {
        const auto english = Stories(run.lines, run.typed, Language::English);
        const auto russian = Stories(run.lines, run.typed, Language::Russian);
        for (const StoryCase& c : kCases) {
            if (std::string(c.program) != run.program) continue;
            EXPECT_NE(std::find(english.begin(), english.end(), c.english), english.end())
                << run.program << ": no row " << c.english;
            EXPECT_NE(std::find(russian.begin(), russian.end(), c.russian), russian.end())
                << run.program << ": no row " << c.russian;
        }
    }
}

// A name holds only while memory holds the word written for it: a program that writes over
// its own branch shows the address it now reaches.
TEST(StepStory, AWordWrittenOverLosesItsName) {
    const auto stories = Stories({"        MOV #1D02H,B",  // BR one word further than L
                                  "B:      BR L",          //
                                  "L:      HLT",           //
                                  "        HLT"},
                                 {}, Language::English);
    EXPECT_EQ(stories.at(1), "BR @000A: jump to 000A");
}

}  // namespace
}  // namespace q42::test
