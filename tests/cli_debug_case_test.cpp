// q42cli debug --case: the debugger starts paused at the first instruction of an exercise's case,
// with the case's registers, RAM, keys and input, as the checker runs it; `run` begins the case
// again; a case that is not there is bad usage naming the cases there are.

#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

using CliDebugCaseTest = CliFixture;

const std::string kExercises = Q42_SOURCE_DIR "/examples/exercises/";

TEST_F(CliDebugCaseTest, TheCaseStartsPausedWithItsRegistersRamKeysAndInput) {
    const std::string keys = Write("keys.q42test",
                                   "[[case]]\nname = \"Enter after a\"\nkeys = \"a\\r\"\n"
                                   "[case.expect]\nregisters = { R0 = 97, R1 = 13 }\n");
    const std::string readKeys = Write("keys.asm",
                                       "W0:  IN 0,R3\r\n     CMP #80H,R3\r\n     BNE W0\r\n"
                                       "     IN 1,R0\r\nW1:  IN 0,R3\r\n     CMP #80H,R3\r\n"
                                       "     BNE W1\r\n     IN 1,R1\r\n     HLT\r\n");
    struct Row {
        std::string exerciseCase, program, commands, out;
    };
    const Row rows[] = {
        // By number: the registers at step 0, where going back stops; continue ends as the
        // check found it.
        {kExercises + "double.q42test:2", kExercises + "double-wrong.asm",
         "step 2\nback 2\nregs\ncontinue\nregs\n",
         "case \"a negative number\": paused at the start\n"
         "line 6:         CALL #DOUBLE\n"
         "line 10:         ADD R0,R1\n"
         "line 6:         CALL #DOUBLE\n"
         "FFFF FED4 0000 7FFF 0000 0100 0000\n"
         " Задача завершена\nexit 0\n"
         "FED4 FDA8 0000 7FFF 0006 0100 0001\n"},
        // By name: the case's RAM words.
        {kExercises + "maximum.q42test:all negative", kExercises + "maximum.asm", "mem 00C0 4\n",
         "case \"all negative\": paused at the start\n"
         "line 10:         MOV #COUNT,R1\n"
         "00C0: 0003 FFFB FFFE FFF7\n"},
        // The input lines are typed ahead, taken in order; run begins the case again, with them.
        {kExercises + "sum.q42test:3", kExercises + "sum.asm", "continue\nregs\nrun\nregs\n",
         "case \"two negative numbers\": paused at the start\n"
         "line 8:         CALL #READINT   ; R1 := the first number\n"
         " Задача завершена\nexit 0\n"
         "0000 FFE9 0000 FF85 000E 0100 0001\n"
         " Задача завершена\nexit 0\n"
         "0000 FFE9 0000 FF85 000E 0100 0001\n"},
        // Sixteen keys, more than the keyboard buffer holds, each typed as the program reads
        // it; the screen's texts in the exercise's language.
        {kExercises + "keys.q42test:sixteen keys", kExercises + "keys.asm", "continue\nscreen\n",
         "case \"sixteen keys\": paused at the start\n"
         "line 9: WAIT:   IN 0,R3         ; keyboard status: 80H once a key can be read\n"
         " Task completed\nexit 0\n"
         " ***  Teaching computer \"Q42\" with assembler\n  \n ABCDEFGHIJKLMNOP\n  \n"
         " Task completed\n"},
        // The keys typed as the program reads them.
        {keys + ":Enter after a", readKeys, "continue\nregs\n",
         "case \"Enter after a\": paused at the start\n"
         "line 1: W0:  IN 0,R3\n"
         " Задача завершена\nexit 0\n"
         "0061 000D 0000 0080 0016 0100 0002\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cli({"debug", "--case", row.exerciseCase, row.program}, row.commands), kHalted)
            << row.exerciseCase << '\n'
            << err_.str();
        EXPECT_EQ(out_.str(), row.out) << row.exerciseCase;
    }
}

TEST_F(CliDebugCaseTest, ACaseThatIsNotThereListsTheCases) {
    const std::string sum = kExercises + "sum.q42test";
    for (const std::string wanted : {"nine", "0", "6", "2x"}) {
        EXPECT_EQ(Cli({"debug", "--case", sum + ":" + wanted, kExercises + "sum.asm"}), kBadUsage);
        EXPECT_EQ(err_.str(), "q42cli: " + sum + " has no case \"" + wanted +
                                  "\"; its cases: 1 \"two positive numbers\", 2 \"a negative and "
                                  "a positive number\", 3 \"two negative numbers\", 4 \"the same "
                                  "number twice\", 5 \"a sum of zero\"\n");
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(Cli({"debug", "--case", Write("bad.q42test", "[[case]]\nkeys = 5\n") + ":1",
                   kExercises + "sum.asm"}),
              kBadUsage);
    EXPECT_NE(err_.str().find("bad.q42test:2: "), std::string::npos) << err_.str();
    for (const std::string option : {"sum.q42test", ":1", "sum.q42test:"})
        EXPECT_EQ(Cli({"debug", "--case", option, kExercises + "sum.asm"}), kBadUsage) << option;
}

}  // namespace
}  // namespace q42::cli
