#pragma once
// The commands of q42cli. Each returns the process's exit status.

#include <iostream>

#include "cli/options.h"

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
int SimilarCommand(const Options& options, Streams io);

}  // namespace q42::cli
