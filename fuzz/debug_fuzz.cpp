// q42cli debug in process: a program's text up to the first NUL byte, then the debugger's script,
// one command a line: breakpoints, watchpoints, steps and counts, going back, explanations, and
// input typed or not typed, so that commands come during waits too. Every command must end in
// bounded time and output, and a watchpoint is reported only for a word that changed.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/commands.h"
#include "fuzz/fuzz_support.h"
#include "machine/codepage.h"

namespace {

using namespace q42;
using namespace q42::cli;

const std::filesystem::path& ProgramFile() {
    static const std::filesystem::path file = [] {
        auto folder = std::filesystem::temp_directory_path() /
                      ("q42_debug_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return folder / "program.asm";
    }();
    return file;
}

// "watchpoint N, AAAA: OLD -> NEW" with OLD and NEW the same would report a change that did not
// happen.
void CheckWatchpointReports(const std::string& out) {
    static const std::regex kReport(
        "watchpoint [0-9]+, [0-9A-F]{4}: ([0-9A-F]{4}) -> ([0-9A-F]{4})");
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, kReport)) fuzz::Require(match[1] != match[2]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto split = bytes.find('\0');
    if (split == std::string_view::npos) return 0;
    std::ofstream(ProgramFile(), std::ios::binary) << bytes.substr(0, split);

    std::string error;
    // A small step limit: every command ends, whatever the program and the counts.
    Options options = ParseOptions({"debug", "--max-steps", "3000", ProgramFile().string()}, error);
    fuzz::Require(error.empty());
    options.rom = fuzz::RomImagePath();
    std::istringstream in{std::string(bytes.substr(split + 1))};
    std::ostringstream out, err;
    Streams io{in, out, err};
    const int status = DebugCommand(options, "", io);
    fuzz::Require(status == kHalted || status == kFailed || status == kBadUsage);
    fuzz::Require(IsValidUtf8(out.str()));
    CheckWatchpointReports(out.str());
    return 0;
}
