#pragma once
// The programs shown in the documents for students (the guide, the lessons, the common
// mistakes): a fenced block "asm program" (or "asm mistake") with the optional "text input"
// block after it and the "text output" block that shows what the program prints.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/cli_fixture.h"

namespace q42::cli {

struct DocBlock {
    std::string info, text;
    int line;  // of the opening fence, for the failure messages
};

struct DocProgram {
    std::string source, input, output;
    int line;
};

std::string ReadDoc(const std::filesystem::path& path);

// Every fenced block of a Markdown text, in order.
std::vector<DocBlock> FencedBlocks(const std::string& text);

// Each block of the kind ("asm program", "asm mistake") with its input and output; a missing
// output block is a test failure that names `file` and the line.
std::vector<DocProgram> DocPrograms(const std::string& text, std::string_view kind,
                                    const std::string& file);

// The program without its comments and trailing blanks: what two languages' documents share.
std::string Code(const std::string& source);

// The transcript's lines that the program wrote, not the system's texts around them: the same
// in both languages.
std::string Numbers(const std::string& transcript);

class DocProgramsTest : public CliFixture {
  protected:
    // Runs each program through q42cli in the language `lang` ("ru", "en") with its input, and
    // expects what it prints, and the exit status of a halt or of the run-time error shown.
    void ExpectTranscripts(const std::vector<DocProgram>& programs, const char* lang,
                           const std::string& file);
};

}  // namespace q42::cli
