// What each operation computes once the instruction word has been dispatched.

#include "machine/machine.h"
#include "machine/operands.h"

namespace q42 {

void Machine::Move() {
    const Value op1 = ReadOperand1();
    if (Failed()) return;
    lastResult = op1;
    StoreResult();
    UpdateResultFlags();
}

void Machine::Arithmetic(int code) {
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

void Machine::CheckOverflowAndStore(Value result) {
    lastResult = result & 0xFFFF;
    // The range is -7FFF..7FFF: -8000 counts as an overflow too.
    if (result < -0x7FFF || result > 0x7FFF) return Fail(Fault::Overflow);
    if (destinationByte_) {
        // Byte arithmetic is unsigned; an overflowing byte is still stored and judged.
        if ((lastResult & 0xFF00) != 0) Fail(Fault::ByteOverflow);
        lastResult &= 0xFF;
    }
    StoreResult();
    UpdateResultFlags();
}

void Machine::Compare() {
    Value op1 = ReadOperand1();
    if (Failed()) return;
    Value op2 = ReadOperand2();
    if (Failed()) return;
    // Bytes compare signed: a byte with bit 7 set is first widened to a negative word.
    if (sourceByte_ && (op1 & 0x80) != 0) op1 |= 0xFF00;
    if (destinationByte_ && (op2 & 0x80) != 0) op2 |= 0xFF00;
    op1 = SignExtend(op1);
    op2 = SignExtend(op2);
    lastResult = op1 == op2 ? 0 : (op1 < op2 ? 1 : 0xFFFF);
    UpdateResultFlags();
}

void Machine::Logic(int code) {
    const Value op1 = ReadOperand1();
    if (Failed()) return;
    const Value op2 = ReadOperand2();
    if (Failed()) return;
    lastResult = code == kAnd ? op1 & op2 : (code == kOr ? op1 | op2 : op1 ^ op2);
    StoreResult();
    UpdateResultFlags();
}

void Machine::Jump() {
    sourceByte_ = false;  // the target is read as a word
    const Value target = ReadOperand2();
    if (Failed()) return;
    TakeJump(target);
}

void Machine::Branch() {
    const auto offset = static_cast<std::int8_t>(instructionWord & 0xFF);
    TakeJump((pc + offset) & 0xFFFF);
}

[[gnu::always_inline]] inline void Machine::TakeJump(Value target) {
    const int condition = Bits(12, 3);
    const bool n = FlagN();
    const bool z = FlagZ();
    bool taken = true;
    switch (condition) {
        case 0: target = Pop(); break;  // return: the target comes from the stack
        case 1: break;
        case 2: taken = !n; break;
        case 3: taken = n; break;
        case 4: taken = !z; break;
        case 5: taken = z; break;
        case 6: taken = n || z; break;
        case 7: taken = !n && !z; break;
    }
    if (!taken) return;
    // Any taken jump other than a return becomes a call when bit 15 is set.
    if (condition != 0 && Bit(15)) Push(pc);
    SetPC(target);
}

[[gnu::always_inline]] inline void Machine::Push(Value value) {
    sp -= 2;
    fieldsToShow |= kShowSP;
    WriteWord(sp, value);
}

[[gnu::always_inline]] inline Value Machine::Pop() {
    const Value value = ReadWord(sp);
    sp += 2;
    fieldsToShow |= kShowSP;
    return value;
}

void Machine::SingleOperand() {
    sourceByte_ = destinationByte_ = Bit(15);
    const int s = Bits(4, 4);
    if (s == 0) return Fail(Fault::NonexistentOperation);
    storeAdvances_ = s == 3 || s == 7;
    switch (s) {
        case 1: {
            const Value op1 = ReadOperand2();
            if (Failed()) return;
            lastResult = ~op1 & 0xFFFF;
            StoreResult();
            return UpdateResultFlags();
        }
        case 9: {
            const int n = Bits(0, 4);
            if (n == 0) return StackOperation(s);
            if (n < 4) return Fail(Fault::InvalidOperation);
            return RegisterForm(n);
        }
        case 10:
        case 11:
        case 12: return Shift(s);
        default:
            if (s <= 8) return StackOperation(s);
            return;  // 13..15 do nothing at all
    }
}

// PUSH, POP, ADDSP, SUBSP, TOSP, FRMSP, PUSHPS and POPPS (sub-operation 9 with n = 0).
void Machine::StackOperation(int s) {
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
            StoreResult();
            return UpdateResultFlags();
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
            StoreResult();
            return UpdateResultFlags();
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
void Machine::RegisterForm(int n) {
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
void Machine::Shift(int s) {
    const Value op1 = ReadOperand2();
    if (Failed()) return;
    if (s == 10) {
        lastResult = (op1 * 2) & 0xFFFF;
    } else {
        lastResult = (op1 & 0xFFFF) >> 1;
        if (s == 12) lastResult |= op1 & (destinationByte_ ? 0x80 : 0x8000);  // keep the sign bit
    }
    StoreResult();
    UpdateResultFlags();
}

}  // namespace q42
