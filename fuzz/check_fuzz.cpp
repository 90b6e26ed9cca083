// q42cli check --json in process: an exercise file and a program, both from the input, checked
// as the command line does it. The bytes up to the first NUL are the exercise, up to the second
// NUL the program, and the rest its file's name (any bytes but "/"; one ending in .cod is a code
// file). An input of odd length asks for English texts; one whose length is 2 or 3 modulo 4, a
// student's view. The output must be valid UTF-8 and
// JSON, and give the title, every case and the file's name as the exercise and the name hold
// them.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "exercise/exercise_file.h"
#include "fuzz/fuzz_support.h"
#include "machine/codepage.h"

namespace {

using namespace q42;
using namespace q42::cli;

// Runs longer than this in all are left out, so that each input takes milliseconds.
constexpr std::int64_t kMostSteps = 50'000;

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("q42_check_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The program's file, in a folder of its own emptied first.
std::string ProgramFile(std::string_view name, std::string_view bytes) {
    std::string fileName;
    for (const char c : name.substr(0, 64)) {
        if (c != '/') fileName += c;
    }
    if (fileName.empty() || fileName == "." || fileName == "..") fileName = "p" + fileName;
    const auto folder = Folder() / "program";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / fileName).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The document says what the exercise and the file's name hold.
void CheckDocument(const nlohmann::json& document, const Exercise& exercise,
                   const std::string& program, bool student) {
    static const std::set<std::string> kEnds = {"halt",     "error",   "step limit",
                                                "no input", "stopped", "not run"};
    fuzz::Require(document.at("exercise") == Cp1251ToUtf8(exercise.title));
    const auto& results = document.at("results");
    fuzz::Require(results.size() == exercise.cases.size());
    int passed = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto& result = results[i];
        const ExerciseCase& exerciseCase = exercise.cases[i];
        // A name that is not UTF-8 has its stray bytes replaced.
        const std::string name = result.at("program");
        fuzz::Require(IsValidUtf8(program) ? name == program
                                           : name.find("\xEF\xBF\xBD") != std::string::npos);
        fuzz::Require(result.at("case") == Cp1251ToUtf8(exerciseCase.name));
        fuzz::Require(result.at("points") == exerciseCase.points);
        passed += result.at("passed").get<bool>() ? 1 : 0;
        // A student sees a hidden case's name and verdict, nothing of its start or differences.
        if (student && exerciseCase.hidden) {
            fuzz::Require(!result.contains("differences") && !result.contains("notes"));
            continue;
        }
        fuzz::Require(result.at("steps").get<std::int64_t>() <= exerciseCase.maxSteps);
        fuzz::Require(kEnds.count(result.at("end").get<std::string>()) == 1);
        fuzz::Require(result.at("passed") == result.at("differences").empty());
    }
    fuzz::Require(document.at("passed") == passed);
    fuzz::Require(document.at("failed") == static_cast<int>(results.size()) - passed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = bytes.find('\0');
    const auto second = first == std::string_view::npos ? first : bytes.find('\0', first + 1);
    const std::string_view exerciseBytes = bytes.substr(0, first);
    const std::string_view program =
        first == std::string_view::npos ? "" : bytes.substr(first + 1, second - first - 1);
    const std::string_view name = second == std::string_view::npos ? "" : bytes.substr(second + 1);

    const ExerciseFile parsed = ParseExercise(exerciseBytes);
    if (parsed.exercise) {
        std::int64_t steps = 0;
        for (const ExerciseCase& exerciseCase : parsed.exercise->cases)
            steps += exerciseCase.maxSteps;
        if (steps > kMostSteps) return -1;
    }
    Options options;
    options.command = Command::Check;
    options.format = ReportFormat::Json;
    options.language = size % 2 == 1 ? Language::English : Language::Russian;
    options.student = size % 4 >= 2;
    options.rom = fuzz::RomImagePath();
    options.file = (Folder() / "exercise.q42test").string();
    std::ofstream(options.file, std::ios::binary) << exerciseBytes;
    options.programs = {ProgramFile(name, program)};

    std::istringstream in;
    std::ostringstream out, err;
    const int status = CheckCommand(options, "", Streams{in, out, err});
    fuzz::Require(IsValidUtf8(out.str()) && IsValidUtf8(err.str()));
    if (!parsed.exercise) {
        fuzz::Require(status == kBadUsage && out.str().empty() && !err.str().empty());
        return 0;
    }
    fuzz::Require(status == kHalted || status == kFailed);
    fuzz::Require(nlohmann::json::accept(out.str()));
    CheckDocument(nlohmann::json::parse(out.str()), *parsed.exercise, options.programs.front(),
                  options.student);
    return 0;
}
