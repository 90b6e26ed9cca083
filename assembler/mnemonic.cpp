#include "assembler/mnemonic.h"

namespace q42 {

const Mnemonic* LookupMnemonic(std::string_view name) {
    for (const auto& entry : MnemonicTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

const Mnemonic* NamingEntry(const InstructionFields& word) {
    for (const Mnemonic& entry : MnemonicTable()) {
        const InstructionFields& fields = entry.fields;
        if (entry.form == OperandForm::Number || fields.operation != word.operation) continue;
        switch (word.operation) {
            case kJump:
            case kBranch:
                if (fields.mode == word.mode) return &entry;
                break;
            case kSingle:
                if (fields.field1 == word.field1 &&
                    (entry.form != OperandForm::None || fields.field2 == word.field2))
                    return &entry;
                break;
            default: return &entry;
        }
    }
    return nullptr;
}

std::optional<int> LookupOperandName(std::string_view name) {
    const auto& names = OperandFieldNames();
    for (int form = 0; form < kRegisterFieldCount; ++form)
        if (names[form].english == name) return form;
    return std::nullopt;
}

}  // namespace q42
