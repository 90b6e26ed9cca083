#include "assembler/mnemonic.h"

namespace q42 {

const Mnemonic* LookupMnemonic(std::string_view name) {
    for (const auto& entry : MnemonicTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

const Mnemonic* NamingEntry(InstructionWord word) {
    for (const Mnemonic& entry : MnemonicTable()) {
        const InstructionWord fields = entry.fields;
        if (entry.form == OperandForm::Number || fields.Operation() != word.Operation()) continue;
        switch (word.Operation()) {
            case kJump:
            case kBranch:
                if (fields.ModeDigit() == word.ModeDigit()) return &entry;
                break;
            case kSingle:
                if (fields.Sub() == word.Sub() &&
                    (entry.form != OperandForm::None || fields.Field2() == word.Field2()))
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
