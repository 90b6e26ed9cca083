#include "assembler/mnemonic.h"

#include <array>

namespace q42 {
namespace {

struct OperandName {
    std::string_view name;
    char code;  // 0..3 the register, 4..7 the word at the address the register holds
};

constexpr std::array<OperandName, 8> kOperandNames = {{
    {"R0", '0'},
    {"R1", '1'},
    {"R2", '2'},
    {"R3", '3'},
    {"(R0)", '4'},
    {"(R1)", '5'},
    {"(R2)", '6'},
    {"(R3)", '7'},
}};

}  // namespace

const Mnemonic* LookupMnemonic(std::string_view name) {
    for (const auto& entry : MnemonicTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

std::string_view LookupOperation(std::string_view name) {
    const Mnemonic* entry = LookupMnemonic(name);
    return entry == nullptr ? std::string_view{} : entry->Code();
}

char LookupOperandName(std::string_view name) {
    for (const auto& entry : kOperandNames)
        if (entry.name == name) return entry.code;
    return '\0';
}

}  // namespace q42
