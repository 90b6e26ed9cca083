// One case's run: a session of its own whose screen takes the case's language, whose keyboard
// takes the case's input lines and keys as the program reads them, and whose run loop stops at
// the case's step limit, keeping where the last steps ran.

#include <algorithm>
#include <deque>

#include "exercise/checker.h"
#include "machine/codepage.h"
#include "session/session.h"

namespace q42 {
namespace {

class CaseHost : public DisplayHost, public RunHost {
  public:
    explicit CaseHost(const ExerciseCase& exerciseCase)
        : screen(MakeScreenCheck(exerciseCase)),
          lines_(exerciseCase.input.begin(), exerciseCase.input.end()),
          keys_(exerciseCase.keys),
          limit_(exerciseCase.maxSteps) {}

    // The session the case runs in; made with this host.
    void Attach(Session& session) { session_ = &session; }

    std::unique_ptr<ScreenCheck> screen;
    std::int64_t steps = 0;
    bool inputRanOut = false;
    bool limitReached = false;
    std::set<Value> lastAddresses;

    void BeginLineInput() override {}
    std::string InputLineText() override { return line_; }
    void HideInputLine() override {}
    // A line input takes the next line; a key read takes the next key, as q42cli run gives the
    // keys of its standard input, so that any number of keys fits the keyboard buffer.
    bool WaitForEvents() override {
        Display& display = session_->display;
        if (display.LineInputActive() && !lines_.empty()) {
            line_ = lines_.front();
            lines_.pop_front();
            display.FinishInput();
            return true;
        }
        if (display.KeyWaitActive() && keysRead_ < keys_.size()) {
            display.TypeKey(keys_[keysRead_++]);
            return true;
        }
        inputRanOut = true;
        return false;
    }

    // The last kLastSteps steps go one at a time, to see where they ran.
    std::int64_t StepsBeforeEvents() override {
        const std::int64_t watched = limit_ - kLastSteps;
        return steps < watched ? watched - steps : 1;
    }
    void ProcessEvents(std::int64_t taken) override {
        steps += taken;
        const Machine& machine = session_->machine;
        if (steps > limit_ - kLastSteps) lastAddresses.insert(machine.State().commandAddress);
        if (steps >= limit_ && !machine.State().stopFlag && !machine.Failed()) {
            limitReached = true;
            session_->run.StopProgram();
        }
    }

    std::vector<std::string> UnreadLines() const { return {lines_.begin(), lines_.end()}; }
    std::string UnreadKeys() const { return keys_.substr(keysRead_); }

  private:
    Session* session_ = nullptr;
    std::deque<std::string> lines_;
    std::string line_;
    std::string keys_;
    std::size_t keysRead_ = 0;
    const std::int64_t limit_;
};

RunEnd EndOf(const CaseHost& host, const Session& session) {
    if (session.machine.Failed()) return RunEnd::Error;
    if (host.limitReached) return RunEnd::StepLimit;
    if (host.inputRanOut) return RunEnd::NoInput;
    if (session.display.stopRequested) return RunEnd::Stopped;
    return RunEnd::Halt;
}

void SetStart(Machine& machine, const ExerciseCase& exerciseCase) {
    for (const auto& [name, value] : exerciseCase.registers) {
        if (name == "PC") {
            machine.EditPc(value);
        } else if (name == "SP") {
            machine.EditSp(value);
        } else if (name[0] == 'R') {
            machine.EditRegister(name[1] - '0', value);
        }
    }
}

}  // namespace

std::string_view RunEndName(RunEnd end) {
    switch (end) {
        case RunEnd::Halt: return "halt";
        case RunEnd::Error: return "error";
        case RunEnd::StepLimit: return "step limit";
        case RunEnd::NoInput: return "no input";
        case RunEnd::Stopped: return "stopped";
    }
    return "halt";
}

std::vector<std::string> ProgramLines(const std::vector<std::string>& transcript) {
    struct Collected : ProgramLineStream {
        std::vector<std::string> lines;
        void ProgramLine(std::string line) override { lines.push_back(std::move(line)); }
    } collected;
    // The last line is the screen's current line at the end.
    for (std::size_t i = 0; i + 1 < transcript.size(); ++i)
        collected.LineFinished(transcript[i]);
    collected.Finish();
    return collected.lines;
}

CaseOutcome RunCase(const Machine& loaded, const ExerciseCase& exerciseCase) {
    CaseHost host(exerciseCase);
    Session session(host, host, RunHistory::None);
    host.Attach(session);
    session.UseMachine(loaded);
    Machine& machine = session.machine;
    session.display.listener = host.screen.get();
    // The screen's own language: the machine's texts of this run, whatever the interface's.
    session.display.screenLanguage = exerciseCase.language;
    for (const auto& [address, word] : exerciseCase.memory)
        machine.LoadWord(address, word);
    session.run.BeginRun();
    SetStart(machine, exerciseCase);
    session.run.ContinueRun();
    host.screen->Finish();

    CaseOutcome outcome;
    RunOutcome& run = outcome.run;
    run.end = EndOf(host, session);
    run.steps = host.steps;
    if (run.end == RunEnd::Error) run.errorText = Cp1251ToUtf8(machine.RunErrorText());
    run.state = machine.State();
    outcome.missingLine = host.screen->Missing();
    outcome.unreadLines = host.UnreadLines();
    outcome.unreadKeys = host.UnreadKeys();
    if (run.end == RunEnd::StepLimit) outcome.lastAddresses = std::move(host.lastAddresses);
    return outcome;
}

}  // namespace q42
