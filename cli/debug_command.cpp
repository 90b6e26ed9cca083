// q42cli debug: the program loaded into RAM as `run` loads it, then the debugger's commands;
// with --case, paused at the first instruction of an exercise's case.

#include <unistd.h>

#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/debug_console.h"
#include "cli/interrupt.h"
#include "cli/program.h"
#include "exercise/case_start.h"
#include "machine/codepage.h"
#include "session/code_loading.h"

namespace q42::cli {
namespace {

// The names of the exercise's cases, for a case that was not found: "1 \"zero\", 2 \"one\"".
std::string CaseNames(const Exercise& exercise) {
    std::string names;
    for (std::size_t i = 0; i < exercise.cases.size(); ++i) {
        names += (i > 0 ? ", " : "") + std::to_string(i + 1) + " \"" +
                 Cp1251ToUtf8(exercise.cases[i].name) + '"';
    }
    return names.empty() ? "none" : names;
}

// Opens the case of --case: the program and the ROM image of `console`'s machine on a fresh
// machine, paused at the case's start; `run` opens it again. Bad usage when the exercise cannot
// be read or has no such case.
std::optional<int> OpenCaseOf(const Options& options, DebugConsole& console, const Program& program,
                              std::ostream& err) {
    const auto colon = options.debugCase.rfind(':');
    const std::string file = options.debugCase.substr(0, colon);
    const std::string wanted = options.debugCase.substr(colon + 1);
    const ExerciseFile read = ReadExerciseFile(file);
    if (!read.exercise) {
        err << "q42cli: " << file << (read.line > 0 ? ":" + std::to_string(read.line) : "") << ": "
            << read.error << '\n';
        return kBadUsage;
    }
    const int index = FindCase(*read.exercise, IsValidUtf8(wanted) ? Utf8ToCp1251(wanted) : wanted);
    if (index < 0) {
        err << "q42cli: " << file << " has no case \"" << wanted
            << "\"; its cases: " << CaseNames(*read.exercise) << '\n';
        return kBadUsage;
    }
    auto loaded = std::make_shared<Machine>();
    LoadForCase(*loaded, console.session.machine, program.codeText);
    const ExerciseCase exerciseCase = read.exercise->cases[static_cast<std::size_t>(index)];
    console.StartRunsWith(Cp1251ToUtf8(exerciseCase.name), [&console, loaded, exerciseCase] {
        OpenCase(console.session, *loaded, exerciseCase);
    });
    return std::nullopt;
}

}  // namespace

int DebugCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    Console messages(io.in, io.out, io.err);  // ROM image messages go to stderr
    Program program;
    if (const auto status = LoadProgram(options, program, io.err)) return *status;
    const bool terminal = &io.in == &std::cin;
    const bool prompt = terminal && isatty(STDIN_FILENO) != 0;
    InterruptibleInput stdinBuffer;
    std::istream stdinCommands(&stdinBuffer);
    DebugConsole console(terminal ? stdinCommands : io.in, io.out, prompt, program.source,
                         program.assembly);
    if (const auto status = LoadRom(console.session.machine, options, programDirectory, messages))
        return *status;
    if (const auto badLine = CopyCode(console.session.machine, program.codeText).error) {
        PrintStatus(badLine->lineLab, badLine->errLab, io.err);
        return kFailed;
    }
    if (options.maxSteps > 0) console.session.commands.SetStepLimit(options.maxSteps);
    if (!options.debugCase.empty()) {
        if (const auto status = OpenCaseOf(options, console, program, io.err)) return *status;
    }
    console.Loop();
    io.out.flush();
    if (io.out) return kHalted;
    io.err << "q42cli: cannot write the standard output\n";
    return kBadUsage;
}

}  // namespace q42::cli
