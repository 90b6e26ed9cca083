// Executing instructions: the run of steps, each step's fetch and checks, and the dispatch of an
// instruction word to its operation. The hot path of the whole program: the operations are inlined
// here, one copy for each operation code.

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/operations.h"
#include "machine/single_operand.h"

namespace q42 {

std::int64_t Machine::RunSteps(std::int64_t limit) {
    fieldsToShow |= kShowPC;  // every step moves PC
    std::int64_t steps = 0;
    do {
        ++steps;
        runError = Fault::None;
        // The common case, an even PC in RAM, is fetched at once.
        if ((pc & ~Value{0xFE}) == 0) {
            commandAddress = pc;
            instructionWord = ram[pc >> 1];
        } else {
            FetchInstruction();
            if (Failed()) [[unlikely]] {
                WriteRunErrorReport();
                break;
            }
        }
        pc += 2;
        Dispatch();
        // The usual step ends without a failure, in RAM, with room in the key buffer.
        if (Failed() || !IsRamAddress(pc) || keyBuffer.size() == kKeyBufferSize) [[unlikely]] {
            if (!CheckStepEnd()) break;
        }
    } while (steps < limit && !stopFlag);
    return steps;
}

void Machine::ExecuteInstruction() {
    Dispatch();
}

[[gnu::always_inline]] inline void Machine::Dispatch() {
    word_ = static_cast<std::uint16_t>(instructionWord);
    const int code = Code();
    // Two operands are both words or both bytes; the only mixed form is MOV from a byte to a word.
    if (Bit(15) != Bit(14) && code >= kMov && code <= kOut) [[unlikely]] {
        if (Bit(14)) return Fail(Fault::WordWithByte);
        if (code != kMov) return Fail(Fault::ByteWithWord);
    }
    switch (code) {
        case kNop: return;
        case kMov: return Move();
        case kAdd: return Arithmetic(kAdd);
        case kSub: return Arithmetic(kSub);
        case kMul: return Arithmetic(kMul);
        case kDiv: return Arithmetic(kDiv);
        case kCmp: return Compare();
        case kAnd: return Logic(kAnd);
        case kOr: return Logic(kOr);
        case kXor: return Logic(kXor);
        case kIn: return In();
        case kOut: return Out();
        case kJump: return Jump();
        case kBranch: return Branch();
        case kSingle: return SingleOperand();
        case kHlt: stopFlag = true; return;
    }
}

}  // namespace q42
