#include "session/commands.h"

#include <utility>

namespace q42 {

std::optional<Value> Commands::LineAddress(int line) const {
    return source_.AddressFrom(line);
}

std::optional<DebugPoint> Commands::BreakAtLine(int line) {
    const auto address = LineAddress(line);
    if (!address) return std::nullopt;
    pointsFromViews_ = false;
    const int number = debugger_.Break(*address, line);
    return DebugPoint{number, DebugPoint::Kind::Break, *address, line};
}

DebugPoint Commands::BreakAt(Value address) {
    pointsFromViews_ = false;
    return {debugger_.Break(address), DebugPoint::Kind::Break, address};
}

DebugPoint Commands::Watch(Value address) {
    pointsFromViews_ = false;
    debugger_.Watch(address);
    return debugger_.Points().back();
}

bool Commands::Delete(int number) {
    return debugger_.Delete(number);
}

void Commands::DeleteAll() {
    breakLines_.clear();
    breakAddresses_.clear();
    debugger_.DeleteAll();
}

void Commands::SetBreakpoints(std::vector<int> lines, std::vector<Value> addresses) {
    pointsFromViews_ = true;
    breakLines_ = std::move(lines);
    breakAddresses_ = std::move(addresses);
}

void Commands::Prepare(std::int64_t steps) {
    if (pointsFromViews_) {
        debugger_.DeleteAll();
        for (const int line : breakLines_) {
            if (const auto address = LineAddress(line)) debugger_.Break(*address, line);
        }
        for (const Value address : breakAddresses_)
            debugger_.Break(address);
    }
    debugger_.SetStepLimit(steps);
    lastAim_.reset();
    resumeAim_.reset();
    // The lines an earlier command's input took are done with.
    typed_.InputEnded();
}

void Commands::Begin() {
    Prepare(stepLimit_);
    debugger_.Begin();
}

DebugPause Commands::Run() {
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    return debugger_.Run();
}

DebugPause Commands::Continue() {
    return Continue(stepLimit_);
}

DebugPause Commands::Continue(std::int64_t steps) {
    Prepare(steps);
    const BusyScope busy(run_);
    if (debugger_.Paused()) return debugger_.Continue();
    if (whenNotPaused_ == WhenNotPaused::OneRun && debugger_.Started())
        return {DebugPause::Reason::Ended};
    return debugger_.Run();
}

std::optional<DebugPause> Commands::ReadyToStep() {
    if (debugger_.Paused()) return std::nullopt;
    if (whenNotPaused_ == WhenNotPaused::StepFromHere) {
        debugger_.Attach();
    } else if (debugger_.Started()) {
        return DebugPause{DebugPause::Reason::Ended};
    } else {
        debugger_.Begin();
    }
    return std::nullopt;
}

DebugPause Commands::FirstCommand() {
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    machine_.EditPc(0);
    debugger_.Attach();
    return debugger_.StepInto(1);
}

DebugPause Commands::Step(std::int64_t count) {
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    if (const auto end = ReadyToStep()) return *end;
    return debugger_.StepInto(count);
}

// A step over or step out given again after its step was taken back goes on from the step that
// waited. When that step is deeper in the stack than the command's aim, the rest of the way is
// steps out, so that the command still ends where it aimed: after the input, when the input is
// where the call returns.
template <class Command>
DebugPause Commands::Rise(Value goal, Command command) {
    std::optional<Value> aim = std::exchange(resumeAim_, std::nullopt);
    if (resumeGeneration_ != debugger_.Generation()) aim.reset();
    Prepare(stepLimit_);
    lastAim_ = aim.value_or(goal);
    const BusyScope busy(run_);
    if (const auto end = ReadyToStep()) return *end;
    if (!aim || Sp() >= *aim) return command();
    DebugPause pause;
    while (pause.reason == DebugPause::Reason::Stepped && Sp() < *aim) {
        const Value before = Sp();
        pause = debugger_.StepOut();
        if (Sp() <= before) break;
    }
    return pause;
}

DebugPause Commands::StepOver(std::int64_t count) {
    return Rise(Sp(), [&] { return debugger_.StepOver(count); });
}

DebugPause Commands::StepOut() {
    return Rise(Sp() + 1, [&] { return debugger_.StepOut(); });
}

std::optional<DebugPause> Commands::RunToLine(int line) {
    const auto address = LineAddress(line);
    if (!address) return std::nullopt;
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    if (!debugger_.Paused()) {
        if (whenNotPaused_ == WhenNotPaused::OneRun && debugger_.Started())
            return DebugPause{DebugPause::Reason::Ended};
        debugger_.Begin();
        if (machine_.State().pc == *address) return DebugPause{};
    }
    return debugger_.RunTo(*address);
}

std::int64_t Commands::Back(std::int64_t count) {
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    return debugger_.Back(count);
}

void Commands::GoTo(LogPosition position) {
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    debugger_.GoTo(position);
}

std::optional<DebugPause> Commands::Stop() {
    if (run_.Busy()) {
        // Going through the history there is nothing to interrupt: the command pauses.
        if (debugger_.Step() < debugger_.LastStep()) {
            debugger_.RequestPause();
        } else {
            run_.StopProgram();
        }
        return std::nullopt;
    }
    if (!debugger_.Paused()) return std::nullopt;
    Prepare(stepLimit_);
    const BusyScope busy(run_);
    if (debugger_.Step() < debugger_.LastStep()) history_.Branch();
    run_.StopProgram();
    return debugger_.StepInto(1);
}

void Commands::TakeBackLastStep() {
    history_.GoTo(debugger_.LastStep() - 1);
    history_.Branch();
    typed_.GiveBackTaken();
    resumeAim_ = lastAim_;
    resumeGeneration_ = debugger_.Generation();
}

}  // namespace q42
