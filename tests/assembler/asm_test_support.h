#pragma once
// Running the assembler on source lines written in UTF-8, and reading its results back in UTF-8.

#include <string>
#include <vector>

#include "assembler/assembler.h"
#include "machine/codepage.h"

namespace q42::test {

struct AsmRun {
    Assembly assembly;
    std::string error;  // the diagnostic's text in UTF-8, empty when there is none

    // The diagnostic's line, in UTF-8; empty when there is none.
    std::string Where() const {
        return assembly.diagnostic ? Cp1251ToUtf8(assembly.diagnostic->where) : std::string();
    }
    // The warnings' texts, in UTF-8.
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const AsmWarning& warning : assembly.warnings)
            texts.push_back(Cp1251ToUtf8(warning.text));
        return texts;
    }
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

// The source lines from UTF-8.
inline TextLines Source(const std::vector<std::string>& lines) {
    TextLines source;
    for (const auto& line : lines)
        source.push_back(Utf8ToCp1251(line));
    return source;
}

// Preprocesses only (compile = false), or preprocesses and compiles.
inline AsmRun RunAssembler(const std::vector<std::string>& source, const AsmOptions& options,
                           bool compile = true) {
    AsmRun run;
    run.assembly =
        compile ? Assemble(Source(source), options) : PreprocessOnly(Source(source), options);
    if (run.assembly.diagnostic) run.error = Cp1251ToUtf8(run.assembly.diagnostic->text);
    return run;
}

}  // namespace q42::test
