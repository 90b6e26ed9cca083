#pragma once
// The single-operand instructions: NOT, the stack operations, shifts and the register forms.
// Defined here, inline, so that each compiles into the dispatch.

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/operations.h"

namespace q42 {

[[gnu::always_inline]] inline void Machine::SingleOperand() {
    // One case for each sub-operation, so that each inlined operation knows its own.
    switch (Bits(4, 4)) {
        case 0: return Fail(Fault::NonexistentOperation);
        case 1: {
            const Value op1 = ReadOperand2();
            if (Failed()) return;
            lastResult = ~op1 & 0xFFFF;
            return StoreResultAndFlags();
        }
        case 2: return StackOperation(2);
        case 3: return StackOperation(3);
        case 4: return StackOperation(4);
        case 5: return StackOperation(5);
        case 6: return StackOperation(6);
        case 7: return StackOperation(7);
        case 8: return StackOperation(8);
        case 9: {
            const int n = Bits(0, 4);
            if (n == 0) return StackOperation(9);
            if (n < 4) return Fail(Fault::InvalidOperation);
            return RegisterForm(n);
        }
        case 10: return Shift(10);
        case 11: return Shift(11);
        case 12: return Shift(12);
        default: return;  // 13..15 do nothing at all
    }
}

// PUSH, POP, ADDSP, SUBSP, TOSP, FRMSP, PUSHPS and POPPS (sub-operation 9 with n = 0).
[[gnu::always_inline]] inline void Machine::StackOperation(int s) {
    const bool byte = Bit(15);
    switch (s) {
        case 2: {
            if (byte) return Fail(Fault::BytePush);
            const Value op1 = ReadOperand2();
            if (Failed()) return;
            lastResult = op1;
            Push(op1);
            return UpdateResultFlags();
        }
        case 3: {
            if (byte) return Fail(Fault::BytePop);
            const Value op1 = ReadWord(sp);
            if (Failed()) return;
            lastResult = op1;
            sp += 2;
            fieldsToShow |= kShowSP;
            return StoreResultAndFlags();
        }
        case 4:
        case 5:
        case 6: {
            if (byte) return Fail(Fault::ByteAddressing);
            const Value op1 = ReadOperand2();
            if (Failed()) return;
            lastResult = s == 4 ? sp + op1 : (s == 5 ? sp - op1 : op1);
            sp = lastResult;  // not reduced to 16 bits
            fieldsToShow |= kShowSP;
            return UpdateResultFlags();
        }
        case 7:
            if (byte) return Fail(Fault::ByteAddressing);
            lastResult = sp;
            return StoreResultAndFlags();
        case 8:
            if (Bits(0, 4) != 0) return Fail(Fault::InvalidOperation);
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
            fieldsToShow |= kShowSP | kShowFlags;
        }
    }
}

// Codes 0E94..0E9F: shift a register by four bits either way, or exchange its two bytes.
[[gnu::always_inline]] inline void Machine::RegisterForm(int n) {
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
    UpdateResultFlags();
}

// SL, SR and ASR.
[[gnu::always_inline]] inline void Machine::Shift(int s) {
    const Value op1 = ReadOperand2();
    if (Failed()) return;
    if (s == 10) {
        lastResult = (op1 * 2) & 0xFFFF;
    } else {
        lastResult = (op1 & 0xFFFF) >> 1;
        if (s == 12) lastResult |= op1 & (DestinationByte() ? 0x80 : 0x8000);  // keep the sign bit
    }
    StoreResultAndFlags();
}

}  // namespace q42
