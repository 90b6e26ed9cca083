// The command-line tool in process: the option parser, the console's key and line input, and the
// trace and dump output. The bytes up to the first NUL are the arguments, one a line; up to the
// second NUL the program's text; the rest is standard input. Files named in the arguments are
// replaced by files in a private folder, so that no run touches anything else.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "assembler/codetext.h"
#include "cli/commands.h"
#include "fuzz/fuzz_support.h"
#include "machine/codepage.h"

namespace {

using namespace q42;
using namespace q42::cli;

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("q42_cli_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (auto& line : SplitTextLines(bytes))
        lines.push_back(std::move(line));
    return lines;
}

// Every trace line: the address, the word and the seven registers, perhaps an error after " ! ".
void CheckTrace(const std::string& trace) {
    static const std::regex kLine("[0-9A-F]{4}( [0-9A-F]{4}){8}( ! .+)?");
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        fuzz::Require(std::regex_match(line, kLine));
    }
}

// The dump: the last sixteen lines of standard output, eight words each.
void CheckDump(const std::string& out) {
    static const std::regex kRow("[0-9A-F]{4}:( [0-9A-F]{4}){8}");
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    fuzz::Require(lines.size() >= 16);
    for (std::size_t i = lines.size() - 16; i < lines.size(); ++i)
        fuzz::Require(std::regex_match(lines[i], kRow));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = bytes.find('\0');
    const auto second = first == std::string_view::npos ? first : bytes.find('\0', first + 1);
    const std::string_view args = bytes.substr(0, first);
    const std::string_view program =
        first == std::string_view::npos ? "" : bytes.substr(first + 1, second - first - 1);
    const std::string_view input = second == std::string_view::npos ? "" : bytes.substr(second + 1);

    std::string error;
    Options options = ParseOptions(Lines(args), error);
    if (!error.empty()) return 0;
    if (options.command != Command::Asm && options.command != Command::Run &&
        options.command != Command::Decode) {
        return 0;
    }
    const bool codeFile = IsCodeFileName(options.file);
    options.file = (Folder() / (codeFile ? "program.cod" : "program.asm")).string();
    std::ofstream(options.file, std::ios::binary) << program;
    if (!options.output.empty()) options.output = (Folder() / "out.cod").string();
    const auto trace = Folder() / "trace.txt";
    std::filesystem::remove(trace);
    if (!options.trace.empty()) options.trace = trace.string();
    options.rom = fuzz::RomImagePath();
    if (options.maxSteps <= 0 || options.maxSteps > 4000) options.maxSteps = 4000;
    if (options.count && *options.count > 2000) options.count = 2000;

    std::istringstream in{std::string(input)};
    std::ostringstream out, err;
    Streams io{in, out, err};
    int status = kBadUsage;
    switch (options.command) {
        case Command::Asm: status = AssembleCommand(options, io); break;
        case Command::Run: status = RunCommand(options, "", io); break;
        default: status = DecodeCommand(options, "", io); break;
    }
    fuzz::Require(status >= kHalted && status <= kStopped);
    fuzz::Require(IsValidUtf8(out.str()));
    if (options.command == Command::Run && status != kBadUsage) {
        if (!options.trace.empty()) {
            std::ifstream file(trace, std::ios::binary);
            CheckTrace({std::istreambuf_iterator<char>(file), {}});
        }
        if (options.dump && (status == kHalted || status == kStopped)) CheckDump(out.str());
    }
    return 0;
}
