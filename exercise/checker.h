#pragma once
// Checking a program against an exercise: each case runs the program from a fresh machine with
// the case's input, keys, registers and RAM words, and what it expects is compared with the end
// of the run. The differences are written in words, in the texts' language, in UTF-8.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/assembly.h"
#include "exercise/exercise_file.h"
#include "exercise/program_map.h"
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

// The end of a case's run, the first expected screen line that did not appear, what the
// program left unread, and where a run that reached its step limit spent its last steps.
struct CaseOutcome {
    RunOutcome run;
    std::optional<MissingLine> missingLine;
    std::vector<std::string> unreadLines;  // input lines never read (8-bit)
    std::string unreadKeys;                // keys never read (8-bit)
    std::set<Value> lastAddresses;         // the instructions of the last kLastSteps steps
};

// How many of a run's last steps are kept to say where a program that did not halt was looping.
constexpr std::int64_t kLastSteps = 1000;

// What the program's lines of `transcript` are: the screen's lines in the order they were
// written, the greeting's two lines first and, after a run's end, the blank line and the end
// message last.
std::vector<std::string> ProgramLines(const std::vector<std::string>& transcript);

// Runs the code text (already loaded without error into `loaded`, which holds the ROM) for one
// case, in a session of its own; the screen's texts are in the case's language.
CaseOutcome RunCase(const Machine& loaded, const ExerciseCase& exerciseCase);

// What the outcome does not have that the case expects, most telling first; empty: it passes.
// `program` names the source lines of the addresses a difference mentions.
std::vector<std::string> Differences(const ExerciseCase& exerciseCase, const CaseOutcome& outcome,
                                     const ProgramMap& program = {});

struct CaseResult {
    std::string name;  // UTF-8
    std::vector<std::string> differences;
    std::int64_t steps = 0;
    std::string end;  // RunEndName, "not run" when the program could not be loaded, or empty
                      // when it is not shown
    int points = 1;   // what the case is worth
    bool hidden = false;
    bool passed = true;
    // What the teacher should also know (UTF-8): a failed case's start, input left unread.
    std::vector<std::string> notes;
    bool Passed() const { return passed; }
};

// The results of one program: a result for each case, and the assembler's warnings (UTF-8).
struct ProgramResult {
    std::vector<CaseResult> cases;
    std::vector<std::string> warnings;

    int PassedCases() const;
    int Points() const;     // the points of the cases passed
    int MaxPoints() const;  // the points of every case
};

// What a student is shown of a result: a hidden case keeps only its name and whether it passed.
CaseResult ShownToStudent(const CaseResult& result);

// Every case of the exercise for a program given as a code text; each run starts from a fresh
// machine with the ROM image of `rom`. A code text that cannot be loaded fails every case with
// its line; so does a program that breaks the exercise's rules.
ProgramResult CheckCodeText(const Machine& rom, const std::vector<std::string>& codeText,
                            const Exercise& exercise);
// The same for an assembler text, assembled first: an assembler error fails every case with the
// line and the message.
ProgramResult CheckSource(const Machine& rom, const std::vector<std::string>& asmText,
                          const AsmOptions& options, const Exercise& exercise);
// A program's file: a code file (.cod, any letter case) or an assembler text. A file that
// cannot be read fails every case, saying why ("no such file").
ProgramResult CheckProgramFile(const Machine& rom, const std::string& path,
                               const AsmOptions& options, const Exercise& exercise);
// Every case failed for the same reason: a program that could not be assembled or read.
ProgramResult FailEveryCase(const Exercise& exercise, const std::string& why);

}  // namespace q42
