// One case's run: a session of its own whose screen takes the case's language, whose keyboard
// takes the case's input lines and keys as the program reads them (the case's start, set as the
// debugger sets it when a case is opened), and whose run loop stops at the case's step limit,
// keeping where the last steps ran.

#include <algorithm>

#include "exercise/case_start.h"
#include "exercise/checker.h"
#include "machine/codepage.h"
#include "session/session.h"

namespace q42 {
namespace {

// The case's input lines and keys are typed ahead by SetCaseStart: a line input takes the next
// line, a key read the next key, as q42cli run gives the keys of its standard input, so that any
// number of keys fits the keyboard buffer. A wait that finds nothing ends the run.
class CaseHost : public DisplayHost, public RunHost {
  public:
    explicit CaseHost(const ExerciseCase& exerciseCase)
        : screen(MakeScreenCheck(exerciseCase)), limit_(exerciseCase.maxSteps) {}

    // The session the case runs in; made with this host.
    void Attach(Session& session) { session_ = &session; }

    std::unique_ptr<ScreenCheck> screen;
    std::int64_t steps = 0;
    bool inputRanOut = false;
    bool limitReached = false;
    std::set<Value> lastAddresses;

    void BeginLineInput() override {}
    std::string InputLineText() override { return session_->typed.Line(); }
    void HideInputLine() override {}
    bool WaitForEvents() override {
        TypedInput& typed = session_->typed;
        if (session_->display.LineInputActive() ? typed.Serve() : typed.ServeKey()) return true;
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

  private:
    Session* session_ = nullptr;
    const std::int64_t limit_;
};

RunEnd EndOf(const CaseHost& host, const Session& session) {
    if (session.machine.Failed()) return RunEnd::Error;
    if (host.limitReached) return RunEnd::StepLimit;
    if (host.inputRanOut) return RunEnd::NoInput;
    if (session.display.stopRequested) return RunEnd::Stopped;
    return RunEnd::Halt;
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
    session.run.BeginRun();
    SetCaseStart(session, exerciseCase);
    session.run.ContinueRun();
    host.screen->Finish();

    CaseOutcome outcome;
    RunOutcome& run = outcome.run;
    run.end = EndOf(host, session);
    run.steps = host.steps;
    if (run.end == RunEnd::Error) run.errorText = Cp1251ToUtf8(machine.RunErrorText());
    run.state = machine.State();
    outcome.missingLine = host.screen->Missing();
    outcome.unreadLines = session.typed.UnreadTexts();
    outcome.unreadKeys = session.typed.UnreadKeys();
    if (run.end == RunEnd::StepLimit) outcome.lastAddresses = std::move(host.lastAddresses);
    return outcome;
}

}  // namespace q42
