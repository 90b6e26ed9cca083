// q42cli check: every case of an exercise against every program given, as lines or as JSON.

#include <string>

#include "assembler/codetext.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/program.h"
#include "exercise/checker.h"
#include "machine/path_text.h"
#include "session/text_file.h"

namespace q42::cli {
namespace {

// A program's results: every case run, or every case failed with why the program could not be
// read or assembled.
std::vector<CaseResult> CheckProgram(const Options& options, const std::string& path,
                                     const Machine& rom, const Exercise& exercise) {
    TextFile file = ReadTextFile(PathFromUtf8(path));
    if (!file.error.empty()) return FailEveryCase(exercise, file.error);
    if (IsCodeFileName(path))
        return CheckCodeText(rom, CodeTextFromLines(std::move(file.lines)), exercise);
    return CheckSource(rom, file.lines, AssemblerOptions(options), exercise);
}

void PrintLine(const std::string& program, const CaseResult& result, std::ostream& out) {
    out << program << ": " << result.name << ": ";
    if (result.Passed()) {
        out << "PASS\n";
    } else {
        out << "FAIL: " << result.differences.front() << '\n';
    }
}

}  // namespace

int CheckCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    const ExerciseFile file = ReadExerciseFile(options.file);
    if (!file.exercise) {
        io.err << "q42cli: " << options.file;
        if (file.line > 0) io.err << ':' << file.line;
        io.err << ": " << file.error << '\n';
        return kBadUsage;
    }
    Console console(io.in, io.out, io.err);
    Machine rom;
    if (const auto status = LoadRom(rom, options, programDirectory, console)) return *status;
    int passed = 0;
    int failed = 0;
    nlohmann::json results = nlohmann::json::array();
    for (const std::string& program : options.programs) {
        for (const CaseResult& result : CheckProgram(options, program, rom, *file.exercise)) {
            (result.Passed() ? passed : failed) += 1;
            if (options.json) {
                results.push_back(CaseJson(program, result));
            } else {
                PrintLine(program, result, io.out);
            }
        }
    }
    if (options.json) {
        io.out << JsonText(CheckJson(file.exercise->title, std::move(results), passed, failed))
               << '\n';
    } else {
        io.out << passed << " passed, " << failed << " failed\n";
    }
    io.out.flush();
    if (!io.out) {
        io.err << "q42cli: cannot write the standard output\n";
        return kBadUsage;
    }
    return failed == 0 ? kHalted : kFailed;
}

}  // namespace q42::cli
