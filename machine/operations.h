#pragma once
// What the two-operand operations, jumps and branches compute once the instruction word has been
// dispatched, and the stack's push and pop. Defined here, inline, so that each compiles into the
// dispatch for its operation code.

#include "machine/operands.h"
#include "machine/processor.h"

namespace q42 {

template <class Word>
[[gnu::always_inline]] inline void Processor::Move(Word word) {
    if (!OperandFormsAgree(word)) return;
    const Value op1 = ReadOperand1(word);
    if (Failed()) return;
    lastResult = op1;
    StoreResultAndFlags(word);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Arithmetic(Word word, int code) {
    if (!OperandFormsAgree(word)) return;
    const Value op1 = SignExtend(ReadOperand1(word));
    if (Failed()) return;
    const Value op2 = SignExtend(ReadOperand2(word));
    if (Failed()) return;
    switch (code) {
        case kAdd: return CheckOverflowAndStore(word, op2 + op1);
        case kSub: return CheckOverflowAndStore(word, op2 - op1);
        case kMul: return CheckOverflowAndStore(word, op2 * op1);
        default:
            if (op1 == 0) return Fail(Fault::DivisionByZero);
            return CheckOverflowAndStore(word, op2 / op1);  // truncated toward zero
    }
}

template <class Word>
[[gnu::always_inline]] inline void Processor::CheckOverflowAndStore(Word word, Value result) {
    lastResult = result & 0xFFFF;
    // The range is -7FFF..7FFF: -8000 counts as an overflow too.
    if (result < -0x7FFF || result > 0x7FFF) return Fail(Fault::Overflow);
    if (word.DestinationByte()) {
        // Byte arithmetic is unsigned; an overflowing byte is still stored and judged.
        if ((lastResult & 0xFF00) != 0) Fail(Fault::ByteOverflow);
        lastResult &= 0xFF;
    }
    StoreResultAndFlags(word);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Compare(Word word) {
    if (!OperandFormsAgree(word)) return;
    Value op1 = ReadOperand1(word);
    if (Failed()) return;
    Value op2 = ReadOperand2(word);
    if (Failed()) return;
    // Bytes compare signed: a byte with bit 7 set is first widened to a negative word.
    if (word.SourceByte() && (op1 & 0x80) != 0) op1 |= 0xFF00;
    if (word.DestinationByte() && (op2 & 0x80) != 0) op2 |= 0xFF00;
    op1 = SignExtend(op1);
    op2 = SignExtend(op2);
    lastResult = op1 == op2 ? 0 : (op1 < op2 ? 1 : 0xFFFF);
    UpdateResultFlags(word);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Logic(Word word, int code) {
    if (!OperandFormsAgree(word)) return;
    const Value op1 = ReadOperand1(word);
    if (Failed()) return;
    const Value op2 = ReadOperand2(word);
    if (Failed()) return;
    lastResult = code == kAnd ? op1 & op2 : (code == kOr ? op1 | op2 : op1 ^ op2);
    StoreResultAndFlags(word);
}

// IN and OUT: the port's device is the machine's, and may wait on the terminal.
[[gnu::always_inline]] inline void Processor::In(InstructionWord word) {
    if (!OperandFormsAgree(word)) return;
    lastResult = OnMachine(&Machine::ReadPort, word.InPort());
    StoreResult(word);
}

[[gnu::always_inline]] inline void Processor::Out(InstructionWord word) {
    if (!OperandFormsAgree(word)) return;
    const Value op1 = ReadOperand1(word);
    if (Failed()) return;
    lastResult = op1;
    OnMachine(&Machine::WritePort, word.OutPort(), op1);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Jump(Word word) {
    const Value target = ReadOperand2(word);
    if (Failed()) return;
    TakeJump(word, target);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Branch(Word word) {
    TakeJump(word, (pc + word.Displacement()) & 0xFFFF);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::TakeJump(Word word, Value target) {
    const Condition condition = word.JumpCondition();
    if (!ConditionHolds(condition, FlagN(), FlagZ())) return;
    if (condition == Condition::Return) target = Pop();  // the target comes from the stack
    // Any taken jump other than a return becomes a call when bit 15 is set.
    if (condition != Condition::Return && word.CallFlag()) Push(pc);
    pc = target;
}

[[gnu::always_inline]] inline void Processor::Push(Value value) {
    sp -= 2;
    Changed(kChangedSP);
    WriteWord(sp, value);
}

[[gnu::always_inline]] inline Value Processor::Pop() {
    const Value value = ReadWord(sp);
    sp += 2;
    Changed(kChangedSP);
    return value;
}

}  // namespace q42
