#pragma once
// The JSON q42cli prints for scripts: the end of a run, and the results of checking programs
// against an exercise. Every text in it is UTF-8: the 8-bit texts are converted, and a file name
// that is not UTF-8 has each byte that does not fit replaced by U+FFFD; words are four hex
// digits.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/check_report.h"
#include "exercise/checker.h"

namespace q42::cli {

// The end of a run: how it ended and after how many steps, the registers, the flags, RAM and
// the last lines the program wrote, with how many before them were left out.
nlohmann::json RunJson(const RunOutcome& outcome, const ScreenTail& screen);

// One program's result for one case; `program` is the file's name as it was given, and so are
// the names in the reasons a program was not run. A case hidden from a student gives only its
// name, whether it passed, and its points.
nlohmann::json CaseJson(const std::string& program, const CaseResult& result);

// The results of a check: the exercise's title, one item of CaseJson for each program and case,
// each program's totals, and the counts.
nlohmann::json CheckJson(const CheckReport& report);

// The document as text, indented by two: always valid UTF-8, never an exception, whatever a
// string in it holds. Each byte of a string that is not part of a UTF-8 character is written as
// U+FFFD.
std::string JsonText(const nlohmann::json& document);

}  // namespace q42::cli
