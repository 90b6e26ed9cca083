// q42cli similar: its lines and JSON, the threshold, files it cannot compare, and the exit
// statuses.

#include <nlohmann/json.hpp>

#include <regex>

#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

const std::string kData = Q42_SOURCE_DIR "/tests/data/similar/";
const std::string kAnna = kData + "anna.asm";
const std::string kBoris = kData + "boris.asm";

class SimilarTest : public CliFixture {
  protected:
    std::string Out() { return std::regex_replace(out_.str(), std::regex(kData), ""); }
};

TEST_F(SimilarTest, APairAboveTheThresholdIsOneLineWithItsRuns) {
    EXPECT_EQ(Cli({"similar", kAnna, kData + "maximum-other.asm", kBoris}), kHalted);
    EXPECT_EQ(Out(), "0.91  anna.asm  boris.asm  (10-27 ~ 20-37; 28-37 ~ 44-53; 39-44 ~ 10-15)\n");
    EXPECT_EQ(err_.str(), "");

    // The same program as a code file: its runs are addresses.
    const std::string code = (dir_ / "boris.cod").string();
    ASSERT_EQ(Cli({"asm", kBoris, "-o", code}), kHalted);
    EXPECT_EQ(Cli({"similar", kAnna, code}), kHalted);
    EXPECT_NE(out_.str().find("boris.cod  ("), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("39-44 ~ 0002-000E"), std::string::npos) << out_.str();
}

TEST_F(SimilarTest, NoPairAlikeGivesNothingAndSucceeds) {
    const std::string examples = Q42_SOURCE_DIR "/examples/exercises/";
    EXPECT_EQ(Cli({"similar", examples + "maximum.asm", kData + "maximum-other.asm",
                   examples + "sum.asm"}),
              kHalted);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Cli({"similar", kAnna}), kHalted);  // one program: no pair
    EXPECT_EQ(out_.str(), "");
}

TEST_F(SimilarTest, TheThresholdChoosesThePairsShown) {
    EXPECT_EQ(Cli({"similar", "--threshold", "0.95", kAnna, kBoris}), kHalted);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Cli({"similar", "--threshold", "0.9", kAnna, kBoris}), kHalted);
    EXPECT_NE(out_.str(), "");
    for (const char* bad : {"1.5", "-0.1", "x", "0.8x", "nan", ""}) {
        EXPECT_EQ(Cli({"similar", "--threshold", bad, kAnna, kBoris}), kBadUsage) << bad;
    }
}

// A file that cannot be read or assembled is named on stderr, in the language asked for, and the
// others are compared; the exit status tells that one was left out.
TEST_F(SimilarTest, AFileThatCannotBeComparedIsNamedAndTheRestCompared) {
    const std::string broken = Write("broken.asm", "  MOV #1,R0\n  ADD X,R0\n  HLT\n");
    const std::string missing = (dir_ / "none.asm").string();
    const std::string junk = Write("junk.cod", "1" + std::string(5000, 'z') + "\n7\n");
    EXPECT_EQ(Cli({"similar", "--lang", "en", kAnna, broken, missing, junk, kBoris}), kFailed);
    EXPECT_NE(Out().find("anna.asm  boris.asm"), std::string::npos);
    const std::string err = err_.str();
    EXPECT_NE(err.find("q42cli: not compared: " + broken + ": 2: "), std::string::npos) << err;
    EXPECT_NE(err.find("q42cli: not compared: " + missing + ": "), std::string::npos) << err;
    EXPECT_NE(err.find("q42cli: not compared: " + junk + ": "), std::string::npos) << err;
    EXPECT_LT(err.size(), 1000U);  // a long junk line is cut short

    EXPECT_EQ(Cli({"similar", kAnna, missing}), kFailed);
    EXPECT_NE(err_.str().find("не сравнивается: " + missing), std::string::npos) << err_.str();
}

TEST_F(SimilarTest, JsonHoldsThePairsAndTheFilesLeftOut) {
    const std::string missing = (dir_ / "none.asm").string();
    EXPECT_EQ(Cli({"similar", "--json", kAnna, kBoris, missing}), kFailed);
    const auto document = nlohmann::json::parse(out_.str());
    EXPECT_EQ(document.at("threshold"), 0.8);
    ASSERT_EQ(document.at("pairs").size(), 1U);
    const auto& pair = document.at("pairs").at(0);
    EXPECT_EQ(pair.at("first"), kAnna);
    EXPECT_EQ(pair.at("second"), kBoris);
    EXPECT_NEAR(pair.at("score").get<double>(), 68.0 / 74.0, 1e-4);
    ASSERT_EQ(pair.at("runs").size(), 3U);
    EXPECT_EQ(pair.at("runs").at(0).at("instructions"), 18);
    EXPECT_EQ(pair.at("runs").at(0).at("first"), (nlohmann::json{10, 27}));
    EXPECT_EQ(pair.at("runs").at(0).at("second"), (nlohmann::json{20, 37}));
    ASSERT_EQ(document.at("not_compared").size(), 1U);
    EXPECT_EQ(document.at("not_compared").at(0).at("program"), missing);
}

}  // namespace
}  // namespace q42::cli
