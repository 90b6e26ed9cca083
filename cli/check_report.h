#pragma once
// What q42cli check prints: its results as lines for a person, as CSV for a spreadsheet, as
// JUnit XML for CI systems and classroom tools (JSON is in json_output.h).

#include <ostream>
#include <string>
#include <vector>

#include "exercise/checker.h"

namespace q42::cli {

// One program's results, with its file's name as it was given.
struct CheckedProgram {
    std::string path;
    ProgramResult result;
};

struct CheckReport {
    std::string title;  // the exercise's title (8-bit)
    std::vector<CheckedProgram> programs;

    int Passed() const;
    int Failed() const;
};

// A program's lines: its warnings, a line for each case (PASS, or FAIL and the first
// difference) with the case's notes under it, then `PROGRAM: 4/5 cases, 8/10 points`.
void PrintProgramText(const CheckedProgram& program, std::ostream& out);
// The last line of the text form: the cases passed and failed of every program together.
void PrintTotalsText(const CheckReport& report, std::ostream& out);
// A header, then one row per program: cases, cases passed, points, the most points, and the
// first failed case with its first difference.
void PrintCsv(const CheckReport& report, std::ostream& out);
// One testsuite per program, one testcase per case; a failure carries the differences and notes.
void PrintJunit(const CheckReport& report, std::ostream& out);

}  // namespace q42::cli
