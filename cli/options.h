#pragma once
// The command line of q42cli.

#include <optional>
#include <string>
#include <vector>

#include "machine/common.h"
#include "machine/language.h"

namespace q42::cli {

enum class Command { Help, Version, Asm, Run, Decode, Debug, Check, Grade, Similar };

// How check prints its results.
enum class ReportFormat { Text, Json, Csv, Junit };

struct Options {
    Command command = Command::Help;
    std::string file;                   // check: the exercise file
    std::vector<std::string> programs;  // check, similar: the programs; grade: the exercises
    bool shortConst = true;
    Language language = Language::Russian;     // --lang: the messages' and the screen's texts
    std::string output;                        // asm -o
    std::string rom;                           // run --rom
    long long maxSteps = 0;                    // run, debug --max-steps; 0: no limit
    std::string trace;                         // run --trace FILE, "-" for stderr
    bool dump = false;                         // run --dump
    bool json = false;                         // run, check --json
    ReportFormat format = ReportFormat::Text;  // check --format (--json: Json)
    bool student = false;                      // check --student: hidden cases show no details
    std::string classFolder;                   // grade --class
    std::string summary;                       // grade --summary FILE; empty: stderr
    Value from = 0;                            // decode --from
    std::optional<long long> count;            // decode --count
    double threshold = 0.8;                    // similar --threshold: the least score shown
};

// Parses the arguments after the program name; on bad usage returns the reason in `error`.
Options ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace q42::cli
