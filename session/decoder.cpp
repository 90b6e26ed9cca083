#include "session/decoder.h"

#include <array>
#include <cstdint>

#include "assembler/mnemonic.h"
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

// Operand 1 is a short constant where the operation reads one: MOV..XOR and OUT.
bool IsShortConstant(InstructionWord word) {
    const OperationCode operation = word.Operation();
    return word.ShortConstant() && ((operation >= kMov && operation <= kXor) || operation == kOut);
}

}  // namespace

std::string Decoder::DescribeOperation(InstructionWord word) {
    static const TextTable names(DecodedNames());
    static const TextTable unnamedCalls(kUnnamedCalls);
    if (const Mnemonic* entry = NamingEntry(word))
        return names[static_cast<std::size_t>(entry - MnemonicTable().data())];
    if (word.IsJumpOrBranch()) return unnamedCalls[static_cast<int>(word.JumpCondition())];
    return "";
}

std::string Decoder::DescribeOperand(int field) {
    static const TextTable operands(OperandFieldNames());
    return operands[field];
}

// An operand's text: a constant shows the word that follows the instruction, an address that
// word in brackets, and a register form its name. Reads the operand word when the field has one.
std::string Decoder::OperandText(const Machine& machine, int field) {
    if (field != kConstantField && field != kAddressField) return DescribeOperand(field);
    const Value value = machine.PeekWord(decodePointer_);
    decodePointer_ += 2;
    shown_.words = WordToHex(value) + " / " + shown_.words;
    return field == kConstantField ? WordToHex(value) : "(" + WordToHex(value) + ")";
}

void Decoder::DecodeAt(const Machine& machine, Value address) {
    decodePointer_ = address + 2;
    const InstructionWord word(machine.PeekWord(address));
    shown_.address = WordToHex(address);
    shown_.words = WordToHex(word.Word());
    shown_.operation = DescribeOperation(word);
    ShowCaptions(word);
    ShowOperand1(machine, word, address);
    ShowOperand2(machine, word);
    ShowTarget(word);
}

void Decoder::ShowCaptions(InstructionWord word) {
    DecodedInstruction& s = shown_;
    s.operand1Shown = word.Operation() != kNop && word.Operation() != kHlt;
    s.operand1Caption = Text(kOperand1);
    s.byte1Caption = Text(kByte);
    s.byte1Shown = true;
    s.byte1 = word.Byte1();
    if (word.IsJumpOrBranch()) {
        s.operand1Shown = !word.Returns();  // the two returns have no target
        s.operand1Caption = Text(kJumpAddress);
        s.byte1Caption = Text(kOffset);
        s.byte1 = word.Operation() == kBranch;
    }
    s.byte2Caption = Text(kByte);
    s.byte2 = word.Byte2();
    s.shortConstantCaption = Text(kShortConstant);
    s.negativeCaption = Text(kMinusSign);
    s.shortConstant = s.shortConstantShown = IsShortConstant(word);
    s.negative = s.shortConstant && word.ShortNegative();
}

// Operation 0 and 15 leave operand 1 as the previous instruction showed it.
void Decoder::ShowOperand1(const Machine& machine, InstructionWord word, Value address) {
    DecodedInstruction& s = shown_;
    const OperationCode op = word.Operation();
    if (s.shortConstant) {
        s.operand1 = (s.negative ? "-" : "") + std::to_string(word.Field1());
    } else if (op == kIn) {
        s.operand1Caption = Text(kPort);
        s.operand1 = std::to_string(word.InPort());
        s.byte1Shown = false;
    } else if (op == kJump || op == kSingle) {
        s.operand1 = OperandText(machine, word.Field2());
    } else if (op == kBranch) {
        s.operand1 = WordToHex((address + 2 + word.Displacement()) & 0xFFFF);
    } else if (op != kNop && op != kHlt) {
        s.operand1 = OperandText(machine, word.Field1());
    }
}

void Decoder::ShowOperand2(const Machine& machine, InstructionWord word) {
    DecodedInstruction& s = shown_;
    const OperationCode op = word.Operation();
    s.operand2Shown = op >= kMov && op <= kOut;
    s.byte2Shown = op != kOut;
    if (op == kOut) {
        s.operand2Caption = Text(kPort);
        s.operand2 = std::to_string(word.OutPort());
        return;
    }
    s.operand2Caption = Text(kOperand2);
    if (op >= kMov && op <= kIn) {
        s.operand2 = OperandText(machine, word.Field2());
        // A constant operand 2 stays shown as the word "константа"; its value is in `words`.
        if (word.Field2() == kConstantField) s.operand2 = DescribeOperand(kConstantField);
    } else {
        // An operand 2 the operation does not read: an address field shows the last word read.
        s.operand2 = DescribeOperand(word.Field2());
        if (word.Field2() == kAddressField)
            s.operand2 = "(" + WordToHex(machine.PeekWord(decodePointer_ - 2)) + ")";
    }
}

// A jump's or branch's known target: whether the dialog can go there, and which memory it is in.
void Decoder::ShowTarget(InstructionWord word) {
    DecodedInstruction& s = shown_;
    s.targetShown =
        !word.Returns() && (word.Operation() == kBranch ||
                            (word.Operation() == kJump && word.Field2() == kConstantField));
    const HexWord target = HexToWord(std::string_view(s.operand1).substr(0, 4));
    const bool valid = target.error == Fault::None;
    const bool inRam = valid && target.value < kRamEnd;
    const bool inRom = valid && target.value >= kRomStart && target.value < kRomEnd;
    s.canJump = s.targetShown && target.value % 2 == 0 && (inRam || inRom);
    s.targetMemory.clear();
    if (!s.targetShown) return;
    if (inRam) {
        s.targetMemory = Text(kRam);
    } else if (inRom) {
        s.targetMemory = Text(kRom);
    } else if (target.value > kRomEnd) {
        s.targetMemory = Text(kRom2);
    }
}

void Decoder::Jump(const Machine& machine) {
    if (!shown_.canJump) return;
    DecodeAt(machine, HexToWord(std::string_view(shown_.operand1).substr(0, 4)).value);
}

}  // namespace q42
