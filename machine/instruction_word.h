#pragma once
// One instruction word with its fields named, taken apart and put together here alone; and the
// two rules of the instruction set that the machine and the assembler share: which operands may
// be bytes together, and how far a branch reaches. Everything is constexpr over the 16-bit word
// and its readers are always inlined, so that the machine reads a field as cheaply as it would
// read the bits (left to itself, the compiler calls some of them out of line in the run of steps).
//
//   bits 15..12  the mode digit: for operations 1..11 operand 1 is a byte (15), operand 2 is a
//                byte (14), operand 1's field holds a short constant (13) with a minus sign (12);
//                in the single-operand group bit 15 makes the operand a byte; a jump or branch
//                holds its call flag (15) and its condition (14..12)
//   bits 11..8   the operation code
//   bits  7..4   operand 1's field: its mode (7..6) and register (5..4); also a short constant's
//                magnitude, IN's port and the single-operand group's sub-operation
//   bits  3..0   operand 2's field: its mode (3..2) and register (1..0); also OUT's port
//   bits  7..0   a branch's displacement

#include <cstdint>

#include "machine/common.h"
#include "machine/faults.h"

namespace q42 {

// Operation codes (bits 8..11).
enum OperationCode : int {
    kNop = 0,
    kMov = 1,
    kAdd = 2,
    kSub = 3,
    kCmp = 4,
    kMul = 5,
    kDiv = 6,
    kAnd = 7,
    kOr = 8,
    kXor = 9,
    kIn = 10,
    kOut = 11,
    kJump = 12,
    kBranch = 13,
    kSingle = 14,
    kHlt = 15,
};

// The sub-operations of the single-operand group (bits 4..7 of a word with operation code 14).
// 13..15 name nothing and do nothing.
enum class SubOperation : int {
    Page = 0,  // PAGE0 and MYPAGE: this machine has no pages, so running either is an error
    Not = 1,
    Push = 2,
    Pop = 3,
    AddSp = 4,
    SubSp = 5,
    ToSp = 6,
    FromSp = 7,
    PushPs = 8,
    PopPs = 9,  // with operand field 0; fields 4..15 are the register forms
    ShiftLeft = 10,
    ShiftRight = 11,
    ArithmeticShiftRight = 12,
};

// The condition of a jump or branch (bits 12..14 of a word with operation code 12 or 13).
enum class Condition : int {
    Return = 0,  // always, to the address popped from the stack
    Always = 1,
    NotNegative = 2,     // N = 0
    Negative = 3,        // N = 1
    NotZero = 4,         // Z = 0
    Zero = 5,            // Z = 1
    NegativeOrZero = 6,  // N = 1 or Z = 1
    Positive = 7,        // N = 0 and Z = 0
};

// Whether a jump or branch with `condition` is taken when the flags are N and Z; a return
// always is.
[[gnu::always_inline]] constexpr bool ConditionHolds(Condition condition, bool n, bool z) {
    switch (condition) {
        case Condition::Return:
        case Condition::Always: return true;
        case Condition::NotNegative: return !n;
        case Condition::Negative: return n;
        case Condition::NotZero: return !z;
        case Condition::Zero: return z;
        case Condition::NegativeOrZero: return n || z;
        case Condition::Positive: return !n && !z;
    }
    return false;
}

class InstructionWord {
  public:
    constexpr InstructionWord() = default;
    // The word's low 16 bits.
    [[gnu::always_inline]] constexpr explicit InstructionWord(Value word)
        : word_(static_cast<std::uint16_t>(word)) {}
    // The word of an operation code with every other field 0.
    static constexpr InstructionWord Of(OperationCode operation) {
        return InstructionWord(Value{operation} << 8);
    }

    [[gnu::always_inline]] constexpr Value Word() const { return word_; }
    constexpr bool operator==(const InstructionWord&) const = default;

    // The four hex digits: the mode digit, the operation code and the two operand fields.
    [[gnu::always_inline]] constexpr int ModeDigit() const { return Bits(12, 4); }
    [[gnu::always_inline]] constexpr OperationCode Operation() const {
        return static_cast<OperationCode>(Bits(8, 4));
    }
    [[gnu::always_inline]] constexpr int Field1() const { return Bits(4, 4); }
    [[gnu::always_inline]] constexpr int Field2() const { return Bits(0, 4); }

    // An operand field as the machine reads it: an addressing mode 0..3 and a register 0..3.
    [[gnu::always_inline]] constexpr int Mode1() const { return Bits(6, 2); }
    [[gnu::always_inline]] constexpr int Register1() const { return Bits(4, 2); }
    [[gnu::always_inline]] constexpr int Mode2() const { return Bits(2, 2); }
    [[gnu::always_inline]] constexpr int Register2() const { return Bits(0, 2); }

    // Bits 15 and 14 as written: the byte marks of operand 1 and operand 2.
    [[gnu::always_inline]] constexpr bool Byte1() const { return Bit(15); }
    [[gnu::always_inline]] constexpr bool Byte2() const { return Bit(14); }
    // Both byte marks set or neither: bits 15 and 14 read together.
    [[gnu::always_inline]] constexpr bool BytesAgree() const {
        const int marks = Bits(14, 2);
        return marks == 0b00 || marks == 0b11;
    }
    // Whether the operation reads its operands as bytes. A jump's bit 15 means a call, and its
    // target is a word; a single-operand instruction has one byte bit for both.
    [[gnu::always_inline]] constexpr bool SourceByte() const {
        return Operation() != kJump && Byte1();
    }
    [[gnu::always_inline]] constexpr bool DestinationByte() const {
        return Operation() == kSingle ? Byte1() : Byte2();
    }

    // Operand 1 as a short constant (operations 1..11): its magnitude is field 1.
    [[gnu::always_inline]] constexpr bool ShortConstant() const { return Bit(13); }
    [[gnu::always_inline]] constexpr bool ShortNegative() const { return Bit(12); }
    // The constant's value, a word: -0 is 0.
    [[gnu::always_inline]] constexpr Value ShortValue() const {
        const Value magnitude = Field1();
        return ShortNegative() ? (-magnitude) & 0xFFFF : magnitude;
    }

    [[gnu::always_inline]] constexpr SubOperation Sub() const {
        return static_cast<SubOperation>(Field1());
    }
    [[gnu::always_inline]] constexpr int InPort() const { return Field1(); }
    [[gnu::always_inline]] constexpr int OutPort() const { return Field2(); }

    [[gnu::always_inline]] constexpr bool IsJumpOrBranch() const {
        return Operation() == kJump || Operation() == kBranch;
    }
    [[gnu::always_inline]] constexpr Condition JumpCondition() const {
        return static_cast<Condition>(Bits(12, 3));
    }
    [[gnu::always_inline]] constexpr bool CallFlag() const { return Bit(15); }
    // A jump or branch that calls when taken: the call flag on anything but a return.
    [[gnu::always_inline]] constexpr bool Calls() const {
        return IsJumpOrBranch() && CallFlag() && JumpCondition() != Condition::Return;
    }
    [[gnu::always_inline]] constexpr bool Returns() const {
        return IsJumpOrBranch() && JumpCondition() == Condition::Return;
    }
    // A branch's displacement in bytes from the word after it: -128..127.
    [[gnu::always_inline]] constexpr int Displacement() const {
        return static_cast<std::int8_t>(Bits(0, 8));
    }

    // The same word with fields put in.
    constexpr InstructionWord WithModeDigit(int mode) const { return WithBits(12, 4, mode); }
    constexpr InstructionWord WithField1(int field) const { return WithBits(4, 4, field); }
    constexpr InstructionWord WithField2(int field) const { return WithBits(0, 4, field); }
    constexpr InstructionWord WithBytes(bool byte1, bool byte2) const {
        return WithBits(15, 1, byte1).WithBits(14, 1, byte2);
    }
    constexpr InstructionWord WithShortConstant(bool negative) const {
        return WithBits(13, 1, 1).WithBits(12, 1, negative);
    }
    constexpr InstructionWord WithCondition(Condition condition, bool call = false) const {
        return WithBits(12, 3, static_cast<int>(condition)).WithBits(15, 1, call);
    }
    constexpr InstructionWord WithDisplacement(Value displacement) const {
        return WithBits(0, 8, static_cast<int>(displacement & 0xFF));
    }

  private:
    std::uint16_t word_ = 0;

    [[gnu::always_inline]] constexpr int Bits(int from, int count) const {
        return (word_ >> from) & ((1 << count) - 1);
    }
    [[gnu::always_inline]] constexpr bool Bit(int n) const { return ((word_ >> n) & 1) != 0; }
    constexpr InstructionWord WithBits(int from, int count, int value) const {
        const int mask = ((1 << count) - 1) << from;
        return InstructionWord((word_ & ~mask) | ((value << from) & mask));
    }
};

// The byte/word rule of the operations with two operands (codes 1..11): both operands are words
// or both are bytes, and a byte may go into a word only where the operation moves it
// (byteIntoWord). The fault of a pair the rule refuses; Fault::None for one it allows.
[[gnu::always_inline]] constexpr Fault ByteWordFault(bool byteIntoWord, bool sourceByte,
                                                     bool destinationByte) {
    if (sourceByte == destinationByte) return Fault::None;
    if (destinationByte) return Fault::WordWithByte;
    return byteIntoWord ? Fault::None : Fault::ByteWithWord;
}

// Which operation moves a byte into a word: MOV alone, which sign-extends it.
[[gnu::always_inline]] constexpr bool MovesByteIntoWord(OperationCode operation) {
    return operation == kMov;
}

// How far a branch reaches: -128..+126 bytes from the word after it. Its byte holds 127 too, but
// a branch that far is not written.
constexpr int kBranchReachBack = -128;
constexpr int kBranchReachForward = 126;
constexpr bool BranchReaches(Value displacement) {
    return displacement >= kBranchReachBack && displacement <= kBranchReachForward;
}

}  // namespace q42
