#include "session/decoder.h"

#include <array>
#include <cstdint>

#include "machine/language.h"

namespace q42 {
namespace {

enum TextId {
    kOperand1,
    kJumpAddress,
    kPort,
    kOperand2,
    kByte,
    kOffset,
    kShortConstant,
    kMinusSign,
    kConstant,
    kAddress,
    kRam,
    kRom,
    kRom2,
    kTextCount
};

constexpr std::array<Bilingual, kTextCount> kTexts = {{
    {"Операнд 1", "Operand 1"},
    {"Адрес перехода", "Jump address"},
    {"Порт", "Port"},
    {"Операнд 2", "Operand 2"},
    {"Байт", "Byte"},
    {"Смещение", "Offset"},
    {"Короткая константа", "Short constant"},
    {"Знак минус", "Minus sign"},
    {"константа", "constant"},
    {"адрес", "address"},
    {"ОЗУ", "RAM"},
    {"ПЗУ", "ROM"},
    {"ПЗУ2", "ROM2"},
}};

const std::string& Text(TextId id) {
    static const TextTable texts(kTexts);
    return texts[id];
}

constexpr std::array<Bilingual, 16> kOperations = {{
    {"NOP (нет операции)", "NOP (no operation)"},
    {"MOV (переписать)", "MOV (move)"},
    {"ADD (сложить)", "ADD (add)"},
    {"SUB (вычесть)", "SUB (subtract)"},
    {"CMP (сравнить)", "CMP (compare)"},
    {"MUL (умножить)", "MUL (multiply)"},
    {"DIV (разделить)", "DIV (divide)"},
    {"AND (логическое И)", "AND (logical AND)"},
    {"OR (логическое ИЛИ)", "OR (logical OR)"},
    {"XOR (исключающее ИЛИ)", "XOR (exclusive OR)"},
    {"IN (прочитать из порта - ввод)", "IN (read from a port - input)"},
    {"OUT (записать в порт - вывод)", "OUT (write to a port - output)"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"HLT (останов)", "HLT (halt)"},
}};

// Jumps and branches by the condition code (bits 15..12). Codes 8 and 10..15 have no name of
// their own: 8 returns, and 10..15 are the conditional jumps 2..7 that call when taken.
constexpr std::array<Bilingual, 16> kJumps = {{
    {"RET (возврат из подпрограммы)", "RET (return from subroutine)"},
    {"JMP (безусловный переход)", "JMP (unconditional jump)"},
    {"JGE (переход при N=0: >=0)", "JGE (jump if N=0: >=0)"},
    {"JL (переход при N=1: <0)", "JL (jump if N=1: <0)"},
    {"JNE (переход при Z=0: <>0)", "JNE (jump if Z=0: <>0)"},
    {"JE (переход при Z=1: =0)", "JE (jump if Z=1: =0)"},
    {"JLE (переход при N=1 or Z=1: <=0)", "JLE (jump if N=1 or Z=1: <=0)"},
    {"JG (переход при N=0 and Z=0: >0)", "JG (jump if N=0 and Z=0: >0)"},
    {"возврат из подпрограммы", "return from subroutine"},
    {"CALL (вызов подпрограммы)", "CALL (call a subroutine)"},
    {"вызов подпрограммы при N=0: >=0", "call a subroutine if N=0: >=0"},
    {"вызов подпрограммы при N=1: <0", "call a subroutine if N=1: <0"},
    {"вызов подпрограммы при Z=0: <>0", "call a subroutine if Z=0: <>0"},
    {"вызов подпрограммы при Z=1: =0", "call a subroutine if Z=1: =0"},
    {"вызов подпрограммы при N=1 or Z=1: <=0", "call a subroutine if N=1 or Z=1: <=0"},
    {"вызов подпрограммы при N=0 and Z=0: >0", "call a subroutine if N=0 and Z=0: >0"},
}};

constexpr std::array<Bilingual, 16> kBranches = {{
    {"BRET (возврат из подпрограммы)", "BRET (return from subroutine)"},
    {"BR (безусловный переход)", "BR (unconditional branch)"},
    {"BGE (переход при N=0: >=0)", "BGE (branch if N=0: >=0)"},
    {"BL (переход при N=1: <0)", "BL (branch if N=1: <0)"},
    {"BNE (переход при Z=0: <>0)", "BNE (branch if Z=0: <>0)"},
    {"BE (переход при Z=1: =0)", "BE (branch if Z=1: =0)"},
    {"BLE (переход при N=1 or Z=1: <=0)", "BLE (branch if N=1 or Z=1: <=0)"},
    {"BG (переход при N=0 and Z=0: >0)", "BG (branch if N=0 and Z=0: >0)"},
    {"возврат из подпрограммы", "return from subroutine"},
    {"BCALL (вызов подпрограммы)", "BCALL (call a subroutine)"},
    {"вызов подпрограммы при N=0: >=0", "call a subroutine if N=0: >=0"},
    {"вызов подпрограммы при N=1: <0", "call a subroutine if N=1: <0"},
    {"вызов подпрограммы при Z=0: <>0", "call a subroutine if Z=0: <>0"},
    {"вызов подпрограммы при Z=1: =0", "call a subroutine if Z=1: =0"},
    {"вызов подпрограммы при N=1 or Z=1: <=0", "call a subroutine if N=1 or Z=1: <=0"},
    {"вызов подпрограммы при N=0 and Z=0: >0", "call a subroutine if N=0 and Z=0: >0"},
}};

// Operation 14 by its sub-operation; 8 and 9 only with operand field 0.
constexpr std::array<Bilingual, 16> kSingleOperand = {{
    {"", ""},
    {"NOT (логическое НЕ)", "NOT (logical NOT)"},
    {"PUSH (записать в стек)", "PUSH (push onto the stack)"},
    {"POP (прочитать из стека)", "POP (pop from the stack)"},
    {"ADDSP (прибавить к SP)", "ADDSP (add to SP)"},
    {"SUBSP (вычесть из SP)", "SUBSP (subtract from SP)"},
    {"TOSP (записать в SP)", "TOSP (write to SP)"},
    {"FRMSP (прочитать SP)", "FRMSP (read SP)"},
    {"PUSHPS (записать PS в стек)", "PUSHPS (push PS onto the stack)"},
    {"POPPS (прочитать PS из стека)", "POPPS (pop PS from the stack)"},
    {"SL (сдвиг влево)", "SL (shift left)"},
    {"SR (сдвиг вправо)", "SR (shift right)"},
    {"ASR (арифметический сдвиг вправо)", "ASR (arithmetic shift right)"},
    {"", ""},
    {"", ""},
    {"", ""},
}};

constexpr std::array<Bilingual, 16> kOperands = {{
    {"R0", "R0"},
    {"R1", "R1"},
    {"R2", "R2"},
    {"R3", "R3"},
    {"(R0)", "(R0)"},
    {"(R1)", "(R1)"},
    {"(R2)", "(R2)"},
    {"(R3)", "(R3)"},
    {"(R0+Ri)", "(R0+Ri)"},
    {"(R1+Ri)", "(R1+Ri)"},
    {"(R2+Ri)", "(R2+Ri)"},
    {"(R3+Ri)", "(R3+Ri)"},
    {"", ""},
    {"константа", "constant"},
    {"адрес", "address"},
    {"", ""},
}};

bool IsShortConstant(int flags, int operation) {
    return (flags & 2) != 0 && ((operation >= kMov && operation <= kXor) || operation == kOut);
}

}  // namespace

std::string Decoder::DescribeOperation(int flags, int operation, int operand1, int operand2) {
    static const TextTable operations(kOperations);
    static const TextTable jumps(kJumps);
    static const TextTable branches(kBranches);
    static const TextTable single(kSingleOperand);
    switch (operation) {
        case kJump: return jumps[flags];
        case kBranch: return branches[flags];
        case kSingle:
            return (operand1 == 8 || operand1 == 9) && operand2 != 0 ? "" : single[operand1];
        default: return operations[operation];
    }
}

std::string Decoder::DescribeOperand(int field) {
    static const TextTable operands(kOperands);
    return operands[field];
}

Value Decoder::TakeOperandWord(const Machine& machine, int field, Value& lastWord) {
    if (field != 13 && field != 14) return lastWord;
    lastWord = machine.PeekWord(decodePointer_);
    decodePointer_ += 2;
    shown_.edit3 = WordToHex(lastWord) + " / " + shown_.edit3;
    return lastWord;
}

void Decoder::DecodeAt(const Machine& machine, Value address) {
    DecodedInstruction& s = shown_;
    decodePointer_ = address + 2;
    const Value word = machine.PeekWord(address);
    s.edit2 = WordToHex(address);
    s.edit3 = WordToHex(word);
    const int flags = static_cast<int>(word >> 12) & 0xF;
    const int op = static_cast<int>(word >> 8) & 0xF;
    const int field1 = static_cast<int>(word >> 4) & 0xF;
    const int field2 = static_cast<int>(word) & 0xF;
    const bool isJump = op == kJump || op == kBranch;

    s.panel1Visible = op != kNop && op != kHlt;
    s.label1 = Text(kOperand1);
    s.by1Caption = Text(kByte);
    s.by1Visible = true;
    s.by1Checked = (flags & 8) != 0;
    s.edit1 = DescribeOperation(flags, op, field1, field2);
    if (isJump) {
        s.panel1Visible = flags % 8 != 0;  // the two returns have no target
        s.label1 = Text(kJumpAddress);
        s.by1Caption = Text(kOffset);
        s.by1Checked = op == kBranch;
    }
    s.by2Caption = Text(kByte);
    s.by2Checked = (flags & 4) != 0;
    s.shortCaption = Text(kShortConstant);
    s.minusCaption = Text(kMinusSign);
    const bool shortConstant = IsShortConstant(flags, op);
    s.shortVisible = s.shortChecked = shortConstant;
    s.minusChecked = shortConstant && (flags & 1) != 0;

    Value lastWord = 0;
    if (shortConstant) {
        s.ope1 = (s.minusChecked ? "-" : "") + std::to_string(field1);
    } else if (op == kIn) {
        s.label1 = Text(kPort);
        s.ope1 = std::to_string(field1);
        s.by1Visible = false;
    } else if (op == kJump || op == kSingle) {
        s.ope1 = DescribeOperand(field2);
        TakeOperandWord(machine, field2, lastWord);
    } else if (op == kBranch) {
        const auto offset = static_cast<std::int8_t>(word & 0xFF);
        s.ope1 = WordToHex((address + 2 + offset) & 0xFFFF);
    } else if (op != kNop && op != kHlt) {
        s.ope1 = DescribeOperand(field1);
        TakeOperandWord(machine, field1, lastWord);
    }
    // Operation 0 and 15 leave operand 1 as the previous instruction showed it.
    const std::string bracketed = "(" + WordToHex(machine.PeekWord(decodePointer_ - 2)) + ")";
    if (s.ope1 == Text(kConstant)) s.ope1 = WordToHex(machine.PeekWord(decodePointer_ - 2));
    if (s.ope1 == Text(kAddress)) s.ope1 = bracketed;

    if (op == kOut) {
        s.label2 = Text(kPort);
        s.ope2 = std::to_string(field2);
        s.by2Visible = false;
    } else {
        s.label2 = Text(kOperand2);
        s.ope2 = DescribeOperand(field2);
        if (op >= kMov && op <= kIn) TakeOperandWord(machine, field2, lastWord);
        s.by2Visible = true;
    }
    s.panel2Visible = op >= kMov && op <= kOut;
    // A constant operand 2 stays shown as the word "константа"; its value is in edit3.
    if (s.ope2 == Text(kAddress))
        s.ope2 = "(" + WordToHex(machine.PeekWord(decodePointer_ - 2)) + ")";

    s.arrowVisible = flags % 8 != 0 && (op == kBranch || (op == kJump && field2 == 13));
    const HexWord target = HexToWord(std::string_view(s.ope1).substr(0, 4));
    const bool valid = target.error == Fault::None;
    const bool inRam = valid && target.value < kRamEnd;
    const bool inRom = valid && target.value >= kRomStart && target.value < kRomEnd;
    s.jumpEnabled = s.arrowVisible && target.value % 2 == 0 && (inRam || inRom);
    s.kuda.clear();
    if (s.arrowVisible) {
        if (inRam) {
            s.kuda = Text(kRam);
        } else if (inRom) {
            s.kuda = Text(kRom);
        } else if (target.value > kRomEnd) {
            s.kuda = Text(kRom2);
        }
    }
}

void Decoder::Jump(const Machine& machine) {
    if (!shown_.jumpEnabled) return;
    DecodeAt(machine, HexToWord(std::string_view(shown_.ope1).substr(0, 4)).value);
}

}  // namespace q42
