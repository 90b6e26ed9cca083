#pragma once
// The JSON q42cli prints for scripts: the end of a run, and the results of checking programs
// against an exercise. Every text in it is UTF-8; words are four hex digits.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "exercise/checker.h"

namespace q42::cli {

// The end of a run: how it ended and after how many steps, the registers, the flags, RAM and
// the lines the program wrote.
nlohmann::json RunJson(const RunOutcome& outcome);

// One program's result for one case.
nlohmann::json CaseJson(const std::string& program, const CaseResult& result);

}  // namespace q42::cli
