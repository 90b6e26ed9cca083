#include "assembler/mnemonic.h"

namespace q42 {
namespace {

constexpr std::array<Mnemonic, kMnemonicCount> kMnemonics = {{
    {"NOP", "0000"},   {"MOV", "0100"},    {"ADD", "0200"},    {"SUB", "0300"},   {"CMP", "0400"},
    {"MUL", "0500"},   {"DIV", "0600"},    {"AND", "0700"},    {"OR", "0800"},    {"XOR", "0900"},
    {"IN", "0A00"},    {"OUT", "0B00"},    {"HLT", "AF18"},    {"RET", "0C00"},   {"JMP", "1C00"},
    {"JGE", "2C00"},   {"JL", "3C00"},     {"JNE", "4C00"},    {"JE", "5C00"},    {"JLE", "6C00"},
    {"JG", "7C00"},    {"CALL", "9C00"},   {"BRET", "0D00"},   {"BR", "1D00"},    {"BGE", "2D00"},
    {"BL", "3D00"},    {"BNE", "4D00"},    {"BE", "5D00"},     {"BLE", "6D00"},   {"BG", "7D00"},
    {"BCALL", "9D00"}, {"PAGE0", "0E00"},  {"MYPAGE", "0E01"}, {"DW", "0W"},      {"NOT", "0E10"},
    {"PUSH", "0E20"},  {"POP", "0E30"},    {"ADDSP", "0E40"},  {"SUBSP", "0E50"}, {"TOSP", "0E60"},
    {"FRMSP", "0E70"}, {"PUSHPS", "0E80"}, {"POPPS", "0E90"},  {"SL", "0EA0"},    {"SR", "0EB0"},
    {"ASR", "0EC0"},
}};

constexpr std::array<OperandName, kOperandNameCount> kOperandNames = {{
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

const std::array<Mnemonic, kMnemonicCount>& MnemonicTable() {
    return kMnemonics;
}

const std::array<OperandName, kOperandNameCount>& OperandTable() {
    return kOperandNames;
}

std::string_view LookupOperation(std::string_view name) {
    for (const auto& entry : kMnemonics)
        if (entry.name == name) return entry.code;
    return {};
}

char LookupOperandName(std::string_view name) {
    for (const auto& entry : kOperandNames)
        if (entry.name == name) return entry.code;
    return '\0';
}

}  // namespace q42
