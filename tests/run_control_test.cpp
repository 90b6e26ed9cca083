// Running programs from RAM: the greeting, the resets, the end messages and single steps.

#include <gtest/gtest.h>

#include <algorithm>

#include "machine/codepage.h"

#include "tests/machine_test_support.h"
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
    EXPECT_TRUE(rig.machine.State().stopFlag);
    EXPECT_EQ(rig.machine.State().pc, 0);
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
    Edit(rig.machine, [&](MachineState& s) { s.pc = 0x40; });
    Edit(rig.machine, [&](MachineState& s) { s.sp = 0x80; });
    Edit(rig.machine, [&](MachineState& s) { s.ps = 0xF003; });
    Edit(rig.machine, [&](MachineState& s) { s.r = {1, 2, 3, 4}; });
    Edit(rig.machine, [&](MachineState& s) { s.lastResult = 0x55; });
    Edit(rig.machine, [&](MachineState& s) { s.keyBuffer = "abc"; });
    Edit(rig.machine, [&](MachineState& s) { s.ports[5] = 9; });
    Edit(rig.machine, [&](MachineState& s) { s.runError = Fault::Overflow; });
    rig.RunAtMost(10);
    EXPECT_EQ(rig.machine.State().ram[0x7F], 0);  // PS was 0 when pushed
    EXPECT_EQ(rig.machine.State().sp, 0xFE);
    EXPECT_EQ(rig.machine.State().r, (std::array<Value, 4>{1, 2, 3, 4}));
    EXPECT_EQ(rig.machine.State().keyBuffer, "");
    EXPECT_EQ(rig.machine.State().ports[5], 9);
    EXPECT_EQ(rig.machine.State().runError, Fault::None);
}

TEST(RunProgram, StopWhileWaitingForANumberTakesZeroAndInterrupts) {
    Rig rig;
    rig.Load({0x9C0D, 0x4182, 0x0110, 0xAF18});  // CALL 4182; MOV R1,R0; HLT
    Edit(rig.machine, [&](MachineState& s) { s.r[0] = 7; });
    rig.console.lines = {"123"};
    rig.console.onWait = [&] { rig.run.StopProgram(); };
    rig.RunAtMost(100);
    EXPECT_EQ(rig.machine.State().r[0], 0);
    EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
}

TEST(RunProgram, EndOfInputStopsTheRun) {
    Rig rig;
    rig.Load({0x9C0D, 0x4182, 0x1DFE});  // CALL 4182; then loop forever
    rig.RunAtMost(1000000);
    EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
    EXPECT_EQ(rig.machine.State().pc, 4);
}

TEST(RunProgram, ReadsKeysTypedDuringTheRun) {
    Rig rig;
    // IN 0,R3; CMP #80,R3; BNE 0; IN 1,R0; HLT
    rig.Load({0x0A03, 0x04D3, 0x0080, 0x4DF8, 0x0A10, 0xAF18});
    rig.console.keys = "Z";
    rig.RunAtMost(100);
    EXPECT_EQ(rig.machine.State().r[0], 'Z');
    EXPECT_EQ(rig.Screen().back(), " Задача завершена");
}

// Status reads left over from an earlier run or step do not count towards the three reads in a
// row that make a port ready.
TEST(RunProgram, StartsWithNoStatusReadsCounted) {
    Rig rig;
    Edit(rig.machine, [&](MachineState& s) { s.keyboardPolls = 2; });
    Edit(rig.machine, [&](MachineState& s) { s.displayPolls = 2; });
    rig.Load({0x0A00, 0x0A21, 0xAF18});  // IN P.0,R0; IN P.2,R1; HLT
    rig.RunAtMost(10);
    EXPECT_EQ(rig.machine.State().r[0], 0);
    EXPECT_EQ(rig.machine.State().r[1], 0);
}

TEST(SingleSteps, FirstCommandRestartsAtZeroWithoutResettingAnythingElse) {
    Rig rig;
    rig.Load({0x0E21, 0xAF18});  // PUSH R1; HLT
    Edit(rig.machine, [&](MachineState& s) { s.r[1] = 0x77; });
    Edit(rig.machine, [&](MachineState& s) { s.sp = 0x80; });
    Edit(rig.machine, [&](MachineState& s) { s.pc = 0x20; });
    Edit(rig.machine, [&](MachineState& s) { s.stopFlag = true; });
    rig.run.FirstCommand();
    EXPECT_EQ(rig.machine.State().sp, 0x7E);
    EXPECT_EQ(rig.machine.State().ram[0x3F], 0x77);
    EXPECT_EQ(rig.machine.State().pc, 2);
    rig.run.NextCommand();
    EXPECT_TRUE(rig.machine.State().stopFlag);
    EXPECT_TRUE(rig.console.runStates.empty());
    EXPECT_EQ(rig.Screen(), (Lines{" "}));
}

// A fault in the ROM image keeps a run from starting until a program loads; the code loader
// itself only reports the bad line.
TEST(LoadAndRun, AFaultHeldFromTheRomImageStopsAnEmptyCodeTextOnly) {
    const struct {
        const char* name;
        Lines code;
        bool runs;
        const char* errLab;
    } cases[] = {
        {"empty code text", {}, false, ""},
        {"comments only", {"; nothing"}, false, ""},
        {"a program", {"AF18"}, true, ""},
        {"a bad line", {"12X4"}, false, "неправильный символ"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.machine.HoldFault(Fault::RomWrite);
        const auto badLine = rig.run.LoadAndRun(c.code);
        EXPECT_EQ(rig.console.displayShown, c.runs ? 1 : 0) << c.name;
        EXPECT_EQ(badLine ? Cp1251ToUtf8(badLine->errLab) : "", c.errLab) << c.name;
    }
}

// What a debugger saves it can put back exactly, and the windows are told to show all of it.
TEST(MachineState, RestorePutsBackEverythingAProgramChanged) {
    Rig rig;
    rig.Load({0x0E21, 0x0A11, 0x01D2, 0x8001, 0xAF18});  // PUSH R1; IN 1,R1; MOV #8001,R2; HLT
    const MachineState before = rig.machine.State();
    rig.console.keys = "k";
    rig.RunAtMost(100);
    ASSERT_NE(rig.machine.State(), before);
    rig.machine.TakeChangedRegisters();
    rig.machine.TakeChangedRam();
    rig.machine.Restore(before);
    EXPECT_EQ(rig.machine.State(), before);
    EXPECT_EQ(rig.machine.TakeChangedRegisters(), ~0u);
    const auto shown = rig.machine.TakeChangedRam();
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](bool b) { return b; }));
}

}  // namespace
}  // namespace q42::test
