// Pass 2: every statement becomes its code word and up to two extra words; every label gets the
// address of the next word.

#include "assembler/compil.h"
#include "assembler/compil_internal.h"
#include "assembler/mnemonic.h"
#include "machine/common.h"

namespace q42::compil {
namespace {

bool IsExtraWordKind(char kind) {
    return kind == 'D' || kind == 'E';
}

void RequireNoOperand(Compilation& c, const std::string& operands) {
    if (!operands.empty()) c.Fail(c.Msg(AsmMessage::ExtraOperand) + ": " + operands);
}

bool SplitOperands(Compilation& c, const std::string& operands, std::string& first,
                   std::string& second) {
    const auto comma = operands.find(',');
    if (comma == std::string::npos) {
        c.Fail(c.Msg(AsmMessage::CommaNotFound) + ": " + operands);
        return false;
    }
    first = operands.substr(0, comma);
    second = operands.substr(comma + 1);
    return true;
}

void RejectMixedBytes(Compilation& c, const std::string& first, const std::string& second) {
    c.Fail(c.Msg(AsmMessage::MixingByteAndWord) + ": " + first + "<=>" + second);
}

bool RejectConstant(Compilation& c, const std::string& operand) {
    if (!operand.starts_with('#')) return false;
    c.Fail(c.Msg(AsmMessage::ConstForbidden) + ": " + operand);
    return true;
}

// A constant of a jump or of the one-operand group always takes the word after the instruction,
// whatever the short-constant setting.
void UseFullConstant(Statement& st, Operand& op) {
    if (st.shortConst == 0) return;
    op.kind = 'D';
    op.text = op.fullValue;
    st.shortConst = 0;
}

// MOV, ADD, ... XOR: operand 1 may be a constant, operand 2 may not.
void EncodeTwoOperands(Compilation& c, Statement& st, const std::string& operands) {
    std::string first, second;
    if (!SplitOperands(c, operands, first, second)) return;
    const Operand op1 = ParseOperand(c, st, first);
    const int byte1 = st.byteMark;
    if (op1.kind) {
        st.word[2] = op1.kind;
        if (IsExtraWordKind(op1.kind) && st.shortConst == 0) st.extra1 = op1.text;
    }
    if (RejectConstant(c, second)) return;
    const Operand op2 = ParseOperand(c, st, second);
    const int byte2 = st.byteMark;
    const int mode = 8 * byte1 + 4 * byte2 + st.shortConst;
    if (op2.kind) {
        st.word[3] = op2.kind;
        if (op2.kind == 'E') (st.extra1.empty() ? st.extra1 : st.extra2) = op2.text;
    }
    if (mode == 0) return;
    st.word[0] = HexDigit(mode);
    // MOV may copy a byte operand into a word operand.
    const bool byteIntoWord = st.operation->form == OperandForm::Move && mode == 8;
    if (byte1 != byte2 && !byteIntoWord) RejectMixedBytes(c, op1.text, op2.text);
}

// IN and OUT take no byte operands: a byte mark gives a mode whose two byte bits differ.
void SetPortMode(Compilation& c, Statement& st, int mode, const std::string& first,
                 const std::string& second) {
    if (mode == 0) return;
    st.word[0] = HexDigit(mode);
    if (((mode & 8) != 0) != ((mode & 4) != 0)) RejectMixedBytes(c, first, second);
}

void EncodeIn(Compilation& c, Statement& st, const std::string& operands) {
    std::string port, second;
    if (!SplitOperands(c, operands, port, second)) return;
    const char digit = ParsePort(c, port);
    if (!digit) return;
    st.word[2] = digit;
    if (RejectConstant(c, second)) return;
    const Operand op = ParseOperand(c, st, second);
    const int mode = 4 * st.byteMark;
    if (op.kind) {
        st.word[3] = op.kind;
        if (op.kind == 'E') st.extra1 = op.text;
    }
    SetPortMode(c, st, mode, port, op.text);
}

void EncodeOut(Compilation& c, Statement& st, const std::string& operands) {
    std::string first, port;
    if (!SplitOperands(c, operands, first, port)) return;
    const Operand op = ParseOperand(c, st, first);
    const int mode = 8 * st.byteMark + st.shortConst;
    if (!c.error.empty()) return;
    st.word[2] = op.kind;
    if (IsExtraWordKind(op.kind) && st.shortConst == 0) st.extra1 = op.text;
    const char digit = ParsePort(c, port);
    if (!digit) return;
    st.word[3] = digit;
    SetPortMode(c, st, mode, op.text, port);
}

// Jumps and CALL. A byte mark is accepted and changes nothing.
void EncodeJump(Compilation& c, Statement& st, const std::string& operands) {
    Operand op = ParseOperand(c, st, operands);
    if (!c.error.empty()) return;
    UseFullConstant(st, op);
    st.word[3] = op.kind;
    if (IsExtraWordKind(op.kind)) st.extra1 = op.text;
}

// Branches to a name; the displacement is filled in by pass 3.
void EncodeBranch(Compilation& c, Statement& st, const std::string& operands) {
    if (c.LookupName(operands) == 0) {
        c.Fail(c.Msg(AsmMessage::LabelNotFound) + ": " + operands);
        return;
    }
    st.word += "@" + operands;
}

// NOT, PUSH, POP, ... ASR: one operand, which the operation may write and may read as a byte.
void EncodeSingle(Compilation& c, Statement& st, const std::string& operands) {
    if (operands.empty()) return c.Fail(c.Msg(AsmMessage::MissedOperand));
    const OperandForm form = st.operation->form;
    const bool written = form == OperandForm::Changed || form == OperandForm::WordDestination;
    if (written && RejectConstant(c, operands)) return;
    Operand op = ParseOperand(c, st, operands);
    if (!st.operation->byteForm && st.byteMark)
        return c.Fail(c.Msg(AsmMessage::ByteAddressingForbidden));
    UseFullConstant(st, op);
    if (st.byteMark) st.word[0] = 'C';
    if (!op.kind) return;
    st.word[3] = op.kind;
    if (IsExtraWordKind(op.kind)) st.extra1 = op.text;
}

// DW: the word is the number itself ("#" before it allowed); names are not accepted.
void EncodeDataWord(Compilation& c, Statement& st, std::string_view operands) {
    if (operands.starts_with('#')) operands.remove_prefix(1);
    auto value = ConstToHex(operands, c.options.englishInterface);
    st.word = std::move(value.text);
    if (!value.error.empty()) c.Fail(std::move(value.error));
}

void EncodeOperands(Compilation& c, Statement& st, const std::string& operands) {
    switch (st.operation->form) {
        case OperandForm::None:
            if (st.operation->fields.operation == kHlt) c.hltSeen = true;
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
    if (operation == nullptr) return c.Fail(c.Msg(AsmMessage::UnknownOperation) + ": " + name);
    Statement st;
    st.line = line;
    st.operation = operation;
    st.word = operation->Code();
    const std::string operands = blank == std::string::npos ? "" : line.substr(blank + 1);
    EncodeOperands(c, st, operands);
    c.AppendCode(std::move(st.word));
    if (!st.extra1.empty()) c.AppendCode(std::move(st.extra1));
    if (!st.extra2.empty()) c.AppendCode(std::move(st.extra2));
}

// A label line gives its name the address of the next word, kept to 16 bits.
void SetLabelAddress(Compilation& c, const std::string& line, std::size_t colon) {
    const int row = c.LookupName(line.substr(0, colon));
    if (row == 0) return;
    const auto address = static_cast<Value>(2 * c.texts.codeText.size()) & 0xFFFF;
    c.texts.labels.rows[row][2] = WordToHex(address);
}

}  // namespace

bool EncodeStatements(Compilation& c) {
    const auto& text = c.texts.compText;
    for (std::size_t i = 0; i < text.size() && c.error.empty(); ++i) {
        c.lastRead = static_cast<int>(i + 1);
        const auto colon = text[i].find(':');
        if (colon != std::string::npos) {
            SetLabelAddress(c, text[i], colon);
        } else {
            EncodeStatement(c, text[i]);
        }
    }
    if (c.error.empty()) return true;
    c.ShowCompileError(MappedSourceLine(c.texts, c.lastRead));
    return false;
}

}  // namespace q42::compil
