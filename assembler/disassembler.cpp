#include "assembler/disassembler.h"

#include <cstdint>
#include <optional>

#include "assembler/mnemonic.h"

namespace q42 {
namespace {

using enum OperandForm;

// The mode bits of a two-operand word, of IN and OUT: a byte mark on operand 1 and on operand 2;
// the low two bits mark operand 1's field as a short constant, 3 a negative one. A single-operand
// word marks its byte operand with both byte bits.
constexpr int kByte1 = 8;
constexpr int kByte2 = 4;
constexpr int kBothBytes = kByte1 | kByte2;
constexpr int kShortBits = 3;
constexpr int kShortPositive = 2;
constexpr int kShortNegative = 3;

// The longest branch forward the assembler writes: a label at most 126 bytes past the next word.
constexpr int kLongestForward = 126;

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
    Value address;
    InstructionFields word;
    int words = 1;

    Value Next() { return read(address + 2 * words++); }
};

// An operand in its field: a register form, a constant word when the operand may be one, or a
// memory word. Takes the word after the instruction the field needs.
Text Operand(Reading& r, int field, bool constantAllowed, bool byte) {
    if (field < kRegisterFieldCount)
        return ByteMarked(std::string(OperandFieldNames()[field].english), byte);
    if (field == kConstantField && constantAllowed)
        return ByteMarked("#" + HexNumber(r.Next()), byte);
    if (field == kAddressField) return ByteMarked(AddressName(r.Next()), byte);
    return std::nullopt;
}

// Operand 1 of MOV..XOR and OUT: a short constant when the mode says so, else any operand.
Text SourceOperand(Reading& r, bool byte) {
    const int magnitude = r.word.field1;
    switch (r.word.mode & kShortBits) {
        case 0: return Operand(r, magnitude, true, byte);
        case kShortPositive: return ByteMarked("#" + std::to_string(magnitude), byte);
        case kShortNegative:
            if (magnitude == 0) return std::nullopt;
            return ByteMarked("#-" + std::to_string(magnitude), byte);
        default: return std::nullopt;
    }
}

Text Joined(const Text& first, const Text& second) {
    if (!first || !second) return std::nullopt;
    return *first + "," + *second;
}

// MOV..XOR: both operands bytes or neither, or MOV's byte into a word; operand 2 no constant.
Text TwoOperands(Reading& r, const Mnemonic& entry) {
    const int bytes = r.word.mode & kBothBytes;
    const bool byteIntoWord = entry.form == Move && r.word.mode == kByte1;
    if (bytes != 0 && bytes != kBothBytes && !byteIntoWord) return std::nullopt;
    const Text first = SourceOperand(r, bytes != 0);
    return Joined(first, Operand(r, r.word.field2, false, bytes == kBothBytes));
}

std::string Port(int port) {
    return "P." + std::to_string(port);
}

// IN and OUT take no byte marks; only OUT's operand may be a constant.
Text InOperands(Reading& r) {
    if (r.word.mode != 0) return std::nullopt;
    return Joined(Port(r.word.field1), Operand(r, r.word.field2, false, false));
}

Text OutOperands(Reading& r) {
    if ((r.word.mode & kBothBytes) != 0) return std::nullopt;
    const Text first = SourceOperand(r, false);
    return Joined(first, Port(r.word.field2));
}

// A jump's operand is in field 2; field 1 stays 0.
Text JumpOperand(Reading& r) {
    if (r.word.field1 != 0) return std::nullopt;
    return Operand(r, r.word.field2, true, false);
}

// A branch's target is the next word's address and the signed displacement in the low byte.
Text BranchTarget(Reading& r) {
    const auto displacement = static_cast<std::int8_t>((r.word.field1 << 4) | r.word.field2);
    const Value target = r.address + 2 + displacement;
    if (displacement > kLongestForward || target < 0 || target > 0xFFFF) return std::nullopt;
    return AddressName(target);
}

// NOT..ASR: a byte mark where the operation takes one, a constant where it only reads a word.
Text SingleOperand(Reading& r, const Mnemonic& entry) {
    const bool byte = r.word.mode == kBothBytes;
    if (r.word.mode != 0 && !(byte && entry.byteForm)) return std::nullopt;
    return Operand(r, r.word.field2, entry.form == WordSource, byte);
}

// The operands of the entry's statement, "" for none.
Text Operands(Reading& r, const Mnemonic& entry) {
    switch (entry.form) {
        case None:
            if (r.word.Word() != entry.fields.Word()) return std::nullopt;
            return "";
        case Data:
        case Move: return TwoOperands(r, entry);
        case PortToWord: return InOperands(r);
        case WordToPort: return OutOperands(r);
        case Target: return JumpOperand(r);
        case Label: return BranchTarget(r);
        case Changed:
        case WordSource:
        case WordDestination: return SingleOperand(r, entry);
        case Number: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

Disassembled Disassemble(const WordReader& read, Value address) {
    const Value word = read(address);
    Reading r{read, address, InstructionFields::Of(word)};
    if (const Mnemonic* entry = NamingEntry(r.word)) {
        if (const Text operands = Operands(r, *entry)) {
            const std::string name(entry->name);
            return {operands->empty() ? name : name + " " + *operands, r.words};
        }
    }
    return {DataWordText(word), 1};
}

std::string DataWordText(Value word) {
    return "DW " + HexNumber(word);
}

}  // namespace q42
