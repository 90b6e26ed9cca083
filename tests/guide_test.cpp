// The student's guides (docs/guide.en.md, docs/guide.ru.md): every complete program, a fenced block
// "asm program", runs through q42cli to the transcript in the "text output" block after it (with
// the "text input" block between them on stdin); both guides show the same programs; and each
// guide names every operation of the instruction table and every message of its language.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/err_diag.h"
#include "assembler/mnemonic.h"
#include "machine/codepage.h"
#include "machine/faults.h"
#include "machine/run_texts.h"
#include "tests/cli_fixture.h"
#include "tests/cyrillic.h"

namespace q42::cli {
namespace {

struct Guide {
    const char* file;
    Language language;  // of its transcripts and messages
    const char* lang;   // q42cli's name for it
};
constexpr Guide kGuides[] = {{"guide.en.md", Language::English, "en"},
                             {"guide.ru.md", Language::Russian, "ru"}};

struct Block {
    std::string info, text;
    int line;  // of the opening fence, for the failure messages
};

struct Program {
    std::string source, input, output;
    int line;
};

std::string ReadGuide(const Guide& guide) {
    std::ifstream file(std::string(Q42_SOURCE_DIR) + "/docs/" + guide.file, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<Block> FencedBlocks(const std::string& text) {
    std::vector<Block> blocks;
    std::istringstream lines(text);
    std::string line;
    bool inside = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!inside && line.starts_with("```")) {
            blocks.push_back({line.substr(3), "", number});
            inside = true;
        } else if (inside && line == "```") {
            inside = false;
        } else if (inside) {
            blocks.back().text += line + '\n';
        }
    }
    EXPECT_FALSE(inside) << "a code block is not closed";
    return blocks;
}

// Each "asm program" block with the optional "text input" and the required "text output" after it.
std::vector<Program> Programs(const Guide& guide) {
    const std::vector<Block> blocks = FencedBlocks(ReadGuide(guide));
    std::vector<Program> programs;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].info != "asm program") continue;
        Program program{blocks[i].text, "", "", blocks[i].line};
        std::size_t next = i + 1;
        if (next < blocks.size() && blocks[next].info == "text input")
            program.input = blocks[next++].text;
        if (next < blocks.size() && blocks[next].info == "text output")
            program.output = blocks[next].text;
        else
            ADD_FAILURE() << guide.file << ':' << program.line << ": no text output block";
        programs.push_back(program);
    }
    return programs;
}

// The program without its comments and trailing blanks: what the two guides must share.
std::string Code(const std::string& source) {
    std::istringstream lines(source);
    std::string line, code;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find(';'));
        line.erase(line.find_last_not_of(' ') + 1);
        code += line + '\n';
    }
    return code;
}

// The transcript's lines that the program wrote, not the system's texts around them: the same in
// both languages.
std::string Numbers(const std::string& transcript) {
    std::istringstream lines(transcript);
    std::string line, kept;
    for (int n = 0; std::getline(lines, line); ++n)
        if (n > 0 && line.find_first_of("0123456789") != std::string::npos) kept += line + '\n';
    return kept;
}

class GuideProgramsTest : public CliFixture {};

TEST_F(GuideProgramsTest, EveryProgramPrintsItsTranscript) {
    for (const Guide& guide : kGuides) {
        const std::vector<Program> programs = Programs(guide);
        EXPECT_GE(programs.size(), 5u) << guide.file;
        for (const Program& program : programs) {
            const std::string path = Write("guide.asm", program.source);
            const int status =
                Cli({"run", "--lang", guide.lang, "--max-steps", "1000000", path}, program.input);
            // A program shown for its run-time error ends with it (the run chose the language).
            const bool fails =
                program.output.find(Cp1251ToUtf8(Text(RunText::ErrorReport))) != std::string::npos;
            EXPECT_EQ(status, fails ? kFailed : kHalted)
                << guide.file << ':' << program.line << '\n'
                << err_.str();
            EXPECT_EQ(out_.str(), program.output) << guide.file << ':' << program.line;
        }
    }
}

TEST(GuideTextTest, BothGuidesShowTheSamePrograms) {
    const std::vector<Program> en = Programs(kGuides[0]), ru = Programs(kGuides[1]);
    ASSERT_EQ(en.size(), ru.size());
    for (std::size_t i = 0; i < en.size(); ++i) {
        EXPECT_EQ(Code(en[i].source), Code(ru[i].source)) << "program " << i + 1;
        EXPECT_EQ(en[i].input, ru[i].input) << "program " << i + 1;
        EXPECT_EQ(Numbers(en[i].output), Numbers(ru[i].output)) << "program " << i + 1;
    }
}

TEST(GuideTextTest, EveryOperationAndMessageIsExplained) {
    for (const Guide& guide : kGuides) {
        const std::string text = ReadGuide(guide);
        ASSERT_FALSE(text.empty()) << guide.file;
        // Each operation is shown as the instruction table writes it, the way the editor's
        // tooltip shows it: `MOV op1,op2`, `BR name`, `HLT`.
        const bool english = guide.language == Language::English;
        for (const Mnemonic& operation : MnemonicTable()) {
            const std::string_view syntax =
                english ? operation.syntax.english : operation.syntax.russian;
            EXPECT_NE(text.find("`" + std::string(syntax) + "`"), std::string::npos)
                << guide.file << ": " << syntax;
        }
        const auto mentions = [&](const std::string& message) {
            EXPECT_NE(text.find(Cp1251ToUtf8(message)), std::string::npos)
                << guide.file << ": " << Cp1251ToUtf8(message);
        };
        for (const std::string& message : AsmMessages()[english])
            mentions(message);
        SetTextLanguage(guide.language);
        for (int fault = 1; fault <= static_cast<int>(Fault::KeyBufferOverflow); ++fault)
            mentions(FaultText(static_cast<Fault>(fault)));
        for (int message = 0; message <= static_cast<int>(RunText::RomNotFound); ++message)
            mentions(Text(static_cast<RunText>(message)));
        SetTextLanguage(Language::Russian);
    }
}

// The English guide is shown by the English program, which shows no Russian text.
TEST(GuideTextTest, EnglishGuideHasNoCyrillic) {
    const std::string text = ReadGuide(kGuides[0]);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
        EXPECT_FALSE(HasCyrillic(line)) << "guide.en.md:" << number << ": " << line;
}

}  // namespace
}  // namespace q42::cli
