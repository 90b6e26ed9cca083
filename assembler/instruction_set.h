#pragma once
// The instruction set as one table: the 46 operation names of the assembler language, each with
// the fields of the instruction word it writes, the operands it takes, how it is written, what it
// does, and what the decoding dialog calls its words. The compiler encodes from it, the decoding
// dialog and the editor's tooltips explain operations from it, and the guide is checked against it.

#include <array>
#include <cstdint>
#include <string_view>

#include "machine/instruction_word.h"
#include "machine/language.h"

namespace q42 {

// The operands an operation takes, which decides how the compiler reads them.
enum class OperandForm : std::uint8_t {
    None,             // no operand
    Data,             // op1 any mode or a constant, op2 any mode but a constant (ADD ... XOR)
    Move,             // as Data, and a byte may also be moved into a word: the entries of the
                      // operations the machine's byte/word rule lets move one (MOV)
    PortToWord,       // a port, then a word operand written: not a constant (IN)
    WordToPort,       // a word operand or a constant, then a port (OUT)
    Target,           // one operand, the address to jump to: any mode
    Label,            // a label, which must lie near the next instruction
    Changed,          // one operand read and written: not a constant
    WordSource,       // one word operand: any mode or a constant
    WordDestination,  // one word operand written: not a constant
    Number,           // DW: the word is the number itself
};

struct Mnemonic {
    std::string_view name;
    // The fields of the instruction word the operation fixes: the mode digit of a jump or branch
    // (its condition and call flag) and of HLT, otherwise 0, where the compiler writes the byte
    // and short-constant bits; the operation code; the sub-operation of the single-operand group
    // and HLT's field 1; MYPAGE's and HLT's field 2. The operands fill in the other fields. DW has
    // none of its own: its word is the number.
    InstructionWord fields;
    OperandForm form;
    bool byteForm;       // whether "%" may mark its operands as bytes
    Bilingual syntax;    // how it is written: "MOV op1,op2"
    Bilingual does;      // what it does and the flags it sets, in a line
    Bilingual operands;  // the operand forms it takes
    Bilingual decoded;   // the decoding dialog's name for its words; empty when it shows none
};

constexpr int kMnemonicCount = 46;

const std::array<Mnemonic, kMnemonicCount>& MnemonicTable();

// Whether the assembler writes these byte marks on the operands of the entry's operation, one of
// codes 1..11: the machine's byte/word rule, by the entry's form; and a short constant, which is
// never a byte of memory, is not moved as a byte into a word.
constexpr bool TakesByteMarks(const Mnemonic& entry, bool byte1, bool byte2, bool shortConstant) {
    const bool ruleAllows =
        ByteWordFault(entry.form == OperandForm::Move, byte1, byte2) == Fault::None;
    return ruleAllows && (byte1 == byte2 || !shortConstant);
}

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
