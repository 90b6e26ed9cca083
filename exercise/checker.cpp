#include "exercise/checker.h"

#include <algorithm>

#include "assembler/assembler.h"
#include "exercise/case_start.h"
#include "machine/codepage.h"
#include "machine/language.h"
#include "session/code_loading.h"
#include "session/session.h"

namespace q42 {
namespace {

std::string Pick(const char* russian, const char* english) {
    return EnglishTexts() ? english : russian;
}

// Replaces each %s of `pattern` by the next of `parts`.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> parts) {
    std::string text;
    auto part = parts.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%s") == 0 && part != parts.end()) {
            text += *part++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// The screen, the keyboard and the run loop of one case: the case's input lines, typed ahead
// by SetCaseStart, for line inputs; no waiting for input it does not give, and no more steps
// than it allows.
class CaseHost : public DisplayHost, public RunHost {
  public:
    explicit CaseHost(const ExerciseCase& exerciseCase)
        : screen(exerciseCase), limit_(exerciseCase.maxSteps) {}

    // The session the case runs in; made with this host.
    void Attach(Session& session) { session_ = &session; }

    ScreenMatch screen;
    std::int64_t steps = 0;
    bool inputRanOut = false;
    bool limitReached = false;

    void BeginLineInput() override {}
    std::string InputLineText() override { return session_->typed.Line(); }
    void HideInputLine() override {}
    bool WaitForEvents() override {
        if (session_->display.LineInputActive() && session_->typed.Serve()) return true;
        inputRanOut = true;
        return false;
    }

    std::int64_t StepsBeforeEvents() override { return std::max<std::int64_t>(1, limit_ - steps); }
    void ProcessEvents(std::int64_t taken) override {
        steps += taken;
        const Machine& machine = session_->machine;
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

std::string EndDifference(const ExerciseCase& exerciseCase, const RunOutcome& outcome) {
    switch (outcome.end) {
        case RunEnd::Halt: return {};
        case RunEnd::Error:
            return Fill(Pick("ошибка выполнения в %s: %s", "run-time error at %s: %s"),
                        {WordToHex(outcome.state.commandAddress), outcome.errorText});
        case RunEnd::StepLimit:
            return Fill(Pick("не остановилась за %s шагов", "did not halt within %s steps"),
                        {std::to_string(exerciseCase.maxSteps)});
        case RunEnd::NoInput:
            return Pick("ждала ввода, которого в варианте нет",
                        "waited for input that the case does not give");
        case RunEnd::Stopped: return Pick("остановлена до HLT", "was stopped before HLT");
    }
    return {};
}

std::string ScreenDifference(const std::optional<MissingLine>& missing) {
    if (!missing) return {};
    const std::string number = std::to_string(missing->lineNumber);
    const std::string expected = Cp1251ToUtf8(missing->expected);
    if (!missing->got) {
        return Fill(Pick("строка экрана %s: ожидалось «%s», а строки нет",
                         "screen line %s: expected \"%s\", got nothing"),
                    {number, expected});
    }
    return Fill(Pick("строка экрана %s: ожидалось «%s», получено «%s»",
                     "screen line %s: expected \"%s\", got \"%s\""),
                {number, expected, Cp1251ToUtf8(*missing->got)});
}

Value RegisterValue(const MachineState& state, const std::string& name) {
    if (name == "PC") return state.pc;
    if (name == "SP") return state.sp;
    if (name == "PS") return state.ps;
    return state.r[static_cast<std::size_t>(name[1] - '0')];
}

// A word as hex digits and, for reading at a glance, as a signed number: "FFD6 (-42)".
std::string WordText(Value word) {
    const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(word));
    return WordToHex(word) + " (" + std::to_string(value) + ")";
}

std::string WordDifference(const std::string& what, Value expected, Value got) {
    if (expected == got) return {};
    return Fill(Pick("%s: ожидалось %s, получено %s", "%s: expected %s, got %s"),
                {what, WordText(expected), WordText(got)});
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
    session.display.listener = &host.screen;
    session.run.BeginRun();
    SetCaseStart(session, exerciseCase);
    session.run.ContinueRun();
    host.screen.Finish();

    CaseOutcome outcome;
    RunOutcome& run = outcome.run;
    run.end = EndOf(host, session);
    run.steps = host.steps;
    if (run.end == RunEnd::Error) run.errorText = Cp1251ToUtf8(machine.RunErrorText());
    run.state = machine.State();
    outcome.missingLine = host.screen.Missing();
    return outcome;
}

std::vector<std::string> Differences(const ExerciseCase& exerciseCase, const CaseOutcome& outcome) {
    const RunOutcome& run = outcome.run;
    std::vector<std::string> differences;
    const auto add = [&differences](std::string difference) {
        if (!difference.empty()) differences.push_back(std::move(difference));
    };
    if (exerciseCase.expect.halt) add(EndDifference(exerciseCase, run));
    add(ScreenDifference(outcome.missingLine));
    for (const char* name : {"R0", "R1", "R2", "R3", "PC", "SP", "PS"}) {
        const auto expected = exerciseCase.expect.registers.find(name);
        if (expected != exerciseCase.expect.registers.end())
            add(WordDifference(name, expected->second, RegisterValue(run.state, name)));
    }
    for (const auto& [address, word] : exerciseCase.expect.memory) {
        add(WordDifference("[" + WordToHex(address) + "]", word,
                           run.state.ram[static_cast<std::size_t>(address >> 1)]));
    }
    return differences;
}

std::vector<CaseResult> FailEveryCase(const Exercise& exercise, const std::string& why) {
    std::vector<CaseResult> results;
    for (const ExerciseCase& exerciseCase : exercise.cases)
        results.push_back({Cp1251ToUtf8(exerciseCase.name), {why}, 0, "not run"});
    return results;
}

std::vector<CaseResult> CheckCodeText(const Machine& rom, const std::vector<std::string>& codeText,
                                      const Exercise& exercise) {
    Machine loaded;
    const CodeCopy copy = LoadForCase(loaded, rom, codeText);
    if (copy.error)
        return FailEveryCase(exercise,
                             Cp1251ToUtf8(copy.error->lineLab + " " + copy.error->errLab));
    std::vector<CaseResult> results;
    for (const ExerciseCase& exerciseCase : exercise.cases) {
        const CaseOutcome outcome = RunCase(loaded, exerciseCase);
        results.push_back({Cp1251ToUtf8(exerciseCase.name), Differences(exerciseCase, outcome),
                           outcome.run.steps, std::string(RunEndName(outcome.run.end))});
    }
    return results;
}

}  // namespace q42

namespace q42 {

std::vector<CaseResult> CheckSource(const Machine& rom, const std::vector<std::string>& asmText,
                                    const AsmOptions& options, const Exercise& exercise) {
    const Assembly assembly = Assemble(asmText, options);
    if (assembly.Ok()) return CheckCodeText(rom, assembly.CodeText(), exercise);
    const AsmDiagnostic& at = *assembly.diagnostic;
    const std::string line = at.inSource ? std::to_string(at.sourceLine) : std::string("?");
    return FailEveryCase(
        exercise, Fill(Pick("ошибка ассемблера в строке %s: %s", "assembler error at line %s: %s"),
                       {line, Cp1251ToUtf8(at.text)}));
}

}  // namespace q42
