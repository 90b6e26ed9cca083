#pragma once
// The instruction set as one table: the 46 operation names of the assembler language, each with
// the fields of the instruction word it writes, the operands it takes, how it is written, what it
// does, and what the decoding dialog calls its words. The compiler encodes from it, the decoding
// dialog and the editor's tooltips explain operations from it, and the guide is checked against it.

#include <array>
#include <cstdint>
#include <string_view>

#include "machine/language.h"
#include "machine/machine.h"

namespace q42 {

// The operands an operation takes, which decides how the compiler reads them.
enum class OperandForm : std::uint8_t {
    None,             // no operand
    Data,             // op1 any mode or a constant, op2 any mode but a constant (ADD ... XOR)
    Move,             // as Data, and a byte may also be moved into a word (MOV)
    PortToWord,       // a port, then a word operand written: not a constant (IN)
    WordToPort,       // a word operand or a constant, then a port (OUT)
    Target,           // one operand, the address to jump to: any mode
    Label,            // a label, which must lie near the next instruction
    Changed,          // one operand read and written: not a constant
    WordSource,       // one word operand: any mode or a constant
    WordDestination,  // one word operand written: not a constant
    Number,           // DW: the word is the number itself
};

// The fields of an instruction word that an operation fixes: bits 12..15 (a jump's or branch's
// condition and call flag, HLT's A, otherwise 0: there the compiler writes the byte and
// short-constant bits), the operation code (bits 8..11), bits 4..7 (the sub-operation of the
// single-operand group, HLT's 1) and bits 0..3 (MYPAGE's 1, HLT's 8). The operands fill in the
// other fields.
struct InstructionFields {
    int mode = 0;
    OperationCode operation = kNop;
    int field1 = 0;
    int field2 = 0;

    constexpr Value Word() const {
        return (Value{mode} << 12) | (Value{operation} << 8) | (Value{field1} << 4) | field2;
    }
    // The four fields of an instruction word.
    static constexpr InstructionFields Of(Value word) {
        return {.mode = static_cast<int>(word >> 12) & 0xF,
                .operation = static_cast<OperationCode>((word >> 8) & 0xF),
                .field1 = static_cast<int>(word >> 4) & 0xF,
                .field2 = static_cast<int>(word) & 0xF};
    }
};

struct Mnemonic {
    std::string_view name;
    InstructionFields fields;  // DW has none of its own: its word is the number
    OperandForm form;
    bool byteForm;       // whether "%" may mark its operands as bytes
    Bilingual syntax;    // how it is written: "MOV op1,op2"
    Bilingual does;      // what it does and the flags it sets, in a line
    Bilingual operands;  // the operand forms it takes
    Bilingual decoded;   // the decoding dialog's name for its words; empty when it shows none
};

constexpr int kMnemonicCount = 46;

const std::array<Mnemonic, kMnemonicCount>& MnemonicTable();

// The operand fields 0..F of an instruction word as they are named: 0..3 the register, 4..7 the
// word at the address the register holds (the names the assembler reads), 8..B the same with an
// index ("(R0+Ri)"), D a constant and E an address in the word after the instruction; C and F
// name nothing.
constexpr int kOperandFieldCount = 16;
constexpr int kRegisterFieldCount = 8;  // the fields 0..7, the register forms the assembler reads
constexpr int kConstantField = 0xD;
constexpr int kAddressField = 0xE;
const std::array<Bilingual, kOperandFieldCount>& OperandFieldNames();

}  // namespace q42
