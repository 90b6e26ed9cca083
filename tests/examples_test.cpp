// Every program in examples/ runs to its HLT and prints exactly its transcript: NAME.asm is run
// with NAME.in on stdin (when there is one) and its stdout must equal NAME.out; in English it
// prints no Cyrillic letter. The programs are
// found by listing the folder, so a new example is checked as soon as it is added.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/cli_fixture.h"
#include "tests/cyrillic.h"

namespace q42::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(Q42_SOURCE_DIR) / "examples";

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The base names of the example programs, sorted so that the test names are stable.
std::vector<std::string> ExampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kExamples))
        if (entry.path().extension() == ".asm") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ExampleRun : public CliFixture, public testing::WithParamInterface<std::string> {};

TEST_P(ExampleRun, PrintsItsTranscript) {
    const std::string base = (kExamples / GetParam()).string();
    const fs::path expected = base + ".out";
    const fs::path input = base + ".in";
    ASSERT_TRUE(fs::exists(expected)) << "no transcript " << expected;

    // The step cap turns an example that loops for ever into a failure instead of a hang.
    const int status = Cli({"run", "--max-steps", "1000000", base + ".asm"},
                           fs::exists(input) ? ReadBytes(input) : "");
    EXPECT_EQ(status, kHalted) << err_.str();
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(out_.str(), ReadBytes(expected));
}

// The English program writes every text of the run in English.
TEST_P(ExampleRun, InEnglishPrintsNoCyrillic) {
    const std::string base = (kExamples / GetParam()).string();
    const fs::path input = base + ".in";
    const int status = Cli({"run", "--lang", "en", "--max-steps", "1000000", base + ".asm"},
                           fs::exists(input) ? ReadBytes(input) : "");
    EXPECT_EQ(status, kHalted) << err_.str();
    EXPECT_FALSE(HasCyrillic(out_.str())) << out_.str();
    EXPECT_NE(out_.str().find("Task completed"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRun, testing::ValuesIn(ExampleNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// An input or a transcript left behind by a renamed or deleted program would never be checked.
TEST(ExampleFiles, EveryInputAndTranscriptBelongsToAProgram) {
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".in" || path.extension() == ".out") {
            EXPECT_TRUE(fs::exists(fs::path(path).replace_extension(".asm"))) << path;
        }
    }
}

}  // namespace
}  // namespace q42::cli
