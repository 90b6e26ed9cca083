#include "assembler/disassembler.h"

#include <cstdint>
#include <optional>

#include "assembler/mnemonic.h"

namespace q42 {
namespace {

using enum OperandForm;

using Text = std::optional<std::string>;  // nothing when the assembler never writes the word

// A number as the assembler reads it: four hex digits and "H", after a 0 when the first is a
// letter, since a number starts with a digit.
std::string HexNumber(Value value) {
    const std::string digits = WordToHex(value);
    return (digits[0] > '9' ? "0" : "") + digits + "H";
}

// The name that stands for an address.
std::string AddressName(Value address) {
    return "@" + WordToHex(address);
}

std::string ByteMarked(std::string operand, bool byte) {
    return byte ? operand + "%" : operand;
}

// One statement as it is read: the instruction word's fields and the words after it that its
// operands have taken so far.
struct Reading {
    const WordReader& read;
    const WordNamer& namer;
    Value address = 0;
    InstructionWord word;
    int words = 1;

    // The next word the operands take, and the name written for it ("" for none).
    std::pair<Value, std::string> Next() {
        const Value at = address + Value{2} * words++;
        const Value value = read(at);
        return {value, namer ? namer(at, value) : std::string()};
    }
};

// An operand in its field: a register form, a constant word when the operand may be one, or a
// memory word. Takes the word after the instruction the field needs.
Text Operand(Reading& r, int field, bool constantAllowed, bool byte) {
    if (field < kRegisterFieldCount)
        return ByteMarked(std::string(OperandFieldNames()[field].english), byte);
    if (field == kConstantField && constantAllowed) {
        const auto [value, name] = r.Next();
        return ByteMarked("#" + (name.empty() ? HexNumber(value) : name), byte);
    }
    if (field == kAddressField) {
        const auto [value, name] = r.Next();
        return ByteMarked(name.empty() ? AddressName(value) : name, byte);
    }
    return std::nullopt;
}

// Operand 1 of MOV..XOR and OUT: a short constant when the mode says so, else any operand.
Text SourceOperand(Reading& r, bool byte) {
    const InstructionWord w = r.word;
    if (!w.ShortConstant()) {
        if (w.ShortNegative()) return std::nullopt;
        return Operand(r, w.Field1(), true, byte);
    }
    if (w.ShortNegative() && w.Field1() == 0) return std::nullopt;  // -0
    return ByteMarked((w.ShortNegative() ? "#-" : "#") + std::to_string(w.Field1()), byte);
}

// A statement's operands, in the order written; nothing when the assembler never writes the word.
using List = std::optional<std::vector<std::string>>;

List One(const Text& only) {
    if (!only) return std::nullopt;
    return std::vector{*only};
}

List Joined(const Text& first, const Text& second) {
    if (!first || !second) return std::nullopt;
    return std::vector{*first, *second};
}

// MOV..XOR: byte marks as the assembler takes them; operand 2 no constant.
List TwoOperands(Reading& r, const Mnemonic& entry) {
    const InstructionWord w = r.word;
    if (!TakesByteMarks(entry, w.Byte1(), w.Byte2(), w.ShortConstant())) return std::nullopt;
    const Text first = SourceOperand(r, w.Byte1() || w.Byte2());
    return Joined(first, Operand(r, w.Field2(), false, w.Byte1() && w.Byte2()));
}

std::string Port(int port) {
    return "P." + std::to_string(port);
}

// IN and OUT take no byte marks; only OUT's operand may be a constant.
List InOperands(Reading& r) {
    if (r.word.ModeDigit() != 0) return std::nullopt;
    return Joined(Port(r.word.InPort()), Operand(r, r.word.Field2(), false, false));
}

List OutOperands(Reading& r) {
    if (r.word.Byte1() || r.word.Byte2()) return std::nullopt;
    const Text first = SourceOperand(r, false);
    return Joined(first, Port(r.word.OutPort()));
}

// A jump's operand is in field 2; field 1 stays 0.
Text JumpOperand(Reading& r) {
    if (r.word.Field1() != 0) return std::nullopt;
    return Operand(r, r.word.Field2(), true, false);
}

// A branch's target is the next word's address and the displacement.
Text BranchTarget(Reading& r) {
    const int displacement = r.word.Displacement();
    const Value target = r.address + 2 + displacement;
    if (!BranchReaches(displacement) || target < 0 || target > 0xFFFF) return std::nullopt;
    const std::string name = r.namer ? r.namer(r.address, r.word.Word()) : std::string();
    return name.empty() ? AddressName(target) : name;
}

// NOT..ASR: a byte mark where the operation takes one, a constant where it only reads a word.
Text SingleOperand(Reading& r, const Mnemonic& entry) {
    // The assembler marks a byte with both byte bits and nothing else in the mode digit.
    const bool byte = r.word == r.word.WithModeDigit(0).WithBytes(true, true);
    if (r.word.ModeDigit() != 0 && !(byte && entry.byteForm)) return std::nullopt;
    return Operand(r, r.word.Field2(), entry.form == WordSource, byte);
}

// The operands of the entry's statement.
List Operands(Reading& r, const Mnemonic& entry) {
    switch (entry.form) {
        case None:
            if (r.word.Word() != entry.fields.Word()) return std::nullopt;
            return std::vector<std::string>{};
        case Data:
        case Move: return TwoOperands(r, entry);
        case PortToWord: return InOperands(r);
        case WordToPort: return OutOperands(r);
        case Target: return One(JumpOperand(r));
        case Label: return One(BranchTarget(r));
        case Changed:
        case WordSource:
        case WordDestination: return One(SingleOperand(r, entry));
        case Number: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

Disassembled Disassemble(const WordReader& read, Value address, const WordNamer& namer) {
    const Value word = read(address);
    Reading r{read, namer, address, InstructionWord(word)};
    if (const Mnemonic* entry = NamingEntry(r.word)) {
        if (List operands = Operands(r, *entry)) {
            std::string text(entry->name);
            for (std::size_t i = 0; i < operands->size(); ++i)
                text += (i == 0 ? " " : ",") + (*operands)[i];
            return {text, r.words, std::move(*operands), entry};
        }
    }
    return {DataWordText(word), 1};
}

std::string DataWordText(Value word) {
    return "DW " + HexNumber(word);
}

}  // namespace q42
