// q42cli debug driven by scripts, as a teacher's script or an editor would drive it: fixed
// output forms, input only from `type`, and going back replaying what was typed.

#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

using CliDebugTest = CliFixture;

const std::string kSum = Q42_SOURCE_DIR "/examples/sum.asm";

TEST_F(CliDebugTest, BackThenStepShowsTheSameRegistersAndReplaysTheTypedNumber) {
    ASSERT_EQ(Cli({"debug", kSum},
                  "break 12\ntype 5\nrun\nregs\ntype 7\nstep 3\nback 3\nregs\n"
                  "step 5\nback 5\nstep 5\nregs\nquit\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "breakpoint 1: line 12, 0006\n"
              "breakpoint 1, line 12\n"
              "line 12:         CALL #READINT\n"
              "0000 0005 0000 0005 0006 0100 0000\n"
              "line 16:         BGE POSITIVE\n"
              "line 12:         CALL #READINT\n"
              "0000 0005 0000 0005 0006 0100 0000\n"
              "line 25: DIGIT:  MOV R3,R1\n"
              "line 12:         CALL #READINT\n"
              "line 25: DIGIT:  MOV R3,R1\n"
              "0000 0007 0000 000C 0020 0100 0002\n");
    EXPECT_EQ(err_.str(), "");
}

// A breakpoint, `next` and `until` aimed at the line after an input entry point pause after the
// input is read, before that line runs: R1 holds the input, R3 is not yet changed.
TEST_F(CliDebugTest, BreakpointNextAndUntilAfterAnInputPauseBeforeTheLineAfterIt) {
    ASSERT_EQ(Cli({"debug", kSum},
                  "break 11\ntype 12\ntype -30\nrun\nregs\nexplain\nnext\nnext\nregs\n"
                  "until 15\nregs\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "breakpoint 1: line 11, 0004\n"
              "breakpoint 1, line 11\n"
              "line 11:         MOV R1,R3\n"
              "0000 000C 0000 0000 0004 0100 0000\n"
              "step 2, 4182: ввод числа в R1\n"
              "R1: 0000 \u2192 000C; PC: 4182 \u2192 0004; SP: 00FE \u2192 0100\n"
              "ввод: набрано число 12, R1 := 000C\n"
              "R1 := введённое число (0..FFFF); возврат, как RET\n"
              "line 12:         CALL #READINT\n"
              "line 13:         ADD R1,R3       ; R3 := R3 + R1\n"
              "0000 FFE2 0000 000C 000A 0100 0000\n"
              "line 15:         CMP #0,R3       ; N = 1 when 0 > R3\n"
              "0000 FFE2 0000 FFEE 000C 0100 0001\n");
    // After the Boolean entry point; going back over the input and on again replays it.
    const std::string question = Q42_SOURCE_DIR "/examples/question.asm";
    ASSERT_EQ(Cli({"debug", "--lang", "en", question},
                  "type false\nuntil 14\nregs\nbreak 14\nback\nback\ncontinue\nregs\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "line 14:         CMP #1,R1       ; 7 is a prime number: TRUE is right\n"
              "0020 0000 005B 0000 0010 0100 0002\n"
              "breakpoint 1: line 14, 0010\n"
              "address 4180\n"
              "line 13:         CALL #READBOOL  ; the answer is written again at the start of the "
              "next line\n"
              "breakpoint 1, line 14\n"
              "line 14:         CMP #1,R1       ; 7 is a prime number: TRUE is right\n"
              "0020 0000 005B 0000 0010 0100 0002\n");
}

// While a step waits for input, its watched words are compared after it: the points stay as
// they are, and saying so is all that happens.
TEST_F(CliDebugTest, PointsCannotChangeWhileTheProgramWaitsForInput) {
    ASSERT_EQ(Cli({"debug", kSum}, "step 99\nwatch 0040\ndelete\nbreak 12\ntype 5\ntype 6\n"),
              kHalted);
    const std::string refused =
        "error: the program waits for input: breakpoints and watchpoints can be changed once it "
        "has it\n";
    EXPECT_EQ(out_.str(), "waiting for input\n" + refused + refused + refused +
                              "waiting for input\n Задача завершена\nexit 0\n");
}

// A command line in Windows-1251 is read as such: what is echoed of it is UTF-8.
TEST_F(CliDebugTest, ACommandInWindows1251IsEchoedAsUtf8) {
    ASSERT_EQ(Cli({"debug", kSum}, "\xC0\xC1\n"), kHalted);
    EXPECT_EQ(out_.str(), "error: unknown command: АБ\n");
}

TEST_F(CliDebugTest, AWaitWithNothingTypedPausesAndTheNextTypeAnswersIt) {
    ASSERT_EQ(Cli({"debug", kSum}, "run\nstep\nregs\ntype 40\ntype 2\nscreen\n"), kHalted);
    EXPECT_EQ(out_.str(),
              "waiting for input\n"
              "error: the program waits for input: give it with type\n"
              "0000 0000 0000 0000 4182 00FE 0000\n"
              "waiting for input\n"
              " Задача завершена\n"
              "exit 0\n"
              " ***  Учебный компьютер \"Q42\" с ассемблером\n"
              "  \n"
              " 40\n"
              " 2\n"
              " 42\n"
              "  \n"
              " Задача завершена\n");
}

TEST_F(CliDebugTest, EndsWatchpointsAndStepLimitInBothLanguages) {
    const std::string program = Write("w.asm",
                                      "        MOV #3,X\r\n"
                                      "LOOP:   SUB #1,X\r\n"
                                      "        BNE LOOP\r\n"
                                      "        HLT\r\n"
                                      "X:      DW 0\r\n");
    ASSERT_EQ(Cli({"debug", "--lang", "en", program},
                  "watch 000C\nc\nc\ndelete 1\nc\nregs\nback 1\nwhere\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "watchpoint 1: 000C\n"
              "watchpoint 1, 000C: 0000 -> 0003\n"
              "line 2: LOOP:   SUB #1,X\n"
              "watchpoint 1, 000C: 0003 -> 0002\n"
              "line 3:         BNE LOOP\n"
              " Task completed\n"
              "exit 0\n"
              "0000 0000 0000 0000 000C 0100 0002\n"
              "line 4:         HLT\n"
              "line 4:         HLT\n");
    ASSERT_EQ(Cli({"debug", "--max-steps", "100", Write("f.asm", "L: BR L\r\n")}, "run\nquit\n"),
              kHalted);
    EXPECT_EQ(out_.str(), "stopped after 100 steps\nline 1: L: BR L\n");
}

TEST_F(CliDebugTest, BadCommandsAreNamedAndACodeFileHasNoSource) {
    const std::string code = Write("p.cod", "0000\r\nAF18\r\n.\r\n");
    ASSERT_EQ(Cli({"debug", code},
                  "frobnicate\nbreak 1\nbreak *0002\nstep 0\nmem 0000 2\n"
                  "where\nn\nwhere\nlist\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "error: unknown command: frobnicate\n"
              "error: no code at line 1\n"
              "breakpoint 1: 0002\n"
              "error: a count is a whole number of at least 1\n"
              "0000: 0000 AF18\n"
              "address 0000\n"
              "breakpoint 1, 0002\n"
              "address 0002\n"
              "address 0002\n"
              "error: no source here\n");
}

// `step N` from the start is where line N of `run --trace` is: the same seven registers.
TEST_F(CliDebugTest, StepNFromTheStartMatchesLineNOfTheTrace) {
    const std::string trace = (dir_ / "trace").string();
    ASSERT_EQ(Cli({"run", "--trace", trace, kSum}, "5\n7\n"), kHalted);
    std::istringstream lines(Read("trace"));
    std::vector<std::string> traced;
    for (std::string line; std::getline(lines, line);)
        traced.push_back(line.substr(10));  // after the command address and the word
    for (const std::size_t n : {std::size_t{1}, std::size_t{2}, std::size_t{7}, traced.size()}) {
        ASSERT_EQ(Cli({"debug", kSum}, "type 5\ntype 7\nstep " + std::to_string(n) + "\nregs\n"),
                  kHalted);
        const std::string out = out_.str();
        const std::string regs = out.substr(out.rfind('\n', out.size() - 2) + 1);
        EXPECT_EQ(regs, traced.at(n - 1) + "\n") << "step " << n;
    }
}

// `explain` tells the step with its values and the names the program wrote, after what it
// changed, and then gives the instruction table's rule.
TEST_F(CliDebugTest, ExplainSaysWhatTheStepWasWhatItChangedAndWhatItDoes) {
    ASSERT_EQ(Cli({"debug", "--lang", "en", kSum},
                  "explain\ntype 5\ntype 7\nstep 5\nexplain\nstep\nexplain\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "error: no step to explain\n"
              "line 16:         BGE POSITIVE\n"
              "step 5, 000C: CMP #0,R3\n"
              "PC: 000C \u2192 000E\n"
              "CMP #0,R3: R3 = 000C compared with 0000: greater; N = 0, Z = 0\n"
              "compares op2 with op1 (op2 - op1), stores nothing; sets N, Z\n"
              "line 24:         MOV #0,R2       ; R2 counts the digits on the stack\n"
              "step 6, 000E: BGE @001E\n"
              "PC: 000E \u2192 001E\n"
              "BGE POSITIVE: N = 0, so jump to POSITIVE (001E)\n"
              "branches if N = 0 (>= 0)\n");
    ASSERT_EQ(Cli({"debug", kSum}, "type 5\nstep 3\nexplain 2\nexplain 1\n"), kHalted);
    EXPECT_EQ(out_.str(),
              "address 4182\n"
              "step 2, 4182: ввод числа в R1\n"
              "R1: 0000 \u2192 0005; PC: 4182 \u2192 0004; SP: 00FE \u2192 0100\n"
              "ввод: набрано число 5, R1 := 0005\n"
              "R1 := введённое число (0..FFFF); возврат, как RET\n"
              "step 2, 0004: MOV R1,R3\n"
              "R3: 0000 \u2192 0005; PC: 0004 \u2192 0006\n"
              "MOV R1,R3: R3 := 0005; N = 0, Z = 0\n"
              "оп2 := оп1; флаги N, Z\n"
              "step 1, 0000: CALL #4182H\n"
              "PC: 0000 \u2192 4182; SP: 0100 \u2192 00FE; [00FE]: 0000 \u2192 0004\n"
              "CALL #READINT: 0004 в стек, переход на READINT (4182)\n"
              "вызов подпрограммы: адрес возврата в стек, переход по адресу оп\n");
}

// A breakpoint, or a run to a line, on a blank or comment line stops at the next line with
// code, as the editor's breakpoints do; `break` names that line. A breakpoint on the first
// instruction pauses the run before it.
TEST_F(CliDebugTest, ALineWithoutCodeStopsAtTheNextLineWithCode) {
    ASSERT_EQ(Cli({"debug", kSum},
                  "break 14\nbreak 1\nbreak 999\ntype 5\ntype -7\nrun\ncontinue\nuntil 22\nregs\n"),
              kHalted);
    EXPECT_EQ(out_.str(),
              "breakpoint 1: line 15, 000C\n"
              "breakpoint 2: line 10, 0000\n"
              "error: no code at line 999\n"
              "breakpoint 2, line 10\n"
              "line 10:         CALL #READINT\n"
              "breakpoint 1, line 15\n"
              "line 15:         CMP #0,R3       ; N = 1 when 0 > R3\n"
              "line 24:         MOV #0,R2       ; R2 counts the digits on the stack\n"
              "0002 FFF9 0000 0002 001E 0100 0000\n");
}

}  // namespace
}  // namespace q42::cli
