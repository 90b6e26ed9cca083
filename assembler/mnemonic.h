#pragma once
// Looking up the instruction table's operations by name, and the eight register operand names
// with their operand codes.

#include <string_view>

#include "assembler/instruction_set.h"

namespace q42 {

// The table's entry for the operation named exactly `name` (case-sensitive), or nullptr.
const Mnemonic* LookupMnemonic(std::string_view name);

// The code text of the operation named exactly `name` (case-sensitive), or "" if there is none.
std::string_view LookupOperation(std::string_view name);

// The operand code of the register operand named exactly `name`, or '\0' if it names none.
char LookupOperandName(std::string_view name);

}  // namespace q42
