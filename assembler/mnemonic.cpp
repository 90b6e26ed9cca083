#include "assembler/mnemonic.h"

#include <algorithm>
#include <cctype>

namespace q42 {
namespace {

// The operand forms, shared by the operations that take them.
constexpr Bilingual kNoOperands = {"без операндов", "no operands"};
constexpr Bilingual kDataOperands = {
    "оп1: любой метод или константа; оп2: любой метод, кроме константы; байты: % у обоих",
    "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both"};
constexpr Bilingual kMoveOperands = {
    "оп1: любой метод или константа; оп2: любой метод, кроме константы; байты: % у обоих, "
    "или MOV байт%,слово",
    "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both, or MOV "
    "byte%,word"};
constexpr Bilingual kJumpOperand = {"оп: любой метод; #ИМЯ - адрес метки",
                                    "op: any mode; #NAME is the label's address"};
constexpr Bilingual kBranchOperand = {"метка от -128 до +126 байт от следующей команды",
                                      "a label -128..+126 bytes from the next instruction"};
constexpr Bilingual kChangedOperand = {"оп: любой метод, кроме константы; байт: %",
                                       "op: any mode but a constant; byte: %"};
constexpr Bilingual kWordSource = {"оп: любой метод или константа; только слова",
                                   "op: any mode or a constant; words only"};
constexpr Bilingual kWordDestination = {"оп: любой метод, кроме константы; только слова",
                                        "op: any mode but a constant; words only"};

constexpr Bilingual kNumber = {"число от -32768 до 32767 или до четырёх шестнадцатеричных цифр",
                               "a number from -32768 to 32767, or up to four hex digits"};
constexpr Bilingual kWordDestinationPort = {"порт: P.n, Pn или n; оп: любой метод, кроме константы",
                                            "port: P.n, Pn or n; op: any mode but a constant"};
constexpr Bilingual kWordSourcePort = {"оп: любой метод или константа; порт: P.n, Pn или n",
                                       "op: any mode or a constant; port: P.n, Pn or n"};

constexpr std::array<Mnemonic, kMnemonicCount> kMnemonics = {{
    {"NOP", "0000", {"NOP", "NOP"}, {"ничего не делает", "does nothing"}, kNoOperands},
    {"MOV",
     "0100",
     {"MOV оп1,оп2", "MOV op1,op2"},
     {"оп2 := оп1; флаги N, Z", "op2 := op1; sets N, Z"},
     kMoveOperands},
    {"ADD",
     "0200",
     {"ADD оп1,оп2", "ADD op1,op2"},
     {"оп2 := оп2 + оп1; флаги N, Z", "op2 := op2 + op1; sets N, Z"},
     kDataOperands},
    {"SUB",
     "0300",
     {"SUB оп1,оп2", "SUB op1,op2"},
     {"оп2 := оп2 - оп1; флаги N, Z", "op2 := op2 - op1; sets N, Z"},
     kDataOperands},
    {"CMP",
     "0400",
     {"CMP оп1,оп2", "CMP op1,op2"},
     {"сравнивает оп2 с оп1 (оп2 - оп1), ничего не записывает; флаги N, Z",
      "compares op2 with op1 (op2 - op1), stores nothing; sets N, Z"},
     kDataOperands},
    {"MUL",
     "0500",
     {"MUL оп1,оп2", "MUL op1,op2"},
     {"оп2 := оп2 * оп1; флаги N, Z", "op2 := op2 * op1; sets N, Z"},
     kDataOperands},
    {"DIV",
     "0600",
     {"DIV оп1,оп2", "DIV op1,op2"},
     {"оп2 := оп2 / оп1, остаток отбрасывается; флаги N, Z",
      "op2 := op2 / op1, the remainder dropped; sets N, Z"},
     kDataOperands},
    {"AND",
     "0700",
     {"AND оп1,оп2", "AND op1,op2"},
     {"оп2 := оп2 И оп1 поразрядно; флаги N, Z", "op2 := op2 AND op1, bit by bit; sets N, Z"},
     kDataOperands},
    {"OR",
     "0800",
     {"OR оп1,оп2", "OR op1,op2"},
     {"оп2 := оп2 ИЛИ оп1 поразрядно; флаги N, Z", "op2 := op2 OR op1, bit by bit; sets N, Z"},
     kDataOperands},
    {"XOR",
     "0900",
     {"XOR оп1,оп2", "XOR op1,op2"},
     {"оп2 := оп2 исключающее ИЛИ оп1; флаги N, Z", "op2 := op2 exclusive-OR op1; sets N, Z"},
     kDataOperands},
    {"IN",
     "0A00",
     {"IN порт,оп", "IN port,op"},
     {"оп := значение из порта 0..15; флаги не меняются",
      "op := the value read from port 0..15; flags unchanged"},
     kWordDestinationPort},
    {"OUT",
     "0B00",
     {"OUT оп1,порт", "OUT op1,port"},
     {"записывает оп в порт 0..15; флаги не меняются", "writes op to port 0..15; flags unchanged"},
     kWordSourcePort},
    {"HLT", "AF18", {"HLT", "HLT"}, {"останавливает программу", "stops the program"}, kNoOperands},
    {"RET",
     "0C00",
     {"RET", "RET"},
     {"возврат из подпрограммы: PC := слово из стека",
      "returns from a subroutine: PC := the word popped from the stack"},
     kNoOperands},
    {"JMP",
     "1C00",
     {"JMP оп", "JMP op"},
     {"переход по адресу оп", "jumps to the address op"},
     kJumpOperand},
    {"JGE",
     "2C00",
     {"JGE оп", "JGE op"},
     {"переход при N = 0 (>= 0)", "jumps if N = 0 (>= 0)"},
     kJumpOperand},
    {"JL",
     "3C00",
     {"JL оп", "JL op"},
     {"переход при N = 1 (< 0)", "jumps if N = 1 (< 0)"},
     kJumpOperand},
    {"JNE",
     "4C00",
     {"JNE оп", "JNE op"},
     {"переход при Z = 0 (<> 0)", "jumps if Z = 0 (<> 0)"},
     kJumpOperand},
    {"JE",
     "5C00",
     {"JE оп", "JE op"},
     {"переход при Z = 1 (= 0)", "jumps if Z = 1 (= 0)"},
     kJumpOperand},
    {"JLE",
     "6C00",
     {"JLE оп", "JLE op"},
     {"переход при N = 1 или Z = 1 (<= 0)", "jumps if N = 1 or Z = 1 (<= 0)"},
     kJumpOperand},
    {"JG",
     "7C00",
     {"JG оп", "JG op"},
     {"переход при N = 0 и Z = 0 (> 0)", "jumps if N = 0 and Z = 0 (> 0)"},
     kJumpOperand},
    {"CALL",
     "9C00",
     {"CALL оп", "CALL op"},
     {"вызов подпрограммы: адрес возврата в стек, переход по адресу оп",
      "calls a subroutine: pushes the return address, jumps to the address op"},
     kJumpOperand},
    {"BRET",
     "0D00",
     {"BRET", "BRET"},
     {"возврат из подпрограммы", "returns from a subroutine"},
     kNoOperands},
    {"BR",
     "1D00",
     {"BR имя", "BR name"},
     {"переход на метку", "branches to the label"},
     kBranchOperand},
    {"BGE",
     "2D00",
     {"BGE имя", "BGE name"},
     {"переход при N = 0 (>= 0)", "branches if N = 0 (>= 0)"},
     kBranchOperand},
    {"BL",
     "3D00",
     {"BL имя", "BL name"},
     {"переход при N = 1 (< 0)", "branches if N = 1 (< 0)"},
     kBranchOperand},
    {"BNE",
     "4D00",
     {"BNE имя", "BNE name"},
     {"переход при Z = 0 (<> 0)", "branches if Z = 0 (<> 0)"},
     kBranchOperand},
    {"BE",
     "5D00",
     {"BE имя", "BE name"},
     {"переход при Z = 1 (= 0)", "branches if Z = 1 (= 0)"},
     kBranchOperand},
    {"BLE",
     "6D00",
     {"BLE имя", "BLE name"},
     {"переход при N = 1 или Z = 1 (<= 0)", "branches if N = 1 or Z = 1 (<= 0)"},
     kBranchOperand},
    {"BG",
     "7D00",
     {"BG имя", "BG name"},
     {"переход при N = 0 и Z = 0 (> 0)", "branches if N = 0 and Z = 0 (> 0)"},
     kBranchOperand},
    {"BCALL",
     "9D00",
     {"BCALL имя", "BCALL name"},
     {"вызов подпрограммы по метке", "calls the subroutine at the label"},
     kBranchOperand},
    {"PAGE0",
     "0E00",
     {"PAGE0", "PAGE0"},
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     kNoOperands},
    {"MYPAGE",
     "0E01",
     {"MYPAGE", "MYPAGE"},
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     kNoOperands},
    {"DW",
     "0W",
     {"DW число", "DW number"},
     {"не операция: число в очередное слово",
      "not an operation: puts the number into the next word"},
     kNumber},
    {"NOT",
     "0E10",
     {"NOT оп", "NOT op"},
     {"оп := оп с инвертированными битами; флаги N, Z",
      "op := op with every bit inverted; sets N, Z"},
     kChangedOperand},
    {"PUSH",
     "0E20",
     {"PUSH оп", "PUSH op"},
     {"SP := SP - 2, затем слово по адресу SP := оп; флаги N, Z",
      "SP := SP - 2, then the word at SP := op; sets N, Z"},
     kWordSource},
    {"POP",
     "0E30",
     {"POP оп", "POP op"},
     {"оп := слово по адресу SP, затем SP := SP + 2; флаги N, Z",
      "op := the word at SP, then SP := SP + 2; sets N, Z"},
     kWordDestination},
    {"ADDSP",
     "0E40",
     {"ADDSP оп", "ADDSP op"},
     {"SP := SP + оп; флаги N, Z", "SP := SP + op; sets N, Z"},
     kWordSource},
    {"SUBSP",
     "0E50",
     {"SUBSP оп", "SUBSP op"},
     {"SP := SP - оп; флаги N, Z", "SP := SP - op; sets N, Z"},
     kWordSource},
    {"TOSP",
     "0E60",
     {"TOSP оп", "TOSP op"},
     {"SP := оп; флаги N, Z", "SP := op; sets N, Z"},
     kWordSource},
    {"FRMSP",
     "0E70",
     {"FRMSP оп", "FRMSP op"},
     {"оп := SP; флаги N, Z", "op := SP; sets N, Z"},
     kWordDestination},
    {"PUSHPS",
     "0E80",
     {"PUSHPS", "PUSHPS"},
     {"записывает PS в стек", "pushes PS onto the stack"},
     kNoOperands},
    {"POPPS",
     "0E90",
     {"POPPS", "POPPS"},
     {"читает PS из стека", "pops a word into PS"},
     kNoOperands},
    {"SL",
     "0EA0",
     {"SL оп", "SL op"},
     {"сдвиг оп влево на 1 бит, справа входит 0; флаги N, Z",
      "shifts op left by one bit, 0 comes in; sets N, Z"},
     kChangedOperand},
    {"SR",
     "0EB0",
     {"SR оп", "SR op"},
     {"сдвиг оп вправо на 1 бит, слева входит 0; флаги N, Z",
      "shifts op right by one bit, 0 comes in; sets N, Z"},
     kChangedOperand},
    {"ASR",
     "0EC0",
     {"ASR оп", "ASR op"},
     {"сдвиг оп вправо на 1 бит, знаковый бит сохраняется; флаги N, Z",
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
