// Going back in time: the state after any step of a run, brought back from the history, is the
// state the run had then, screen and keyboard included, and going forward again gives the same
// states, with the user's input handed over again instead of asked for.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "assembler/instruction_set.h"
#include "session/history.h"
#include "tests/machine_test_support.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

struct Moment {
    MachineState machine;
    DisplayState display;
    bool operator==(const Moment&) const = default;
};

Moment Now(const Rig& rig) {
    return {rig.machine.State(), rig.display.Save()};
}

// Instruction words for generated programs: table entries with register and indirect operands,
// reads of the keyboard and writes to the screen, the two input entry points, and short jumps
// back so that programs loop.
std::vector<Value> GeneratedProgram(std::mt19937& random) {
    std::vector<Value> words;
    const auto& table = MnemonicTable();
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    while (words.size() < 60) {
        switch (pick(8)) {
            case 0: words.insert(words.end(), {0x0A01, 0x0B00}); break;  // IN 0,R1 ; OUT R0,0
            case 1: words.insert(words.end(), {0x9C0D, 0x4182}); break;  // CALL 4182 (a number)
            case 2: words.insert(words.end(), {0x9C0D, 0x4180}); break;  // CALL 4180 (TRUE/FALSE)
            case 3: words.push_back(0x0A11); break;                      // IN 1,R1 (a key)
            case 4:
                words.push_back(static_cast<Value>(0x1D00 | (0x100 - 2 * (1 + pick(6)))));
                break;
            default: {
                const Mnemonic& entry = table[pick(static_cast<int>(table.size()))];
                if (entry.form == OperandForm::Number || entry.form == OperandForm::Label ||
                    entry.fields.Operation() == kHlt)
                    break;
                InstructionWord fields = entry.fields;
                if (entry.form != OperandForm::None) {
                    fields = fields.WithField2(pick(8));
                    if (entry.form == OperandForm::Data || entry.form == OperandForm::Move)
                        fields = fields.WithField1(pick(8));
                }
                words.push_back(fields.Word());
            }
        }
    }
    words.push_back(0xAF18);  // HLT
    return words;
}

// Runs `program` one step a batch, handing over lines and keys from `random` and typing a key
// between steps now and then; returns the state after every step, the first after the run's
// resets and the last after its end.
std::vector<Moment> RecordedRun(Rig& rig, const std::vector<Value>& program, unsigned seed) {
    std::mt19937 random(seed);
    rig.Load(program);
    std::vector<Moment> moments;
    rig.console.batch = 1;
    rig.console.stepCap = 3000;
    rig.console.onWait = [&] {
        if (rig.console.lines.empty())
            rig.console.lines.push_back(random() % 3 == 0 ? "x" : std::to_string(random() % 100));
        if (rig.console.keys.empty()) rig.console.keys += static_cast<char>('a' + random() % 26);
    };
    rig.console.onStep = [&] {
        moments.push_back(Now(rig));
        if (random() % 7 == 0) rig.display.KeyPress(static_cast<char>('0' + random() % 10));
    };
    rig.run.RunProgram();
    moments.back() = Now(rig);  // the last step with the run's end on the screen
    return moments;
}

TEST(History, AnyStepOfAGeneratedRunComesBackExactly) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Rig rig;
        History history(rig.machine, rig.display, {.spacing = 64, .maxCheckpoints = 8});
        rig.run.SetHistory(&history);
        Moment start;
        std::mt19937 random(seed);
        const std::vector<Value> program = GeneratedProgram(random);
        // The state after the run's resets, before its first step.
        rig.Load(program);
        {
            Rig fresh;
            fresh.Load(program);
            fresh.run.BeginRun();
            start = Now(fresh);
        }
        std::vector<Moment> moments = RecordedRun(rig, program, seed);
        moments.insert(moments.begin(), start);
        const auto last = static_cast<std::int64_t>(moments.size()) - 1;
        ASSERT_EQ(history.LastStep(), last) << "seed " << seed;
        for (int probe = 0; probe < 20; ++probe) {
            const std::int64_t n = random() % (last + 1);
            const std::int64_t back = random() % (n + 1);
            history.GoTo(n);
            history.GoTo(n - back);
            ASSERT_EQ(Now(rig), moments[n - back]) << "seed " << seed << ", step " << n - back;
            history.GoTo(n);  // forward again, input replayed
            ASSERT_EQ(Now(rig), moments[n]) << "seed " << seed << ", step " << n;
        }
        history.GoTo(0);
        EXPECT_EQ(Now(rig), start) << "seed " << seed;
    }
}

// A run fed input without end forgets the oldest part of its history, and every step after
// what it forgot still comes back exactly.
TEST(History, InputWithoutEndForgetsTheOldestStepsAndKeepsTheRestExact) {
    int forgetting = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Rig rig;
        History history(rig.machine, rig.display,
                        {.spacing = 4, .maxCheckpoints = 64, .maxEvents = 8});
        rig.run.SetHistory(&history);
        std::mt19937 random(seed);
        const std::vector<Value> program = GeneratedProgram(random);
        const std::vector<Moment> moments = RecordedRun(rig, program, seed);
        const auto last = static_cast<std::int64_t>(moments.size());
        ASSERT_EQ(history.LastStep(), last) << "seed " << seed;
        EXPECT_LE(history.EventCount(), 200u) << "seed " << seed;
        const std::int64_t first = history.FirstStep();
        if (first > 0) ++forgetting;
        for (int probe = 0; probe < 20; ++probe) {
            const std::int64_t n = std::max<std::int64_t>(1, first + random() % (last - first + 1));
            history.GoTo(n);
            ASSERT_EQ(Now(rig), moments[n - 1]) << "seed " << seed << ", step " << n;
        }
        history.GoTo(0);  // no further back than what is kept
        EXPECT_EQ(history.Step(), first);
    }
    EXPECT_GT(forgetting, 5);
}

// A run of many steps keeps few checkpoints and still comes back exactly at any depth.
TEST(History, ThinnedCheckpointsStillBringBackEveryStep) {
    Rig rig;
    History history(rig.machine, rig.display, {.spacing = 16, .maxCheckpoints = 6});
    rig.run.SetHistory(&history);
    rig.console.batch = 5;
    // R0 counts down from 300: MOV #300,R0; SUB #1,R0; BNE back; HLT
    rig.Load({0x01D0, 0x012C, 0x2310, 0x4DFC, 0xAF18});
    rig.run.RunProgram();
    const std::int64_t last = history.LastStep();
    EXPECT_EQ(last, 1 + 2 * 300 + 1);
    EXPECT_LE(history.CheckpointCount(), 6u);
    for (std::int64_t step : {std::int64_t{1}, std::int64_t{2}, std::int64_t{301}, last - 1}) {
        history.GoTo(step);
        // MOV, then SUB and BNE in turn: after step s, R0 holds 300 - s / 2.
        EXPECT_EQ(rig.machine.State().r[0], 300 - step / 2) << step;
    }
    history.GoTo(last);
    EXPECT_EQ(rig.Screen().back(), " Задача завершена");
}

// A run in batches far longer than the spacing still takes a checkpoint every `spacing` steps,
// so that going back never replays more than that.
TEST(History, LongBatchesStopAtEveryCheckpoint) {
    Rig rig;
    History history(rig.machine, rig.display, {.spacing = 16});
    rig.run.SetHistory(&history);
    rig.console.batch = 1 << 20;
    // R0 counts down from 300: MOV #300,R0; SUB #1,R0; BNE back; HLT
    rig.Load({0x01D0, 0x012C, 0x2310, 0x4DFC, 0xAF18});
    rig.run.RunProgram();
    ASSERT_EQ(history.LastStep(), 602);
    EXPECT_EQ(history.CheckpointCount(), 1u + 602 / 16);
}

// Going back and on from there forgets what came after: new input is asked for, and the end
// reached before is no longer the end.
TEST(History, RunningOnFromAnEarlierStepForgetsTheOldFuture) {
    Rig rig;
    History history(rig.machine, rig.display);
    rig.run.SetHistory(&history);
    rig.Load({0x9C0D, 0x4182, 0xAF18});  // CALL 4182; HLT
    rig.console.lines = {"12"};
    rig.run.RunProgram();
    ASSERT_EQ(rig.machine.State().r[1], 12);
    history.GoTo(0);
    history.Branch();
    EXPECT_EQ(history.LastStep(), 0);
    EXPECT_FALSE(history.Ended());
    history.GoTo(1);  // nothing recorded after step 0 any more
    EXPECT_EQ(history.Step(), 0);
}

// Going back and running on with new input: every step of the new run comes back exactly, with
// the input given for it, never the input of the steps that were forgotten. The spacings put
// checkpoints between the inputs, on them, and nowhere but at the start.
TEST(History, ARunGoneOnFromAnEarlierStepWithNewInputComesBackExactly) {
    for (const std::int64_t spacing : {1, 2, 3, 16384}) {
        SCOPED_TRACE(spacing);
        Rig rig;
        History history(rig.machine, rig.display, {.spacing = spacing});
        rig.run.SetHistory(&history);
        // Sums three numbers in R3: CALL 4182; MOV R1,R3; CALL 4182; ADD R1,R3; CALL 4182;
        // ADD R1,R3; HLT. Steps 2, 4 and 6 read the numbers.
        rig.Load({0x9C0D, 0x4182, 0x0113, 0x9C0D, 0x4182, 0x0213, 0x9C0D, 0x4182, 0x0213, 0xAF18});
        rig.console.lines = {"1", "2", "3"};
        rig.run.RunProgram();
        ASSERT_EQ(rig.machine.State().r[3], 6);
        history.GoTo(3);
        history.Branch();
        rig.console.lines = {"20", "300"};
        std::vector<Moment> moments = {Now(rig)};  // after step 3, then after each new step
        rig.console.onStep = [&] { moments.push_back(Now(rig)); };
        rig.run.ContinueRun();
        moments.back() = Now(rig);  // the last step with the run's end on the screen
        ASSERT_EQ(rig.machine.State().r[3], 321);
        ASSERT_EQ(history.LastStep(), 7);
        EXPECT_EQ(history.InputStepsBefore(8), 3);
        for (std::int64_t step = 3; step <= 7; ++step) {
            const Moment& expected = moments[static_cast<std::size_t>(step - 3)];
            history.GoTo(0);
            history.GoTo(step);  // forward from the start, the input replayed
            EXPECT_EQ(Now(rig), expected) << "step " << step;
            history.GoTo(7);
            history.GoTo(step);  // back from the end
            EXPECT_EQ(Now(rig), expected) << "step " << step;
        }
        EXPECT_TRUE(rig.console.lines.empty());
    }
}

}  // namespace
}  // namespace q42::test
