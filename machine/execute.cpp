// Executing instructions: the run of steps, each step's fetch and checks, and the dispatch of an
// instruction word to its operation. The hot path of the whole program: the operations are inlined
// here, one copy for each operation code.

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/operations.h"
#include "machine/single_operand.h"

namespace q42 {

std::int64_t Machine::RunSteps(std::int64_t limit) {
    // A step that fails ends the run, so every step starts without a failure.
    runError = Fault::None;
    // Keys may have been typed, or the run stopped, since the last batch.
    attention_ = true;
    std::int64_t steps = 0;
    if (inputServed) [[unlikely]] {
        steps = 1;
        if (!FinishServedStep() || steps >= limit) return steps;
    }
    do {
        ++steps;
        // The common case, an even PC in RAM, is fetched at once.
        if ((pc & ~Value{0xFE}) == 0) {
            commandAddress = pc;
            instructionWord = InstructionWord(ram[pc >> 1]);
        } else {
            stepOfBatch_ = steps;
            FetchInstruction();
            if (Failed()) [[unlikely]] {
                WriteRunErrorReport();
                break;
            }
        }
        pc += 2;
        changedRegisters_ |= kChangedPC;
        Dispatch();
        // The usual step ends without a failure, in RAM, and without anything that could have
        // filled the key buffer or stopped the run.
        if (Failed() || !IsRamAddress(pc) || attention_) [[unlikely]] {
            attention_ = false;
            if (!CheckStepEnd() || stopFlag) break;
        }
    } while (steps < limit);
    return steps;
}

[[gnu::always_inline]] inline void Machine::Dispatch() {
    switch (instructionWord.Operation()) {
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
        case kHlt:
            stopFlag = true;
            attention_ = true;
            return;
    }
}

bool Machine::FinishServedStep() {
    inputServed = false;
    attention_ = false;
    FetchWord();
    if (Failed()) {
        WriteRunErrorReport();
        return false;
    }
    pc += 2;
    changedRegisters_ |= kChangedPC;
    Dispatch();
    // The input used the terminal: the key buffer and the stop flag are checked as after any use.
    return CheckStepEnd() && !stopFlag;
}

}  // namespace q42
