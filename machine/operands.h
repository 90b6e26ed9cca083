#pragma once
// Operand access of the instruction being executed: the operand modes, short constants, byte
// access within words, storing the result and deriving the flags from it. Defined here, inline,
// so that every operation compiles into one piece with the operand access it uses.

#include <utility>

#include "machine/processor.h"

namespace q42 {

// Checked first by every two-operand operation (codes 1..11, where bits 15 and 14 are the source
// and destination byte flags): the instruction set's byte/word rule.
template <class Word>
[[gnu::always_inline]] inline bool Processor::OperandFormsAgree(Word word) {
    if (word.BytesAgree()) [[likely]] {
        return true;
    }
    const Fault fault =
        ByteWordFault(MovesByteIntoWord(word.Operation()), word.Byte1(), word.Byte2());
    if (fault == Fault::None) return true;
    Fail(fault);
    return false;
}

template <class Word>
[[gnu::always_inline]] inline Value Processor::ReadOperand1(Word word) {
    // A short constant is never a byte of memory.
    if (word.ShortConstant()) return word.ShortValue();
    return ReadOperand(word, word.Mode1(), word.Register1());
}

template <class Word>
[[gnu::always_inline]] inline Value Processor::ReadOperand2(Word word) {
    return ReadOperand(word, word.Mode2(), word.Register2());
}

// A failed read sets runError; the operation then stops without using the value.
template <class Word>
[[gnu::always_inline]] inline Value Processor::ReadOperand(Word word, int mode, int reg) {
    Value value = 0;
    switch (mode) {
        case 0: value = ByteAdjust(word, 0, r[reg]); break;
        case 1:
        case 2: {
            // Mode 2 adds the page base, which is always 0 in this machine.
            const Value address = r[reg];
            value = ByteAdjust(word, address, ReadWord(address));
            break;
        }
        default:
            if (reg == 1) {  // immediate: the extension word itself
                value = ByteAdjust(word, pc, ReadWord(pc));
                pc += 2;
            } else if (reg == 2) {  // absolute: the word at the address in the extension word
                const Value address = ReadWord(pc);
                value = ByteAdjust(word, address, ReadWord(address));
                pc += 2;
            } else {
                Fail(Fault::BadAddressingMode);
            }
    }
    return value;
}

template <class Word>
[[gnu::always_inline]] inline Value Processor::ByteAdjust(Word word, Value address,
                                                          Value value) const {
    return word.SourceByte() ? SelectByte(word, address, value) : value;
}

template <class Word>
[[gnu::always_inline]] inline Value Processor::SelectByte(Word word, Value address,
                                                          Value value) const {
    const Value byte = (address & 1) == 0 ? value & 0xFF : (value & 0xFFFF) >> 8;
    // A byte moved into a word is sign-extended; every other byte read is unsigned.
    const bool moved = MovesByteIntoWord(word.Operation());
    return (byte > 0x7F && moved && !word.DestinationByte()) ? 0xFF00 | byte : byte;
}

template <class Word>
[[gnu::always_inline]] inline Value Processor::Merge(Word word, Value address, Value old) const {
    // A word keeps 16 bits; only FRMSP with SP out of range could offer more.
    return word.DestinationByte() ? MergeByte(address, old, lastResult) : lastResult & 0xFFFF;
}

template <class Word>
[[gnu::always_inline]] inline void Processor::StoreResult(Word word) {
    const int mode = word.Mode2();
    const int reg = word.Register2();
    switch (mode) {
        case 0: return SetRegister(reg, Merge(word, 0, r[reg]));
        case 1:
        case 2: {
            const Value address = r[reg];
            const Value old = word.DestinationByte() ? ReadWord(address) : 0;
            return WriteWord(address, Merge(word, address, old));
        }
        default:
            if (reg == 1) return Fail(Fault::Operand2Constant);
            if (reg != 2) return Fail(Fault::BadAddressingMode);
            if (StoreAdvances(word)) pc += 2;
            // An extension word outside memory names no destination: store nothing rather than
            // write to address 0 (an earlier byte overflow must not hide this failure either).
            const Fault earlier = std::exchange(runError, Fault::None);
            const Value address = ReadWord(pc - 2);
            if (Failed()) return;
            runError = earlier;
            const Value old = word.DestinationByte() ? ReadWord(address) : 0;
            WriteWord(address, Merge(word, address, old));
    }
}

// The end of most operations: lastResult goes to the destination and sets N and Z. The flags
// are set first, while the result is still at hand; a failed store leaves them set all the same.
template <class Word>
[[gnu::always_inline]] inline void Processor::StoreResultAndFlags(Word word) {
    UpdateResultFlags(word);
    StoreResult(word);
}

template <class Word>
[[gnu::always_inline]] inline void Processor::UpdateResultFlags(Word word) {
    if (!word.DestinationByte()) return UpdateFlags();
    // A byte result is judged as the byte sign-extended from bit 7.
    const Value saved = lastResult;
    lastResult = (lastResult & 0x80) != 0 ? lastResult | 0xFF00 : lastResult & 0xFF;
    UpdateFlags();
    lastResult = saved;
}

}  // namespace q42
