// The common mistakes (docs/mistakes.en.md, docs/mistakes.ru.md): every mistake's program, a
// fenced block "asm mistake", gives exactly what the "text output" block after it shows (what
// q42cli writes on stderr, the assembler's message or warning, then the screen on stdout); both
// pages show the same mistakes with the same programs.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/cyrillic.h"
#include "tests/doc_programs.h"

namespace q42::cli {
namespace {

struct Page {
    const char* file;
    const char* lang;
};
constexpr Page kPages[] = {{"mistakes.en.md", "en"}, {"mistakes.ru.md", "ru"}};

std::string ReadPage(const Page& page) {
    return ReadDoc(std::filesystem::path(Q42_SOURCE_DIR) / "docs" / page.file);
}

std::vector<DocProgram> Mistakes(const Page& page) {
    return DocPrograms(ReadPage(page), "asm mistake", page.file);
}

// The "## N. " headings, one for each mistake.
int Headings(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("## " + std::to_string(count + 1) + ". ")) ++count;
    }
    return count;
}

class MistakesTest : public CliFixture {};

TEST_F(MistakesTest, EveryMistakeGivesTheMessageShown) {
    for (const Page& page : kPages) {
        const std::vector<DocProgram> mistakes = Mistakes(page);
        EXPECT_GE(mistakes.size(), 10U) << page.file;
        for (const DocProgram& mistake : mistakes) {
            const std::string path = Write("mistake.asm", mistake.source);
            Cli({"run", "--lang", page.lang, "--max-steps", "1000000", path}, mistake.input);
            EXPECT_EQ(err_.str() + out_.str(), mistake.output) << page.file << ':' << mistake.line;
        }
    }
}

TEST(MistakesTextTest, BothPagesShowTheSameMistakes) {
    const std::string en = ReadPage(kPages[0]), ru = ReadPage(kPages[1]);
    EXPECT_GE(Headings(en), 10) << kPages[0].file;
    EXPECT_EQ(Headings(en), Headings(ru));
    const std::vector<DocProgram> enMistakes = Mistakes(kPages[0]),
                                  ruMistakes = Mistakes(kPages[1]);
    ASSERT_EQ(enMistakes.size(), ruMistakes.size());
    for (std::size_t i = 0; i < enMistakes.size(); ++i) {
        EXPECT_EQ(Code(enMistakes[i].source), Code(ruMistakes[i].source)) << "mistake " << i + 1;
        EXPECT_EQ(enMistakes[i].input, ruMistakes[i].input) << "mistake " << i + 1;
    }
    std::istringstream lines(en);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
        EXPECT_FALSE(HasCyrillic(line)) << kPages[0].file << ':' << number << ": " << line;
}

}  // namespace
}  // namespace q42::cli
