#include "assembler/mnemonic.h"

#include <algorithm>
#include <cctype>

namespace q42 {
namespace {

// The operand forms, shared by the operations that take them.
constexpr Bilingual kNoOperands = {"без операндов", "no operands"};
constexpr Bilingual kDataOperands = {
    "ОП1: любой метод или константа; ОП2: любой метод, кроме константы; байты: % у обоих",
    "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both"};
constexpr Bilingual kMoveOperands = {
    "ОП1: любой метод или константа; ОП2: любой метод, кроме константы; байты: % у обоих, "
    "или MOV байт%,слово",
    "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both, or MOV "
    "byte%,word"};
constexpr Bilingual kJumpOperand = {"ОП: любой метод; #МЕТКА - адрес метки",
                                    "op: any mode; #LABEL is the label's address"};
constexpr Bilingual kBranchOperand = {"метка от -128 до +126 байт от следующей команды",
                                      "a label -128..+126 bytes from the next instruction"};
constexpr Bilingual kChangedOperand = {"ОП: любой метод, кроме константы; байт: %",
                                       "op: any mode but a constant; byte: %"};
constexpr Bilingual kWordSource = {"ОП: любой метод или константа; только слова",
                                   "op: any mode or a constant; words only"};
constexpr Bilingual kWordDestination = {"ОП: любой метод, кроме константы; только слова",
                                        "op: any mode but a constant; words only"};

constexpr Bilingual kNumber = {"число от -32768 до 32767 или до четырёх шестнадцатеричных цифр",
                               "a number from -32768 to 32767, or up to four hex digits"};
constexpr Bilingual kWordDestinationPort = {"порт: P.n, Pn или n; ОП: любой метод, кроме константы",
                                            "port: P.n, Pn or n; op: any mode but a constant"};
constexpr Bilingual kWordSourcePort = {"ОП: любой метод или константа; порт: P.n, Pn или n",
                                       "op: any mode or a constant; port: P.n, Pn or n"};

constexpr std::array<Mnemonic, kMnemonicCount> kMnemonics = {{
    {"NOP", "0000", "NOP", {"ничего не делает", "does nothing"}, kNoOperands},
    {"MOV",
     "0100",
     "MOV op1,op2",
     {"ОП2 := ОП1; флаги N, Z", "op2 := op1; sets N, Z"},
     kMoveOperands},
    {"ADD",
     "0200",
     "ADD op1,op2",
     {"ОП2 := ОП2 + ОП1; флаги N, Z", "op2 := op2 + op1; sets N, Z"},
     kDataOperands},
    {"SUB",
     "0300",
     "SUB op1,op2",
     {"ОП2 := ОП2 - ОП1; флаги N, Z", "op2 := op2 - op1; sets N, Z"},
     kDataOperands},
    {"CMP",
     "0400",
     "CMP op1,op2",
     {"сравнивает ОП2 с ОП1 (ОП2 - ОП1), ничего не записывает; флаги N, Z",
      "compares op2 with op1 (op2 - op1), stores nothing; sets N, Z"},
     kDataOperands},
    {"MUL",
     "0500",
     "MUL op1,op2",
     {"ОП2 := ОП2 * ОП1; флаги N, Z", "op2 := op2 * op1; sets N, Z"},
     kDataOperands},
    {"DIV",
     "0600",
     "DIV op1,op2",
     {"ОП2 := ОП2 / ОП1, остаток отбрасывается; флаги N, Z",
      "op2 := op2 / op1, the remainder dropped; sets N, Z"},
     kDataOperands},
    {"AND",
     "0700",
     "AND op1,op2",
     {"ОП2 := ОП2 И ОП1 поразрядно; флаги N, Z", "op2 := op2 AND op1, bit by bit; sets N, Z"},
     kDataOperands},
    {"OR",
     "0800",
     "OR op1,op2",
     {"ОП2 := ОП2 ИЛИ ОП1 поразрядно; флаги N, Z", "op2 := op2 OR op1, bit by bit; sets N, Z"},
     kDataOperands},
    {"XOR",
     "0900",
     "XOR op1,op2",
     {"ОП2 := ОП2 исключающее ИЛИ ОП1; флаги N, Z", "op2 := op2 exclusive-OR op1; sets N, Z"},
     kDataOperands},
    {"IN",
     "0A00",
     "IN port,op",
     {"ОП := значение из порта 0..15; флаги не меняются",
      "op := the value read from port 0..15; flags unchanged"},
     kWordDestinationPort},
    {"OUT",
     "0B00",
     "OUT op,port",
     {"записывает ОП в порт 0..15; флаги не меняются", "writes op to port 0..15; flags unchanged"},
     kWordSourcePort},
    {"HLT", "AF18", "HLT", {"останавливает программу", "stops the program"}, kNoOperands},
    {"RET",
     "0C00",
     "RET",
     {"возврат из подпрограммы: PC := слово из стека",
      "returns from a subroutine: PC := the word popped from the stack"},
     kNoOperands},
    {"JMP", "1C00", "JMP op", {"переход по адресу ОП", "jumps to the address op"}, kJumpOperand},
    {"JGE", "2C00", "JGE op", {"переход при N = 0 (>= 0)", "jumps if N = 0 (>= 0)"}, kJumpOperand},
    {"JL", "3C00", "JL op", {"переход при N = 1 (< 0)", "jumps if N = 1 (< 0)"}, kJumpOperand},
    {"JNE", "4C00", "JNE op", {"переход при Z = 0 (<> 0)", "jumps if Z = 0 (<> 0)"}, kJumpOperand},
    {"JE", "5C00", "JE op", {"переход при Z = 1 (= 0)", "jumps if Z = 1 (= 0)"}, kJumpOperand},
    {"JLE",
     "6C00",
     "JLE op",
     {"переход при N = 1 или Z = 1 (<= 0)", "jumps if N = 1 or Z = 1 (<= 0)"},
     kJumpOperand},
    {"JG",
     "7C00",
     "JG op",
     {"переход при N = 0 и Z = 0 (> 0)", "jumps if N = 0 and Z = 0 (> 0)"},
     kJumpOperand},
    {"CALL",
     "9C00",
     "CALL op",
     {"вызов подпрограммы: адрес возврата в стек, переход по адресу ОП",
      "calls a subroutine: pushes the return address, jumps to the address op"},
     kJumpOperand},
    {"BRET", "0D00", "BRET", {"возврат из подпрограммы", "returns from a subroutine"}, kNoOperands},
    {"BR", "1D00", "BR label", {"переход на метку", "branches to the label"}, kBranchOperand},
    {"BGE",
     "2D00",
     "BGE label",
     {"переход при N = 0 (>= 0)", "branches if N = 0 (>= 0)"},
     kBranchOperand},
    {"BL",
     "3D00",
     "BL label",
     {"переход при N = 1 (< 0)", "branches if N = 1 (< 0)"},
     kBranchOperand},
    {"BNE",
     "4D00",
     "BNE label",
     {"переход при Z = 0 (<> 0)", "branches if Z = 0 (<> 0)"},
     kBranchOperand},
    {"BE",
     "5D00",
     "BE label",
     {"переход при Z = 1 (= 0)", "branches if Z = 1 (= 0)"},
     kBranchOperand},
    {"BLE",
     "6D00",
     "BLE label",
     {"переход при N = 1 или Z = 1 (<= 0)", "branches if N = 1 or Z = 1 (<= 0)"},
     kBranchOperand},
    {"BG",
     "7D00",
     "BG label",
     {"переход при N = 0 и Z = 0 (> 0)", "branches if N = 0 and Z = 0 (> 0)"},
     kBranchOperand},
    {"BCALL",
     "9D00",
     "BCALL label",
     {"вызов подпрограммы по метке", "calls the subroutine at the label"},
     kBranchOperand},
    {"PAGE0",
     "0E00",
     "PAGE0",
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     kNoOperands},
    {"MYPAGE",
     "0E01",
     "MYPAGE",
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     kNoOperands},
    {"DW",
     "0W",
     "DW number",
     {"не операция: число в очередное слово",
      "not an operation: puts the number into the next word"},
     kNumber},
    {"NOT",
     "0E10",
     "NOT op",
     {"ОП := ОП с инвертированными битами; флаги N, Z",
      "op := op with every bit inverted; sets N, Z"},
     kChangedOperand},
    {"PUSH",
     "0E20",
     "PUSH op",
     {"SP := SP - 2, затем слово по адресу SP := ОП; флаги N, Z",
      "SP := SP - 2, then the word at SP := op; sets N, Z"},
     kWordSource},
    {"POP",
     "0E30",
     "POP op",
     {"ОП := слово по адресу SP, затем SP := SP + 2; флаги N, Z",
      "op := the word at SP, then SP := SP + 2; sets N, Z"},
     kWordDestination},
    {"ADDSP",
     "0E40",
     "ADDSP op",
     {"SP := SP + ОП; флаги N, Z", "SP := SP + op; sets N, Z"},
     kWordSource},
    {"SUBSP",
     "0E50",
     "SUBSP op",
     {"SP := SP - ОП; флаги N, Z", "SP := SP - op; sets N, Z"},
     kWordSource},
    {"TOSP", "0E60", "TOSP op", {"SP := ОП; флаги N, Z", "SP := op; sets N, Z"}, kWordSource},
    {"FRMSP",
     "0E70",
     "FRMSP op",
     {"ОП := SP; флаги N, Z", "op := SP; sets N, Z"},
     kWordDestination},
    {"PUSHPS", "0E80", "PUSHPS", {"записывает PS в стек", "pushes PS onto the stack"}, kNoOperands},
    {"POPPS", "0E90", "POPPS", {"читает PS из стека", "pops a word into PS"}, kNoOperands},
    {"SL",
     "0EA0",
     "SL op",
     {"сдвиг ОП влево на 1 бит, справа входит 0; флаги N, Z",
      "shifts op left by one bit, 0 comes in; sets N, Z"},
     kChangedOperand},
    {"SR",
     "0EB0",
     "SR op",
     {"сдвиг ОП вправо на 1 бит, слева входит 0; флаги N, Z",
      "shifts op right by one bit, 0 comes in; sets N, Z"},
     kChangedOperand},
    {"ASR",
     "0EC0",
     "ASR op",
     {"сдвиг ОП вправо на 1 бит, знаковый бит сохраняется; флаги N, Z",
      "shifts op right by one bit, the sign bit stays; sets N, Z"},
     kChangedOperand},
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

const Mnemonic* FindOperation(std::string_view name) {
    for (const auto& entry : kMnemonics) {
        const bool same =
            entry.name.size() == name.size() &&
            std::equal(name.begin(), name.end(), entry.name.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            });
        if (same) return &entry;
    }
    return nullptr;
}

char LookupOperandName(std::string_view name) {
    for (const auto& entry : kOperandNames)
        if (entry.name == name) return entry.code;
    return '\0';
}

}  // namespace q42
