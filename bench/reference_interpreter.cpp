#include "bench/reference_interpreter.h"

namespace q42::bench {
namespace {

inline std::int32_t Signed(std::uint32_t word) {
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

std::int64_t ReferenceInterpreter::Run() {
    std::int64_t steps = 0;
    auto word = [this](std::uint32_t address) -> std::uint16_t& {
        return ram_[(address >> 1) & 127];
    };
    bool sourceByte = false;
    bool destinationByte = false;
    auto read = [&](std::uint32_t field, bool isByte) -> std::uint32_t {
        const std::uint32_t reg = field & 3;
        std::uint32_t address;
        switch (field >> 2) {
            case 0: return isByte ? r_[reg] & 0xFF : r_[reg];
            case 1:
            case 2: address = r_[reg]; break;
            default:
                if (reg == 1) {
                    const std::uint32_t value = word(pc_);
                    pc_ += 2;
                    return isByte ? value & 0xFF : value;
                }
                address = word(pc_);
                pc_ += 2;
        }
        const std::uint32_t value = word(address);
        return isByte ? ((address & 1) ? value >> 8 : value & 0xFF) : value;
    };
    auto store = [&](std::uint32_t field, std::uint32_t value, bool advance) {
        const std::uint32_t reg = field & 3;
        std::uint32_t address;
        switch (field >> 2) {
            case 0:
                r_[reg] = destinationByte ? (r_[reg] & 0xFF00) | (value & 0xFF) : value & 0xFFFF;
                return;
            case 1:
            case 2: address = r_[reg]; break;
            default:
                if (advance) pc_ += 2;
                address = word(pc_ - 2);
        }
        std::uint16_t& cell = word(address);
        if (!destinationByte) {
            cell = static_cast<std::uint16_t>(value);
        } else if (address & 1) {
            cell = static_cast<std::uint16_t>((cell & 0x00FF) | ((value & 0xFF) << 8));
        } else {
            cell = static_cast<std::uint16_t>((cell & 0xFF00) | (value & 0xFF));
        }
    };
    auto flags = [&](std::uint32_t value) {
        if (destinationByte) value = (value & 0x80) ? value | 0xFF00 : value & 0xFF;
        ps_ = static_cast<std::uint16_t>((value & 0x8000) ? ps_ | 1 : ps_ & 0x0FFE);
        ps_ = static_cast<std::uint16_t>((value & 0xFFFF) == 0 ? ps_ | 2 : ps_ & 0x0FFD);
    };
    for (;;) {
        ++steps;
        pc_ &= ~1u;
        const std::uint32_t w = word(pc_);
        pc_ += 2;
        const std::uint32_t code = (w >> 8) & 0xF;
        const std::uint32_t f1 = (w >> 4) & 0xF;
        const std::uint32_t f2 = w & 0xF;
        sourceByte = (w & 0x8000) != 0;
        destinationByte = (w & 0x4000) != 0;
        auto operand1 = [&]() -> std::uint32_t {
            if (w & 0x2000) return (w & 0x1000) ? (0x10000 - f1) & 0xFFFF : f1;
            return read(f1, sourceByte);
        };
        switch (code) {
            case 0: break;
            case 1: {
                std::uint32_t value = operand1();
                if (sourceByte && !destinationByte && (value & 0x80) && !(w & 0x2000))
                    value |= 0xFF00;
                store(f2, value, true);
                flags(value);
                break;
            }
            case 2:
            case 3:
            case 5:
            case 6: {
                const std::int32_t a = Signed(operand1());
                const std::int32_t b = Signed(read(f2, sourceByte));
                std::int32_t result = code == 2   ? b + a
                                      : code == 3 ? b - a
                                      : code == 5 ? b * a
                                                  : (a ? b / a : 0x10000);
                if (result < -0x7FFF || result > 0x7FFF) return steps;
                std::uint32_t value = static_cast<std::uint32_t>(result) & 0xFFFF;
                if (destinationByte) value &= 0xFF;
                store(f2, value, false);
                flags(value);
                break;
            }
            case 4: {
                std::uint32_t a = operand1();
                std::uint32_t b = read(f2, sourceByte);
                if (sourceByte && (a & 0x80)) a |= 0xFF00;
                if (destinationByte && (b & 0x80)) b |= 0xFF00;
                const std::int32_t sa = Signed(a);
                const std::int32_t sb = Signed(b);
                flags(sa == sb ? 0 : sa < sb ? 1 : 0xFFFF);
                break;
            }
            case 7:
            case 8:
            case 9: {
                const std::uint32_t a = operand1();
                const std::uint32_t b = read(f2, sourceByte);
                const std::uint32_t value = code == 7 ? a & b : code == 8 ? a | b : a ^ b;
                store(f2, value, false);
                flags(value);
                break;
            }
            case 12:
            case 13: {
                std::uint32_t target;
                if (code == 12) {
                    target = read(f2, false);
                } else {
                    target = (pc_ + static_cast<std::int8_t>(w & 0xFF)) & 0xFFFF;
                }
                const std::uint32_t condition = (w >> 12) & 7;
                const bool n = ps_ & 1;
                const bool z = ps_ & 2;
                bool taken = true;
                switch (condition) {
                    case 0:
                        target = word(sp_);
                        sp_ += 2;
                        break;
                    case 2: taken = !n; break;
                    case 3: taken = n; break;
                    case 4: taken = !z; break;
                    case 5: taken = z; break;
                    case 6: taken = n || z; break;
                    case 7: taken = !n && !z; break;
                    default: break;
                }
                if (!taken) break;
                if (condition != 0 && (w & 0x8000)) {
                    sp_ -= 2;
                    word(sp_) = static_cast<std::uint16_t>(pc_);
                }
                pc_ = target;
                break;
            }
            case 14:
                if (f1 == 2) {
                    const std::uint32_t value = read(f2, false);
                    sp_ -= 2;
                    word(sp_) = static_cast<std::uint16_t>(value);
                    flags(value);
                } else if (f1 == 3) {
                    const std::uint32_t value = word(sp_);
                    sp_ += 2;
                    store(f2, value, true);
                    flags(value);
                } else {
                    return steps;  // the benchmark programs use no other single-operand form
                }
                break;
            case 15: return steps;
            default: return steps;
        }
    }
}

}  // namespace q42::bench
