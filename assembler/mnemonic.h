#pragma once
// Looking up the instruction table's operations by name, and the eight register operand names
// with their register forms.

#include <optional>
#include <string_view>

#include "assembler/instruction_set.h"

namespace q42 {

// The table's entry for the operation named exactly `name` (case-sensitive), or nullptr.
const Mnemonic* LookupMnemonic(std::string_view name);

// The register form of the operand named exactly `name` (0..3 the register, 4..7 the word at the
// address the register holds), or nothing if it names none.
std::optional<int> LookupOperandName(std::string_view name);

}  // namespace q42
