#include "session/code_loading.h"

#include <algorithm>

#include "machine/language.h"
#include "machine/run_texts.h"

namespace q42 {
namespace {

bool StartsWithHexDigit(const std::string& line) {
    if (line.empty()) return false;
    const char c = line[0];
    return IsHexDigit(c) || (c >= 'a' && c <= 'f');
}

CodeLineError BadLine(Fault fault, std::string text, int lineIndex) {
    return {fault, std::move(text), FaultText(fault), lineIndex};
}

// How many lines of a code text hold a word.
std::int64_t WordLines(const std::vector<std::string>& codeText) {
    return std::count_if(codeText.begin(), codeText.end(),
                         [](const std::string& line) { return StartsWithHexDigit(line); });
}

}  // namespace

CodeCopy CopyCode(Machine& machine, const std::vector<std::string>& codeText) {
    CodeCopy copy;
    for (std::size_t i = 0; i < codeText.size(); ++i) {
        const std::string& line = codeText[i];
        const int index = static_cast<int>(i);
        if (!StartsWithHexDigit(line)) continue;
        if (line.size() > 4 && line[4] != ' ' && line[4] != ';') {
            copy.error = BadLine(Fault::BadCodeLength, line, index);
            return copy;
        }
        const std::string digits = line.substr(0, 4);
        const HexWord word = HexToWord(digits);
        if (word.error != Fault::None) {
            copy.error = BadLine(word.error, digits, index);
            return copy;
        }
        // A word that does not fit into RAM is reported like a bad line, so that a program too
        // long for the machine never runs truncated.
        const Value address = Value{2} * copy.words;
        if (const Fault fault = machine.LoadWord(address, word.value); fault != Fault::None) {
            copy.error = BadLine(fault, line, index);
            copy.error->errLab = ProgramTooLongText(WordLines(codeText), EnglishTexts());
            return copy;
        }
        ++copy.words;
    }
    return copy;
}

}  // namespace q42
