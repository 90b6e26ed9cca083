#pragma once
// Run control: running a program from RAM until it halts, fails or is stopped, single steps, and
// the stop command. Written once for the desktop program and the command-line tool; what differs
// between them (processing window events, enabling controls) sits behind RunHost.

#include <algorithm>
#include <optional>

#include "machine/machine.h"
#include "session/code_loading.h"
#include "session/display.h"
#include "session/history.h"

namespace q42 {

class RunHost {
  public:
    virtual ~RunHost() = default;
    // How many steps a run may take before the interface next handles its events (at least 1).
    virtual std::int64_t StepsBeforeEvents() { return 1; }
    // Called after those steps, or fewer when the run ended: let the interface handle pending
    // events.
    virtual void ProcessEvents(std::int64_t steps) { (void)steps; }
    // Enables or disables the controls that must not start while a program runs.
    virtual void SetRunState(bool running) { (void)running; }
    // Shows the display window, even if the user had hidden it.
    virtual void ShowDisplay() {}
};

class RunControl;

// Marks a command that runs the machine for as long as it lives: the run control is busy, and
// run and step commands given meanwhile (while it waits for input) are ignored.
class BusyScope {
  public:
    explicit BusyScope(RunControl& run);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    RunControl& run_;
};

class RunControl {
  public:
    RunControl(Machine& machine, Display& display, RunHost& host)
        : machine_(machine), display_(display), host_(host) {}

    // Clears the screen and writes the greeting.
    void ShowGreeting();
    // Runs RAM from 0000 until HLT, a run-time error or the user's stop. Like the two step
    // commands, it does nothing while a run or a step is in progress (waiting for input).
    void RunProgram();
    // Asks a running program to stop; the run ends after the current step.
    void StopProgram();
    // What a run starts with: the greeting, the machine's run resets, the history started when
    // there is one, and the display window shown.
    void BeginRun();
    // Goes on with a run begun by BeginRun until HLT, a run-time error or the user's stop, then
    // ends it.
    void ContinueRun();
    // What a run ends with: the screen's end message, and the end kept in the history.
    void EndRun();
    // Runs the machine in batches until `limit` steps are taken or `batchDone(steps)` answers
    // false after a batch. A batch is as many steps as the host takes before it handles its
    // events, and ends where `history` (null: none) takes its next checkpoint, or earlier when
    // the machine halts, fails or is stopped; the history records every batch. Returns the
    // steps taken.
    template <class BatchDone>
    std::int64_t RunBatches(std::int64_t limit, History* history, BatchDone batchDone);
    // Records every run in `history` (null: none), so that it can be gone through again.
    void SetHistory(History* history) { history_ = history; }
    // PC := 0, then one step.
    void FirstCommand();
    // One step at the current PC.
    void NextCommand();

    // Copies the code text into RAM; the machine holds the fault of a bad line, which is
    // returned.
    std::optional<CodeLineError> CopyCode(const std::vector<std::string>& codeText);
    // "3-4": copies the code text into RAM and, if that left no error, runs it.
    std::optional<CodeLineError> LoadAndRun(const std::vector<std::string>& codeText);

    bool Running() const { return running_; }
    // A run, a single step that waits for input, or a debugger's command is in progress.
    bool Busy() const { return running_ || busy_ > 0; }
    RunHost& Host() { return host_; }

  private:
    friend class BusyScope;
    Machine& machine_;
    Display& display_;
    RunHost& host_;
    bool running_ = false;
    int busy_ = 0;  // commands in progress that run the machine
    History* history_ = nullptr;

    void Step();
};

template <class BatchDone>
std::int64_t RunControl::RunBatches(std::int64_t limit, History* history, BatchDone batchDone) {
    std::int64_t taken = 0;
    while (taken < limit) {
        std::int64_t batch = std::min(limit - taken, host_.StepsBeforeEvents());
        if (history != nullptr) batch = std::min(batch, history->StepsToCheckpoint());
        const std::int64_t steps = machine_.RunSteps(batch);
        taken += steps;
        if (history != nullptr) history->AfterSteps(steps);
        if (!batchDone(steps)) break;
    }
    return taken;
}

}  // namespace q42
