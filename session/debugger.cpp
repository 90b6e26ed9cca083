#include "session/debugger.h"

#include <algorithm>
#include <utility>

#include "assembler/disassembler.h"
#include "assembler/mnemonic.h"
#include "session/step_story.h"

namespace q42 {
namespace {

std::string Flag(Value ps, Value flag) {
    return (ps & flag) != 0 ? "1" : "0";
}

// What a step changed, in the order the processor window shows it, then memory and the ports.
std::vector<StepExplanation::Change> Changes(const MachineState& a, const MachineState& b) {
    std::vector<StepExplanation::Change> changes;
    const auto add = [&](std::string what, std::string before, std::string after) {
        if (before != after)
            changes.push_back({std::move(what), std::move(before), std::move(after)});
    };
    for (int n = 0; n < 4; ++n)
        add("R" + std::to_string(n), WordToHex(a.r[n]), WordToHex(b.r[n]));
    add("PC", WordToHex(a.pc), WordToHex(b.pc));
    add("SP", WordToHex(a.sp), WordToHex(b.sp));
    add("N", Flag(a.ps, kFlagN), Flag(b.ps, kFlagN));
    add("Z", Flag(a.ps, kFlagZ), Flag(b.ps, kFlagZ));
    for (int i = 0; i < kRamWords; ++i)
        add("[" + WordToHex(Value{2} * i) + "]", WordToHex(a.ram[i]), WordToHex(b.ram[i]));
    for (int port = 0; port < kPortCount; ++port)
        add("P." + std::to_string(port), WordToHex(a.ports[port]), WordToHex(b.ports[port]));
    return changes;
}

std::string EntryText(Value entry) {
    const bool number = entry == kIntegerEntry;
    if (EnglishTexts()) return number ? "a number read into R1" : "TRUE or FALSE read into R1";
    return number ? "ввод числа в R1" : "ввод TRUE или FALSE в R1";
}

std::string Then() {
    return EnglishTexts() ? "then " : "затем ";
}

// What the input part of a step does, in the words of the instruction table.
std::string EntryDoes(Value entry) {
    const bool number = entry == kIntegerEntry;
    if (EnglishTexts()) {
        return number ? "R1 := the number typed (0..FFFF); return as RET does"
                      : "R1 := 1 for TRUE, 0 otherwise; return as RET does";
    }
    return number ? "R1 := введённое число (0..FFFF); возврат, как RET"
                  : "R1 := 1 для TRUE, иначе 0; возврат, как RET";
}

std::string Does(Value word) {
    const Mnemonic* entry = NamingEntry(InstructionWord(word));
    if (entry == nullptr) return {};
    return std::string(EnglishTexts() ? entry->does.english : entry->does.russian);
}

}  // namespace

void SourceMap::Set(const Assembly& assembly) {
    Clear();
    for (const AssembledWord& word : assembly.code) {
        const HexWord loaded = HexToWord(word.CodeLine());
        if (loaded.error != Fault::None) return Clear();
        words_.push_back(loaded.value);
        lines_.push_back(word.sourceLine);
    }
    names_.Set(assembly);
}

void SourceMap::Clear() {
    lines_.clear();
    words_.clear();
    names_.Clear();
}

int SourceMap::LineAt(const Machine& machine, Value address) const {
    if (!Machine::IsRamAddress(address) || (address & 1) != 0) return 0;
    const auto index = static_cast<std::size_t>(address >> 1);
    if (index >= words_.size() || machine.PeekWord(address) != words_[index]) return 0;
    return lines_[index];
}

int SourceMap::LineOfWord(Value address) const {
    if (!Holds(address) || (address & 1) != 0) return 0;
    return lines_[static_cast<std::size_t>(address >> 1)];
}

std::optional<Value> SourceMap::AddressOf(int line) const {
    const auto found = std::find(lines_.begin(), lines_.end(), line);
    if (found == lines_.end() || line <= 0) return std::nullopt;
    return static_cast<Value>(2 * (found - lines_.begin()));
}

std::optional<Value> SourceMap::AddressFrom(int line) const {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i] >= line && lines_[i] > 0 && (!best || lines_[i] < lines_[*best])) best = i;
    }
    if (!best) return std::nullopt;
    return static_cast<Value>(2 * *best);
}

Debugger::Debugger(Machine& machine, RunControl& run, History& history, const SourceMap& source)
    : machine_(machine), run_(run), history_(history), source_(source) {
    run_.SetHistory(&history_);
}

int Debugger::Break(Value address, int line) {
    points_.push_back({nextNumber_, DebugPoint::Kind::Break, address, line});
    return nextNumber_++;
}

int Debugger::Watch(Value address) {
    points_.push_back({nextNumber_, DebugPoint::Kind::Watch, address & ~Value{1}});
    return nextNumber_++;
}

bool Debugger::Delete(int number) {
    return std::erase_if(points_, [&](const DebugPoint& p) { return p.number == number; }) > 0;
}

void Debugger::BeginIfIdle() {
    if (!started_) Begin();
}

void Debugger::Begin() {
    run_.BeginRun();
    started_ = true;
    asRun_ = true;
    ++generation_;
}

void Debugger::Attach() {
    machine_.ClearStop();
    history_.Start();
    started_ = true;
    asRun_ = false;
    ++generation_;
}

void Debugger::Rebase() {
    if (!started_) return;
    history_.Start();
    ++generation_;
}

void Debugger::Forget() {
    history_.Stop();
    started_ = false;
    ++generation_;
}

DebugPause Debugger::Run() {
    Begin();
    if (auto pause = BreakpointAtPc()) return *pause;
    return Continue();
}

std::optional<DebugPause> Debugger::BreakpointAtPc() const {
    for (const auto& p : points_) {
        if (p.kind == DebugPoint::Kind::Break && p.address == machine_.State().pc)
            return DebugPause{DebugPause::Reason::Breakpoint, p.number, p.address};
    }
    return std::nullopt;
}

void Debugger::EndIfOver() {
    if (!machine_.State().stopFlag && !machine_.Failed()) return;
    if (asRun_) {
        run_.EndRun();
    } else {
        history_.Finish();
    }
}

bool Debugger::StepOnce() {
    if (history_.Step() < history_.LastStep()) {
        history_.GoTo(history_.Step() + 1);
        return true;
    }
    if (history_.Ended()) return false;
    machine_.ExecuteStep();
    history_.AfterSteps(1);
    EndIfOver();
    return true;
}

std::vector<Debugger::Watched> Debugger::WatchedWords() const {
    std::vector<Watched> words;
    for (const auto& p : points_) {
        if (p.kind == DebugPoint::Kind::Watch)
            words.push_back({p.number, machine_.PeekWord(p.address)});
    }
    return words;
}

std::optional<DebugPause> Debugger::PauseAfterStep(const std::vector<Watched>& watched) const {
    for (const auto& p : points_) {
        if (p.kind != DebugPoint::Kind::Watch) continue;
        const auto before = std::find_if(watched.begin(), watched.end(),
                                         [&](const Watched& w) { return w.number == p.number; });
        if (before == watched.end()) continue;  // set during the step
        const Value current = machine_.PeekWord(p.address);
        if (before->word != current) {
            return DebugPause{DebugPause::Reason::Watchpoint, p.number, p.address, before->word,
                              current};
        }
    }
    if (Ended()) return std::nullopt;
    return BreakpointAtPc();
}

bool Debugger::EventsAskPause(std::int64_t& sinceEvents) {
    RunHost& host = run_.Host();
    if (++sinceEvents >= host.StepsBeforeEvents()) {
        host.ProcessEvents(sinceEvents);
        sinceEvents = 0;
    }
    return std::exchange(pauseRequested_, false);
}

template <class More, class AfterInput>
DebugPause Debugger::Go(More more, AfterInput afterInput) {
    BeginIfIdle();
    pauseRequested_ = false;
    std::int64_t sinceEvents = 0;
    for (std::int64_t taken = 0;; ++taken) {
        if (Ended()) return {DebugPause::Reason::Ended};
        if (!more(taken)) return {DebugPause::Reason::Stepped};
        if (taken >= stepLimit_) return {DebugPause::Reason::StepLimit};
        if (taken > 0 && EventsAskPause(sinceEvents)) return {DebugPause::Reason::Stepped};
        if (machine_.AtInputEntry()) {
            if (auto pause = ServeInput(afterInput)) return *pause;
        }
        const std::vector<Watched> watched = WatchedWords();
        if (!StepOnce()) return {DebugPause::Reason::Ended};
        if (auto pause = PauseAfterStep(watched)) return *pause;
    }
}

template <class AfterInput>
std::optional<DebugPause> Debugger::ServeInput(AfterInput afterInput) {
    history_.ServeInput();
    // A stop during the input ends the step as it always has: its instruction runs, then the
    // run ends.
    if (machine_.State().stopFlag) return std::nullopt;
    if (auto pause = BreakpointAtPc()) return pause;
    if (afterInput()) return DebugPause{DebugPause::Reason::Stepped};
    return std::nullopt;
}

DebugPause Debugger::Continue() {
    BeginIfIdle();
    // With nothing to watch for, the live part of the run goes in batches, as a run does.
    if (!points_.empty() || history_.Step() < history_.LastStep()) {
        return Go([](std::int64_t) { return true; }, [] { return false; });
    }
    if (Ended()) return {DebugPause::Reason::Ended};
    pauseRequested_ = false;
    bool paused = false;
    run_.RunBatches(stepLimit_, &history_, [this, &paused](std::int64_t steps) {
        EndIfOver();
        if (Ended()) return false;
        run_.Host().ProcessEvents(steps);
        paused = std::exchange(pauseRequested_, false);
        return !paused;
    });
    if (Ended()) return {DebugPause::Reason::Ended};
    return {paused ? DebugPause::Reason::Stepped : DebugPause::Reason::StepLimit};
}

DebugPause Debugger::StepInto(std::int64_t count) {
    return Go([count](std::int64_t taken) { return taken < count; }, [] { return false; });
}

DebugPause Debugger::StepOver(std::int64_t count) {
    DebugPause pause;
    for (std::int64_t i = 0; i < count && pause.reason == DebugPause::Reason::Stepped; ++i) {
        BeginIfIdle();
        const Value sp = machine_.State().sp;
        const bool call = InstructionWord(machine_.PeekWord(machine_.State().pc)).Calls();
        pause = StepInto(1);
        if (pause.reason != DebugPause::Reason::Stepped || !call) continue;
        if (machine_.State().sp != sp - 2) continue;  // not taken, or served at once
        const Value back = machine_.PeekWord(machine_.State().sp);
        const auto returned = [&] {
            return machine_.State().pc == back && machine_.State().sp >= sp;
        };
        pause = Go([&](std::int64_t) { return !returned(); }, returned);
    }
    return pause;
}

DebugPause Debugger::StepOut() {
    const Value sp = machine_.State().sp;
    bool returned = false;
    // An input entry point returns as RET does; the instruction its step then runs is the one
    // at the return address, which may itself be a return.
    const auto returns = [&] {
        returned = InstructionWord(machine_.PeekWord(machine_.State().pc)).Returns();
    };
    return Go(
        [&](std::int64_t taken) {
            if (taken > 0 && returned && machine_.State().sp > sp) return false;
            returns();
            return true;
        },
        [&] {
            if (machine_.State().sp > sp) return true;
            returns();
            return false;
        });
}

DebugPause Debugger::RunTo(Value address) {
    return Go([&](std::int64_t taken) { return taken == 0 || machine_.State().pc != address; },
              [&] { return machine_.State().pc == address; });
}

void Debugger::GoTo(std::int64_t step) {
    if (started_) history_.GoTo(step);
}

std::int64_t Debugger::Back(std::int64_t count) {
    std::int64_t went = 0;
    if (count > 0 && InputServed()) {
        history_.GoTo(history_.Step());
        went = 1;
    }
    const std::int64_t steps =
        std::clamp<std::int64_t>(count - went, 0, history_.Step() - history_.FirstStep());
    history_.GoTo(history_.Step() - steps);
    return went + steps;
}

std::int64_t Debugger::LogRows() const {
    if (!started_) return 0;
    const std::int64_t last = history_.LastStep();
    const bool inputAhead = InputServed() && history_.Step() == last;
    return last + history_.InputStepsBefore(last + 1) + (inputAhead ? 1 : 0);
}

std::int64_t Debugger::RowOf(LogPosition position) const {
    const std::int64_t before = position.step - 1 + history_.InputStepsBefore(position.step);
    return before + (!position.input && history_.ServedInput(position.step) ? 1 : 0);
}

LogPosition Debugger::LogRow(std::int64_t row) const {
    // The last step whose first row is at or before `row`.
    std::int64_t low = 1;
    std::int64_t high = history_.LastStep() + 1;
    while (low < high) {
        const std::int64_t middle = low + (high - low + 1) / 2;
        if (RowOf({middle, true}) <= row) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return {low, history_.ServedInput(low) && RowOf({low, true}) == row};
}

std::int64_t Debugger::CurrentRow() const {
    if (!started_) return -1;
    if (InputServed()) return RowOf({history_.Step() + 1, true});
    return history_.Step() == 0 ? -1 : RowOf({history_.Step(), false});
}

void Debugger::GoTo(LogPosition position) {
    if (!started_) return;
    if (!position.input) return GoTo(position.step);
    if (InputServed() && history_.Step() + 1 == position.step) return;
    history_.GoTo(position.step - 1);
    history_.ServeInput();
}

std::pair<MachineState, MachineState> Debugger::StatesAround(LogPosition position) {
    const History::Checkpoint here = history_.Here();
    history_.GoTo(position.step - 1);
    const bool split = history_.ServedInput(position.step);
    if (split && !position.input) history_.ServeInput();
    const MachineState before = machine_.State();
    if (position.input) {
        history_.ServeInput();
    } else {
        history_.GoTo(position.step);
    }
    std::pair<MachineState, MachineState> states{before, machine_.State()};
    history_.Return(here);
    return states;
}

std::optional<StepExplanation> Debugger::Explain(std::int64_t step) {
    if (!started_ || step <= history_.FirstStep() || step > history_.LastStep())
        return std::nullopt;
    if (history_.ServedInput(step)) return ExplainWhole(step);
    const History::Checkpoint here = history_.Here();
    // Forward by one step from the state before it, so that only one replay runs.
    history_.GoTo(step - 1);
    const MachineState before = machine_.State();
    history_.GoTo(step);
    const MachineState after = machine_.State();
    history_.Return(here);
    StepExplanation explanation;
    explanation.step = step;
    explanation.address = after.commandAddress;
    DescribeInstruction(explanation, before, after, explanation.address);
    explanation.changes = Changes(before, after);
    return explanation;
}

std::optional<StepExplanation> Debugger::ExplainWhole(std::int64_t step) {
    auto input = Explain(LogPosition{step, true});
    auto rest = Explain(LogPosition{step, false});
    if (!input || !rest) return std::nullopt;
    const History::Checkpoint here = history_.Here();
    history_.GoTo(step - 1);
    const MachineState before = machine_.State();
    history_.GoTo(step);
    input->changes = Changes(before, machine_.State());
    history_.Return(here);
    input->text = EntryText(input->address) + ", " + Then() + rest->text;
    input->story += "; " + Then() + rest->story;
    input->does = std::move(rest->does);
    return input;
}

std::optional<StepExplanation> Debugger::Explain(LogPosition position) {
    if (!started_ || position.step <= history_.FirstStep() || RowOf(position) >= LogRows())
        return std::nullopt;
    if (!history_.ServedInput(position.step)) return Explain(position.step);
    const auto states = StatesAround(position);
    const MachineState& before = states.first;
    const MachineState& after = states.second;
    StepExplanation explanation;
    explanation.step = position.step;
    explanation.changes = Changes(before, after);
    if (position.input) {
        explanation.address = after.commandAddress;
        explanation.text = EntryText(after.commandAddress);
        explanation.story = InputStory(after.commandAddress, after);
        explanation.does = EntryDoes(after.commandAddress);
        return explanation;
    }
    // The instruction at the return address.
    explanation.address = before.pc;
    DescribeInstruction(explanation, before, after, before.pc);
    return explanation;
}

void Debugger::DescribeInstruction(StepExplanation& explanation, const MachineState& before,
                                   const MachineState& after, Value address) const {
    // The instruction as memory held it before the step: a step may write over its own code.
    const auto read = [this, &before](Value at) {
        return Machine::IsRamAddress(at) ? before.ram[at >> 1] : machine_.PeekWord(at);
    };
    explanation.text += Disassemble(read, address).text;
    explanation.story = InstructionStory({machine_, before, after}, address, source_.Names());
    explanation.does = Does(read(address));
}

}  // namespace q42
