// Continue runs in batches that end where a breakpoint or a watchpoint may pause it: every pause
// comes at the same step, with the same state, screen and history, as when each step is taken
// alone and checked (as StepInto does).

#include <gtest/gtest.h>

#include "assembler/assembler.h"
#include "session/code_loading.h"
#include "session/debugger.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

// A loop that calls a subroutine, reads a number through an input entry point and a key from
// the keyboard, writes a byte, pushes, and writes over its own code (a RET with a BRET: the
// program runs on the same).
const std::vector<std::string> kProgram = {
    "        MOV #3,R0",         // 1   0000
    "LOOP:   CALL #SUB",         // 2   0002
    "        CALL #4182H",       // 3   0006
    "        ADD R1,R2",         // 4   000A  where the input entry returns
    "        MOV #0D00H,PATCH",  // 5   000C
    "        SUB #1,R0",         // 6   0012
    "        BNE LOOP",          // 7   0014
    "        HLT",               // 8   0016
    "SUB:    MOV R0%,BYTE%",     // 9   0018
    "        PUSH R0",           // 10  001C
    "        POP R3",            // 11  001E
    "KEY:    IN P.0,R3",         // 12  0020
    "        CMP #80H,R3",       // 13  0022
    "        BNE KEY",           // 14  0026
    "        IN P.1,R3",         // 15  0028
    "PATCH:  RET",               // 16  002A
    "BYTE:   DW 0",              // 17  002C
};

struct BatchRig : Rig {
    Assembly assembly = Assemble(kProgram, AsmOptions{});
    SourceMap source;
    History history{machine, display, HistoryLimits{.spacing = 8}};
    Debugger debugger{machine, run, history, source};
    std::vector<std::pair<std::int64_t, std::int64_t>> waits;  // the history's steps at each

    BatchRig(const std::vector<Value>& breaks, const std::vector<Value>& watches,
             std::int64_t batch) {
        EXPECT_TRUE(assembly.Ok());
        EXPECT_FALSE(CopyCode(machine, assembly.CodeText()).error.has_value());
        source.Set(assembly);
        console.batch = batch;
        console.lines = {"5", "-6", "7"};
        console.keys = "abc";
        // A wait lets the user look at the history: it holds every step before the waiting one.
        console.onWait = [this] { waits.emplace_back(debugger.Step(), debugger.LastStep()); };
        for (const Value address : breaks)
            debugger.Break(address);
        for (const Value address : watches)
            debugger.Watch(address);
    }
};

struct Pause {
    DebugPause pause;
    std::int64_t step;
    MachineState state;
    bool operator==(const Pause& other) const {
        const DebugPause& a = pause;
        const DebugPause& b = other.pause;
        return a.reason == b.reason && a.number == b.number && a.address == b.address &&
               a.before == b.before && a.after == b.after && step == other.step &&
               state == other.state;
    }
};

// Every pause of a run to its end: one step at a time, or with Run and Continue.
std::vector<Pause> SteppedPauses(BatchRig& rig) {
    std::vector<Pause> pauses;
    for (int guard = 0; guard < 1000 && !rig.debugger.Ended(); ++guard) {
        const DebugPause pause = rig.debugger.StepInto(1);
        if (pause.reason != DebugPause::Reason::Stepped)
            pauses.push_back({pause, rig.debugger.Step(), rig.machine.State()});
    }
    return pauses;
}

std::vector<Pause> ContinuedPauses(BatchRig& rig) {
    std::vector<Pause> pauses;
    DebugPause pause = rig.debugger.Run();
    for (int guard = 0; guard < 1000; ++guard) {
        // A breakpoint on the first instruction pauses Run before any step: stepping one at a
        // time never stops there.
        if (rig.debugger.Step() > 0)
            pauses.push_back({pause, rig.debugger.Step(), rig.machine.State()});
        if (pause.reason == DebugPause::Reason::Ended) break;
        pause = rig.debugger.Continue();
    }
    return pauses;
}

struct StopCase {
    const char* name;
    std::vector<Value> breaks;
    std::vector<Value> watches;
};

const StopCase kStopCases[] = {
    {"break on the first instruction", {0x0000}, {}},
    {"break in the loop", {0x0012}, {}},
    {"break on a call's target", {0x0018}, {}},
    {"break where an input entry returns", {0x000A}, {}},
    {"break never reached: an odd address, ROM", {0x0013, 0x4000}, {}},
    {"watch a word written by a byte", {}, {0x002C}},
    {"watch a word written by PUSH", {}, {0x00FC}},
    {"watch a word written by CALL", {}, {0x00FE}},
    {"watch the program's own code written over", {}, {0x002A}},
    {"breaks and watches together", {0x000A, 0x001E}, {0x002C, 0x00FC}},
};

TEST(DebuggerBatches, PauseWhereSingleStepsPause) {
    for (const StopCase& c : kStopCases) {
        SCOPED_TRACE(c.name);
        BatchRig stepped(c.breaks, c.watches, 1);
        BatchRig batched(c.breaks, c.watches, 1'000'000);
        const auto expected = SteppedPauses(stepped);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(expected.back().pause.reason, DebugPause::Reason::Ended);
        EXPECT_EQ(ContinuedPauses(batched), expected);
        EXPECT_EQ(batched.waits, stepped.waits);
        EXPECT_EQ(stepped.waits.size(), 6u);
        // The same history: the same steps, inputs and states all through the run.
        ASSERT_EQ(batched.debugger.LogRows(), stepped.debugger.LogRows());
        for (std::int64_t step = 0; step <= stepped.debugger.LastStep(); ++step) {
            stepped.debugger.GoTo(step);
            batched.debugger.GoTo(step);
            ASSERT_EQ(batched.machine.State(), stepped.machine.State()) << "step " << step;
            ASSERT_EQ(batched.Screen(), stepped.Screen()) << "step " << step;
        }
    }
}

TEST(DebuggerBatches, FirstInstructionBreakPausesRunBeforeAnyStep) {
    BatchRig rig({0x0000}, {}, 1'000'000);
    const DebugPause pause = rig.debugger.Run();
    EXPECT_EQ(pause.reason, DebugPause::Reason::Breakpoint);
    EXPECT_EQ(rig.debugger.Step(), 0);
}

// A watched word written with the value it holds does not pause the run.
TEST(DebuggerBatches, RewritingAWatchedWordUnchangedDoesNotPause) {
    BatchRig rig({}, {0x002A}, 1'000'000);
    EXPECT_EQ(rig.debugger.Run().reason, DebugPause::Reason::Watchpoint);
    EXPECT_EQ(rig.debugger.Continue().reason, DebugPause::Reason::Ended);
}

// Points deleted stop nothing: the run goes to its end in one command.
TEST(DebuggerBatches, DeletedPointsNoLongerStopTheRun) {
    BatchRig rig({0x0012}, {0x00FC}, 1'000'000);
    rig.debugger.DeleteAll();
    EXPECT_EQ(rig.debugger.Run().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.machine.State().r[2], 6);
}

}  // namespace
}  // namespace q42::test
