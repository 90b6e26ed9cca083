// The student's guides (docs/guide.en.md, docs/guide.ru.md): every complete program, a fenced block
// "asm program", runs through q42cli to the transcript in the "text output" block after it (with
// the "text input" block between them on stdin); both guides show the same programs; and each
// guide names every operation of the instruction table and every message of its language.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "assembler/err_diag.h"
#include "assembler/mnemonic.h"
#include "machine/codepage.h"
#include "machine/faults.h"
#include "machine/run_texts.h"
#include "tests/cyrillic.h"
#include "tests/doc_programs.h"

namespace q42::cli {
namespace {

struct Guide {
    const char* file;
    Language language;  // of its transcripts and messages
    const char* lang;   // q42cli's name for it
};
constexpr Guide kGuides[] = {{"guide.en.md", Language::English, "en"},
                             {"guide.ru.md", Language::Russian, "ru"}};

std::string ReadGuide(const Guide& guide) {
    return ReadDoc(std::filesystem::path(Q42_SOURCE_DIR) / "docs" / guide.file);
}

std::vector<DocProgram> Programs(const Guide& guide) {
    return DocPrograms(ReadGuide(guide), "asm program", guide.file);
}

class GuideProgramsTest : public DocProgramsTest {};

TEST_F(GuideProgramsTest, EveryProgramPrintsItsTranscript) {
    for (const Guide& guide : kGuides) {
        const std::vector<DocProgram> programs = Programs(guide);
        EXPECT_GE(programs.size(), 5u) << guide.file;
        ExpectTranscripts(programs, guide.lang, guide.file);
    }
}

TEST(GuideTextTest, BothGuidesShowTheSamePrograms) {
    const std::vector<DocProgram> en = Programs(kGuides[0]), ru = Programs(kGuides[1]);
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
