#pragma once
// Looking up the instruction table's operations by name and by instruction word, and the eight
// register operand names with their register forms.

#include <optional>
#include <string_view>

#include "assembler/instruction_set.h"

namespace q42 {

// The table's entry for the operation named exactly `name` (case-sensitive), or nullptr.
const Mnemonic* LookupMnemonic(std::string_view name);

// The entry whose words have these fields: for a jump or branch its condition and call flag
// decide, in the single-operand group its sub-operation (and, where it takes no operand, the
// operand field as well), and otherwise the operation code alone. Nullptr when none names it; DW
// names no word. The other fields need not be ones the assembler writes for the entry.
const Mnemonic* NamingEntry(InstructionWord word);

// The register form of the operand named exactly `name` (0..3 the register, 4..7 the word at the
// address the register holds), or nothing if it names none.
std::optional<int> LookupOperandName(std::string_view name);

}  // namespace q42
