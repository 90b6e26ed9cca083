// The debugger: breakpoints pause before their instruction, continue goes on without a run's
// resets, step over and step out follow calls, watchpoints pause after the step that changed a
// word, and going back and forward again gives the same states.

#include <gtest/gtest.h>

#include <functional>

#include "assembler/assembler.h"
#include "session/code_loading.h"
#include "session/debugger.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

// A rig with a compiled program in RAM, its source map and a debugger.
struct DebugRig : Rig {
    Assembly assembly;
    SourceMap source;
    History history{machine, display};
    Debugger debugger{machine, run, history, source};

    explicit DebugRig(const std::vector<std::string>& program) {
        assembly = Assemble(program, AsmOptions{});
        EXPECT_TRUE(assembly.Ok());
        EXPECT_FALSE(CopyCode(machine, assembly.CodeText()).error.has_value());
        source.Set(assembly);
    }
    Value Pc() const { return machine.State().pc; }
    int Line() const { return source.LineAt(machine, Pc()); }
};

// MAIN calls OUTER, which calls INNER twice; R0 counts the calls of INNER.
const std::vector<std::string> kNested = {
    "        MOV #0,R0",    // 1
    "        CALL #OUTER",  // 2
    "        ADD #10H,R0",  // 3
    "        HLT",          // 4
    "OUTER:  CALL #INNER",  // 5
    "        CALL #INNER",  // 6
    "        RET",          // 7
    "INNER:  ADD #1,R0",    // 8
    "        RET",          // 9
};

TEST(Debugger, BreakpointPausesBeforeItsLineAndContinueKeepsTheState) {
    DebugRig rig(kNested);
    const auto address = rig.source.AddressOf(8);
    ASSERT_TRUE(address.has_value());
    const int number = rig.debugger.Break(*address, 8);
    DebugPause pause = rig.debugger.Run();
    EXPECT_EQ(pause.reason, DebugPause::Reason::Breakpoint);
    EXPECT_EQ(pause.number, number);
    EXPECT_EQ(rig.Line(), 8);
    EXPECT_EQ(rig.machine.State().r[0], 0);  // the ADD has not run yet
    pause = rig.debugger.Continue();
    EXPECT_EQ(pause.reason, DebugPause::Reason::Breakpoint);
    EXPECT_EQ(rig.machine.State().r[0], 1);  // no reset between: the first call counted
    rig.debugger.DeleteAll();
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.machine.State().r[0], 0x12);
    EXPECT_EQ(rig.Screen().back(), " Задача завершена");
}

TEST(Debugger, StepOverRunsNestedCallsAndStepOutReturnsToTheCaller) {
    DebugRig rig(kNested);
    rig.debugger.StepOver(1);  // MOV
    EXPECT_EQ(rig.Line(), 2);
    EXPECT_EQ(rig.debugger.StepOver(1).reason, DebugPause::Reason::Stepped);
    EXPECT_EQ(rig.Line(), 3);  // the whole of OUTER and both INNER calls ran
    EXPECT_EQ(rig.machine.State().r[0], 2);
    EXPECT_EQ(rig.machine.State().sp, kInitialSP);

    DebugRig into(kNested);
    into.debugger.StepInto(3);  // MOV, CALL OUTER, CALL INNER
    EXPECT_EQ(into.Line(), 8);
    into.debugger.StepOut();
    EXPECT_EQ(into.Line(), 6);  // back in OUTER, after its first call
    into.debugger.StepOut();
    EXPECT_EQ(into.Line(), 3);
}

TEST(Debugger, StepOverASubroutineThatNeverReturnsStopsAtTheStepLimit) {
    DebugRig rig({"        CALL #FOREVER", "        HLT", "FOREVER: BR FOREVER"});
    rig.debugger.SetStepLimit(1000);
    EXPECT_EQ(rig.debugger.StepOver(1).reason, DebugPause::Reason::StepLimit);
    EXPECT_EQ(rig.Line(), 3);
}

TEST(Debugger, WatchpointPausesAfterTheStepThatChangedTheWord) {
    DebugRig rig({"        MOV #5,R1", "        MOV R1,X", "        ADD #1,X", "        HLT",
                  "X:      DW 0"});
    const auto x = rig.source.AddressOf(5);
    ASSERT_TRUE(x.has_value());
    rig.debugger.Watch(*x);
    DebugPause pause = rig.debugger.Run();
    EXPECT_EQ(pause.reason, DebugPause::Reason::Watchpoint);
    EXPECT_EQ(pause.before, 0);
    EXPECT_EQ(pause.after, 5);
    EXPECT_EQ(rig.Line(), 3);
    pause = rig.debugger.Continue();
    EXPECT_EQ(pause.after, 6);
}

TEST(Debugger, BackAndStepAgainGiveTheSameStatesAndReplayTheTypedNumber) {
    DebugRig rig({"        CALL #4182H", "        ADD #1,R1", "        ADD #1,R1", "        HLT"});
    rig.console.lines = {"41"};
    rig.debugger.StepInto(3);
    const MachineState after3 = rig.machine.State();
    EXPECT_EQ(after3.r[1], 43);
    EXPECT_EQ(rig.debugger.Back(3), 3);
    EXPECT_EQ(rig.debugger.Step(), 0);
    EXPECT_TRUE(rig.console.lines.empty());
    rig.debugger.StepInto(3);  // the number comes from the history, not from the console
    EXPECT_EQ(rig.machine.State(), after3);
    EXPECT_EQ(rig.debugger.Back(100), 3);  // no further back than the start
}

TEST(Debugger, StepsThatAreNotARunEndWithoutTheEndMessage) {
    DebugRig rig(kNested);
    EXPECT_EQ(rig.debugger.Run().reason, DebugPause::Reason::Ended);
    const auto screen = rig.Screen();
    // Steps from the start again, after the halt: each one is taken, and the halt that ends
    // them writes nothing.
    rig.machine.EditPc(0);
    rig.debugger.Attach();
    EXPECT_EQ(rig.debugger.StepInto(1).reason, DebugPause::Reason::Stepped);
    EXPECT_EQ(rig.Line(), 2);
    EXPECT_EQ(rig.debugger.StepInto(1000).reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.Screen(), screen);
    EXPECT_EQ(rig.machine.State().r[0], 0x12);
}

TEST(Debugger, RebaseAfterAnEditKeepsTheRunAndForgetEndsIt) {
    DebugRig rig(kNested);
    rig.debugger.Break(*rig.source.AddressOf(3), 3);
    const std::uint64_t generation = rig.debugger.Generation();
    EXPECT_EQ(rig.debugger.Run().reason, DebugPause::Reason::Breakpoint);
    EXPECT_NE(rig.debugger.Generation(), generation);
    rig.machine.EditRegister(0, 100);
    rig.debugger.Rebase();
    EXPECT_EQ(rig.debugger.Back(5), 0);  // nothing before the edit leads here
    EXPECT_TRUE(rig.debugger.Paused());
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.machine.State().r[0], 100 + 0x10);
    EXPECT_EQ(rig.Screen().back(), " Задача завершена");
    rig.debugger.Forget();
    EXPECT_FALSE(rig.debugger.Started());
    EXPECT_FALSE(rig.debugger.Explain(1).has_value());
}

TEST(Debugger, TheInterfaceHandlesEventsBetweenStepsAndMayPauseAReplay) {
    DebugRig rig(kNested);
    rig.debugger.Break(*rig.source.AddressOf(4), 4);  // HLT
    rig.debugger.Run();
    const std::int64_t last = rig.debugger.Step();
    rig.debugger.GoTo(2);
    EXPECT_EQ(rig.Line(), 5);  // in OUTER after MOV and CALL
    int events = 0;
    rig.console.onStep = [&] {
        if (++events == 3) rig.debugger.RequestPause();
    };
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Stepped);
    EXPECT_EQ(rig.debugger.Step(), 2 + 3);
    rig.console.onStep = nullptr;
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Breakpoint);
    EXPECT_EQ(rig.debugger.Step(), last);
}

TEST(Debugger, ExplainShowsTheInstructionAsItWasBeforeItsStep) {
    // The first MOV writes over itself; the log still says what ran.
    DebugRig rig({"L:      MOV #0,L", "        HLT"});
    rig.debugger.Run();
    const auto step = rig.debugger.Explain(1);
    ASSERT_TRUE(step.has_value());
    EXPECT_NE(step->text.find("MOV"), std::string::npos) << step->text;
    EXPECT_FALSE(step->does.empty());
}

// Reads a number and a Boolean through the ROM's input entry points.
const std::vector<std::string> kReadTwice = {
    "        CALL #4182H",  // 1
    "        MOV R1,R3",    // 2
    "        CALL #4180H",  // 3
    "        ADD R1,R3",    // 4
    "        HLT",          // 5
};

// A command aimed at the instruction after an input, where it pauses, and R3 then: the
// instruction at the line has not run.
struct InputPauseCase {
    const char* name;
    std::function<DebugPause(DebugRig&)> command;
    int line;
    Value r3;
};

Value At(DebugRig& rig, int line) {
    return *rig.source.AddressOf(line);
}

const InputPauseCase kInputPauseCases[] = {
    {"breakpoint after the number",
     [](DebugRig& rig) {
         rig.debugger.Break(At(rig, 2), 2);
         return rig.debugger.Run();
     },
     2, 0},
    {"breakpoint after the Boolean",
     [](DebugRig& rig) {
         rig.debugger.Break(At(rig, 4), 4);
         return rig.debugger.Run();
     },
     4, 12},
    {"step over the number's call", [](DebugRig& rig) { return rig.debugger.StepOver(1); }, 2, 0},
    {"step over the Boolean's call",
     [](DebugRig& rig) {
         rig.debugger.StepOver(2);
         return rig.debugger.StepOver(1);
     },
     4, 12},
    {"run to the line after the number",
     [](DebugRig& rig) { return rig.debugger.RunTo(At(rig, 2)); }, 2, 0},
    {"run to the line after the Boolean",
     [](DebugRig& rig) { return rig.debugger.RunTo(At(rig, 4)); }, 4, 12},
    {"step out of the entry point",
     [](DebugRig& rig) {
         rig.debugger.StepInto(1);  // into 4182
         return rig.debugger.StepOut();
     },
     2, 0},
};

// Each command that aims at the instruction an input entry point returns to pauses after the
// input is read and before that instruction runs.
TEST(Debugger, CommandsAimedAfterAnInputPauseBetweenTheInputAndTheInstruction) {
    DebugRig plain(kReadTwice);
    plain.console.lines = {"12", "TRUE"};
    ASSERT_EQ(plain.debugger.Run().reason, DebugPause::Reason::Ended);
    for (const InputPauseCase& c : kInputPauseCases) {
        SCOPED_TRACE(c.name);
        DebugRig rig(kReadTwice);
        rig.console.lines = {"12", "TRUE"};
        const DebugPause pause = c.command(rig);
        EXPECT_NE(pause.reason, DebugPause::Reason::Ended);
        EXPECT_EQ(rig.Line(), c.line);
        EXPECT_TRUE(rig.debugger.InputServed());
        EXPECT_EQ(rig.machine.State().r[1], c.line == 2 ? 12 : 1);
        EXPECT_EQ(rig.machine.State().r[3], c.r3);
        EXPECT_EQ(rig.machine.State().sp, kInitialSP);
        // The run goes on to the end that a run without pauses reaches, in as many steps.
        rig.debugger.DeleteAll();
        EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Ended);
        EXPECT_EQ(rig.machine.State().r[3], 13);
        EXPECT_EQ(rig.debugger.LastStep(), plain.debugger.LastStep());
        EXPECT_EQ(rig.Screen(), plain.Screen());
    }
}

// Step out of a subroutine that reads a number returns to its caller: the input inside it is not
// where the subroutine returns.
TEST(Debugger, StepOutOfASubroutineThatReadsANumberReturnsToTheCaller) {
    DebugRig rig({
        "        CALL #READ",   // 1
        "        MOV R1,R3",    // 2
        "        HLT",          // 3
        "READ:   CALL #4182H",  // 4
        "        RET",          // 5
    });
    rig.console.lines = {"9"};
    rig.debugger.StepInto(1);  // into READ
    EXPECT_EQ(rig.Line(), 4);
    EXPECT_NE(rig.debugger.StepOut().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.Line(), 2);
    EXPECT_EQ(rig.machine.State().r[1], 9);
}

TEST(Debugger, AStepIntoAnInputEntryPointRemainsOneStep) {
    DebugRig rig(kReadTwice);
    rig.console.lines = {"12", "TRUE"};
    rig.debugger.StepInto(2);
    EXPECT_FALSE(rig.debugger.InputServed());
    EXPECT_EQ(rig.Line(), 3);
    EXPECT_EQ(rig.machine.State().r[3], 12);
}

// The log shows the input and the instruction after it as two rows; each row can be explained
// and travelled to, and going back over the input takes it back.
TEST(Debugger, TheLogHasARowForTheInputAndOneForTheInstructionAfterIt) {
    DebugRig rig(kReadTwice);
    rig.console.lines = {"12", "TRUE"};
    rig.debugger.Break(*rig.source.AddressOf(2), 2);
    rig.debugger.Run();
    EXPECT_EQ(rig.debugger.LogRows(), 2);  // the CALL, then the input
    EXPECT_EQ(rig.debugger.CurrentRow(), 1);
    EXPECT_EQ(rig.debugger.LogRow(1), (LogPosition{2, true}));
    const auto input = rig.debugger.Explain(LogPosition{2, true});
    ASSERT_TRUE(input.has_value());
    EXPECT_EQ(input->address, kIntegerEntry);
    EXPECT_EQ(input->changes.at(0).what, "R1");
    EXPECT_EQ(input->changes.at(0).after, "000C");
    EXPECT_TRUE(rig.debugger.InputServed());  // explaining moved nothing

    rig.debugger.DeleteAll();
    rig.debugger.Continue();
    EXPECT_EQ(rig.debugger.LogRows(), 7);  // 5 steps, two of them with an input
    const LogPosition rows[] = {{1, false}, {2, true},  {2, false}, {3, false},
                                {4, true},  {4, false}, {5, false}};
    for (std::int64_t row = 0; row < 7; ++row) {
        EXPECT_EQ(rig.debugger.LogRow(row), rows[row]) << row;
        EXPECT_EQ(rig.debugger.RowOf(rows[row]), row);
    }
    const auto add = rig.debugger.Explain(LogPosition{4, false});
    ASSERT_TRUE(add.has_value());
    EXPECT_EQ(add->address, *rig.source.AddressOf(4));
    EXPECT_NE(add->text.find("ADD"), std::string::npos) << add->text;
    EXPECT_EQ(add->changes.at(0).what, "R3");

    rig.debugger.GoTo(LogPosition{4, true});
    EXPECT_TRUE(rig.debugger.InputServed());
    EXPECT_EQ(rig.debugger.CurrentRow(), 4);
    EXPECT_EQ(rig.machine.State().r[1], 1);
    EXPECT_EQ(rig.machine.State().r[3], 12);
    EXPECT_EQ(rig.debugger.Back(1), 1);  // over the input
    EXPECT_FALSE(rig.debugger.InputServed());
    EXPECT_EQ(rig.machine.State().pc, kBooleanEntry);
    EXPECT_EQ(rig.debugger.Back(2), 2);
    EXPECT_EQ(rig.machine.State().pc, kIntegerEntry);
    EXPECT_TRUE(rig.console.lines.empty());  // every input came from the history
}

// Watchpoints set or deleted while a step waits for input neither read past the words saved
// before the step nor report a word that never changed.
TEST(Debugger, WatchpointsChangedDuringAWaitReportOnlyRealChanges) {
    DebugRig rig(kReadTwice);
    rig.console.lines = {"12", "TRUE"};
    const int stack = rig.debugger.Watch(0x40);
    rig.console.onWait = [&] {
        rig.debugger.Delete(stack);
        rig.debugger.Watch(0x0000);  // the first CALL's word: never 0
        rig.debugger.Watch(0x0002);
    };
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.machine.State().r[3], 13);
}

TEST(SourceMap, ABreakpointOnALineWithoutCodeStopsAtTheNextLineWithCode) {
    DebugRig rig(
        {"; counts", "", "        MOV #1,R0", "; twice", "        ADD #1,R0", "        HLT"});
    EXPECT_EQ(rig.source.AddressFrom(1), rig.source.AddressOf(3));
    EXPECT_EQ(rig.source.AddressFrom(4), rig.source.AddressOf(5));
    EXPECT_FALSE(rig.source.AddressFrom(7).has_value());
    EXPECT_TRUE(rig.source.Holds(*rig.source.AddressOf(6)));
    EXPECT_FALSE(rig.source.Holds(*rig.source.AddressOf(6) + 2));
}

TEST(SourceMap, NoSourceForACodeFileOrAWordChangedByHand) {
    DebugRig rig(kNested);
    EXPECT_EQ(rig.source.LineAt(rig.machine, 0), 1);
    // A label goes onto an intermediate line of its own: OUTER's CALL is source line 5 and
    // intermediate line 6.
    const auto outer = rig.source.AddressOf(5);
    ASSERT_TRUE(outer.has_value());
    EXPECT_EQ(rig.assembly.code.at(*outer / 2).intermediateLine, 6);
    rig.machine.WriteWord(0, 0x0000);
    EXPECT_EQ(rig.source.LineAt(rig.machine, 0), 0);
    rig.source.Set(Assembly{});  // a code file has no assembly
    EXPECT_EQ(rig.source.LineAt(rig.machine, 2), 0);
    EXPECT_FALSE(rig.source.AddressOf(2).has_value());
}

// After a failed compilation the code window still holds the words written so far, and they can
// be loaded and run: the map serves them as the loader reads them, and none when a word waits for
// a name's value, which no loader takes.
TEST(SourceMap, AFailedCompilationIsMappedAsItsCodeLoads) {
    SourceMap map;
    map.Set(Assemble({"NOP", "  MOVE"}, AsmOptions{}));
    EXPECT_EQ(map.AddressOf(1), Value{0});
    map.Set(Assemble({"MOV #L,R0", "MOVE", "L: HLT"}, AsmOptions{}));
    EXPECT_TRUE(map.Empty());
}

}  // namespace
}  // namespace q42::test
