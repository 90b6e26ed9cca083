#pragma once
// The rules an exercise may set for the program itself, checked on the assembled words before
// any case runs: operations it must not use, operations it must use, and its size.

#include <string>

#include "exercise/exercise_file.h"
#include "exercise/program_map.h"

namespace q42 {

// The first rule the program breaks, in words (UTF-8, in the interface language), naming the
// operation and its line; empty when it keeps every rule.
std::string RuleBreak(const Exercise& exercise, const ProgramMap& program);

}  // namespace q42
