// q42cli check and run --json: the sample exercises against their correct and wrong solutions,
// the shape of the JSON, and the exit statuses.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <regex>
#include <set>

#include "machine/machine.h"
#include "session/text_file.h"
#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

const std::filesystem::path kExercises = Q42_SOURCE_DIR "/examples/exercises";

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Every sample exercise, by name.
std::vector<std::string> SampleExercises() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kExercises)) {
        if (entry.path().extension() == ".q42test") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Each result as the JSON promises it; the counts add up.
void ExpectCheckJson(const nlohmann::json& document) {
    static const std::set<std::string> kEnds = {"halt",     "error",   "step limit",
                                                "no input", "stopped", "not run"};
    ASSERT_TRUE(document.is_object());
    EXPECT_TRUE(document.at("exercise").is_string());
    int passed = 0;
    for (const auto& result : document.at("results")) {
        EXPECT_TRUE(result.at("program").is_string());
        EXPECT_TRUE(result.at("case").is_string());
        EXPECT_TRUE(result.at("steps").is_number_integer());
        EXPECT_EQ(kEnds.count(result.at("end").get<std::string>()), 1U);
        const auto& differences = result.at("differences");
        ASSERT_TRUE(differences.is_array());
        for (const auto& difference : differences)
            EXPECT_TRUE(difference.is_string());
        EXPECT_EQ(result.at("passed").get<bool>(), differences.empty());
        passed += result.at("passed").get<bool>() ? 1 : 0;
    }
    EXPECT_EQ(document.at("passed").get<int>(), passed);
    EXPECT_EQ(document.at("failed").get<int>() + passed,
              static_cast<int>(document.at("results").size()));
}

class CheckTest : public CliFixture {
  protected:
    // The output with the sample folder's path as the transcripts write it, from the project.
    std::string Relative(std::string text) {
        return std::regex_replace(text, std::regex(Q42_SOURCE_DIR "/"), "");
    }
};

TEST_F(CheckTest, SampleExercisesPassTheirSolutionAndFailTheWrongOne) {
    const auto names = SampleExercises();
    ASSERT_GE(names.size(), 5U);
    for (const auto& name : names) {
        const std::string exercise = (kExercises / (name + ".q42test")).string();
        const std::string right = (kExercises / (name + ".asm")).string();
        const std::string wrong = (kExercises / (name + "-wrong.asm")).string();
        EXPECT_EQ(Cli({"check", "--lang", "en", exercise, right, wrong}), kFailed) << name;
        EXPECT_EQ(Relative(out_.str()), Slurp(kExercises / (name + ".out"))) << name;

        EXPECT_EQ(Cli({"check", "--json", exercise, right}), kHalted) << name << out_.str();
        const auto passing = nlohmann::json::parse(out_.str());
        ExpectCheckJson(passing);
        EXPECT_EQ(passing.at("failed"), 0) << name;

        EXPECT_EQ(Cli({"check", "--json", "--lang", "en", exercise, wrong}), kFailed) << name;
        const auto failing = nlohmann::json::parse(out_.str());
        ExpectCheckJson(failing);
        EXPECT_GT(failing.at("failed"), 0) << name;
    }
}

TEST_F(CheckTest, AProgramThatCannotBeBuiltOrReadFailsEveryCase) {
    const std::string exercise = Write("e.q42test", "[[case]]\nname = \"a\"\n[[case]]\n");
    const std::string broken = Write("broken.asm", "  MOV #1,R0\n  ADD X,R0\n  HLT\n");
    EXPECT_EQ(Cli({"check", "--lang", "en", exercise, broken, (dir_ / "none.asm").string()}),
              kFailed);
    const std::string out = out_.str();
    EXPECT_NE(out.find("broken.asm: a: FAIL: assembler error at line 2: "), std::string::npos)
        << out;
    EXPECT_NE(out.find("none.asm: 2: FAIL: "), std::string::npos) << out;
    EXPECT_NE(out.find("0 passed, 4 failed\n"), std::string::npos) << out;
}

TEST_F(CheckTest, AMalformedExerciseIsBadUsageWithItsLine) {
    const std::string program = Write("p.asm", "HLT\n");
    const std::string exercise = Write("e.q42test", "title = \"t\"\n\n[[case]]\ninptu = []\n");
    EXPECT_EQ(Cli({"check", "--lang", "en", exercise, program}), kBadUsage);
    EXPECT_NE(err_.str().find("e.q42test:4: unknown key inptu"), std::string::npos) << err_.str();
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Cli({"check", exercise}), kBadUsage);  // no program
}

TEST_F(CheckTest, RunJsonGivesTheEndOfTheRun) {
    const std::string program =
        Write("p.asm", "  CALL #4182H\n  MOV R1,R0\n  ADD #'0',R0\n  CALL #4000H\n  HLT\n");
    EXPECT_EQ(Cli({"run", "--json", program}, "7\n"), kHalted);
    const auto run = nlohmann::json::parse(out_.str());
    EXPECT_EQ(run.at("end"), "halt");
    EXPECT_GT(run.at("steps").get<int>(), 5);
    EXPECT_EQ(run.at("registers").size(), 7U);
    EXPECT_EQ(run.at("registers").at("R1"), "0007");
    EXPECT_TRUE(run.at("flags").at("Z").is_boolean());
    ASSERT_EQ(run.at("ram").size(), static_cast<std::size_t>(kRamWords));
    EXPECT_EQ(run.at("ram").at(0), "9C0D");
    EXPECT_EQ(run.at("screen"), (nlohmann::json{"7", "7"}));
    EXPECT_FALSE(run.contains("error"));

    EXPECT_EQ(Cli({"run", "--json", program}, ""), kStopped);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at("end"), "no input");
    EXPECT_EQ(Cli({"run", "--json", "--max-steps", "1", program}, "7\n"), kStopped);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at("end"), "step limit");
    const std::string failing = Write("f.asm", "  MOV #7FFFH,R0\n  ADD #1,R0\n  HLT\n");
    EXPECT_EQ(Cli({"run", "--json", "--lang", "en", failing}), kFailed);
    const auto error = nlohmann::json::parse(out_.str());
    EXPECT_EQ(error.at("end"), "error");
    EXPECT_NE(error.at("error").get<std::string>().find("overflow"), std::string::npos);
}

// Texts of every origin reach the JSON as UTF-8: a title or case name in UTF-8, in
// Windows-1251 or as an escape, the expected lines in a difference, and a program's file name
// that is not UTF-8 (its bytes replaced by U+FFFD), also in the reason a program is not run.
TEST_F(CheckTest, JsonIsUtf8WhateverTheTextsAre) {
    struct Row {
        const char* exercise;
        const char* program;  // the file's name; null: the file is not there
        const char* title;
        const char* caseName;
        const char* programEnds;
        const char* difference;  // a part of the first difference; empty: the case passes
    };
    const std::string replaced = "\xEF\xBF\xBD\xEF\xBF\xBD.asm";
    const Row table[] = {
        {"title = \"Сумма\"\n[[case]]\nname = \"первый\"\n[case.expect]\nscreen = [\"Ответ\"]\n",
         "p.asm", "Сумма", "первый", "p.asm", "«Ответ»"},
        {"title = \"\\u0421\\u0443\"\n[[case]]\n", "p.asm", "Су", "1", "p.asm", ""},
        {"title = \"\xD1\xF3\xEC\xEC\xE0\"\n[[case]]\nname = \"\xEF\xE5\xF0\xE2\xFB\xE9\"\n",
         "p.asm", "Сумма", "первый", "p.asm", ""},
        {"[[case]]\n", "\xCF\xF0.asm", "", "1", replaced.c_str(), ""},
        {"[[case]]\n", nullptr, "", "1", replaced.c_str(), replaced.c_str()},
    };
    for (const auto& row : table) {
        const std::string exercise = Write("e.q42test", row.exercise);
        const std::string name = row.program ? row.program : "\xCF\xF0.asm";
        std::filesystem::remove(dir_ / name);
        if (row.program) Write(name, "  HLT\n");
        const int status = Cli({"check", "--json", exercise, (dir_ / name).string()});
        EXPECT_EQ(status, *row.difference ? kFailed : kHalted) << row.exercise << err_.str();
        ASSERT_TRUE(nlohmann::json::accept(out_.str())) << row.exercise << out_.str();
        const auto document = nlohmann::json::parse(out_.str());
        ExpectCheckJson(document);
        EXPECT_EQ(document.at("exercise"), row.title);
        const auto& result = document.at("results").at(0);
        EXPECT_EQ(result.at("case"), row.caseName);
        const std::string program = result.at("program");
        EXPECT_TRUE(program.ends_with(row.programEnds)) << program;
        if (*row.difference) {
            const std::string difference = result.at("differences").at(0);
            EXPECT_NE(difference.find(row.difference), std::string::npos) << difference;
        }
    }
}

// An exercise file that cannot be read says why, in the language asked for, after its name.
TEST_F(CheckTest, AnExerciseFileThatCannotBeReadSaysWhy) {
    const std::string program = Write("p.asm", "HLT\n");
    const std::string large = Write("large.q42test", "[[case]]\n");
    std::filesystem::resize_file(large, kMaxTextFileBytes + 1);
    const std::string kilobytes = std::to_string(kMaxTextFileBytes / 1024 + 1);
    const std::string most = std::to_string(kMaxTextFileBytes >> 20);
    std::filesystem::create_directories(dir_ / "folder.q42test");
    struct Row {
        std::string file;
        std::string russian;
        std::string english;
    };
    const Row table[] = {
        {(dir_ / "none.q42test").string(), ": нет такого файла\n", ": no such file\n"},
        {large,
         ": файл слишком велик (" + kilobytes + " КБ): упражнение может занимать не больше " +
             most + " МБ\n",
         ": too large (" + kilobytes + " KB): an exercise file may be at most " + most + " MB\n"},
        {(dir_ / "folder.q42test").string(), ": это папка\n", ": is a directory\n"},
        {Write("open.q42test", "[[case]]\nname = \"a\n"),
         ":2: строка в кавычках не закрыта: нет закрывающей кавычки\n",
         ":2: a string in quotes is not closed: its closing quote is missing\n"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(Cli({"check", "--json", row.file, program}), kBadUsage);
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(err_.str(), "q42cli: " + row.file + row.russian);
        EXPECT_EQ(Cli({"check", "--lang", "en", row.file, program}), kBadUsage);
        EXPECT_EQ(err_.str(), "q42cli: " + row.file + row.english);
    }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// Runs q42cli as a process with at most `megabytes` of address space, its output thrown away;
// its exit status, or -1 when it did not exit by itself (memory ran out).
int RunWithin(int megabytes, const std::vector<std::string>& args) {
    std::vector<char*> argv = {const_cast<char*>("q42cli")};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit limit{rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
        const int null = ::open("/dev/null", O_WRONLY);
        if (::setrlimit(RLIMIT_AS, &limit) != 0 || null < 0) ::_exit(126);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(Q42CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// A program that writes empty lines for ever, checked or run as JSON for 5*10^7 steps (about
// five million lines), stays within a few megabytes: only the lines the output needs are kept.
// Kept whole, the lines take over a hundred megabytes.
TEST_F(CheckTest, EndlessLinesKeepMemoryBounded) {
    if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer reserves far more address space";
    const std::string rom = "--rom=" Q42_SOURCE_DIR "/rom/Q42ROM.TXT";
    const std::string program = Write("lines.asm", "L: CALL #4010H\n   BR L\n");
    const std::string exercise = Write("e.q42test",
                                       "[[case]]\nmax_steps = 50000000\n"
                                       "[case.expect]\nscreen = [\"x\"]\n");
    EXPECT_EQ(RunWithin(64, {"check", rom, exercise, program}), kFailed);
    EXPECT_EQ(RunWithin(64, {"run", "--json", "--max-steps=50000000", rom, program}), kStopped);
}

}  // namespace
}  // namespace q42::cli
