#pragma once
// The single-operand instructions: NOT, the stack operations, shifts and the register forms.
// Defined here, inline, so that each compiles into the dispatch.

#include "machine/operands.h"
#include "machine/operations.h"
#include "machine/processor.h"

namespace q42 {

template <class Word>
[[gnu::always_inline]] inline void Processor::SingleOperand(Word word) {
    // One case for each sub-operation, so that each inlined operation knows its own.
    switch (word.Sub()) {
        case SubOperation::Page: return Fail(Fault::NonexistentOperation);
        case SubOperation::Not: {
            const Value op1 = ReadOperand2(word);
            if (Failed()) return;
            lastResult = ~op1 & 0xFFFF;
            return StoreResultAndFlags(word);
        }
        case SubOperation::Push: return StackOperation(word, SubOperation::Push);
        case SubOperation::Pop: return StackOperation(word, SubOperation::Pop);
        case SubOperation::AddSp: return StackOperation(word, SubOperation::AddSp);
        case SubOperation::SubSp: return StackOperation(word, SubOperation::SubSp);
        case SubOperation::ToSp: return StackOperation(word, SubOperation::ToSp);
        case SubOperation::FromSp: return StackOperation(word, SubOperation::FromSp);
        case SubOperation::PushPs: return StackOperation(word, SubOperation::PushPs);
        case SubOperation::PopPs: {
            const int n = word.Field2();
            if (n == 0) return StackOperation(word, SubOperation::PopPs);
            if (n < 4) return Fail(Fault::InvalidOperation);
            return RegisterForm(word, n);
        }
        case SubOperation::ShiftLeft: return Shift(word, SubOperation::ShiftLeft);
        case SubOperation::ShiftRight: return Shift(word, SubOperation::ShiftRight);
        case SubOperation::ArithmeticShiftRight:
            return Shift(word, SubOperation::ArithmeticShiftRight);
        default: return;  // 13..15 do nothing at all
    }
}

// PUSH, POP, ADDSP, SUBSP, TOSP, FRMSP, PUSHPS and POPPS (sub-operation 9 with n = 0).
template <class Word>
[[gnu::always_inline]] inline void Processor::StackOperation(Word word, SubOperation s) {
    const bool byte = word.Byte1();  // the group's one byte bit
    switch (s) {
        case SubOperation::Push: {
            if (byte) return Fail(Fault::BytePush);
            const Value op1 = ReadOperand2(word);
            if (Failed()) return;
            lastResult = op1;
            Push(op1);
            return UpdateResultFlags(word);
        }
        case SubOperation::Pop: {
            if (byte) return Fail(Fault::BytePop);
            const Value op1 = ReadWord(sp);
            if (Failed()) return;
            lastResult = op1;
            sp += 2;
            Changed(kChangedSP);
            return StoreResultAndFlags(word);
        }
        case SubOperation::AddSp:
        case SubOperation::SubSp:
        case SubOperation::ToSp: {
            if (byte) return Fail(Fault::ByteAddressing);
            const Value op1 = ReadOperand2(word);
            if (Failed()) return;
            lastResult = s == SubOperation::AddSp   ? sp + op1
                         : s == SubOperation::SubSp ? sp - op1
                                                    : op1;
            sp = lastResult;  // not reduced to 16 bits
            Changed(kChangedSP);
            return UpdateResultFlags(word);
        }
        case SubOperation::FromSp:
            if (byte) return Fail(Fault::ByteAddressing);
            lastResult = sp;
            return StoreResultAndFlags(word);
        case SubOperation::PushPs:
            if (word.Field2() != 0) return Fail(Fault::InvalidOperation);
            if (byte) return Fail(Fault::BytePush);
            lastResult = ps;
            return Push(ps);  // the flags stay as they are
        default: {            // POPPS: PS takes the whole word
            if (byte) return Fail(Fault::BytePop);
            const Value value = ReadWord(sp);
            if (Failed()) return;
            lastResult = value;
            sp += 2;
            ps = value;
            Changed(kChangedSP | kChangedFlags);
        }
    }
}

// Codes 0E94..0E9F: shift a register by four bits either way, or exchange its two bytes.
template <class Word>
[[gnu::always_inline]] inline void Processor::RegisterForm(Word word, int n) {
    const int reg = n & 3;
    const Value old = r[reg];
    Value value;
    if (n < 8) {
        value = (old << 4) & 0xFFFF;
    } else if (n < 12) {
        value = old >> 4;
    } else {
        value = ((old & 0xFF) << 8) | ((old >> 8) & 0xFF);
    }
    lastResult = value;
    SetRegister(reg, value);
    UpdateResultFlags(word);
}

// SL, SR and ASR.
template <class Word>
[[gnu::always_inline]] inline void Processor::Shift(Word word, SubOperation s) {
    const Value op1 = ReadOperand2(word);
    if (Failed()) return;
    if (s == SubOperation::ShiftLeft) {
        lastResult = (op1 * 2) & 0xFFFF;
    } else {
        lastResult = (op1 & 0xFFFF) >> 1;
        if (s == SubOperation::ArithmeticShiftRight)
            lastResult |= op1 & (word.DestinationByte() ? 0x80 : 0x8000);  // keep the sign bit
    }
    StoreResultAndFlags(word);
}

}  // namespace q42
