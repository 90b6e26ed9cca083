#include "session/code_loading.h"

namespace q42 {
namespace {

bool StartsWithHexDigit(const std::string& line) {
    if (line.empty()) return false;
    const char c = line[0];
    return IsHexDigit(c) || (c >= 'a' && c <= 'f');
}

CodeLineError ShowCodeLineError(const Machine& machine, std::string text, int lineIndex) {
    return {std::move(text), machine.RunErrorText(), lineIndex};
}

}  // namespace

std::optional<CodeLineError> CopyCode(Machine& machine, const std::vector<std::string>& codeText) {
    Value address = 0;
    for (std::size_t i = 0; i < codeText.size(); ++i) {
        const std::string& line = codeText[i];
        const int index = static_cast<int>(i);
        if (!StartsWithHexDigit(line)) continue;
        if (line.size() > 4 && line[4] != ' ' && line[4] != ';') {
            machine.runError = Fault::BadCodeLength;
            return ShowCodeLineError(machine, line, index);
        }
        const std::string digits = line.substr(0, 4);
        const HexWord word = HexToWord(digits);
        machine.runError = word.error;
        if (machine.Failed()) return ShowCodeLineError(machine, digits, index);
        machine.WriteWord(address, word.value);
        // A word that does not fit into RAM is reported like a bad line, so that a program too
        // long for the machine never runs truncated.
        if (machine.Failed()) return ShowCodeLineError(machine, line, index);
        address += 2;
    }
    return std::nullopt;
}

}  // namespace q42
