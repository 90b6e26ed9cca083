#pragma once
// Checking a program against an exercise: each case runs the program from a fresh machine with
// the case's input, keys, registers and RAM words, and what it expects is compared with the end
// of the run. The differences are written in words, in the texts' language, in UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/assembly.h"
#include "exercise/exercise_file.h"
#include "exercise/screen_lines.h"
#include "machine/machine.h"

namespace q42 {

// How a run ended.
enum class RunEnd : std::uint8_t {
    Halt,       // HLT
    Error,      // a run-time error
    StepLimit,  // as many steps as the case allows, without an end
    NoInput,    // it waited for input that was not given
    Stopped,    // the user's stop
};
// "halt", "error", "step limit", "no input", "stopped": the same in every language, for scripts.
std::string_view RunEndName(RunEnd end);

// The end of a run: how it ended, after how many steps, and the machine.
struct RunOutcome {
    RunEnd end = RunEnd::Halt;
    std::int64_t steps = 0;
    std::string errorText;  // the run-time error's text (UTF-8), when there was one
    MachineState state;
};

// The end of a case's run, and the first expected screen line that did not appear.
struct CaseOutcome {
    RunOutcome run;
    std::optional<MissingLine> missingLine;
};

// What the program's lines of `transcript` are: the screen's lines in the order they were
// written, the greeting's two lines first and, after a run's end, the blank line and the end
// message last.
std::vector<std::string> ProgramLines(const std::vector<std::string>& transcript);

// Runs the code text (already loaded without error into `loaded`, which holds the ROM) for one
// case, in a session of its own.
CaseOutcome RunCase(const Machine& loaded, const ExerciseCase& exerciseCase);

// What the outcome does not have that the case expects, most telling first; empty: it passes.
std::vector<std::string> Differences(const ExerciseCase& exerciseCase, const CaseOutcome& outcome);

struct CaseResult {
    std::string name;  // UTF-8
    std::vector<std::string> differences;
    std::int64_t steps = 0;
    std::string end;  // RunEndName, or "not run" when the program could not be loaded
    bool Passed() const { return differences.empty(); }
};

// Every case of the exercise for a program given as a code text; each run starts from a fresh
// machine with the ROM image of `rom`. A code text that cannot be loaded fails every case with
// its line.
std::vector<CaseResult> CheckCodeText(const Machine& rom, const std::vector<std::string>& codeText,
                                      const Exercise& exercise);
// The same for an assembler text, assembled first: an assembler error fails every case with the
// line and the message.
std::vector<CaseResult> CheckSource(const Machine& rom, const std::vector<std::string>& asmText,
                                    const AsmOptions& options, const Exercise& exercise);
// Every case failed for the same reason: a program that could not be assembled or read.
std::vector<CaseResult> FailEveryCase(const Exercise& exercise, const std::string& why);

}  // namespace q42
