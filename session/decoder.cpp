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
    shown_.words = WordToHex(lastWord) + " / " + shown_.words;
    return lastWord;
}

void Decoder::DecodeAt(const Machine& machine, Value address) {
    DecodedInstruction& s = shown_;
    decodePointer_ = address + 2;
    const Value word = machine.PeekWord(address);
    s.address = WordToHex(address);
    s.words = WordToHex(word);
    const int flags = static_cast<int>(word >> 12) & 0xF;
    const int op = static_cast<int>(word >> 8) & 0xF;
    const int field1 = static_cast<int>(word >> 4) & 0xF;
    const int field2 = static_cast<int>(word) & 0xF;
    const bool isJump = op == kJump || op == kBranch;

    s.operand1Shown = op != kNop && op != kHlt;
    s.operand1Caption = Text(kOperand1);
    s.byte1Caption = Text(kByte);
    s.byte1Shown = true;
    s.byte1 = (flags & 8) != 0;
    s.operation = DescribeOperation(flags, op, field1, field2);
    if (isJump) {
        s.operand1Shown = flags % 8 != 0;  // the two returns have no target
        s.operand1Caption = Text(kJumpAddress);
        s.byte1Caption = Text(kOffset);
        s.byte1 = op == kBranch;
    }
    s.byte2Caption = Text(kByte);
    s.byte2 = (flags & 4) != 0;
    s.shortConstantCaption = Text(kShortConstant);
    s.negativeCaption = Text(kMinusSign);
    const bool shortConstant = IsShortConstant(flags, op);
    s.shortConstantShown = s.shortConstant = shortConstant;
    s.negative = shortConstant && (flags & 1) != 0;

    Value lastWord = 0;
    if (shortConstant) {
        s.operand1 = (s.negative ? "-" : "") + std::to_string(field1);
    } else if (op == kIn) {
        s.operand1Caption = Text(kPort);
        s.operand1 = std::to_string(field1);
        s.byte1Shown = false;
    } else if (op == kJump || op == kSingle) {
        s.operand1 = DescribeOperand(field2);
        TakeOperandWord(machine, field2, lastWord);
    } else if (op == kBranch) {
        const auto offset = static_cast<std::int8_t>(word & 0xFF);
        s.operand1 = WordToHex((address + 2 + offset) & 0xFFFF);
    } else if (op != kNop && op != kHlt) {
        s.operand1 = DescribeOperand(field1);
        TakeOperandWord(machine, field1, lastWord);
    }
    // Operation 0 and 15 leave operand 1 as the previous instruction showed it.
    const std::string bracketed = "(" + WordToHex(machine.PeekWord(decodePointer_ - 2)) + ")";
    if (s.operand1 == Text(kConstant)) s.operand1 = WordToHex(machine.PeekWord(decodePointer_ - 2));
    if (s.operand1 == Text(kAddress)) s.operand1 = bracketed;

    if (op == kOut) {
        s.operand2Caption = Text(kPort);
        s.operand2 = std::to_string(field2);
        s.byte2Shown = false;
    } else {
        s.operand2Caption = Text(kOperand2);
        s.operand2 = DescribeOperand(field2);
        if (op >= kMov && op <= kIn) TakeOperandWord(machine, field2, lastWord);
        s.byte2Shown = true;
    }
    s.operand2Shown = op >= kMov && op <= kOut;
    // A constant operand 2 stays shown as the word "константа"; its value is in edit3.
    if (s.operand2 == Text(kAddress))
        s.operand2 = "(" + WordToHex(machine.PeekWord(decodePointer_ - 2)) + ")";

    s.targetShown = flags % 8 != 0 && (op == kBranch || (op == kJump && field2 == 13));
    const HexWord target = HexToWord(std::string_view(s.operand1).substr(0, 4));
    const bool valid = target.error == Fault::None;
    const bool inRam = valid && target.value < kRamEnd;
    const bool inRom = valid && target.value >= kRomStart && target.value < kRomEnd;
    s.canJump = s.targetShown && target.value % 2 == 0 && (inRam || inRom);
    s.targetMemory.clear();
    if (s.targetShown) {
        if (inRam) {
            s.targetMemory = Text(kRam);
        } else if (inRom) {
            s.targetMemory = Text(kRom);
        } else if (target.value > kRomEnd) {
            s.targetMemory = Text(kRom2);
        }
    }
}

void Decoder::Jump(const Machine& machine) {
    if (!shown_.canJump) return;
    DecodeAt(machine, HexToWord(std::string_view(shown_.operand1).substr(0, 4)).value);
}

}  // namespace q42
