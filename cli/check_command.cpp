// q42cli check: every case of an exercise against every program given, as lines, JSON, CSV or
// JUnit XML.

#include <string>

#include "cli/check_report.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/program.h"
#include "exercise/checker.h"

namespace q42::cli {

std::optional<Exercise> ReadExercise(const std::string& path, std::ostream& err) {
    ExerciseFile file = ReadExerciseFile(path);
    if (!file.exercise) {
        err << "q42cli: " << path;
        if (file.line > 0) err << ':' << file.line;
        err << ": " << file.error << '\n';
        return std::nullopt;
    }
    for (const FileWarning& warning : file.warnings)
        err << "q42cli: " << path << ':' << warning.line << ": warning: " << warning.text << '\n';
    return std::move(file.exercise);
}

ProgramResult CheckProgram(const Options& options, const std::string& path, const Machine& rom,
                           const Exercise& exercise) {
    ProgramResult result = CheckProgramFile(rom, path, AssemblerOptions(options), exercise);
    if (options.student) {
        for (CaseResult& c : result.cases)
            c = ShownToStudent(c);
    }
    return result;
}

int CheckCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    const std::optional<Exercise> exercise = ReadExercise(options.file, io.err);
    if (!exercise) return kBadUsage;
    Console console(io.in, io.out, io.err);
    Machine rom;
    if (const auto status = LoadRom(rom, options, programDirectory, console)) return *status;
    CheckReport report{exercise->title, {}};
    for (const std::string& program : options.programs) {
        report.programs.push_back({program, CheckProgram(options, program, rom, *exercise)});
        // Lines for a person show as each program is done.
        if (options.format == ReportFormat::Text) PrintProgramText(report.programs.back(), io.out);
    }
    switch (options.format) {
        case ReportFormat::Text: PrintTotalsText(report, io.out); break;
        case ReportFormat::Json: io.out << JsonText(CheckJson(report)) << '\n'; break;
        case ReportFormat::Csv: PrintCsv(report, io.out); break;
        case ReportFormat::Junit: PrintJunit(report, io.out); break;
    }
    io.out.flush();
    if (!io.out) {
        io.err << "q42cli: cannot write the standard output\n";
        return kBadUsage;
    }
    return report.Failed() == 0 ? kHalted : kFailed;
}

}  // namespace q42::cli
