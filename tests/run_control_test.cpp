// Running programs from RAM: the greeting, the resets, the end messages and single steps.

#include <gtest/gtest.h>

#include "tests/rig.h"

namespace q42::test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kGreeting = " ***  Учебный компьютер \"Q42\" с ассемблером";

TEST(RunProgram, HaltEndsWithTaskFinished) {
    Rig rig;
    rig.Load({0xAF18});
    rig.RunAtMost(10);
    EXPECT_EQ(rig.Screen(), (Lines{kGreeting, "  ", "  ", " Задача завершена"}));
    EXPECT_EQ(rig.console.runStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(rig.console.displayShown, 1);
    EXPECT_FALSE(rig.run.Running());
}

TEST(RunProgram, UserStopEndsWithTaskInterrupted) {
    Rig rig;
    rig.Load({0x1DFE});  // BR to itself
    rig.RunAtMost(5000);
    EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
    EXPECT_TRUE(rig.machine.stopFlag);
    EXPECT_EQ(rig.machine.pc, 0);
}

TEST(RunProgram, RunErrorShowsTheReportThenTaskFinished) {
    Rig rig;
    rig.Load({0x0610});  // DIV R1,R0 with R1 = 0
    rig.RunAtMost(10);
    EXPECT_EQ(rig.Screen(),
              (Lines{kGreeting, "  ", " ## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:",
                     "    деление на ноль", "    0000: 0610", "  ", " Задача завершена"}));
}

TEST(RunProgram, StartsAtZeroWithFreshStackAndFlagsKeepingRegistersAndMemory) {
    Rig rig;
    rig.Load({0x0E80, 0xAF18});  // PUSHPS; HLT
    rig.machine.pc = 0x40;
    rig.machine.sp = 0x80;
    rig.machine.ps = 0xF003;
    rig.machine.r = {1, 2, 3, 4};
    rig.machine.lastResult = 0x55;
    rig.machine.keyBuffer = "abc";
    rig.machine.ports[5] = 9;
    rig.machine.runError = Fault::Overflow;
    rig.RunAtMost(10);
    EXPECT_EQ(rig.machine.ram[0x7F], 0);  // PS was 0 when pushed
    EXPECT_EQ(rig.machine.sp, 0xFE);
    EXPECT_EQ(rig.machine.r, (std::array<Value, 4>{1, 2, 3, 4}));
    EXPECT_EQ(rig.machine.keyBuffer, "");
    EXPECT_EQ(rig.machine.ports[5], 9);
    EXPECT_EQ(rig.machine.runError, Fault::None);
}

TEST(RunProgram, StopWhileWaitingForANumberTakesZeroAndInterrupts) {
    Rig rig;
    rig.Load({0x9C0D, 0x4182, 0x0110, 0xAF18});  // CALL 4182; MOV R1,R0; HLT
    rig.machine.r[0] = 7;
    rig.console.lines = {"123"};
    rig.console.onWait = [&] { rig.run.StopProgram(); };
    rig.RunAtMost(100);
    EXPECT_EQ(rig.machine.r[0], 0);
    EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
}

TEST(RunProgram, EndOfInputStopsTheRun) {
    Rig rig;
    rig.Load({0x9C0D, 0x4182, 0x1DFE});  // CALL 4182; then loop forever
    rig.RunAtMost(1000000);
    EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
    EXPECT_EQ(rig.machine.pc, 4);
}

TEST(RunProgram, ReadsKeysTypedDuringTheRun) {
    Rig rig;
    // IN 0,R3; CMP #80,R3; BNE 0; IN 1,R0; HLT
    rig.Load({0x0A03, 0x04D3, 0x0080, 0x4DF8, 0x0A10, 0xAF18});
    rig.console.keys = "Z";
    rig.RunAtMost(100);
    EXPECT_EQ(rig.machine.r[0], 'Z');
    EXPECT_EQ(rig.Screen().back(), " Задача завершена");
}

// Status reads left over from an earlier run or step do not count towards the three reads in a
// row that make a port ready.
TEST(RunProgram, StartsWithNoStatusReadsCounted) {
    Rig rig;
    rig.machine.keyboardPolls = 2;
    rig.machine.displayPolls = 2;
    rig.Load({0x0A00, 0x0A21, 0xAF18});  // IN P.0,R0; IN P.2,R1; HLT
    rig.RunAtMost(10);
    EXPECT_EQ(rig.machine.r[0], 0);
    EXPECT_EQ(rig.machine.r[1], 0);
}

TEST(SingleSteps, FirstCommandRestartsAtZeroWithoutResettingAnythingElse) {
    Rig rig;
    rig.Load({0x0E21, 0xAF18});  // PUSH R1; HLT
    rig.machine.r[1] = 0x77;
    rig.machine.sp = 0x80;
    rig.machine.pc = 0x20;
    rig.machine.stopFlag = true;
    rig.run.FirstCommand();
    EXPECT_EQ(rig.machine.sp, 0x7E);
    EXPECT_EQ(rig.machine.ram[0x3F], 0x77);
    EXPECT_EQ(rig.machine.pc, 2);
    rig.run.NextCommand();
    EXPECT_TRUE(rig.machine.stopFlag);
    EXPECT_TRUE(rig.console.runStates.empty());
    EXPECT_EQ(rig.Screen(), (Lines{" "}));
}

}  // namespace
}  // namespace q42::test
