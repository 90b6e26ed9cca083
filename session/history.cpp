#include "session/history.h"

#include <algorithm>
#include <utility>

namespace q42 {

// Serves the waits of a run that is being run again: each wait gets the inputs recorded for it,
// and a finished line its recorded text.
class History::Replay : public DisplayHost {
  public:
    Replay(History& history, std::size_t cursor, std::int64_t waits)
        : cursor(cursor), waits(waits), history_(history) {}

    std::size_t cursor;  // the next recorded event to hand over
    std::int64_t waits;  // waits begun since the start

    void BeginLineInput() override {}
    std::string InputLineText() override { return line_; }
    void HideInputLine() override {}
    bool WaitForEvents() override {
        // A replay that runs past the recorded waits has nothing more to give: it ends as input
        // that cannot come, instead of waiting for ever.
        if (++waits > history_.waits_) return false;
        bool inputCanCome = true;
        const auto& events = history_.events_;
        while (cursor < events.size() && events[cursor].wait == waits) {
            const Event& event = events[cursor++];
            if (event.kind == Event::Kind::NoInput) inputCanCome = false;
            Apply(event);
        }
        return inputCanCome;
    }

    // Hands one recorded input to the program as the user gave it.
    void Apply(const Event& event) {
        switch (event.kind) {
            case Event::Kind::Key: return history_.display_.KeyPress(event.key);
            case Event::Kind::Enter: return history_.display_.FinishInput();
            case Event::Kind::Line: line_ = event.text; return;
            case Event::Kind::Stop: return history_.display_.RequestStop();
            case Event::Kind::NoInput: return;
        }
    }

  private:
    History& history_;
    std::string line_;
};

std::size_t History::Checkpoint::Bytes() const {
    std::size_t bytes = sizeof(Checkpoint) + machine.keyBuffer.capacity();
    for (const auto& line : display.lines)
        bytes += sizeof(std::string) + line.capacity();
    return bytes;
}

History::History(Machine& machine, Display& display, HistoryLimits limits)
    : machine_(machine), display_(display), limits_(limits), spacing_(limits.spacing) {}

void History::Start() {
    checkpoints_.clear();
    events_.clear();
    checkpointBytes_ = 0;
    spacing_ = limits_.spacing;
    inputSteps_.clear();
    step_ = lastStep_ = 0;
    waits_ = openWait_ = 0;
    ended_ = false;
    inputAhead_ = false;
    recording_ = true;
    display_.inputObserver = this;
    TakeCheckpoint();
}

void History::AfterSteps(std::int64_t steps) {
    if (!Listening()) return;
    step_ += steps;
    lastStep_ = step_;
    inputAhead_ = false;
    if (step_ - checkpoints_.back().step >= spacing_) TakeCheckpoint();
}

void History::Finish() {
    if (!recording_) return;
    end_ = {step_, waits_, events_.size(), machine_.State(), display_.Save()};
    ended_ = true;
    display_.inputObserver = nullptr;
}

std::int64_t History::StepsToCheckpoint() const {
    if (!recording_) return std::numeric_limits<std::int64_t>::max();
    return std::max<std::int64_t>(1, checkpoints_.back().step + spacing_ - step_);
}

void History::OnStop() {
    Record(Event::Kind::Stop);
}

void History::OnKey(char key) {
    Record(Event::Kind::Key, key);
}

void History::OnEnter() {
    Record(Event::Kind::Enter);
}

void History::OnLine(const std::string& text) {
    // Taken after its wait ended: it belongs to that wait.
    if (!Listening()) return;
    events_.push_back({Event::Kind::Line, step_, waits_, 0, text});
}

void History::OnWaitBegins() {
    if (!Listening()) return;
    openWait_ = ++waits_;
}

void History::OnWaitEnds(bool inputCanCome) {
    if (!Listening()) return;
    if (!inputCanCome) Record(Event::Kind::NoInput);
    openWait_ = 0;
}

void History::OnInputEntry() {
    if (!Listening()) return;
    const std::int64_t step = step_ + machine_.StepOfBatch();
    if (inputSteps_.empty() || inputSteps_.back() != step) inputSteps_.push_back(step);
}

bool History::ServedInput(std::int64_t step) const {
    return std::binary_search(inputSteps_.begin(), inputSteps_.end(), step);
}

std::int64_t History::InputStepsBefore(std::int64_t step) const {
    return std::lower_bound(inputSteps_.begin(), inputSteps_.end(), step) - inputSteps_.begin();
}

void History::Record(Event::Kind kind, char key, std::string text) {
    if (!Listening()) return;
    events_.push_back({kind, step_, openWait_, key, std::move(text)});
    if (events_.size() > limits_.maxEvents) ForgetOldest();
}

// Forgets the older half of the checkpoints and the inputs before the first one kept. Recording
// happens only at the live end of the run, so the machine is past everything forgotten.
void History::ForgetOldest() {
    const std::size_t first = checkpoints_.size() / 2;
    if (first == 0 || checkpoints_[first].eventCount == 0) return;
    const std::size_t dropped = checkpoints_[first].eventCount;
    events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(dropped));
    checkpoints_.erase(checkpoints_.begin(),
                       checkpoints_.begin() + static_cast<std::ptrdiff_t>(first));
    for (Checkpoint& checkpoint : checkpoints_)
        checkpoint.eventCount -= dropped;
    replayCursor_ = 0;
    replayWaits_ = checkpoints_.front().waits;
    std::erase_if(inputSteps_, [&](std::int64_t s) { return s <= checkpoints_.front().step; });
    CountCheckpointBytes();
}

void History::CountCheckpointBytes() {
    checkpointBytes_ = 0;
    for (const auto& checkpoint : checkpoints_)
        checkpointBytes_ += checkpoint.Bytes();
}

void History::TakeCheckpoint() {
    checkpoints_.push_back({step_, waits_, events_.size(), machine_.State(), display_.Save()});
    checkpointBytes_ += checkpoints_.back().Bytes();
    if (checkpoints_.size() > limits_.maxCheckpoints || checkpointBytes_ > limits_.maxBytes) Thin();
}

// Drops every other checkpoint but the first and the last, and doubles the spacing of the ones
// to come, so that the history of a run of any length fits the budget.
void History::Thin() {
    std::vector<Checkpoint> kept;
    kept.reserve(checkpoints_.size() / 2 + 2);
    for (std::size_t i = 0; i < checkpoints_.size(); ++i) {
        if (i % 2 == 0 || i + 1 == checkpoints_.size()) kept.push_back(std::move(checkpoints_[i]));
    }
    checkpoints_ = std::move(kept);
    CountCheckpointBytes();
    spacing_ *= 2;
}

const History::Checkpoint& History::CheckpointAtOrBefore(std::int64_t step) const {
    const auto after = std::upper_bound(
        checkpoints_.begin(), checkpoints_.end(), step,
        [](std::int64_t s, const Checkpoint& checkpoint) { return s < checkpoint.step; });
    return *std::prev(after);
}

void History::GoTo(std::int64_t step) {
    if (!recording_) return;
    step = std::clamp<std::int64_t>(step, FirstStep(), lastStep_);
    if (ended_ && step == lastStep_) return Restore(end_);
    // A step whose input was served is not yet at a step's end: going to the step it began
    // from goes back over that input.
    const bool inStep = machine_.State().inputServed;
    if (step == step_ && !inStep) return;
    // Going forward a little runs on from here; anything else starts from a checkpoint.
    const Checkpoint& from = CheckpointAtOrBefore(step);
    if (step < step_ || from.step > step_ || (step == step_ && inStep)) Restore(from);
    RunForward(step);
}

History::Checkpoint History::Here() const {
    return {step_, replayWaits_, replayCursor_, machine_.State(), display_.Save()};
}

void History::Return(const Checkpoint& place) {
    Restore(place);
}

void History::ApplyInputsBetweenSteps(Replay& replay) {
    // A recorded wait ahead belongs to the next step's input, which is served when asked for.
    while (replay.cursor < events_.size() && events_[replay.cursor].wait == 0)
        replay.Apply(events_[replay.cursor++]);
}

void History::Restore(const Checkpoint& checkpoint) {
    machine_.Restore(checkpoint.machine);
    display_.Restore(checkpoint.display);
    step_ = checkpoint.step;
    replayCursor_ = checkpoint.eventCount;
    replayWaits_ = checkpoint.waits;
}

template <class Work>
void History::Replaying(Work work) {
    Replay replay(*this, replayCursor_, replayWaits_);
    DisplayHost& live = display_.SwapHost(replay);
    ScreenListener* listener = std::exchange(display_.listener, nullptr);
    replaying_ = true;
    work(replay);
    replaying_ = false;
    display_.listener = listener;
    display_.SwapHost(live);
    replayCursor_ = replay.cursor;
    replayWaits_ = replay.waits;
}

void History::RunForward(std::int64_t target) {
    Replaying([&](Replay& replay) {
        std::int64_t step = step_;
        while (step < target) {
            while (replay.cursor < events_.size() && events_[replay.cursor].wait == 0 &&
                   events_[replay.cursor].step == step)
                replay.Apply(events_[replay.cursor++]);
            std::int64_t limit = target - step;
            for (std::size_t i = replay.cursor; i < events_.size(); ++i) {
                if (events_[i].wait != 0) continue;
                limit = std::min(limit, events_[i].step - step);
                break;
            }
            const std::int64_t taken = machine_.RunSteps(limit);
            step += taken;
            if (taken < limit) break;  // the run ended here
        }
        // At the last step of a run still going, the inputs given since are part of where it is.
        if (step == lastStep_ && !ended_) ApplyInputsBetweenSteps(replay);
        step_ = step;
    });
}

void History::ServeInput() {
    if (!machine_.AtInputEntry()) return;
    const bool live = step_ == lastStep_ && !inputAhead_;
    if (!recording_ || live) {
        machine_.ServeInputEntry();
        inputAhead_ = Listening();
        return;
    }
    Replaying([this](Replay& replay) {
        machine_.ServeInputEntry();
        // Keys typed while the run was paused after this input belong to where it is now.
        if (step_ == lastStep_ && !ended_) ApplyInputsBetweenSteps(replay);
    });
}

void History::Branch() {
    if (!recording_ || step_ == lastStep_) return;
    events_.resize(replayCursor_);
    while (checkpoints_.size() > 1 && checkpoints_.back().step > step_) {
        checkpointBytes_ -= checkpoints_.back().Bytes();
        checkpoints_.pop_back();
    }
    waits_ = replayWaits_;
    lastStep_ = step_;
    ended_ = false;
    // A step whose input was served here keeps that input: it is the run's next step now.
    inputAhead_ = machine_.State().inputServed;
    const std::int64_t kept = step_ + (inputAhead_ ? 1 : 0);
    while (!inputSteps_.empty() && inputSteps_.back() > kept)
        inputSteps_.pop_back();
    display_.inputObserver = this;
}

}  // namespace q42
