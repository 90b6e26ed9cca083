#pragma once
// The history of a run, for going back in time. It keeps checkpoints of the whole state (the
// machine, the screen and the input position) every so many steps, and every input the user gave
// with the moment it came: keys, finished lines, Enter, stops. Going to an earlier step restores
// the nearest checkpoint before it and runs forward from there, handing the recorded inputs to
// the program at the same moments, so that the machine, the screen and the keyboard come out
// exactly as they were, and nothing is asked of the user again.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "session/display.h"

namespace q42 {

// A checkpoint every `spacing` steps at first; at most `maxCheckpoints` of them and about
// `maxBytes` in them: beyond either, every other checkpoint is dropped and the spacing doubles,
// so that a run of any length keeps its whole history in bounded memory.
// The inputs recorded (keys, lines, stops) are kept up to `maxEvents`: beyond it the older half of
// the history is forgotten, so that a run fed input without end cannot exhaust memory either.
struct HistoryLimits {
    std::int64_t spacing = 16384;
    std::size_t maxCheckpoints = 16384;
    std::size_t maxBytes = std::size_t{48} << 20;
    std::size_t maxEvents = std::size_t{1} << 18;
};

class History : public InputObserver {
  public:
    // The whole state at one moment: the machine, the screen and where the recorded inputs stand.
    struct Checkpoint {
        std::int64_t step = 0;
        std::int64_t waits = 0;      // waits begun before it
        std::size_t eventCount = 0;  // events recorded before it
        MachineState machine;
        DisplayState display;
        std::size_t Bytes() const;
    };

    History(Machine& machine, Display& display, HistoryLimits limits = {});
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // A run begins from the machine and screen as they are now: the history starts at step 0.
    void Start();
    // `steps` more steps were taken; takes a checkpoint when one is due.
    void AfterSteps(std::int64_t steps);
    // The run ended after its last step; the end is kept as it is, screen message included.
    void Finish();
    // The user's stop request.
    void OnStop();
    // How many steps may run before the next checkpoint is due (at least 1).
    std::int64_t StepsToCheckpoint() const;

    bool Recording() const { return recording_; }
    // The step the machine is at, counting from the start of the run.
    std::int64_t Step() const { return step_; }
    // The last step of the history: where the run is, or where it ended.
    std::int64_t LastStep() const { return lastStep_; }
    // The first step the history can go back to: 0, unless its oldest part was forgotten.
    std::int64_t FirstStep() const { return checkpoints_.empty() ? 0 : checkpoints_.front().step; }
    bool Ended() const { return ended_; }

    // Puts the machine and the screen into the state after `step` steps (0..LastStep()), before
    // any input that came after that step.
    void GoTo(std::int64_t step);
    // Forgets everything after the current step: the run goes on from here with new input.
    void Branch();
    // Serves the input entry point the next step begins at, and no more of that step (see
    // Machine::ServeInputEntry): with the input recorded for it when the history holds the step,
    // from the user otherwise.
    void ServeInput();
    // Where the history is now, and back there exactly, after looking at other steps.
    Checkpoint Here() const;
    void Return(const Checkpoint& place);
    // Step `step` (1 the first) served an input entry point before its instruction.
    bool ServedInput(std::int64_t step) const;
    // How many steps before step `step` served an input entry point.
    std::int64_t InputStepsBefore(std::int64_t step) const;
    // Stops recording; the history is forgotten.
    void Stop() {
        recording_ = false;
        display_.inputObserver = nullptr;
    }

    // InputObserver: what the display hands the program, recorded with its moment.
    void OnKey(char key) override;
    void OnEnter() override;
    void OnLine(const std::string& text) override;
    void OnWaitBegins() override;
    void OnWaitEnds(bool inputCanCome) override;
    void OnInputEntry() override;

    // What the history holds, for the figures.
    std::size_t CheckpointCount() const { return checkpoints_.size(); }
    std::size_t CheckpointBytes() const { return checkpointBytes_; }
    std::size_t EventCount() const { return events_.size(); }

  private:
    struct Event {
        enum class Kind : std::uint8_t { Key, Enter, Line, Stop, NoInput };
        Kind kind = Kind::Key;
        std::int64_t step = 0;  // steps completed when it came
        std::int64_t wait = 0;  // the wait it came in, counting from 1; 0 between steps
        char key = 0;
        std::string text;
    };
    class Replay;

    Machine& machine_;
    Display& display_;
    std::vector<Checkpoint> checkpoints_;
    std::vector<Event> events_;
    std::vector<std::int64_t> inputSteps_;  // the steps that served an input entry point, rising
    std::size_t checkpointBytes_ = 0;
    const HistoryLimits limits_;
    std::int64_t spacing_;
    std::int64_t step_ = 0;
    std::int64_t lastStep_ = 0;
    std::int64_t waits_ = 0;        // waits begun since the start
    std::int64_t openWait_ = 0;     // the wait in progress, 0 when none
    Checkpoint end_{};              // the state after the run ended
    std::size_t replayCursor_ = 0;  // where the last run forward stopped in the inputs
    std::int64_t replayWaits_ = 0;
    bool recording_ = false;
    bool replaying_ = false;
    bool ended_ = false;
    // At the live end, the next step's input was served and recorded, and the step not finished.
    bool inputAhead_ = false;

    bool Listening() const { return recording_ && !replaying_ && !ended_; }
    void Record(Event::Kind kind, char key = 0, std::string text = {});
    void TakeCheckpoint();
    void Thin();
    void ForgetOldest();
    void CountCheckpointBytes();
    const Checkpoint& CheckpointAtOrBefore(std::int64_t step) const;
    void Restore(const Checkpoint& checkpoint);
    // Runs the recorded steps from the current one to `target`.
    void RunForward(std::int64_t target);
    // Does `work` with the recorded inputs handing themselves to the program in place of the
    // user, and the screen's listener told nothing; the replay's place is kept afterwards.
    template <class Work>
    void Replaying(Work work);
    // Hands the recorded inputs given between steps, from the replay's cursor on, to the program.
    void ApplyInputsBetweenSteps(Replay& replay);
};

}  // namespace q42
