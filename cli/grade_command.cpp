// q42cli grade: a class's solutions to one or more exercises, found in a folder, graded into one
// CSV row per student, with how many students failed each case beside it.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/program.h"
#include "cli/report_text.h"
#include "exercise/wording.h"
#include "machine/codepage.h"
#include "machine/path_text.h"

namespace q42::cli {
namespace {

namespace fs = std::filesystem;

struct Assignment {
    std::string path;  // the exercise file as given
    std::string stem;  // its name without .q42test: the solutions' name
    Exercise exercise;
    std::vector<int> failed;  // per case, the students whose solution failed it
    int missing = 0;          // students without a solution
};

// Each student's solution to each exercise they sent, by the exercise's stem.
using Solutions = std::map<std::string, std::map<std::string, fs::path>>;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether `name` is a solution's file name for `stem`: STEM.asm or STEM.cod in any letter case.
// An assembler text wins over a code file when a student sent both.
void Offer(std::map<std::string, fs::path>& solutions, const std::string& stem,
           const fs::path& file) {
    const std::string extension = Lower(file.extension().string());
    if (extension != ".asm" && extension != ".cod") return;
    fs::path& chosen = solutions[stem];
    if (chosen.empty() || Lower(chosen.extension().string()) == ".cod") chosen = file;
}

// A student's own folder: the files named after an exercise.
void ReadStudentFolder(const fs::path& folder, const std::vector<Assignment>& assignments,
                       std::map<std::string, fs::path>& solutions) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string stem = Lower(entry.path().stem().string());
        for (const Assignment& a : assignments) {
            if (Lower(a.stem) == stem && entry.is_regular_file(error))
                Offer(solutions, a.stem, entry.path());
        }
    }
}

// A file in the class folder named PREFIX, a separator (_ - . or a blank) and the solution's
// name: PREFIX is the student.
void ReadPrefixedFile(const fs::path& file, const std::vector<Assignment>& assignments,
                      Solutions& students) {
    const std::string stem = file.stem().string();
    for (const Assignment& a : assignments) {
        if (stem.size() < a.stem.size() + 2) continue;
        const std::size_t cut = stem.size() - a.stem.size();
        if (Lower(stem.substr(cut)) != Lower(a.stem)) continue;
        if (std::string("_-. ").find(stem[cut - 1]) == std::string::npos) continue;
        Offer(students[stem.substr(0, cut - 1)], a.stem, file);
    }
}

// The students of the class folder: its subfolders, and the prefixes of its files.
std::optional<Solutions> FindStudents(const fs::path& folder,
                                      const std::vector<Assignment>& assignments) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) return std::nullopt;
    Solutions students;
    for (const auto& entry : entries) {
        if (entry.is_directory(error)) {
            ReadStudentFolder(entry.path(), assignments, students[entry.path().filename().string()]);
        } else if (entry.is_regular_file(error)) {
            ReadPrefixedFile(entry.path(), assignments, students);
        }
    }
    return students;
}

// A student's row: the points of each exercise, the total, and what kept points from being
// counted (no solution, a solution that could not be run). `allPassed` is cleared unless every
// case of every exercise passed.
std::string GradeStudent(const Options& options, const Machine& rom, const std::string& student,
                         const std::map<std::string, fs::path>& solutions,
                         std::vector<Assignment>& assignments, bool& allPassed) {
    std::string row = CsvField(student);
    std::string notes;
    int total = 0;
    for (Assignment& a : assignments) {
        const auto solution = solutions.find(a.stem);
        std::string note = Pick("нет решения", "no solution");
        int points = 0;
        if (solution == solutions.end()) {
            ++a.missing;
            allPassed = false;
        } else {
            const ProgramResult result =
                CheckProgram(options, solution->second.string(), rom, a.exercise);
            for (std::size_t i = 0; i < result.cases.size(); ++i)
                a.failed[i] += result.cases[i].Passed() ? 0 : 1;
            allPassed = allPassed && result.PassedCases() == static_cast<int>(result.cases.size());
            points = result.Points();
            const CaseResult& first = result.cases.front();
            note = first.end == "not run" ? first.differences.front() : std::string();
        }
        total += points;
        row += "," + std::to_string(points);
        if (!note.empty()) notes += (notes.empty() ? "" : "; ") + a.stem + ": " + note;
    }
    return row + "," + std::to_string(total) + "," + CsvField(notes) + "\r\n";
}

void PrintSummary(const std::vector<Assignment>& assignments, std::size_t students,
                  std::ostream& out) {
    for (const Assignment& a : assignments) {
        int most = 0;
        for (const ExerciseCase& c : a.exercise.cases)
            most += c.points;
        out << a.path << ": "
            << Fill(Pick("учеников %s, без решения %s, наибольший балл %s",
                         "%s students, %s without a solution, %s points at most"),
                    {std::to_string(students), std::to_string(a.missing), std::to_string(most)})
            << '\n';
        for (std::size_t i = 0; i < a.exercise.cases.size(); ++i) {
            out << "  " << Cp1251ToUtf8(a.exercise.cases[i].name) << ": "
                << Fill(Pick("не прошли %s", "%s failed"), {std::to_string(a.failed[i])}) << '\n';
        }
    }
}

}  // namespace

int GradeCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    std::vector<Assignment> assignments;
    for (const std::string& path : options.programs) {
        std::optional<Exercise> exercise = ReadExercise(path, io.err);
        if (!exercise) return kBadUsage;
        const std::size_t cases = exercise->cases.size();
        assignments.push_back({path, fs::path(path).stem().string(), std::move(*exercise),
                               std::vector<int>(cases, 0), 0});
    }
    const std::optional<Solutions> students = FindStudents(PathFromUtf8(options.classFolder), assignments);
    if (!students || students->empty()) {
        io.err << "q42cli: " << options.classFolder
               << (students ? ": no student's folder or solution in it\n" : ": no such folder\n");
        return kBadUsage;
    }
    Console console(io.in, io.out, io.err);
    Machine rom;
    if (const auto status = LoadRom(rom, options, programDirectory, console)) return *status;
    std::ofstream summaryFile;
    if (!options.summary.empty()) {
        summaryFile.open(PathFromUtf8(options.summary), std::ios::binary);
        if (!summaryFile) {
            io.err << "q42cli: cannot write " << options.summary << '\n';
            return kBadUsage;
        }
    }
    io.out << "student";
    for (const Assignment& a : assignments)
        io.out << ',' << CsvField(a.stem);
    io.out << ",total,notes\r\n";
    bool allPassed = true;
    for (const auto& [student, solutions] : *students)
        io.out << GradeStudent(options, rom, student, solutions, assignments, allPassed);
    std::ostream& summary = summaryFile.is_open() ? summaryFile : io.err;
    PrintSummary(assignments, students->size(), summary);
    int status = allPassed ? kHalted : kFailed;
    if (summaryFile.is_open()) status = CheckWritten(summaryFile, options.summary, status, io.err);
    return CheckWritten(io.out, "the standard output", status, io.err);
}

}  // namespace q42::cli
