// The command layer: the same commands give the same pauses whichever face gives them, with the
// breakpoints handed over from a view or set one at a time, and the input answered by a waiting
// host, typed ahead, or typed after the page took the waiting step back.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/assembler.h"
#include "session/session.h"

namespace q42::test {
namespace {

// Sums two numbers that a subroutine reads; the first text typed is not a number, and is asked
// again. Line 1 and line 8 are comments.
const std::vector<std::string> kProgram = {
    "; sums two numbers",   // 1
    "        MOV #0,R3",    // 2  0000
    "        CALL #READ",   // 3  0002
    "        ADD R1,R3",    // 4  0006
    "        CALL #READ",   // 5  0008
    "        ADD R1,R3",    // 6  000C
    "        HLT",          // 7  000E
    "; reads a number",     // 8
    "READ:   CALL #4182H",  // 9  0010
    "        NOP",          // 10 0014
    "        RET",          // 11 0016
};
const std::deque<std::string> kInput = {"x", "5", "7"};

// How a face drives the commands: the desktop program waits inside a step for the input and
// hands its breakpoints over from the editor; q42cli debug sets points one at a time, and the
// program takes what was typed ahead; the page takes a step that waits back, and the command is
// given again once the input is typed.
enum class Face { Desktop, Cli, Page };

class FaceHost : public DisplayHost, public RunHost {
  public:
    FaceHost(Face face, std::int64_t batch) : face_(face), batch_(batch) {}

    Session* session = nullptr;
    std::deque<std::string> lines;  // what the desktop's user types when asked
    bool pending = false;           // the page: a wait gave up for want of input

    void BeginLineInput() override {}
    std::string InputLineText() override {
        return face_ == Face::Desktop ? line_ : session->typed.Line();
    }
    void HideInputLine() override {
        if (!pending) session->typed.InputEnded();
    }
    bool WaitForEvents() override {
        if (face_ == Face::Desktop) {
            if (lines.empty()) return false;
            line_ = lines.front();
            lines.pop_front();
            session->display.FinishInput();
            return true;
        }
        if (session->typed.Serve()) return true;
        pending = face_ == Face::Page;
        return false;
    }
    std::int64_t StepsBeforeEvents() override { return batch_; }
    void ProcessEvents(std::int64_t) override {
        if (onEvents) onEvents();
    }
    std::function<void()> onEvents;  // what the user does while a command runs

  private:
    Face face_;
    std::int64_t batch_;
    std::string line_;
};

struct FaceRig {
    FaceHost host;
    Session session{host, host};
    std::deque<std::string> toType;  // the page's input, typed when the program asks

    FaceRig(Face face, std::int64_t batch) : host(face, batch) {
        host.session = &session;
        const Assembly assembly = Assemble(kProgram, session.options);
        EXPECT_TRUE(assembly.Ok());
        EXPECT_FALSE(session.run.CopyCode(assembly.CodeText()).has_value());
        session.source.Set(assembly);
        if (face == Face::Cli) session.commands.SetWhenNotPaused(WhenNotPaused::OneRun);
    }

    // Where the machine is after a command: why it paused, the line, the step (with "+input"
    // when paused after the input of the next step) and R3.
    std::string Where(const std::string& reason) const {
        const Debugger& d = session.debugger;
        std::ostringstream where;
        where << reason << " line "
              << session.source.LineAt(session.machine, session.machine.State().pc) << " step "
              << d.Step() << (d.InputServed() ? "+input" : "") << " R3 "
              << WordToHex(session.machine.State().r[3]);
        return where.str();
    }
};

std::string ReasonName(DebugPause::Reason reason) {
    switch (reason) {
        case DebugPause::Reason::Stepped: return "stepped";
        case DebugPause::Reason::Breakpoint: return "breakpoint";
        case DebugPause::Reason::Watchpoint: return "watchpoint";
        case DebugPause::Reason::Ended: return "ended";
        case DebugPause::Reason::StepLimit: return "limit";
    }
    return "?";
}

// One command of a script ("run", "continue", "step N", "next", "finish", "until L", "back N",
// "stop") for the rig's face; `steps` is how many steps a step command still has to take.
DebugPause Give(FaceRig& rig, const std::string& name, std::int64_t count, bool again) {
    Commands& c = rig.session.commands;
    if (name == "run") return again ? c.Continue() : c.Run();
    if (name == "continue") return c.Continue();
    if (name == "step") return c.Step(count);
    if (name == "next") return c.StepOver();
    if (name == "finish") return c.StepOut();
    if (name == "until") return c.RunToLine(static_cast<int>(count)).value_or(DebugPause{});
    if (name == "stop") return c.Stop().value_or(DebugPause{});
    c.Back(count);
    return {};
}

struct Played {
    std::vector<std::string> places;  // where each command paused
    std::vector<std::string> screen;  // at the end
};

// Runs a script's commands, "break L" among them.
Played Play(Face face, std::int64_t batch, const std::vector<std::string>& script) {
    FaceRig rig(face, batch);
    std::vector<int> breakLines;
    Played played;
    std::vector<std::string>& places = played.places;
    if (face == Face::Desktop) rig.host.lines = kInput;
    if (face == Face::Cli) {
        for (const auto& text : kInput)
            rig.session.commands.Type(text);
    }
    if (face == Face::Page) rig.toType = kInput;
    for (const std::string& command : script) {
        std::istringstream words(command);
        std::string name;
        std::int64_t count = 1;
        words >> name >> count;
        if (name == "break") {
            if (face == Face::Cli) {
                EXPECT_TRUE(rig.session.commands.BreakAtLine(static_cast<int>(count)).has_value());
            } else {
                breakLines.push_back(static_cast<int>(count));
                rig.session.commands.SetBreakpoints(breakLines, {});
            }
            continue;
        }
        const std::int64_t from = rig.session.debugger.Step();
        DebugPause pause = Give(rig, name, count, false);
        // The page: the step that waited is taken back, the input typed, and the command given
        // again from there, a step command with the steps it has still to take.
        while (rig.host.pending && !rig.toType.empty()) {
            rig.host.pending = false;
            rig.session.commands.TakeBackLastStep();
            rig.session.commands.Type(rig.toType.front());
            rig.toType.pop_front();
            const std::int64_t left = count - (rig.session.debugger.Step() - from);
            pause = Give(rig, name, name == "step" ? left : count, true);
        }
        places.push_back(rig.Where(name == "back" ? "back" : ReasonName(pause.reason)));
    }
    played.screen = rig.session.display.Lines();
    return played;
}

struct Script {
    const char* name;
    std::vector<std::string> commands;
    std::vector<std::string> places;
};

// The steps: 1 MOV, 2 CALL READ, 3 CALL 4182, 4 the first number (after "x" was refused) then
// NOP, 5 RET, 6 ADD, 7 CALL READ, 8 CALL 4182, 9 the second number then NOP, 10 RET, 11 ADD,
// 12 HLT.
const Script kScripts[] = {
    {"a breakpoint, then on to the end",
     {"break 4", "run", "continue"},
     {"breakpoint line 4 step 5 R3 0000", "ended line 9 step 12 R3 000C"}},
    {"a breakpoint on a comment line stops at the next line with code, the first instruction",
     {"break 1", "run", "next", "next", "continue"},
     {"breakpoint line 2 step 0 R3 0000", "stepped line 3 step 1 R3 0000",
      "stepped line 4 step 5 R3 0000", "ended line 9 step 12 R3 000C"}},
    {"a breakpoint after an input, back over the input, and on",
     {"break 10", "run", "back 1", "step 2", "finish", "until 7"},
     {"breakpoint line 10 step 3+input R3 0000", "back line 0 step 3 R3 0000",
      "breakpoint line 10 step 3+input R3 0000", "stepped line 4 step 5 R3 0000",
      "breakpoint line 10 step 8+input R3 0005"}},
    {"run to a comment line, then steps over and out of the subroutine",
     {"until 8", "step 1", "finish", "next", "next", "step 3", "back 5", "continue"},
     {"stepped line 9 step 2 R3 0000", "stepped line 0 step 3 R3 0000",
      "stepped line 10 step 3+input R3 0000", "stepped line 11 step 4 R3 0000",
      "stepped line 4 step 5 R3 0000", "stepped line 0 step 8 R3 0005",
      "back line 0 step 3 R3 0000", "ended line 9 step 12 R3 000C"}},
    {"a run to the first line pauses before it",
     {"until 1", "next"},
     {"stepped line 2 step 0 R3 0000", "stepped line 3 step 1 R3 0000"}},
    {"a stop at an earlier step ends the run there, after its next step",
     {"break 6", "run", "back 3", "stop"},
     {"breakpoint line 6 step 10 R3 0005", "back line 9 step 7 R3 0005",
      "ended line 0 step 8 R3 0005"}},
};

TEST(Commands, TheSameCommandsPauseAtTheSamePlacesInEveryFace) {
    struct Way {
        Face face;
        std::int64_t batch;
    };
    const Way ways[] = {{Face::Desktop, 1},
                        {Face::Desktop, 1024},
                        {Face::Cli, 1 << 18},
                        {Face::Cli, 3},
                        {Face::Page, INT64_MAX}};
    for (const Script& script : kScripts) {
        SCOPED_TRACE(script.name);
        const Played desktop = Play(Face::Desktop, 1, script.commands);
        for (const Way& way : ways) {
            SCOPED_TRACE("face " + std::to_string(static_cast<int>(way.face)) + ", batch " +
                         std::to_string(way.batch));
            const Played played = Play(way.face, way.batch, script.commands);
            EXPECT_EQ(played.places, script.places);
            // The screen too: the text refused and asked again, echoed as the desktop shows it.
            EXPECT_EQ(played.screen, desktop.screen);
        }
    }
}

// With no run paused, each rule does what it says: the desktop's steps go on from the machine
// as it stands and its other commands begin a run; q42cli debug's commands belong to one run,
// which they begin, and whose end they report.
TEST(Commands, WithNoRunPausedEachFaceRuleDoesWhatItSays) {
    struct Case {
        const char* name;
        WhenNotPaused rule;
        bool ended;  // given after a run that ended; else before any run, PC at line 4
        const char* command;
        const char* place;
    };
    const Case cases[] = {
        {"a step from here", WhenNotPaused::StepFromHere, false, "step",
         "stepped line 5 step 1 R3 0000"},
        {"a step begins the run", WhenNotPaused::OneRun, false, "step",
         "stepped line 3 step 1 R3 0000"},
        {"a step after the end", WhenNotPaused::StepFromHere, true, "step",
         "stepped line 0 step 1 R3 000C"},
        {"the end reported", WhenNotPaused::OneRun, true, "step", "ended line 9 step 12 R3 000C"},
        {"a new run", WhenNotPaused::StepFromHere, true, "continue", "limit line 4 step 5 R3 0000"},
        {"the end reported", WhenNotPaused::OneRun, true, "continue",
         "ended line 9 step 12 R3 000C"},
        {"a new run to the line", WhenNotPaused::StepFromHere, true, "until 4",
         "stepped line 4 step 5 R3 0000"},
        {"the end reported", WhenNotPaused::OneRun, true, "until 4",
         "ended line 9 step 12 R3 000C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FaceRig rig(Face::Desktop, 1);
        Commands& commands = rig.session.commands;
        commands.SetWhenNotPaused(c.rule);
        rig.host.lines = {"5", "7", "5", "7"};
        if (c.ended) {
            ASSERT_EQ(commands.Run().reason, DebugPause::Reason::Ended);
        } else {
            rig.session.machine.EditPc(*commands.LineAddress(4));
        }
        // A new run would go on to the end: the step limit pauses it after five steps.
        commands.SetStepLimit(5);
        std::istringstream words(c.command);
        std::string name;
        std::int64_t count = 1;
        words >> name >> count;
        EXPECT_EQ(rig.Where(ReasonName(Give(rig, name, count, false).reason)), c.place);
    }
}

// A stop while a command runs ends a live run after its current step, with the stop's end
// message; going through the history, the command pauses and the run's future stays.
TEST(Commands, AStopDuringACommandEndsALiveRunAndPausesAReplay) {
    FaceRig live(Face::Desktop, 1);
    live.host.lines = kInput;
    live.host.onEvents = [&] { live.session.commands.Stop(); };
    EXPECT_EQ(live.session.commands.Run().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(live.session.debugger.Step(), 2);
    EXPECT_TRUE(live.session.display.stopRequested);

    FaceRig replay(Face::Desktop, 1);
    replay.host.lines = kInput;
    ASSERT_EQ(replay.session.commands.Run().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(replay.session.commands.Back(10), 10);
    replay.host.onEvents = [&] { replay.session.commands.Stop(); };
    EXPECT_EQ(replay.session.commands.Continue().reason, DebugPause::Reason::Stepped);
    EXPECT_EQ(replay.session.debugger.Step(), 3);
    EXPECT_EQ(replay.session.debugger.LastStep(), 12);
    EXPECT_FALSE(replay.session.display.stopRequested);
}

// A pause asked for during a live run (q42cli debug's Ctrl+C) pauses it after the current batch
// of steps, without a stop: the run goes on from there.
TEST(Commands, APauseDuringALiveRunPausesItAndItGoesOn) {
    FaceRig rig(Face::Desktop, 1);
    rig.host.lines = kInput;
    int events = 0;
    rig.host.onEvents = [&] {
        if (++events == 2) rig.session.commands.Pause();
    };
    EXPECT_EQ(rig.session.commands.Run().reason, DebugPause::Reason::Stepped);
    EXPECT_EQ(rig.session.debugger.Step(), 2);
    EXPECT_EQ(rig.session.commands.Continue().reason, DebugPause::Reason::Ended);
    EXPECT_EQ(rig.session.machine.State().r[3], 12);
    EXPECT_FALSE(rig.session.display.stopRequested);
}

// A run's first instruction with a breakpoint pauses the run before it, whichever command
// begins the run, in every face.
TEST(Commands, ABreakpointOnTheFirstInstructionPausesEveryRunBeforeIt) {
    for (const Face face : {Face::Desktop, Face::Cli, Face::Page}) {
        for (const char* command : {"run", "continue"}) {
            SCOPED_TRACE(command);
            FaceRig rig(face, INT64_MAX);
            rig.session.commands.SetBreakpoints({1}, {});
            EXPECT_EQ(rig.Where(ReasonName(Give(rig, command, 1, false).reason)),
                      "breakpoint line 2 step 0 R3 0000");
        }
    }
}

// A stop given while paused, at an earlier step, between an input and the instruction after it
// ends the run after that instruction; the log keeps the input as its own row, and going back and
// forward through the shortened run finds the number typed.
TEST(Commands, AStopAfterAnEarlierInputKeepsTheInputInTheRun) {
    FaceRig rig(Face::Desktop, 1);
    rig.host.lines = kInput;
    Commands& c = rig.session.commands;
    Debugger& d = rig.session.debugger;
    c.SetBreakpoints({6}, {});
    ASSERT_EQ(c.Run().reason, DebugPause::Reason::Breakpoint);
    c.Back(9);
    c.SetBreakpoints({}, {});
    c.RunToLine(10);
    ASSERT_EQ(rig.Where("at"), "at line 10 step 3+input R3 0000");
    EXPECT_EQ(c.Stop().value_or(DebugPause{}).reason, DebugPause::Reason::Ended);
    EXPECT_EQ(d.LastStep(), 4);
    ASSERT_EQ(d.LogRows(), 5);
    EXPECT_EQ(d.LogRow(3), (LogPosition{.step = 4, .input = true}));
    d.GoTo(0);
    d.GoTo(LogPosition{.step = 4, .input = true});
    EXPECT_EQ(rig.session.machine.State().r[1], 5);
}

}  // namespace
}  // namespace q42::test
