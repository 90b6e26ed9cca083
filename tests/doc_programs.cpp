#include "tests/doc_programs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "machine/codepage.h"
#include "machine/run_texts.h"

namespace q42::cli {

std::string ReadDoc(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<DocBlock> FencedBlocks(const std::string& text) {
    std::vector<DocBlock> blocks;
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

std::vector<DocProgram> DocPrograms(const std::string& text, std::string_view kind,
                                    const std::string& file) {
    const std::vector<DocBlock> blocks = FencedBlocks(text);
    std::vector<DocProgram> programs;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].info != kind) continue;
        DocProgram program{blocks[i].text, "", "", blocks[i].line};
        std::size_t next = i + 1;
        if (next < blocks.size() && blocks[next].info == "text input")
            program.input = blocks[next++].text;
        if (next < blocks.size() && blocks[next].info == "text output")
            program.output = blocks[next].text;
        else
            ADD_FAILURE() << file << ':' << program.line << ": no text output block";
        programs.push_back(program);
    }
    return programs;
}

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

std::string Numbers(const std::string& transcript) {
    std::istringstream lines(transcript);
    std::string line, kept;
    for (int n = 0; std::getline(lines, line); ++n)
        if (n > 0 && line.find_first_of("0123456789") != std::string::npos) kept += line + '\n';
    return kept;
}

void DocProgramsTest::ExpectTranscripts(const std::vector<DocProgram>& programs, const char* lang,
                                        const std::string& file) {
    for (const DocProgram& program : programs) {
        const std::string path = Write("shown.asm", program.source);
        const int status =
            Cli({"run", "--lang", lang, "--max-steps", "1000000", path}, program.input);
        // A program shown for its run-time error ends with it (the run chose the language).
        const bool fails =
            program.output.find(Cp1251ToUtf8(Text(RunText::ErrorReport))) != std::string::npos;
        EXPECT_EQ(status, fails ? kFailed : kHalted) << file << ':' << program.line << '\n'
                                                     << err_.str();
        EXPECT_EQ(out_.str(), program.output) << file << ':' << program.line;
    }
}

}  // namespace q42::cli
