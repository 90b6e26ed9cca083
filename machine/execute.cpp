// Taking an instruction word apart: the checks made before any operation, and the dispatch.

#include "machine/machine.h"
#include "machine/operands.h"

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

}  // namespace q42
