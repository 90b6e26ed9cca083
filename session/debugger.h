#pragma once
// The debugger every face drives: breakpoints on source lines and addresses, watchpoints on RAM
// words, and the commands that move through a run — run, continue, step, step over, step out,
// run to a line, and back. Each command ends in a pause that says why. Moving forward inside
// the history of the run replays it; beyond its end the program runs on, live.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "machine/machine.h"
#include "session/display.h"
#include "session/history.h"
#include "session/program_names.h"
#include "session/run_control.h"

namespace q42 {

// Where the program's words came from: the source line of each word the compiler wrote.
class SourceMap {
  public:
    // Takes the map of an assembly: the source line of each of its words. Words a failed
    // compilation left unfinished count as the loader reads their lines; one it cannot read
    // leaves no map.
    void Set(const Assembly& assembly);
    void Clear();
    // The source line of the word at `address`, or 0 when it has none: no compiled text, or the
    // word there is not the one the compiler wrote.
    int LineAt(const Machine& machine, Value address) const;
    // The source line the compiler wrote the word at `address` for, whatever memory holds there
    // now; 0 when it wrote none there.
    int LineOfWord(Value address) const;
    // The names the compiled text wrote, for telling its steps in them.
    const ProgramNames& Names() const { return names_; }
    // The address of the first word source line `line` produced, or nothing.
    std::optional<Value> AddressOf(int line) const;
    // The address of the first word of line `line` or, when it produced none, of the nearest
    // line after it that did: where a breakpoint on a blank or comment line stops.
    std::optional<Value> AddressFrom(int line) const;
    bool Empty() const { return words_.empty(); }
    // The address is one of the compiled words.
    bool Holds(Value address) const {
        return address >= 0 && static_cast<std::size_t>(address) < 2 * words_.size();
    }

  private:
    std::vector<int> lines_;
    std::vector<Value> words_;
    ProgramNames names_;
};

struct DebugPoint {
    enum class Kind : std::uint8_t { Break, Watch };
    int number = 0;
    Kind kind = Kind::Break;
    Value address = 0;
    int line = 0;  // the source line a breakpoint was set on, 0 when set on an address
};

struct DebugPause {
    enum class Reason : std::uint8_t {
        Stepped,     // the command did what it was asked
        Breakpoint,  // before the instruction at a breakpoint
        Watchpoint,  // after a step that changed a watched word
        Ended,       // the run ended: halt, run-time error or stop
        StepLimit,   // the command took as many steps as one may
    };
    Reason reason = Reason::Stepped;
    int number = 0;  // the breakpoint's or watchpoint's number
    Value address = 0;
    Value before = 0;  // a watched word before and after the step
    Value after = 0;
};

// One step in words: where its instruction was, the statement it was, what it changed, what it
// did with its values and names, and what the instruction table says the operation does.
struct StepExplanation {
    struct Change {
        std::string what;  // "R0", "PC", "N", "[0040]", "P.5"
        std::string before;
        std::string after;
    };
    std::int64_t step = 0;
    Value address = 0;
    std::string text;  // the statement, as the disassembler writes it (UTF-8)
    std::vector<Change> changes;
    // The step told with its values and the names the program wrote, in the texts' language:
    // "SUB #1,R1: R1 := 0005 − 0001 = 0004; N = 0, Z = 0" (UTF-8).
    std::string story;
    std::string does;  // UTF-8, in the texts' language; empty when the table names no operation
};

// A row of the execution log: a step, or the first part of a step that served an input entry
// point (the input read into R1 and the return), shown before the instruction that follows it.
struct LogPosition {
    std::int64_t step = 0;  // 1 the first step
    bool input = false;     // the input part of the step
    bool operator==(const LogPosition&) const = default;
};

class Debugger {
  public:
    // `source` names the steps of the compiled program it maps.
    Debugger(Machine& machine, RunControl& run, History& history, const SourceMap& source);

    // A command stops after this many steps, so that a program that never halts cannot hang it.
    void SetStepLimit(std::int64_t steps) { stepLimit_ = steps; }
    std::int64_t StepLimit() const { return stepLimit_; }

    int Break(Value address, int line = 0);
    int Watch(Value address);
    bool Delete(int number);
    void DeleteAll() { points_.clear(); }
    const std::vector<DebugPoint>& Points() const { return points_; }

    // A run has begun; it may have ended.
    bool Started() const { return started_; }
    bool Ended() const { return history_.Ended() && history_.Step() == history_.LastStep(); }
    // A run has begun and can go on.
    bool Paused() const { return started_ && !Ended(); }
    std::int64_t Step() const { return history_.Step(); }
    std::int64_t LastStep() const { return history_.LastStep(); }

    // A run's start: its resets, and the history from step 0. Its end writes the end message.
    void Begin();
    // Steps that are not a run: the history starts from the machine as it is, and a halt or a
    // run-time error ends it without the end message.
    void Attach();
    // The machine was changed from outside (a register edited, code copied): the history starts
    // again from here, for what it holds before no longer leads to this.
    void Rebase();
    // The machine was replaced from outside (new code copied in): the run is over and its
    // history forgotten.
    void Forget();
    // Changes whenever the history begins again, so that a view of it knows to start over.
    std::uint64_t Generation() const { return generation_; }
    // Asks a command going through the history to pause after the current step.
    void RequestPause() { pauseRequested_ = true; }

    // Begins a run with a run's resets and goes to the first pause.
    DebugPause Run();
    DebugPause Continue();
    // `count` steps; a call is one step.
    DebugPause StepInto(std::int64_t count);
    // `count` steps; a taken call runs until it returns to the instruction after it.
    DebugPause StepOver(std::int64_t count);
    // Runs until the current subroutine returns.
    DebugPause StepOut();
    // Runs until the instruction at `address` is next.
    DebugPause RunTo(Value address);
    // Goes back `count` steps, at most to the start of the run; returns how many it went. Paused
    // after the input of a step, going back over that input counts as one.
    std::int64_t Back(std::int64_t count);
    // Puts the machine and the screen where they were after step `step` (0..LastStep()).
    void GoTo(std::int64_t step);
    // The machine paused after the input of its next step, before that step's instruction.
    bool InputServed() const { return machine_.State().inputServed; }

    // The execution log: a row for every step, two for a step that served an input entry point.
    std::int64_t LogRows() const;
    LogPosition LogRow(std::int64_t row) const;  // row 0..LogRows()-1
    std::int64_t RowOf(LogPosition position) const;
    // The row the machine is at: the last one done; -1 at step 0.
    std::int64_t CurrentRow() const;
    // Puts the machine where it was after the row's part of its step.
    void GoTo(LogPosition position);

    // Step `step` of the run (1 the first) in words; nothing for a step the history has not got.
    // A step that served an input entry point is explained whole. The machine and the screen
    // stay where they are.
    std::optional<StepExplanation> Explain(std::int64_t step);
    // One row of the log in words: the input part of a step, or the rest of it.
    std::optional<StepExplanation> Explain(LogPosition position);

  private:
    Machine& machine_;
    RunControl& run_;
    History& history_;
    const SourceMap& source_;
    std::vector<DebugPoint> points_;
    int nextNumber_ = 1;
    std::int64_t stepLimit_ = 10'000'000;
    bool started_ = false;
    bool asRun_ = false;  // begun as a run: its end writes the end message
    bool pauseRequested_ = false;
    std::uint64_t generation_ = 0;

    void BeginIfIdle();
    // One step forward: replayed inside the history, live beyond it. False at the run's end.
    bool StepOnce();
    // Steps while `more` says so and nothing pauses; `more` sees the steps taken so far. A step
    // that begins at an input entry point serves its input first and pauses there, before the
    // instruction at the return address, when a breakpoint is there or `afterInput` says so. The
    // interface handles its events between steps as its run host asks.
    template <class More, class AfterInput>
    DebugPause Go(More more, AfterInput afterInput);
    // Serves the input of a step at an input entry point; the pause that then calls for.
    template <class AfterInput>
    std::optional<DebugPause> ServeInput(AfterInput afterInput);
    // The state before and after the part of step `step` that `position` names.
    std::pair<MachineState, MachineState> StatesAround(LogPosition position);
    // Adds the instruction at `address`, as memory held it in `before`, what it did to come to
    // `after`, and what it does.
    void DescribeInstruction(StepExplanation& explanation, const MachineState& before,
                             const MachineState& after, Value address) const;
    // A step that served an input entry point, whole: its two rows told as one.
    std::optional<StepExplanation> ExplainWhole(std::int64_t step);
    // Between steps: the interface's events; true when the user asked for a pause meanwhile.
    bool EventsAskPause(std::int64_t& sinceEvents);
    // Ends the run after a step that halted, failed or was stopped.
    void EndIfOver();
    // The words the watchpoints watch, with their numbers, and the pause a step then calls for.
    // A watchpoint set or deleted meanwhile (during a wait for input) is matched by its number.
    struct Watched {
        int number;
        Value word;
    };
    std::vector<Watched> WatchedWords() const;
    std::optional<DebugPause> PauseAfterStep(const std::vector<Watched>& watched) const;
    std::optional<DebugPause> BreakpointAtPc() const;
};

}  // namespace q42
