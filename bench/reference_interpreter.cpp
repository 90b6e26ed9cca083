#include "bench/reference_interpreter.h"

// Every helper is inlined into Run's loop, so that the interpreter compiles into one piece as a
// single hand-written switch would.
#define Q42_INLINE [[gnu::always_inline]] inline

namespace q42::bench {
namespace {

Q42_INLINE std::int32_t Signed(std::uint32_t word) {
    return static_cast<std::int16_t>(word);
}

}  // namespace

void ReferenceInterpreter::Load(const std::vector<std::int64_t>& words) {
    ram_.fill(0);
    for (std::size_t i = 0; i < words.size() && i < ram_.size(); ++i)
        ram_[i] = static_cast<std::uint16_t>(words[i]);
    r_.fill(0);
    pc_ = 0;
    sp_ = 0x100;
    ps_ = 0;
}

Q42_INLINE std::uint16_t& ReferenceInterpreter::Word(std::uint32_t address) {
    return ram_[(address >> 1) & 127];
}

Q42_INLINE std::uint32_t ReferenceInterpreter::Read(std::uint32_t field, bool isByte) {
    const std::uint32_t reg = field & 3;
    std::uint32_t address;
    switch (field >> 2) {
        case 0: return isByte ? r_[reg] & 0xFF : r_[reg];
        case 1:
        case 2: address = r_[reg]; break;
        default:
            if (reg == 1) {
                const std::uint32_t value = Word(pc_);
                pc_ += 2;
                return isByte ? value & 0xFF : value;
            }
            address = Word(pc_);
            pc_ += 2;
    }
    const std::uint32_t value = Word(address);
    return isByte ? ((address & 1) ? value >> 8 : value & 0xFF) : value;
}

Q42_INLINE void ReferenceInterpreter::Store(std::uint32_t field, std::uint32_t value,
                                            bool advance) {
    const std::uint32_t reg = field & 3;
    std::uint32_t address;
    switch (field >> 2) {
        case 0:
            r_[reg] = destinationByte_ ? (r_[reg] & 0xFF00) | (value & 0xFF) : value & 0xFFFF;
            return;
        case 1:
        case 2: address = r_[reg]; break;
        default:
            if (advance) pc_ += 2;
            address = Word(pc_ - 2);
    }
    std::uint16_t& cell = Word(address);
    if (!destinationByte_) {
        cell = static_cast<std::uint16_t>(value);
    } else if (address & 1) {
        cell = static_cast<std::uint16_t>((cell & 0x00FF) | ((value & 0xFF) << 8));
    } else {
        cell = static_cast<std::uint16_t>((cell & 0xFF00) | (value & 0xFF));
    }
}

Q42_INLINE void ReferenceInterpreter::Flags(std::uint32_t value) {
    if (destinationByte_) value = (value & 0x80) ? value | 0xFF00 : value & 0xFF;
    ps_ = static_cast<std::uint16_t>((value & 0x8000) ? ps_ | 1 : ps_ & 0x0FFE);
    ps_ = static_cast<std::uint16_t>((value & 0xFFFF) == 0 ? ps_ | 2 : ps_ & 0x0FFD);
}

Q42_INLINE std::uint32_t ReferenceInterpreter::Operand1() {
    const std::uint32_t f1 = (w_ >> 4) & 0xF;
    if (w_ & 0x2000) return (w_ & 0x1000) ? (0x10000 - f1) & 0xFFFF : f1;
    return Read(f1, sourceByte_);
}

Q42_INLINE void ReferenceInterpreter::Move() {
    std::uint32_t value = Operand1();
    if (sourceByte_ && !destinationByte_ && (value & 0x80) && !(w_ & 0x2000)) value |= 0xFF00;
    Store(w_ & 0xF, value, true);
    Flags(value);
}

Q42_INLINE bool ReferenceInterpreter::Arithmetic(std::uint32_t code) {
    const std::int32_t a = Signed(Operand1());
    const std::int32_t b = Signed(Read(w_ & 0xF, sourceByte_));
    const std::int32_t result = code == 2   ? b + a
                                : code == 3 ? b - a
                                : code == 5 ? b * a
                                            : (a ? b / a : 0x10000);
    if (result < -0x7FFF || result > 0x7FFF) return false;
    std::uint32_t value = static_cast<std::uint32_t>(result) & 0xFFFF;
    if (destinationByte_) value &= 0xFF;
    Store(w_ & 0xF, value, false);
    Flags(value);
    return true;
}

Q42_INLINE void ReferenceInterpreter::Compare() {
    std::uint32_t a = Operand1();
    std::uint32_t b = Read(w_ & 0xF, sourceByte_);
    if (sourceByte_ && (a & 0x80)) a |= 0xFF00;
    if (destinationByte_ && (b & 0x80)) b |= 0xFF00;
    const std::int32_t sa = Signed(a);
    const std::int32_t sb = Signed(b);
    Flags(sa == sb ? 0 : sa < sb ? 1 : 0xFFFF);
}

Q42_INLINE void ReferenceInterpreter::Logic(std::uint32_t code) {
    const std::uint32_t a = Operand1();
    const std::uint32_t b = Read(w_ & 0xF, sourceByte_);
    const std::uint32_t value = code == 7 ? a & b : code == 8 ? a | b : a ^ b;
    Store(w_ & 0xF, value, false);
    Flags(value);
}

Q42_INLINE bool ReferenceInterpreter::Taken(std::uint32_t condition) const {
    const bool n = ps_ & 1;
    const bool z = ps_ & 2;
    switch (condition) {
        case 2: return !n;
        case 3: return n;
        case 4: return !z;
        case 5: return z;
        case 6: return n || z;
        case 7: return !n && !z;
        default: return true;
    }
}

Q42_INLINE void ReferenceInterpreter::Jump(std::uint32_t code) {
    std::uint32_t target =
        code == 12 ? Read(w_ & 0xF, false) : (pc_ + static_cast<std::int8_t>(w_ & 0xFF)) & 0xFFFF;
    const std::uint32_t condition = (w_ >> 12) & 7;
    if (condition == 0) {
        target = Word(sp_);
        sp_ += 2;
    } else if (!Taken(condition)) {
        return;
    } else if (w_ & 0x8000) {
        sp_ -= 2;
        Word(sp_) = static_cast<std::uint16_t>(pc_);
    }
    pc_ = target;
}

// PUSH and POP; the benchmark programs use no other single-operand form.
Q42_INLINE bool ReferenceInterpreter::Single() {
    const std::uint32_t sub = (w_ >> 4) & 0xF;
    if (sub == 2) {
        const std::uint32_t value = Read(w_ & 0xF, false);
        sp_ -= 2;
        Word(sp_) = static_cast<std::uint16_t>(value);
        Flags(value);
    } else if (sub == 3) {
        const std::uint32_t value = Word(sp_);
        sp_ += 2;
        Store(w_ & 0xF, value, true);
        Flags(value);
    } else {
        return false;
    }
    return true;
}

std::int64_t ReferenceInterpreter::Run() {
    for (std::int64_t steps = 1;; ++steps) {
        pc_ &= ~1u;
        w_ = Word(pc_);
        pc_ += 2;
        sourceByte_ = (w_ & 0x8000) != 0;
        destinationByte_ = (w_ & 0x4000) != 0;
        const std::uint32_t code = (w_ >> 8) & 0xF;
        switch (code) {
            case 0: break;
            case 1: Move(); break;
            case 2:
            case 3:
            case 5:
            case 6:
                if (!Arithmetic(code)) return steps;
                break;
            case 4: Compare(); break;
            case 7:
            case 8:
            case 9: Logic(code); break;
            case 12:
            case 13: Jump(code); break;
            case 14:
                if (!Single()) return steps;
                break;
            default: return steps;  // HLT, and what the benchmark programs never run
        }
    }
}

}  // namespace q42::bench
