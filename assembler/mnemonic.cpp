#include "assembler/mnemonic.h"

namespace q42 {

// The register forms the assembler reads, 0..7, are the first eight operand fields.
constexpr int kWrittenOperandForms = 8;

const Mnemonic* LookupMnemonic(std::string_view name) {
    for (const auto& entry : MnemonicTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

std::optional<int> LookupOperandName(std::string_view name) {
    const auto& names = OperandFieldNames();
    for (int form = 0; form < kWrittenOperandForms; ++form)
        if (names[form].english == name) return form;
    return std::nullopt;
}

}  // namespace q42
