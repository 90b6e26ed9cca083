#include "assembler/assembly.h"

namespace q42 {

int IntermediateText::SourceLineOf(int i) const {
    if (i < 1 || static_cast<std::size_t>(i) > sourceLines.size()) return 0;
    return sourceLines[static_cast<std::size_t>(i) - 1];
}

std::string AssembledWord::CodeLine() const {
    return unfinished ? *unfinished : WordToHex(value);
}

TextLines Assembly::CodeText() const {
    TextLines lines;
    lines.reserve(code.size());
    for (const AssembledWord& word : code)
        lines.push_back(word.CodeLine());
    return lines;
}

const std::string& SourceLineText(const TextLines& source, int n) {
    static const std::string kNone;
    if (n < 1 || static_cast<std::size_t>(n) > source.size()) return kNone;
    return source[static_cast<std::size_t>(n) - 1];
}

AsmDiagnostic Diagnose(const AsmFailure& failure, const TextLines& source, bool english) {
    const int line = failure.sourceLine;
    // The line as the preprocessor held it follows one blank, the source line two.
    const std::string shown =
        failure.heldLine ? ": " + *failure.heldLine : ":  " + SourceLineText(source, line);
    return {.error = failure.error,
            .sourceLine = line,
            .inSource = line >= 1 && static_cast<std::size_t>(line) <= source.size(),
            .where = std::to_string(line) + shown,
            .text = AsmErrorText(failure.error, english)};
}

}  // namespace q42
