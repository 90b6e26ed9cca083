#pragma once
// Operand access of the instruction being executed: the operand modes, short constants, byte
// access within words, storing the result and deriving the flags from it. Defined here, inline,
// so that every operation compiles into one piece with the operand access it uses.

#include <utility>

#include "machine/machine.h"

namespace q42 {

[[gnu::always_inline]] inline void Machine::SetRegister(int n, Value value) {
    r[n] = value;
    changedRegisters_ |= kChangedR0 << n;
}

// Checked first by every two-operand operation (codes 1..11, where bits 15 and 14 are the source
// and destination byte flags): the instruction set's byte/word rule.
[[gnu::always_inline]] inline bool Machine::OperandFormsAgree() {
    const InstructionWord word = instructionWord;
    if (word.BytesAgree()) [[likely]] {
        return true;
    }
    const Fault fault =
        ByteWordFault(MovesByteIntoWord(word.Operation()), word.Byte1(), word.Byte2());
    if (fault == Fault::None) return true;
    Fail(fault);
    return false;
}

[[gnu::always_inline]] inline Value Machine::ReadOperand1() {
    // A short constant is never a byte of memory.
    if (instructionWord.ShortConstant()) return instructionWord.ShortValue();
    return ReadOperand(instructionWord.Mode1(), instructionWord.Register1());
}

[[gnu::always_inline]] inline Value Machine::ReadOperand2() {
    return ReadOperand(instructionWord.Mode2(), instructionWord.Register2());
}

// A failed read sets runError; the operation then stops without using the value.
[[gnu::always_inline]] inline Value Machine::ReadOperand(int mode, int reg) {
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
                pc += 2;
            } else if (reg == 2) {  // absolute: the word at the address in the extension word
                const Value address = ReadWord(pc);
                value = ByteAdjust(address, ReadWord(address));
                pc += 2;
            } else {
                Fail(Fault::BadAddressingMode);
            }
    }
    return value;
}

[[gnu::always_inline]] inline Value Machine::ByteAdjust(Value address, Value word) const {
    return instructionWord.SourceByte() ? SelectByte(address, word) : word;
}

[[gnu::always_inline]] inline Value Machine::SelectByte(Value address, Value word) const {
    const Value byte = (address & 1) == 0 ? word & 0xFF : (word & 0xFFFF) >> 8;
    // A byte moved into a word is sign-extended; every other byte read is unsigned.
    const bool moved = MovesByteIntoWord(instructionWord.Operation());
    return (byte > 0x7F && moved && !instructionWord.DestinationByte()) ? 0xFF00 | byte : byte;
}

[[gnu::always_inline]] inline Value Machine::Merge(Value address, Value old) const {
    // A word keeps 16 bits; only FRMSP with SP out of range could offer more.
    return instructionWord.DestinationByte() ? MergeByte(address, old, lastResult)
                                             : lastResult & 0xFFFF;
}

[[gnu::always_inline]] inline void Machine::StoreResult() {
    const int mode = instructionWord.Mode2();
    const int reg = instructionWord.Register2();
    switch (mode) {
        case 0: return SetRegister(reg, Merge(0, r[reg]));
        case 1:
        case 2: {
            const Value address = r[reg];
            const Value old = instructionWord.DestinationByte() ? ReadWord(address) : 0;
            return WriteWord(address, Merge(address, old));
        }
        default:
            if (reg == 1) return Fail(Fault::Operand2Constant);
            if (reg != 2) return Fail(Fault::BadAddressingMode);
            if (StoreAdvances()) pc += 2;
            // An extension word outside memory names no destination: store nothing rather than
            // write to address 0 (an earlier byte overflow must not hide this failure either).
            const Fault earlier = std::exchange(runError, Fault::None);
            const Value address = ReadWord(pc - 2);
            if (Failed()) return;
            runError = earlier;
            const Value old = instructionWord.DestinationByte() ? ReadWord(address) : 0;
            WriteWord(address, Merge(address, old));
    }
}

// The end of most operations: lastResult goes to the destination and sets N and Z. The flags
// are set first, while the result is still at hand; a failed store leaves them set all the same.
[[gnu::always_inline]] inline void Machine::StoreResultAndFlags() {
    UpdateResultFlags();
    StoreResult();
}

[[gnu::always_inline]] inline void Machine::UpdateResultFlags() {
    if (!instructionWord.DestinationByte()) return UpdateFlags();
    // A byte result is judged as the byte sign-extended from bit 7.
    const Value saved = lastResult;
    lastResult = (lastResult & 0x80) != 0 ? lastResult | 0xFF00 : lastResult & 0xFF;
    UpdateFlags();
    lastResult = saved;
}

}  // namespace q42
