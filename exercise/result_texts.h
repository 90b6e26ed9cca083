#pragma once
// The texts that show the results of checking a program against an exercise, in the texts'
// language and in UTF-8: the same for the desktop program's results window and the web page.

#include <string>
#include <string_view>
#include <vector>

namespace q42 {

// "Exercise check: Hours and minutes".
std::string ExerciseResultsTitle(std::string_view exercise);
// The results table's columns: the case, its verdict, its differences.
std::vector<std::string> ExerciseColumnTitles();
// A case's verdict: "PASS" or "FAIL", alike in both languages.
std::string_view CaseVerdict(bool passed);
// How many cases passed and how many failed, and the points of the cases passed out of all.
std::string ExerciseSummary(int passed, int failed, int points, int maxPoints);
// What is wrong with an exercise file that could not be read: `file`, the line when one is known
// (0: none), and the reader's own words.
std::string ExerciseFileProblem(std::string_view file, std::string_view problem, int line);

}  // namespace q42
