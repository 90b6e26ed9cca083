#pragma once
// Running the assembler on source lines written in UTF-8, and reading its texts back in UTF-8.

#include <string>
#include <vector>

#include "assembler/assembler.h"
#include "machine/codepage.h"

namespace q42::test {

// Records every warning instead of showing it.
class RecordedWarnings : public AsmWarnings {
  public:
    void Warn(const std::string& text) override { texts.push_back(Cp1251ToUtf8(text)); }
    std::vector<std::string> texts;
};

struct AsmRun {
    AssemblerTexts texts;
    RecordedWarnings warnings;
    std::string error;  // UTF-8
    std::string LineLab() const { return Cp1251ToUtf8(texts.lineLab); }
    std::string ErrLab() const { return Cp1251ToUtf8(texts.errLab); }
};

inline AsmOptions Options(bool english, bool shortConst = true) {
    return {.englishInterface = english, .useShortConst = shortConst};
}

// Lines joined by "|", in UTF-8, for compact expectations.
inline std::string Joined(const TextLines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "|") + Cp1251ToUtf8(lines[i]);
    return text;
}

// Preprocesses only (compile = false) or as the assembler window's compile + preprocess does.
inline AsmRun Assemble(const std::vector<std::string>& source, const AsmOptions& options,
                       bool compile = true) {
    AsmRun run;
    for (const auto& line : source)
        run.texts.asmText.push_back(Utf8ToCp1251(line));
    run.error = Cp1251ToUtf8(compile ? PreprocessAndCompile(run.texts, options, run.warnings)
                                     : Preprocess(run.texts, options));
    return run;
}

}  // namespace q42::test
