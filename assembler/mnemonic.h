#pragma once
// The instruction table: the 46 operation names of the assembler language with the code text the
// compiler starts from, how each is written, what it does and the operands it takes (the guide
// and the editor's tooltips explain the operations from it), and the eight register operand
// names with their operand codes.
//
// A code text has four positions: 1 the mode digit (or a jump's condition), 2 the group character
// that selects the operand pattern, 3 and 4 the operand fields (or, in group E, a sub-operation in
// position 3). DW's code text is "0W": its word is the number itself.

#include <array>
#include <string_view>

#include "machine/language.h"

namespace q42 {

struct Mnemonic {
    std::string_view name;
    std::string_view code;
    Bilingual syntax;    // how it is written: "MOV op1,op2"
    Bilingual does;      // what it does and the flags it sets, in a line
    Bilingual operands;  // the operand forms it takes
};

struct OperandName {
    std::string_view name;
    char code;  // 0..3 the register, 4..7 the word at the address the register holds
};

constexpr int kMnemonicCount = 46;
constexpr int kOperandNameCount = 8;

const std::array<Mnemonic, kMnemonicCount>& MnemonicTable();
const std::array<OperandName, kOperandNameCount>& OperandTable();

// The code text of the operation named exactly `name` (case-sensitive), or "" if there is none.
std::string_view LookupOperation(std::string_view name);

// The table's entry for the operation named `name` in any letter case, or nullptr.
const Mnemonic* FindOperation(std::string_view name);

// The operand code of the register operand named exactly `name`, or '\0' if it names none.
char LookupOperandName(std::string_view name);

}  // namespace q42
