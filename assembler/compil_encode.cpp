// Pass 2: every statement becomes its code word and up to two extra words; every label gets the
// address of the next word.

#include "assembler/compil.h"
#include "assembler/compil_internal.h"
#include "assembler/mnemonic.h"

namespace q42::compil {
namespace {

void RequireNoOperand(Compilation& c, const std::string& operands) {
    if (!operands.empty()) c.Fail({AsmMessage::ExtraOperand, operands});
}

bool SplitOperands(Compilation& c, const std::string& operands, std::string& first,
                   std::string& second) {
    const auto comma = operands.find(',');
    if (comma == std::string::npos) {
        c.Fail({AsmMessage::CommaNotFound, operands});
        return false;
    }
    first = operands.substr(0, comma);
    second = operands.substr(comma + 1);
    return true;
}

bool RejectConstant(Compilation& c, const std::string& operand) {
    if (!operand.starts_with('#')) return false;
    c.Fail({AsmMessage::ConstForbidden, operand});
    return true;
}

// A constant of a jump or of the one-operand group always takes the word after the instruction,
// whatever the short-constant setting.
void UseFullConstant(Operand& op) {
    if (op.addressing != Addressing::ShortConstant) return;
    const bool byte = op.byte;
    op = WordConstant(op.negative ? 0x10000 - op.number : op.number);
    op.byte = byte;
}

// Writes a read operand into the operand field (1 or 2) and adds the word that follows it.
void PlaceOperand(Statement& st, const Operand& op, int field) {
    if (op.addressing == Addressing::Unread) return;
    const InstructionWord word = st.word.Instruction();
    st.word.SetInstruction(field == 1 ? word.WithField1(op.Field()) : word.WithField2(op.Field()));
    if (op.next) st.extra.push_back(*op.next);
}

// The mode digit of MOV..XOR, IN and OUT: the byte marks of both operands and operand 1's short
// constant. Marks the byte/word rule refuses reject the statement, which names both operands.
void PlaceModeDigit(Compilation& c, Statement& st, bool byte1, bool byte2, const Operand* op1,
                    const std::string& first, const std::string& second) {
    const bool isShort = op1 != nullptr && op1->IsShortConstant();
    InstructionWord word = st.word.Instruction().WithBytes(byte1, byte2);
    if (isShort) word = word.WithShortConstant(op1->negative);
    st.word.SetInstruction(word);
    if (!TakesByteMarks(*st.operation, byte1, byte2, isShort))
        c.Fail({AsmMessage::MixingByteAndWord, first + "<=>" + second});
}

// MOV, ADD, ... XOR: operand 1 may be a constant, operand 2 may not.
void EncodeTwoOperands(Compilation& c, Statement& st, const std::string& operands) {
    std::string first, second;
    if (!SplitOperands(c, operands, first, second)) return;
    const Operand op1 = ParseOperand(c, st, first);
    PlaceOperand(st, op1, 1);
    if (RejectConstant(c, second)) return;
    const Operand op2 = ParseOperand(c, st, second);
    PlaceOperand(st, op2, 2);
    PlaceModeDigit(c, st, op1.byte, op2.byte, &op1, op1.text, op2.text);
}

// IN and OUT take no byte operands: a byte mark sets one byte bit alone.
void EncodeIn(Compilation& c, Statement& st, const std::string& operands) {
    std::string port, second;
    if (!SplitOperands(c, operands, port, second)) return;
    const auto number = ParsePort(c, port);
    if (!number) return;
    st.word.SetInstruction(st.word.Instruction().WithField1(*number));
    if (RejectConstant(c, second)) return;
    const Operand op = ParseOperand(c, st, second);
    PlaceOperand(st, op, 2);
    PlaceModeDigit(c, st, false, op.byte, nullptr, port, op.text);
}

void EncodeOut(Compilation& c, Statement& st, const std::string& operands) {
    std::string first, port;
    if (!SplitOperands(c, operands, first, port)) return;
    const Operand op = ParseOperand(c, st, first);
    if (c.error) return;
    PlaceOperand(st, op, 1);
    const auto number = ParsePort(c, port);
    if (!number) return;
    st.word.SetInstruction(st.word.Instruction().WithField2(*number));
    PlaceModeDigit(c, st, op.byte, false, &op, op.text, port);
}

// Jumps and CALL. A byte mark is accepted and changes nothing.
void EncodeJump(Compilation& c, Statement& st, const std::string& operands) {
    Operand op = ParseOperand(c, st, operands);
    if (c.error) return;
    UseFullConstant(op);
    PlaceOperand(st, op, 2);
}

// Branches to a name; the displacement is filled in by pass 3.
void EncodeBranch(Compilation& c, Statement& st, const std::string& operands) {
    if (c.names.Find(operands) == nullptr) return c.Fail({AsmMessage::LabelNotFound, operands});
    st.word.fixup = Fixup{Fixup::Kind::Displacement, operands};
}

// NOT, PUSH, POP, ... ASR: one operand, which the operation may write and may read as a byte.
void EncodeSingle(Compilation& c, Statement& st, const std::string& operands) {
    if (operands.empty()) return c.Fail({AsmMessage::MissedOperand});
    const OperandForm form = st.operation->form;
    const bool written = form == OperandForm::Changed || form == OperandForm::WordDestination;
    if (written && RejectConstant(c, operands)) return;
    Operand op = ParseOperand(c, st, operands);
    if (!st.operation->byteForm && op.byte) return c.Fail({AsmMessage::ByteAddressingForbidden});
    UseFullConstant(op);
    // The group has one byte bit, bit 15; the compiler writes 14 beside it.
    if (op.byte) st.word.SetInstruction(st.word.Instruction().WithBytes(true, true));
    PlaceOperand(st, op, 2);
}

// DW: the word is the number itself ("#" before it allowed); names are not accepted.
void EncodeDataWord(Compilation& c, Statement& st, std::string_view operands) {
    if (operands.starts_with('#')) operands.remove_prefix(1);
    ConstNumber number = ReadConstant(operands);
    if (number.error) {
        st.word.unfinished = std::move(number.leftover);
        return c.Fail(std::move(*number.error));
    }
    st.word.value = number.value;
}

void EncodeOperands(Compilation& c, Statement& st, const std::string& operands) {
    switch (st.operation->form) {
        case OperandForm::None:
            if (st.operation->fields.Operation() == kHlt) c.hltSeen = true;
            return RequireNoOperand(c, operands);
        case OperandForm::Number: return EncodeDataWord(c, st, operands);
        case OperandForm::PortToWord: return EncodeIn(c, st, operands);
        case OperandForm::WordToPort: return EncodeOut(c, st, operands);
        case OperandForm::Target: return EncodeJump(c, st, operands);
        case OperandForm::Label: return EncodeBranch(c, st, operands);
        case OperandForm::Changed:
        case OperandForm::WordSource:
        case OperandForm::WordDestination: return EncodeSingle(c, st, operands);
        case OperandForm::Data:
        case OperandForm::Move: return EncodeTwoOperands(c, st, operands);
    }
}

// The words of a statement are written even when it has an error, before the error is shown.
void EncodeStatement(Compilation& c, const std::string& line) {
    const auto blank = line.find(' ');
    const std::string name = line.substr(0, blank);
    const Mnemonic* operation = LookupMnemonic(name);
    if (operation == nullptr) return c.Fail({AsmMessage::UnknownOperation, name});
    Statement st;
    st.line = line;
    st.operation = operation;
    st.word.value = operation->fields.Word();
    const std::string operands = blank == std::string::npos ? "" : line.substr(blank + 1);
    EncodeOperands(c, st, operands);
    c.AppendCode(std::move(st.word));
    for (auto& word : st.extra)
        c.AppendCode(std::move(word));
}

}  // namespace

std::optional<AsmFailure> EncodeStatements(Compilation& c, const IntermediateText& intermediate) {
    const TextLines& text = intermediate.lines;
    for (std::size_t i = 0; i < text.size() && !c.error; ++i) {
        c.intermediateLine = static_cast<int>(i + 1);
        c.sourceLine = intermediate.SourceLineOf(c.intermediateLine);
        const auto colon = text[i].find(':');
        if (colon != std::string::npos) {
            // A label gets the address of the next word, kept to 16 bits.
            const auto address = static_cast<Value>(2 * c.code.size()) & 0xFFFF;
            c.names.SetValue(text[i].substr(0, colon), address);
        } else {
            EncodeStatement(c, text[i]);
        }
    }
    if (!c.error) return std::nullopt;
    return AsmFailure{c.sourceLine, *c.error};
}

}  // namespace q42::compil
