// q42cli check and run --json: the sample exercises against their correct and wrong solutions,
// the shape of the JSON, and the exit statuses.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <regex>
#include <set>

#include "machine/machine.h"
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

}  // namespace
}  // namespace q42::cli
