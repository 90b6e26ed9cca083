#pragma once
// What the two-operand operations, jumps and branches compute once the instruction word has been
// dispatched, and the stack's push and pop. Defined here, inline, so that each compiles into the
// dispatch for its operation code.

#include "machine/machine.h"
#include "machine/operands.h"

namespace q42 {

[[gnu::always_inline]] inline void Machine::Move() {
    if (!OperandFormsAgree()) return;
    const Value op1 = ReadOperand1();
    if (Failed()) return;
    lastResult = op1;
    StoreResultAndFlags();
}

[[gnu::always_inline]] inline void Machine::Arithmetic(int code) {
    if (!OperandFormsAgree()) return;
    const Value op1 = SignExtend(ReadOperand1());
    if (Failed()) return;
    const Value op2 = SignExtend(ReadOperand2());
    if (Failed()) return;
    switch (code) {
        case kAdd: return CheckOverflowAndStore(op2 + op1);
        case kSub: return CheckOverflowAndStore(op2 - op1);
        case kMul: return CheckOverflowAndStore(op2 * op1);
        default:
            if (op1 == 0) return Fail(Fault::DivisionByZero);
            return CheckOverflowAndStore(op2 / op1);  // truncated toward zero
    }
}

[[gnu::always_inline]] inline void Machine::CheckOverflowAndStore(Value result) {
    lastResult = result & 0xFFFF;
    // The range is -7FFF..7FFF: -8000 counts as an overflow too.
    if (result < -0x7FFF || result > 0x7FFF) return Fail(Fault::Overflow);
    if (instructionWord.DestinationByte()) {
        // Byte arithmetic is unsigned; an overflowing byte is still stored and judged.
        if ((lastResult & 0xFF00) != 0) Fail(Fault::ByteOverflow);
        lastResult &= 0xFF;
    }
    StoreResultAndFlags();
}

[[gnu::always_inline]] inline void Machine::Compare() {
    if (!OperandFormsAgree()) return;
    Value op1 = ReadOperand1();
    if (Failed()) return;
    Value op2 = ReadOperand2();
    if (Failed()) return;
    // Bytes compare signed: a byte with bit 7 set is first widened to a negative word.
    if (instructionWord.SourceByte() && (op1 & 0x80) != 0) op1 |= 0xFF00;
    if (instructionWord.DestinationByte() && (op2 & 0x80) != 0) op2 |= 0xFF00;
    op1 = SignExtend(op1);
    op2 = SignExtend(op2);
    lastResult = op1 == op2 ? 0 : (op1 < op2 ? 1 : 0xFFFF);
    UpdateResultFlags();
}

[[gnu::always_inline]] inline void Machine::Logic(int code) {
    if (!OperandFormsAgree()) return;
    const Value op1 = ReadOperand1();
    if (Failed()) return;
    const Value op2 = ReadOperand2();
    if (Failed()) return;
    lastResult = code == kAnd ? op1 & op2 : (code == kOr ? op1 | op2 : op1 ^ op2);
    StoreResultAndFlags();
}

[[gnu::always_inline]] inline void Machine::Jump() {
    const Value target = ReadOperand2();
    if (Failed()) return;
    TakeJump(target);
}

[[gnu::always_inline]] inline void Machine::Branch() {
    TakeJump((pc + instructionWord.Displacement()) & 0xFFFF);
}

[[gnu::always_inline]] inline void Machine::TakeJump(Value target) {
    const Condition condition = instructionWord.JumpCondition();
    if (!ConditionHolds(condition, FlagN(), FlagZ())) return;
    if (condition == Condition::Return) target = Pop();  // the target comes from the stack
    // Any taken jump other than a return becomes a call when bit 15 is set.
    if (condition != Condition::Return && instructionWord.CallFlag()) Push(pc);
    pc = target;
}

[[gnu::always_inline]] inline void Machine::Push(Value value) {
    sp -= 2;
    changedRegisters_ |= kChangedSP;
    WriteWord(sp, value);
}

[[gnu::always_inline]] inline Value Machine::Pop() {
    const Value value = ReadWord(sp);
    sp += 2;
    changedRegisters_ |= kChangedSP;
    return value;
}

}  // namespace q42
