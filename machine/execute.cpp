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

// Each form's code has a label, and a step jumps through the table of their addresses to its
// word's form. The code of every form ends with the next step's fetch and its own jump, so that
// the host predicts each jump from the form before it; a build the sanitizers check goes back
// to one jump, which its compiler handles in a fraction of the time. The labels are numbered by
// the macros below, which name every number below 250; the forms a build has not are never
// jumped to.
// clang-format off
#define Q42_TEN_FORMS(X, tens) \
    X(tens##0) X(tens##1) X(tens##2) X(tens##3) X(tens##4) \
    X(tens##5) X(tens##6) X(tens##7) X(tens##8) X(tens##9)
#define Q42_EACH_FORM(X) \
    X(0) X(1) X(2) X(3) X(4) X(5) X(6) X(7) X(8) X(9) \
    Q42_TEN_FORMS(X, 1) Q42_TEN_FORMS(X, 2) Q42_TEN_FORMS(X, 3) Q42_TEN_FORMS(X, 4) \
    Q42_TEN_FORMS(X, 5) Q42_TEN_FORMS(X, 6) Q42_TEN_FORMS(X, 7) Q42_TEN_FORMS(X, 8) \
    Q42_TEN_FORMS(X, 9) Q42_TEN_FORMS(X, 10) Q42_TEN_FORMS(X, 11) Q42_TEN_FORMS(X, 12) \
    Q42_TEN_FORMS(X, 13) Q42_TEN_FORMS(X, 14) Q42_TEN_FORMS(X, 15) Q42_TEN_FORMS(X, 16) \
    Q42_TEN_FORMS(X, 17) Q42_TEN_FORMS(X, 18) Q42_TEN_FORMS(X, 19) Q42_TEN_FORMS(X, 20) \
    Q42_TEN_FORMS(X, 21) Q42_TEN_FORMS(X, 22) Q42_TEN_FORMS(X, 23) Q42_TEN_FORMS(X, 24)
// clang-format on
static_assert(kWordFormCount <= 250);
#ifdef Q42_CHECKED_BUILD
constexpr bool kEachFormFetches = false;
#else
constexpr bool kEachFormFetches = true;
#endif

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

[[gnu::always_inline]] inline void Processor::Begin() {
    // A step that fails ends the run, so every step starts without a failure.
    runError = Fault::None;
    // Keys may have been typed, or the run stopped, since the last batch.
    machine_.attention_ = true;
    machine_.stopAfterStep_ = false;
    Changed(kChangedFlags);
}

template <bool toStop>
[[gnu::always_inline]] inline bool Processor::Fetch(std::int64_t& steps) {
    // The common case, an even PC in RAM, is fetched at once.
    if ((pc & ~Value{0xFE}) == 0) [[likely]] {
        const Value word = machine_.ram[pc >> 1];
        if (toStop && steps > 1 && machine_.StopsBeforeWord(pc >> 1, kFormOfWord[word & 0xFFFF]))
            [[unlikely]] {
            --steps;
            return false;
        }
        TakeWord(word);
        return true;
    }
    if (toStop && steps > 1 && machine_.StopsBefore(pc)) {
        --steps;
        return false;
    }
    machine_.stepOfBatch_ = steps;
    return FetchElsewhere(false);
}

template <bool toStop>
[[gnu::always_inline]] inline bool Processor::StepEndsRun() {
    if (Failed() || !Machine::IsRamAddress(pc) || machine_.attention_) {
        machine_.attention_ = false;
        if (!OnMachine(&Machine::CheckStepEnd) || machine_.stopFlag) return true;
        if (toStop && std::exchange(machine_.stopAfterStep_, false)) return true;
    }
    return false;
}

// Its statements are the forms' code, one expansion of the same few lines for each form.
template <bool toStop>
// NOLINTNEXTLINE(readability-function-size)
std::int64_t Processor::Run(Machine& machine, std::int64_t limit) {
#define Q42_FORM_ADDRESS(n) &&form##n,
    static const void* const kFormCode[] = {Q42_EACH_FORM(Q42_FORM_ADDRESS)};
#undef Q42_FORM_ADDRESS
    Processor p(machine);
    const Value start = p.pc;
    p.Begin();
    std::int64_t steps = 0;
    // A step whose input was served goes on with the instruction at the return address.
    if (std::exchange(machine.inputServed, false)) {
        steps = 1;
        if (!p.FetchElsewhere(true)) goto end;
        goto execute;
    }
next:
    ++steps;
    if (!p.Fetch<toStop>(steps)) goto end;
execute:
    p.runError = Fault::None;  // as it was: said here, so that the compiler knows it
    p.pc += 2;
    goto* kFormCode[kFormOfWord[p.instructionWord.Word()]];

    // A form's step, and the step after it: the usual step ends without a failure, in RAM, and
    // without anything that could have filled the key buffer or stopped the run; the next one,
    // at an even address in RAM and not at a stop, is fetched and jumped to at once.
#define Q42_FORM_CODE(n)                                                                           \
    form##n : if constexpr ((n) < kWordFormCount) {                                                \
        p.Dispatch(WordOfForm<(n)>(p.instructionWord.Word()));                                     \
        if (!kEachFormFetches || p.Failed() || (p.pc & ~Value{0xFE}) != 0 || machine.attention_ || \
            steps >= limit) [[unlikely]] {                                                         \
            goto stepEnd;                                                                          \
        }                                                                                          \
        const Value next = machine.ram[p.pc >> 1];                                                 \
        const int nextForm = kFormOfWord[next & 0xFFFF];                                           \
        if (toStop && machine.StopsBeforeWord(p.pc >> 1, nextForm)) [[unlikely]]                   \
            goto end;                                                                              \
        ++steps;                                                                                   \
        p.TakeWord(next);                                                                          \
        p.pc += 2;                                                                                 \
        goto* kFormCode[nextForm];                                                                 \
    }
    Q42_EACH_FORM(Q42_FORM_CODE)
#undef Q42_FORM_CODE

stepEnd:
    if (!p.StepEndsRun<toStop>() && steps < limit) goto next;
end:
    p.Save();
    // PC counts as written when it moved: a step that failed to fetch leaves it.
    if (p.pc != start) p.Changed(kChangedPC);
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
    return toStop ? Processor::Run<true>(*this, limit) : Processor::Run<false>(*this, limit);
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
