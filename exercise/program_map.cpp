#include "exercise/program_map.h"

#include <algorithm>

#include "assembler/disassembler.h"
#include "assembler/mnemonic.h"
#include "exercise/wording.h"
#include "machine/codepage.h"

namespace q42 {
namespace {

// The first word of a statement: its operation name; none for DW or a statement that names no
// operation.
std::string OperationOf(const std::string& statement) {
    const std::string name = statement.substr(0, statement.find(' '));
    const Mnemonic* entry = LookupMnemonic(name);
    return entry != nullptr && entry->form != OperandForm::Number ? name : std::string();
}

std::string Trimmed(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") + 1 - begin);
}

}  // namespace

std::string ProgramMap::Place(Value address) const {
    const std::string at = WordToHex(address);
    const auto index = static_cast<std::size_t>(address >> 1);
    if (address < 0 || index >= wordLines.size() || wordLines[index] == 0) return at;
    const int line = wordLines[index];
    return Fill(Pick("%s, строка %s: %s", "%s, line %s: %s"),
                {at, std::to_string(line), Cp1251ToUtf8(Trimmed(SourceLineText(source, line)))});
}

std::string ProgramMap::LinesOf(const std::set<Value>& addresses) const {
    std::set<int> lines;
    for (const Value address : addresses) {
        const auto index = static_cast<std::size_t>(address >> 1);
        if (address >= 0 && index < wordLines.size() && wordLines[index] > 0)
            lines.insert(wordLines[index]);
    }
    std::string text;
    for (auto line = lines.begin(); line != lines.end();) {
        int last = *line;
        auto next = std::next(line);
        while (next != lines.end() && *next == last + 1)
            last = *next++;
        if (!text.empty()) text += ", ";
        text += std::to_string(*line) + (last != *line ? "-" + std::to_string(last) : "");
        line = next;
    }
    return text;
}

ProgramMap MapOfAssembly(const Assembly& assembly, const TextLines& source) {
    ProgramMap map;
    map.source = source;
    map.words = static_cast<int>(assembly.code.size());
    int lastStatement = 0;
    for (std::size_t i = 0; i < assembly.code.size(); ++i) {
        const AssembledWord& word = assembly.code[i];
        map.wordLines.push_back(word.sourceLine);
        if (word.intermediateLine == lastStatement) continue;  // an operand's word
        lastStatement = word.intermediateLine;
        const auto& lines = assembly.intermediate.lines;
        const auto at = static_cast<std::size_t>(word.intermediateLine - 1);
        if (at >= lines.size()) continue;
        const std::string name = OperationOf(Trimmed(lines[at]));
        if (!name.empty()) map.operations.push_back({name, static_cast<Value>(2 * i)});
    }
    return map;
}

ProgramMap MapOfCode(const Machine& loaded, int words) {
    ProgramMap map;
    map.words = words;
    const auto read = [&loaded](Value at) { return loaded.PeekWord(at); };
    for (Value address = 0; address < 2 * words;) {
        const Disassembled statement = Disassemble(read, address);
        const std::string name = OperationOf(statement.text);
        if (!name.empty()) map.operations.push_back({name, address});
        address += 2 * std::max(1, statement.words);
    }
    return map;
}

}  // namespace q42
