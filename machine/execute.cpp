// Executing instructions: the run of steps, each step's fetch and checks, where a run to a stop
// ends, and the dispatch of an instruction word to its operation. The hot path of the whole
// program: the operations are inlined here, one copy for each form of word (machine/word_forms.h).

#include <algorithm>
#include <utility>

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/operations.h"
#include "machine/single_operand.h"
#include "machine/word_forms.h"

namespace q42 {

// Runs the word as its form: the word with the form's bits known, so that the compiler makes
// the form's choices here, once. The fold becomes one jump through a table of the forms.
template <int... kForms>
[[gnu::always_inline]] inline void Machine::RunForm(int form, InstructionWord word,
                                                    std::integer_sequence<int, kForms...>) {
    (void)((form == kForms && (Dispatch(WordOfForm<kForms>(word.Word())), true)) || ...);
}

template <class Word>
[[gnu::always_inline]] inline void Machine::Dispatch(Word word) {
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
            stopFlag = true;
            attention_ = true;
            return;
    }
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
    // A step that fails ends the run, so every step starts without a failure.
    runError = Fault::None;
    // Keys may have been typed, or the run stopped, since the last batch.
    attention_ = true;
    stopAfterStep_ = false;
    std::int64_t steps = 0;
    if (inputServed) [[unlikely]] {
        steps = 1;
        if (!FinishServedStep() || steps >= limit) return steps;
    }
    const std::uint8_t* const forms = FormTable().data();
    do {
        ++steps;
        InstructionWord word;
        // The common case, an even PC in RAM, is fetched at once.
        if ((pc & ~Value{0xFE}) == 0) {
            if (toStop && steps > 1 && StopsBeforeWord(pc >> 1)) [[unlikely]] return steps - 1;
            commandAddress = pc;
            word = InstructionWord(ram[pc >> 1]);
            instructionWord = word;
        } else {
            if (toStop && steps > 1 && StopsBefore(pc)) return steps - 1;
            stepOfBatch_ = steps;
            FetchInstruction();
            if (Failed()) [[unlikely]] {
                WriteRunErrorReport();
                break;
            }
            word = instructionWord;
        }
        pc += 2;
        changedRegisters_ |= kChangedPC;
        RunForm(forms[word.Word()], word, std::make_integer_sequence<int, kWordFormCount>{});
        // The usual step ends without a failure, in RAM, and without anything that could have
        // filled the key buffer or stopped the run.
        if (Failed() || !IsRamAddress(pc) || attention_) [[unlikely]] {
            attention_ = false;
            if (!CheckStepEnd() || stopFlag) break;
            if (toStop && std::exchange(stopAfterStep_, false)) break;
        }
    } while (steps < limit);
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
    Dispatch(instructionWord);
    // The input used the terminal: the key buffer and the stop flag are checked as after any use.
    return CheckStepEnd() && !stopFlag;
}

}  // namespace q42
