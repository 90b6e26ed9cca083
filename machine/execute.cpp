// Executing instructions: the run of steps, each step's fetch and checks, where a run to a stop
// ends, and the dispatch of an instruction word to its operation. The hot path of the whole
// program: the processor (machine/processor.h) holds the registers in the run's own variables,
// and the operations are inlined here, one copy for each form of word (machine/word_forms.h).

#include <algorithm>
#include <utility>

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/operations.h"
#include "machine/processor.h"
#include "machine/single_operand.h"
#include "machine/word_forms.h"

namespace q42 {

// Runs the word as its form: the word with the form's bits known, so that the compiler makes
// the form's choices here, once. The fold becomes one jump through a table of the forms, with
// form 0, which knows no bits, as its default.
template <int... kForms>
[[gnu::always_inline]] inline void Processor::RunForm(int form, InstructionWord word,
                                                      std::integer_sequence<int, kForms...>) {
    (void)(((form == kForms + 1) && (Dispatch(WordOfForm<kForms + 1>(word.Word())), true)) ||
           ... || (Dispatch(word), true));
}

template <class Word>
[[gnu::always_inline]] inline void Processor::Dispatch(Word word) {
    switch (word.Operation()) {
        case kNop: return;
        case kMov: return Move(word);
        case kAdd: return Arithmetic(word, kAdd);
        case kSub: return Arithmetic(word, kSub);
        case kMul: return Arithmetic(word, kMul);
        case kDiv: return Arithmetic(word, kDiv);
        case kCmp: return Compare(word);
        case kAnd: return Logic(word, kAnd);
        case kOr: return Logic(word, kOr);
        case kXor: return Logic(word, kXor);
        case kIn: return In(InstructionWord(word.Word()));
        case kOut: return Out(InstructionWord(word.Word()));
        case kJump: return Jump(word);
        case kBranch: return Branch(word);
        case kSingle: return SingleOperand(word);
        case kHlt:
            machine_.stopFlag = true;
            machine_.attention_ = true;
            return;
    }
}

[[gnu::always_inline]] inline bool Processor::FetchElsewhere(bool served) {
    if (!served) OnMachine(&Machine::ServeEntryPoints);
    if (Machine::IsCodeAddress(pc)) {
        instructionWord = InstructionWord(ReadWord(pc));
    } else {
        Fail(Fault::BadCommandAddress);
    }
    if (!Failed()) return true;
    OnMachine(&Machine::WriteRunErrorReport);
    return false;
}

template <bool toStop>
[[gnu::always_inline]] inline std::int64_t Processor::Run(std::int64_t limit) {
    // A step that fails ends the run, so every step starts without a failure.
    runError = Fault::None;
    // Keys may have been typed, or the run stopped, since the last batch.
    machine_.attention_ = true;
    machine_.stopAfterStep_ = false;
    Changed(kChangedFlags);
    std::int64_t steps = 0;
    // A step whose input was served goes on with the instruction at the return address.
    if (std::exchange(machine_.inputServed, false)) {
        steps = 1;
        if (!FetchElsewhere(true)) return steps;
        goto execute;
    }
    do {
        ++steps;
        // The common case, an even PC in RAM, is fetched at once.
        if ((pc & ~Value{0xFE}) == 0) [[likely]] {
            if (toStop && steps > 1 && machine_.StopsBeforeWord(pc >> 1)) [[unlikely]] {
                return steps - 1;
            }
            commandAddress = pc;
            instructionWord = InstructionWord(machine_.ram[pc >> 1]);
        } else {
            if (toStop && steps > 1 && machine_.StopsBefore(pc)) return steps - 1;
            machine_.stepOfBatch_ = steps;
            if (!FetchElsewhere(false)) break;
        }
    execute:
        runError = Fault::None;  // as it was: said here, so that the compiler knows it
        pc += 2;
        const int form = kFormOfWord[instructionWord.Word()];
        if (form >= kWordFormCount) __builtin_unreachable();
        RunForm(form, instructionWord, std::make_integer_sequence<int, kWordFormCount - 1>{});
        // The usual step ends without a failure, in RAM, and without anything that could have
        // filled the key buffer or stopped the run.
        if (Failed() || !Machine::IsRamAddress(pc) || machine_.attention_) [[unlikely]] {
            machine_.attention_ = false;
            if (!OnMachine(&Machine::CheckStepEnd) || machine_.stopFlag) break;
            if (toStop && std::exchange(machine_.stopAfterStep_, false)) break;
        }
    } while (steps < limit);
    return steps;
}

std::int64_t Machine::RunSteps(std::int64_t limit) {
    return Run(limit, false);
}

std::int64_t Machine::RunToStop(std::int64_t limit) {
    // With no stops set it is a plain run: the input entry points are served within it, as no
    // point can pause after them.
    return Run(limit, stops_.any);
}

std::int64_t Machine::Run(std::int64_t limit, bool toStop) {
    return toStop ? RunOn<true>(limit) : RunOn<false>(limit);
}

template <bool toStop>
std::int64_t Machine::RunOn(std::int64_t limit) {
    const Value start = pc;
    Processor processor(*this);
    const std::int64_t steps = processor.Run<toStop>(limit);
    processor.Save();
    // PC counts as written when it moved: a step that failed to fetch leaves it.
    if (pc != start) changedRegisters_ |= kChangedPC;
    return steps;
}

bool Machine::StopsBefore(Value address) const {
    const Value at = address & ~Value{1};
    return at == kBooleanEntry || at == kIntegerEntry || MayReadKey(PeekWord(at)) ||
           std::find(stops_.breakAddresses.begin(), stops_.breakAddresses.end(), address) !=
               stops_.breakAddresses.end();
}

void Machine::SetStops(const std::vector<Value>& breakAddresses,
                       const std::vector<Value>& watchedWords) {
    stops_ = {};
    stops_.any = !breakAddresses.empty() || !watchedWords.empty();
    stops_.breakAddresses = breakAddresses;
    for (const Value address : breakAddresses) {
        if (IsRamAddress(address) && (address & 1) == 0) stops_.breakAt[address >> 1] = true;
    }
    for (const Value address : watchedWords) {
        if (IsRamAddress(address)) stops_.watched[address >> 1] = true;
    }
}

}  // namespace q42
