#include "session/decoder.h"

#include <array>
#include <cstdint>

#include "assembler/instruction_set.h"
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

// Jump and branch words that no operation name writes, by their condition: with the call flag
// set, a return still returns and a conditional jump calls when it is taken. The unconditional
// call is CALL or BCALL.
constexpr std::array<Bilingual, 8> kUnnamedCalls = {{
    {"возврат из подпрограммы", "return from subroutine"},
    {"", ""},
    {"вызов подпрограммы при N=0: >=0", "call a subroutine if N=0: >=0"},
    {"вызов подпрограммы при N=1: <0", "call a subroutine if N=1: <0"},
    {"вызов подпрограммы при Z=0: <>0", "call a subroutine if Z=0: <>0"},
    {"вызов подпрограммы при Z=1: =0", "call a subroutine if Z=1: =0"},
    {"вызов подпрограммы при N=1 or Z=1: <=0", "call a subroutine if N=1 or Z=1: <=0"},
    {"вызов подпрограммы при N=0 and Z=0: >0", "call a subroutine if N=0 and Z=0: >0"},
}};

// The instruction table's decoding names, in the table's order.
std::array<Bilingual, kMnemonicCount> DecodedNames() {
    std::array<Bilingual, kMnemonicCount> names{};
    for (int i = 0; i < kMnemonicCount; ++i)
        names[i] = MnemonicTable()[i].decoded;
    return names;
}

// The table entry whose words these fields are: for a jump or branch its condition and call flag
// decide, in the single-operand group its sub-operation (and, where it takes no operand, the
// operand field as well), and otherwise the operation code alone. Nullptr when none names it.
const Mnemonic* NamingEntry(int flags, int operation, int operand1, int operand2) {
    for (const Mnemonic& entry : MnemonicTable()) {
        const InstructionFields& fields = entry.fields;
        if (entry.form == OperandForm::Number || fields.operation != operation) continue;
        switch (operation) {
            case kJump:
            case kBranch:
                if (fields.mode == flags) return &entry;
                break;
            case kSingle:
                if (fields.field1 == operand1 &&
                    (entry.form != OperandForm::None || fields.field2 == operand2))
                    return &entry;
                break;
            default: return &entry;
        }
    }
    return nullptr;
}

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
    static const TextTable names(DecodedNames());
    static const TextTable unnamedCalls(kUnnamedCalls);
    if (const Mnemonic* entry = NamingEntry(flags, operation, operand1, operand2))
        return names[static_cast<std::size_t>(entry - MnemonicTable().data())];
    if (operation == kJump || operation == kBranch) return unnamedCalls[flags % 8];
    return "";
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
