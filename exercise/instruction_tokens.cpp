#include "exercise/similarity.h"

#include <memory>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "assembler/disassembler.h"
#include "assembler/mnemonic.h"
#include "machine/machine.h"
#include "session/code_loading.h"

namespace q42 {
namespace {

using enum OperandForm;

// What an operand is, whatever register, constant or port it names.
enum class OperandKind : std::uint32_t {
    None,
    Register,
    AtRegister,  // the word at the address a register holds
    Indexed,
    Constant,  // a short constant or a constant word
    Address,   // the word at an address given in the word after the instruction
    Port,
    Unnamed,  // a field no operand form names
};

OperandKind FieldKind(int field) {
    if (field < 4) return OperandKind::Register;
    if (field < kRegisterFieldCount) return OperandKind::AtRegister;
    if (field < 12) return OperandKind::Indexed;
    if (field == kConstantField) return OperandKind::Constant;
    if (field == kAddressField) return OperandKind::Address;
    return OperandKind::Unnamed;
}

// Operand 1 of MOV..XOR and OUT: a short constant, or any field.
OperandKind SourceKind(InstructionWord word) {
    return word.ShortConstant() ? OperandKind::Constant : FieldKind(word.Field1());
}

struct Operands {
    OperandKind first = OperandKind::None;
    OperandKind second = OperandKind::None;
};

Operands OperandsOf(InstructionWord word, const Mnemonic& entry) {
    switch (entry.form) {
        case Data:
        case Move: return {SourceKind(word), FieldKind(word.Field2())};
        case PortToWord: return {OperandKind::Port, FieldKind(word.Field2())};
        case WordToPort: return {SourceKind(word), OperandKind::Port};
        case Target:
        case Changed:
        case WordSource:
        case WordDestination: return {FieldKind(word.Field2())};
        case None:
        case Label:  // a branch's target is where the code happens to lie
        case Number: break;
    }
    return {};
}

// The operation with its byte marks and the kinds of its operands.
std::uint32_t KindOf(InstructionWord word, const Mnemonic& entry) {
    const Operands operands = OperandsOf(word, entry);
    const auto index = static_cast<std::uint32_t>(&entry - MnemonicTable().data());
    const std::uint32_t bytes =
        entry.byteForm ? (word.Byte1() ? 2U : 0U) + (word.Byte2() ? 1U : 0U) : 0U;
    return index << 8 | bytes << 6 | static_cast<std::uint32_t>(operands.first) << 3 |
           static_cast<std::uint32_t>(operands.second);
}

// A word of a program as the tokens are read from it.
struct PlacedWord {
    Value value = 0;
    int place = 0;
    bool data = false;  // known to be data: a DW, DS or RW statement's word
};

// Reads the instructions from the first word on, each with the words its operands take, as the
// disassembler reads them; a word of a data statement, or one no statement but DW writes, is
// skipped alone.
InstructionSequence Tokens(const std::vector<PlacedWord>& words) {
    const WordReader read = [&words](Value address) {
        const std::size_t index = address / 2;
        return index < words.size() ? words[index].value : 0;
    };
    InstructionSequence sequence;
    bool afterData = false;
    std::size_t i = 0;
    while (i < words.size()) {
        const Disassembled statement = Disassemble(read, static_cast<Value>(2 * i));
        if (words[i].data || statement.operation == nullptr) {
            afterData = !sequence.tokens.empty();
            ++i;
            continue;
        }
        if (sequence.tokens.size() == kMaxInstructions) {
            sequence.cut = true;
            break;
        }
        const InstructionWord word(words[i].value);
        sequence.tokens.push_back({KindOf(word, *statement.operation), words[i].place, afterData});
        afterData = false;
        i += statement.words;
    }
    return sequence;
}

// Whether an intermediate line is a data statement: DW is what DS and RW become.
bool IsDataLine(const Assembly& assembly, int intermediateLine) {
    const TextLines& lines = assembly.intermediate.lines;
    if (intermediateLine < 1 || intermediateLine > static_cast<int>(lines.size())) return false;
    const std::string& line = lines[intermediateLine - 1];
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return false;
    const std::size_t end = line.find_first_of(" \t", start);
    const Mnemonic* entry = LookupMnemonic(std::string_view(line).substr(start, end - start));
    return entry != nullptr && entry->form == Number;
}

// A line quoted in a message, cut short: a class's messages stay readable when a file is junk.
std::string Quoted(const std::string& line) {
    constexpr std::size_t kLongest = 60;
    return line.size() <= kLongest ? line : line.substr(0, kLongest) + "...";
}

std::string CodeLineErrorText(const CodeLineError& error) {
    return std::to_string(error.lineIndex + 1) + ": " + Quoted(error.lineLab) + ": " + error.errLab;
}

// A code file's words as they load from address 0000, each placed at its address.
InstructionSequence SequenceOfCodeText(const TextLines& codeText) {
    auto machine = std::make_unique<Machine>();
    const CodeCopy copy = CopyCode(*machine, codeText);
    if (copy.error) {
        InstructionSequence failed;
        failed.error = CodeLineErrorText(*copy.error);
        return failed;
    }
    std::vector<PlacedWord> words;
    words.reserve(copy.words);
    for (int i = 0; i < copy.words; ++i) {
        const Value address = Value{2} * i;
        words.push_back({machine->PeekWord(address), static_cast<int>(address)});
    }
    InstructionSequence sequence = Tokens(words);
    sequence.byAddress = true;
    return sequence;
}

}  // namespace

InstructionSequence SequenceOfAssembly(const Assembly& assembly) {
    std::vector<PlacedWord> words;
    for (const AssembledWord& word : assembly.code) {
        words.push_back({word.value, word.sourceLine, IsDataLine(assembly, word.intermediateLine)});
    }
    return Tokens(words);
}

InstructionSequence SequenceOfProgram(const std::string& name, const TextLines& lines,
                                      const AsmOptions& options) {
    if (IsCodeFileName(name)) return SequenceOfCodeText(CodeTextFromLines(lines));
    const Assembly assembly = Assemble(lines, options);
    if (const auto& diagnostic = assembly.diagnostic) {
        InstructionSequence failed;
        failed.error = Quoted(diagnostic->where) + ": " + Quoted(diagnostic->text);
        return failed;
    }
    return SequenceOfAssembly(assembly);
}

}  // namespace q42
