#pragma once
// The commands of q42cli. Each returns the process's exit status.

#include <iostream>
#include <optional>
#include <string>

#include "cli/options.h"
#include "exercise/checker.h"

namespace q42::cli {

enum ExitStatus : int { kHalted = 0, kFailed = 1, kBadUsage = 2, kStopped = 3 };

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

int AssembleCommand(const Options& options, Streams io);
int RunCommand(const Options& options, const std::string& programDirectory, Streams io);
int DecodeCommand(const Options& options, const std::string& programDirectory, Streams io);
int DebugCommand(const Options& options, const std::string& programDirectory, Streams io);
int CheckCommand(const Options& options, const std::string& programDirectory, Streams io);
int GradeCommand(const Options& options, const std::string& programDirectory, Streams io);
int SimilarCommand(const Options& options, Streams io);

// What check and grade share: an exercise file read, its warnings on `err`, or its fault there
// and none; a program's results, hidden cases shown as a student sees them with --student.
std::optional<Exercise> ReadExercise(const std::string& path, std::ostream& err);
ProgramResult CheckProgram(const Options& options, const std::string& path, const Machine& rom,
                           const Exercise& exercise);

}  // namespace q42::cli
