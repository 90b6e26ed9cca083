// Taking an instruction word apart: dispatch, operand modes, byte access, storing the result and
// deriving the flags from it.

#include "machine/machine.h"

#include <utility>

namespace q42 {

void Machine::ExecuteInstruction() {
    word_ = static_cast<std::uint16_t>(instructionWord);
    const int code = Bits(8, 4);
    movFlag_ = code == kMov;
    storeAdvances_ = code == kIn;
    if (code >= kMov && code <= kOut) {
        sourceByte_ = Bit(15);
        destinationByte_ = Bit(14);
        // The only mixed form is MOV from a byte to a word.
        if (sourceByte_ && !destinationByte_ && !movFlag_) return Fail(Fault::ByteWithWord);
        if (!sourceByte_ && destinationByte_) return Fail(Fault::WordWithByte);
    }
    switch (code) {
        case kNop: return;
        case kMov: return Move();
        case kAdd:
        case kSub:
        case kMul:
        case kDiv: return Arithmetic(code);
        case kCmp: return Compare();
        case kAnd:
        case kOr:
        case kXor: return Logic(code);
        case kIn: return In();
        case kOut: return Out();
        case kJump: return Jump();
        case kBranch: return Branch();
        case kSingle: return SingleOperand();
        case kHlt: stopFlag = true; return;
    }
}

void Machine::SetRegister(int n, Value value) {
    r[n] = value;
    fieldsToShow |= kShowR0 << n;
}

void Machine::SetPC(Value value) {
    pc = value;
    fieldsToShow |= kShowPC;
}

Value Machine::ReadOperand1() {
    if (Bit(13)) {
        // A short constant: bits 4..7, negated by bit 12; never a byte of memory.
        const Value magnitude = Bits(4, 4);
        return Bit(12) ? (-magnitude) & 0xFFFF : magnitude;
    }
    return ReadOperand(Bits(6, 2), Bits(4, 2));
}

Value Machine::ReadOperand2() {
    return ReadOperand(Bits(2, 2), Bits(0, 2));
}

Value Machine::ReadOperand(int mode, int reg) {
    Value value = 0;
    switch (mode) {
        case 0: value = ByteAdjust(0, r[reg]); break;
        case 1:
        case 2: {
            // Mode 2 adds the page base, which is always 0 in this machine.
            const Value address = r[reg];
            value = ByteAdjust(address, ReadWord(address));
            break;
        }
        default:
            if (reg == 1) {  // immediate: the extension word itself
                value = ByteAdjust(pc, ReadWord(pc));
                SetPC(pc + 2);
            } else if (reg == 2) {  // absolute: the word at the address in the extension word
                const Value address = ReadWord(pc);
                value = ByteAdjust(address, ReadWord(address));
                SetPC(pc + 2);
            } else {
                Fail(Fault::BadAddressingMode);
            }
    }
    return Failed() ? 0 : value;
}

Value Machine::ByteAdjust(Value address, Value word) const {
    return sourceByte_ ? SelectByte(address, word) : word;
}

Value Machine::SelectByte(Value address, Value word) const {
    const Value byte = (address & 1) == 0 ? word & 0xFF : (word & 0xFFFF) >> 8;
    // A byte moved into a word is sign-extended; every other byte read is unsigned.
    return (byte > 0x7F && movFlag_ && !destinationByte_) ? 0xFF00 | byte : byte;
}

Value Machine::Merge(Value address, Value old) const {
    // A word keeps 16 bits; only FRMSP with SP out of range could offer more.
    return destinationByte_ ? MergeByte(address, old, lastResult) : lastResult & 0xFFFF;
}

void Machine::StoreResult() {
    const int mode = Bits(2, 2);
    const int reg = Bits(0, 2);
    switch (mode) {
        case 0: return SetRegister(reg, Merge(0, r[reg]));
        case 1:
        case 2: {
            const Value address = r[reg];
            const Value old = destinationByte_ ? ReadWord(address) : 0;
            return WriteWord(address, Merge(address, old));
        }
        default:
            if (reg == 1) return Fail(Fault::Operand2Constant);
            if (reg != 2) return Fail(Fault::BadAddressingMode);
            // An operation that did not read its destination has not passed its extension word.
            if (movFlag_ || storeAdvances_) pc += 2;
            // An extension word outside memory names no destination: store nothing rather than
            // write to address 0 (an earlier byte overflow must not hide this failure either).
            const Fault earlier = std::exchange(runError, Fault::None);
            const Value address = ReadWord(pc - 2);
            if (Failed()) return;
            runError = earlier;
            const Value old = destinationByte_ ? ReadWord(address) : 0;
            WriteWord(address, Merge(address, old));
    }
}

void Machine::UpdateResultFlags() {
    if (!destinationByte_) return UpdateFlags();
    // A byte result is judged as the byte sign-extended from bit 7.
    const Value saved = lastResult;
    lastResult = (lastResult & 0x80) != 0 ? lastResult | 0xFF00 : lastResult & 0xFF;
    UpdateFlags();
    lastResult = saved;
}

}  // namespace q42
