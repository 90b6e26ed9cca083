#pragma once
// The one command layer every face drives: run, continue, step, step over, step out, run to a
// line, back, go to, stop, and what is typed for the program. How a command places the
// breakpoints, how many steps it may take, and what it does when no run is paused or the run
// has ended are decided here; the desktop program, q42cli debug and the page translate keys,
// clicks and lines into these commands and show the pause each ends in. Only Stop and Pause are
// given while another command is in progress (RunControl::Busy), as when it waits for input.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "machine/machine.h"
#include "session/debugger.h"
#include "session/history.h"
#include "session/run_control.h"
#include "session/typed_input.h"

namespace q42 {

// What a step command does when no run is paused.
enum class WhenNotPaused : std::uint8_t {
    // The steps go on from the machine as it stands (its registers may have been edited), as
    // steps that are not a run; run, continue and run to a line begin a run.
    StepFromHere,
    // The commands belong to one run: each begins it when none has begun; once it has ended,
    // they report that end, and only Run begins another.
    OneRun,
};

class Commands {
  public:
    Commands(Machine& machine, RunControl& run, History& history, Debugger& debugger,
             const SourceMap& source, TypedInput& typed)
        : machine_(machine),
          run_(run),
          history_(history),
          debugger_(debugger),
          source_(source),
          typed_(typed) {}
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    // StepFromHere unless set.
    void SetWhenNotPaused(WhenNotPaused rule) { whenNotPaused_ = rule; }
    // The most steps a command takes before it pauses, so that a program that never halts
    // cannot hang it: 10 million unless set.
    void SetStepLimit(std::int64_t steps) { stepLimit_ = steps; }
    std::int64_t StepLimit() const { return stepLimit_; }

    // Where a breakpoint on, or a run to, source line `line` stops: at its first word or, on a
    // line without code, at the first word of the next line with code; nothing when no line
    // from it on has code, or the code has no source.
    std::optional<Value> LineAddress(int line) const;
    // Points set one at a time, numbered as the pauses report them. A breakpoint on a line is
    // placed by LineAddress: nothing when that finds no code.
    std::optional<DebugPoint> BreakAtLine(int line);
    DebugPoint BreakAt(Value address);
    DebugPoint Watch(Value address);
    bool Delete(int number);
    void DeleteAll();
    // The breakpoints a face keeps in its own views (the editor's margin, the RAM window), in
    // place of every point. The lines are placed by LineAddress when each command begins, for
    // the text may have been compiled again since.
    void SetBreakpoints(std::vector<int> lines, std::vector<Value> addresses);

    // A new run from RAM 0000 (greeting, resets), paused before its first step.
    void Begin();
    // A new run, to the first pause.
    DebugPause Run();
    // Goes on with the paused run, for at most the step limit or `steps` steps (a slice of a
    // run that the page shows between slices); with no run paused, it is Run.
    DebugPause Continue();
    DebugPause Continue(std::int64_t steps);
    // PC := 0000, then one step that is not a run.
    DebugPause FirstCommand();
    DebugPause Step(std::int64_t count = 1);
    // `count` steps; a taken call runs until it returns to the instruction after it.
    DebugPause StepOver(std::int64_t count = 1);
    // Runs until the current subroutine returns.
    DebugPause StepOut();
    // Runs until the instruction of source line `line` (by LineAddress) is next; nothing when
    // no line from it on has code. A run it begins at that instruction pauses there at once.
    std::optional<DebugPause> RunToLine(int line);
    // Goes back `count` steps, at most to the start of the run; returns how many it went.
    std::int64_t Back(std::int64_t count = 1);
    // Puts the machine where it was after the row's part of its step.
    void GoTo(LogPosition position);
    // The user's stop. A command in progress pauses when it goes through the history; at the
    // run's live end, the run ends after its current step. A paused run ends after its next
    // step, with the end message (a wait for input in it ends as stopped); paused at an earlier
    // step, what came after is forgotten first. Returns the pause a paused run ended in.
    std::optional<DebugPause> Stop();
    // Asks the command in progress to pause after its current step, wherever the run is.
    void Pause() { debugger_.RequestPause(); }
    // A text typed for the program, handed to it when it waits for input (TypedInput).
    void Type(std::string text) { typed_.Add(std::move(text)); }
    // For a face that cannot wait inside a step (the page): the last command's last step waited
    // for input that was not typed. It is taken back and forgotten, and the lines its input
    // refused are typed again, so that it runs anew once the input is typed; a step over or
    // step out given again then goes on to where it aimed.
    void TakeBackLastStep();

  private:
    Machine& machine_;
    RunControl& run_;
    History& history_;
    Debugger& debugger_;
    const SourceMap& source_;
    TypedInput& typed_;
    WhenNotPaused whenNotPaused_ = WhenNotPaused::StepFromHere;
    std::int64_t stepLimit_ = 10'000'000;
    // The breakpoints a face keeps in its views, when it hands them over.
    bool pointsFromViews_ = false;
    std::vector<int> breakLines_;
    std::vector<Value> breakAddresses_;
    // A step over or step out aims at SP rising to this. The aim of the last command, and the
    // one kept by a take-back of its step (valid in that history generation).
    std::optional<Value> lastAim_;
    std::optional<Value> resumeAim_;
    std::uint64_t resumeGeneration_ = 0;

    // What every command begins with: the breakpoints placed, the step limit, no aim kept.
    void Prepare(std::int64_t steps);
    // Before a step command: with no run paused, what the rule says; the end of the run when
    // the command is not to go on.
    std::optional<DebugPause> ReadyToStep();
    Value Sp() const { return machine_.State().sp; }
    // Step over and step out, which end once SP rises to `goal`.
    template <class Command>
    DebugPause Rise(Value goal, Command command);
};

}  // namespace q42
