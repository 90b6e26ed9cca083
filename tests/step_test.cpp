// Steps of the machine: fetch checks, input entry points, ports, and the run-error report.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/machine_test_support.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kHeading = "## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:";

// The screen after one step at `pc` with `words` loaded at 0000.
struct ReportCase {
    const char* name;
    std::vector<Value> words;
    Value pc;
    const char* error;
    const char* addressLine;
};

TEST(RunErrorReport, NamesTheErrorTheAddressAndTheWord) {
    const ReportCase cases[] = {
        {"pc outside memory", {}, 0x0100, "неправильный адрес команды", "   0100 "},
        {"pc in rom data part", {}, 0x4184, "неправильный адрес команды", "   4184 "},
        {"division by zero", {0x0610}, 0, "деление на ноль", "   0000: 0610"},
        {"jump to 4181",
         {0x1C0D, 0x4181},
         0,
         "адрес команды, следующей за данной, неправильный",
         "   0000: 1C0D"},
        {"jump to 4184",
         {0x1C0D, 0x4184},
         0,
         "адрес команды, следующей за данной, неправильный",
         "   0000: 1C0D"},
        {"odd pc rounds down", {0x0000, 0x0E00}, 3, "несуществующий код операции", "   0002: 0E00"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Load(c.words);
        Edit(rig.machine, [&](MachineState& s) { s.pc = c.pc; });
        rig.run.NextCommand();
        EXPECT_EQ(rig.Screen(), (Lines{" " + kHeading, std::string("    ") + c.error,
                                       std::string(" ") + c.addressLine, " "}))
            << c.name;
    }
}

TEST(Step, HaltAtTheLastRamWordStillReportsTheNextAddress) {
    Rig rig;
    Edit(rig.machine, [&](MachineState& s) { s.ram[0x7F] = 0xAF18; });
    Edit(rig.machine, [&](MachineState& s) { s.pc = 0xFE; });
    rig.run.NextCommand();
    EXPECT_TRUE(rig.machine.State().stopFlag);
    EXPECT_EQ(rig.machine.State().runError, Fault::BadNextCommandAddress);
    EXPECT_EQ(rig.Screen()[2], "    00FE: AF18");
}

TEST(Step, JumpsToEntryPointsAndOddAddressesAreAccepted) {
    for (const Value target : {0x4180, 0x4182, 0x0011}) {
        Rig rig;
        rig.Load({0x1C0D, target});
        rig.run.NextCommand();
        EXPECT_EQ(rig.machine.State().runError, Fault::None) << std::hex << target;
        EXPECT_EQ(rig.machine.State().pc, target);
    }
    Rig rig;
    rig.Load({0x1C0D, 0x0011, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0xAF18});
    rig.run.NextCommand();
    rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().commandAddress, 0x10);
    EXPECT_TRUE(rig.machine.State().stopFlag);
}

TEST(Step, BooleanEntryReturnsAndRunsTheNextInstructionInTheSameStep) {
    Rig rig;
    rig.Load({0x9C0D, 0x4180, 0x0110, 0xAF18});  // CALL 4180; MOV R1,R0; HLT
    rig.console.lines = {"True"};
    rig.run.NextCommand();
    rig.machine.TakeChangedRegisters();
    rig.run.NextCommand();
    const std::uint32_t shown = rig.machine.TakeChangedRegisters();
    EXPECT_EQ(rig.machine.State().r[1], 1);
    EXPECT_EQ(rig.machine.State().r[0], 1);  // the MOV ran in the entry point's step
    EXPECT_EQ(rig.machine.State().sp, 0x100);
    EXPECT_EQ(rig.machine.State().commandAddress, 0x4180);
    EXPECT_NE(shown & (kChangedR0 << 1), 0u);  // R1 and SP show the routine's work
    EXPECT_NE(shown & kChangedSP, 0u);
}

TEST(Step, IntegerEntryReadsAWordAndShowsR1) {
    Rig rig;
    rig.Load({0x9C0D, 0x4182, 0x0000});
    rig.console.lines = {"x", "-2"};
    rig.run.NextCommand();
    rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[1], 0xFFFE);
    EXPECT_NE(rig.machine.TakeChangedRegisters() & (kChangedR0 << 1), 0u);
    EXPECT_EQ(rig.machine.State().pc, 6);
}

TEST(Step, ErrorAfterAnEntryPointIsReportedAtTheEntryPoint) {
    Rig rig;
    rig.Load({0x9C0D, 0x4180, 0x0E00});
    rig.console.lines = {"false"};
    rig.run.NextCommand();
    rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().runError, Fault::NonexistentOperation);
    // The report follows the echoed answer, which stays on the current line.
    EXPECT_EQ(rig.Screen(), (Lines{" false", " false## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:",
                                   "    несуществующий код операции", "    4180 ", " "}));
}

// A step at an input entry point split in two (the input, then the rest) ends exactly where the
// whole step ends: registers, memory, the error and its report with the entry point's address.
TEST(Step, AStepSplitAfterItsInputEndsWhereTheWholeStepEnds) {
    struct Case {
        const char* name;
        Value pc;
        std::vector<Value> stack;  // words at 00FC.. (SP starts at 00FC)
        std::vector<std::string> lines;
    };
    // 0000: MOV R1,R0; 0002: HLT; 0004: an operation code that does not exist.
    const Case cases[] = {
        {"number", 0x4182, {0x0000, 0x0000}, {"12x", "-7"}},
        {"boolean", 0x4180, {0x0000, 0x0000}, {"TRUE"}},
        {"odd pc", 0x4183, {0x0000, 0x0000}, {"5"}},
        {"boolean returning into the number entry", 0x4180, {0x4182, 0x0000}, {"true", "9"}},
        {"odd return address", 0x4182, {0x0001, 0x0000}, {"3"}},
        {"error after the input", 0x4182, {0x0004, 0x0000}, {"3"}},
        {"return outside code", 0x4182, {0x0200, 0x0000}, {"3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig whole;
        Rig split;
        for (Rig* rig : {&whole, &split}) {
            rig->Load({0x0110, 0xAF18, 0x0E00});
            Edit(rig->machine, [&](MachineState& s) {
                s.pc = c.pc;
                s.sp = 0x00FC;
                for (std::size_t i = 0; i < c.stack.size(); ++i)
                    s.ram[0x7E + i] = c.stack[i];
            });
            rig->console.lines = {c.lines.begin(), c.lines.end()};
        }
        whole.machine.ExecuteStep();
        ASSERT_TRUE(split.machine.AtInputEntry());
        split.machine.ServeInputEntry();
        EXPECT_TRUE(split.machine.State().inputServed);
        EXPECT_FALSE(split.machine.AtInputEntry());
        split.machine.ExecuteStep();
        EXPECT_EQ(split.machine.State(), whole.machine.State());
        EXPECT_EQ(split.Screen(), whole.Screen());
    }
}

TEST(Step, NinthUnreadKeyOverflowsTheBufferAfterTheInstruction) {
    Rig rig;
    rig.Load({0x0110});
    Edit(rig.machine, [&](MachineState& s) { s.r[1] = 7; });
    Edit(rig.machine, [&](MachineState& s) { s.keyBuffer = "123456789"; });
    rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().runError, Fault::KeyBufferOverflow);
    EXPECT_EQ(rig.machine.State().r[0], 7);
}

// Port operations, one instruction after another.
TEST(Ports, DisplayIsReadyOnTheThirdStatusRead) {
    Rig rig;
    rig.Load({0x0A20, 0x0A21, 0x0A22, 0x0B03});  // IN 2 into R0, R1, R2; OUT R0,3
    Edit(rig.machine, [&](MachineState& s) { s.r[0] = 0x41; });
    for (int i = 0; i < 3; ++i)
        rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[0], 0);
    EXPECT_EQ(rig.machine.State().r[1], 0);
    EXPECT_EQ(rig.machine.State().r[2], 0x80);
    Edit(rig.machine, [&](MachineState& s) { s.r[0] = 0x41; });
    rig.run.NextCommand();
    EXPECT_EQ(rig.Screen(), (Lines{" A"}));
    EXPECT_EQ(rig.machine.State().ports[2], 0);
    EXPECT_EQ(rig.machine.State().displayPolls, 0);
}

TEST(Ports, CharacterWrittenBeforeReadyIsDroppedAndResetsTheCount) {
    Rig rig;
    rig.Load({0x0A20, 0x0A20, 0x0B13, 0x0A20});
    Edit(rig.machine, [&](MachineState& s) { s.r[1] = 0x41; });
    for (int i = 0; i < 4; ++i)
        rig.run.NextCommand();
    EXPECT_EQ(rig.Screen(), (Lines{" "}));
    EXPECT_EQ(rig.machine.State().r[0], 0);
    EXPECT_EQ(rig.machine.State().displayPolls, 1);
}

TEST(Ports, OutputPortsCanBeMadeReadyByWriting) {
    Rig rig;
    rig.Load({0x0BD2, 0x0080, 0x0BD3, 0x0141});  // OUT #80,2; OUT #141,3 (only the low byte shows)
    rig.run.NextCommand();
    rig.run.NextCommand();
    EXPECT_EQ(rig.Screen(), (Lines{" A"}));
}

TEST(Ports, KeyboardDataReadsOnlyWhenReady) {
    Rig rig;
    rig.Load({0x0A10, 0x0A00, 0x0A00, 0x0A00, 0x0A11, 0x0A12});
    Edit(rig.machine, [&](MachineState& s) { s.keyBuffer = "Zy"; });
    rig.run.NextCommand();  // not ready: 0, the key stays
    EXPECT_EQ(rig.machine.State().r[0], 0);
    EXPECT_EQ(rig.machine.State().keyBuffer, "Zy");
    for (int i = 0; i < 3; ++i)
        rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[0], 0x80);
    rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[1], 'Z');
    EXPECT_EQ(rig.machine.State().ports[0], 0);
    rig.run.NextCommand();  // no longer ready
    EXPECT_EQ(rig.machine.State().r[2], 0);
}

TEST(Ports, KeyboardDataWaitsForAKeyWhenTheBufferIsEmpty) {
    Rig rig;
    rig.Load({0x0BD0, 0x0080, 0x0A11, 0x0A52});  // OUT #80,0; IN 1,R1; IN 5,R2
    Edit(rig.machine, [&](MachineState& s) { s.ports[5] = 0x1234; });
    rig.console.keys = "\n";
    for (int i = 0; i < 3; ++i)
        rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[1], 0x0D);
    EXPECT_EQ(rig.machine.State().r[2], 0x1234);
}

TEST(Ports, ConstantAndEmptyPorts) {
    Rig rig;
    rig.Load({0x0A40, 0x0A61, 0x0A32, 0x0BD9, 0x1234, 0x0A93});
    Edit(rig.machine, [&](MachineState& s) { s.r[1] = s.r[2] = s.r[3] = 7; });
    for (int i = 0; i < 5; ++i)
        rig.run.NextCommand();
    EXPECT_EQ(rig.machine.State().r[0], 0x80);
    EXPECT_EQ(rig.machine.State().r[1], 0);
    EXPECT_EQ(rig.machine.State().r[2], 0);
    EXPECT_EQ(rig.machine.State().ports[9], 0x1234);
    EXPECT_EQ(rig.machine.State().r[3], 0);  // a port without a device reads 0 whatever was written
}

// The processor window rewrites PC only when the machine wrote it: not after a step that could
// not even fetch, so that a value the user typed there stays.
TEST(Step, MarksPcForShowingOnlyWhenItMoves) {
    const struct {
        Value pc;
        bool shown;
    } cases[] = {{0x0000, true}, {0x0003, true}, {0x0100, false}, {0x4182, true}};
    for (const auto& c : cases) {
        Rig rig;
        Edit(rig.machine, [&](MachineState& s) {
            s.sp = 0x00F0;
            s.pc = c.pc;
        });
        rig.machine.TakeChangedRegisters();
        rig.run.NextCommand();
        EXPECT_EQ((rig.machine.TakeChangedRegisters() & kChangedPC) != 0, c.shown)
            << std::hex << c.pc;
    }
}

// Keys reach the buffer, and the user stops a run, only while events are handled: between
// batches or in a wait for input inside one. The step after either is checked at once.
TEST(RunSteps, KeysAndStopsBetweenOrInsideBatchesEndTheRunAfterTheNextStep) {
    // OUT #80,0 (keyboard ready); IN 1,R1 (waits for a key); NOP; NOP; HLT
    const std::vector<Value> program = {0x0BD0, 0x0080, 0x0A11, 0x0000, 0x0000, 0xAF18};
    {
        Rig rig;  // nine keys typed between the first batch and the second
        rig.console.batch = 1;
        rig.Load({0x0000, 0x0000, 0x0000, 0xAF18});
        rig.console.onStep = [&] {
            for (char key : std::string("123456789"))
                rig.display.KeyPress(key);
            rig.console.batch = 1000;
        };
        rig.run.RunProgram();
        EXPECT_EQ(rig.machine.State().runError, Fault::KeyBufferOverflow);
        EXPECT_EQ(rig.machine.State().commandAddress, 0x0002);
    }
    {
        Rig rig;  // more keys than the buffer holds arrive while IN waits for one
        rig.console.batch = 1000;
        rig.Load(program);
        rig.console.onWait = [&] {
            Edit(rig.machine, [](MachineState& s) { s.keyBuffer = "0123456789"; });
        };
        rig.run.RunProgram();
        EXPECT_EQ(rig.machine.State().runError, Fault::KeyBufferOverflow);
        EXPECT_EQ(rig.machine.State().commandAddress, 0x0004);
        EXPECT_EQ(rig.machine.State().r[1], '0');
    }
    {
        Rig rig;
        rig.console.batch = 1000;
        rig.Load(program);
        rig.console.keys = "a";
        rig.console.onWait = [&] { rig.run.StopProgram(); };
        rig.run.RunProgram();
        EXPECT_FALSE(rig.machine.Failed());
        EXPECT_EQ(rig.machine.State().commandAddress, 0x0004);
        EXPECT_EQ(rig.machine.State().pc, 0x0006);
        EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем");
    }
}

// A run takes its steps in batches; wherever the batches end, it must end as single steps do.
TEST(RunSteps, BatchesEndWhereSingleStepsEnd) {
    struct Case {
        const char* name;
        std::vector<Value> words;
        std::string keys;  // waiting in the key buffer from the start
    };
    const Case cases[] = {
        {"two counters", {0x01D0, 3, 0x01D1, 5, 0x2311, 0x4DFC, 0x2310, 0x4DF4, 0xAF18}, ""},
        {"memory, bytes, stack and calls",
         {0x01D0, 4,      0x01D1, 0x0040, 0x0152, 0x2912, 0x0125, 0xC153, 0xE413, 0x6D02,
          0x0000, 0x0E22, 0x9D0A, 0x0E33, 0x2310, 0x4DE8, 0xAF18, 0x0000, 0x2153, 0x0D00},
         ""},
        {"overflow", {0x01D0, 0x7FFD, 0x2210, 0x1DFC}, ""},
        {"jump outside code", {0x0000, 0x1C0D, 0x4184}, ""},
        {"a full key buffer", {0x0000, 0x0000}, "123456789"},
    };
    constexpr std::int64_t kMaxSteps = 100000;
    // The program in RAM, the keys in the buffer, and nothing marked for showing yet.
    const auto start = [](Machine& machine, const auto& c) {
        Edit(machine, [&](MachineState& s) {
            std::copy(c.words.begin(), c.words.end(), s.ram.begin());
            s.keyBuffer = c.keys;
        });
        machine.TakeChangedRegisters();
        machine.TakeChangedRam();
    };
    for (const auto& c : cases) {
        Machine single;
        start(single, c);
        std::int64_t singleSteps = 0;
        do {
            single.ExecuteStep();
            ++singleSteps;
        } while (!single.State().stopFlag && !single.Failed() && singleSteps < kMaxSteps);
        const std::uint32_t singleFields = single.TakeChangedRegisters();
        const auto singleRam = single.TakeChangedRam();
        for (const std::int64_t batch : {std::int64_t{2}, std::int64_t{7}, std::int64_t{256},
                                         std::numeric_limits<std::int64_t>::max()}) {
            Machine batched;
            start(batched, c);
            std::int64_t steps = 0;
            do {
                steps += batched.RunSteps(std::min(batch, kMaxSteps - steps));
            } while (!batched.State().stopFlag && !batched.Failed() && steps < kMaxSteps);
            const std::string where = std::string(c.name) + ", batches of " + std::to_string(batch);
            EXPECT_EQ(steps, singleSteps) << where;
            EXPECT_EQ(batched.State().runError, single.State().runError) << where;
            EXPECT_EQ(batched.State().stopFlag, single.State().stopFlag) << where;
            EXPECT_EQ(batched.State().r, single.State().r) << where;
            EXPECT_EQ(batched.State().pc, single.State().pc) << where;
            EXPECT_EQ(batched.State().sp, single.State().sp) << where;
            EXPECT_EQ(batched.State().ps, single.State().ps) << where;
            EXPECT_EQ(batched.State().ram, single.State().ram) << where;
            EXPECT_EQ(batched.State().commandAddress, single.State().commandAddress) << where;
            EXPECT_EQ(batched.TakeChangedRegisters(), singleFields) << where;
            EXPECT_EQ(batched.TakeChangedRam(), singleRam) << where;
        }
    }
}

}  // namespace
}  // namespace q42::test
