#pragma once
// The processor during a run of steps. It executes instruction words on the machine, holding PC,
// PS, the step's failure and its fetch in its own variables for as long as the run lasts, so that
// the compiler keeps them in the host's registers rather than in the machine's memory, where every
// step would store and load them again. R0..R3, SP, the last result, RAM, the ports and the
// terminal stay the machine's. Its registers go back to the machine when the run ends, and before
// anything out of line may look at them: the terminal's waits, the input routines and the
// run-error report (OnMachine).
//
// Only the machine's run of steps makes one (machine/execute.cpp); every member is inlined into
// it, so that the processor never leaves that function's variables.

#include <array>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "machine/machine.h"

namespace q42 {

class Processor {
  public:
    // The run of steps Machine::RunSteps and RunToStop describe, on a processor of its own: a
    // function apart for each kind of run, so that the compiler fits each loop to the host's
    // registers alone.
    template <bool toStop>
    [[gnu::hot, gnu::noinline]] static std::int64_t Run(Machine& machine, std::int64_t limit);

  private:
    [[gnu::always_inline]] explicit Processor(Machine& machine)
        : machine_(machine), r(machine.r), sp(machine.sp), lastResult(machine.lastResult) {
        Load();
    }
    // The registers given back to the machine.
    [[gnu::always_inline]] void Save() {
        machine_.pc = pc;
        machine_.ps = ps;
        machine_.runError = runError;
        machine_.commandAddress = commandAddress;
        machine_.instructionWord = instructionWord;
    }

    Machine& machine_;
    // The registers the steps use less, or only write, stay where the machine holds them.
    std::array<Value, 4>& r;
    Value& sp;
    Value& lastResult;
    // The ones nearly every step reads: the processor's own while the run lasts.
    Value pc = 0;
    Value ps = 0;
    Fault runError = Fault::None;
    // Where the step fetched, and what: kept for the faces and the run-error report.
    Value commandAddress = 0;
    InstructionWord instructionWord;

    [[gnu::always_inline]] void Load() {
        pc = machine_.pc;
        ps = machine_.ps;
        runError = machine_.runError;
        commandAddress = machine_.commandAddress;
        instructionWord = machine_.instructionWord;
    }
    // Calls out of line into the machine, which then holds the registers, and takes them back.
    // The call names a member of the machine, so that nothing out of line sees the processor.
    template <class Result, class... Parameters, class... Arguments>
    [[gnu::always_inline]] Result OnMachine(Result (Machine::*call)(Parameters...),
                                            Arguments... arguments) {
        Save();
        if constexpr (std::is_void_v<Result>) {
            (machine_.*call)(arguments...);
            Load();
        } else {
            const Result result = (machine_.*call)(arguments...);
            Load();
            return result;
        }
    }

    // The start of a run: no failure, and the key buffer and stop flag to be looked at.
    [[gnu::always_inline]] void Begin();
    // The step's fetch; false when the run ends before the step, which is not counted then.
    template <bool toStop>
    [[gnu::always_inline]] bool Fetch(std::int64_t& steps);
    // The checks after an unusual step; true when the run ends with it.
    template <bool toStop>
    [[gnu::always_inline]] bool StepEndsRun();
    // The step's fetch from anywhere but an even address in RAM; false when it failed and the
    // report is written. A step whose input was served (`served`) goes on at the return address.
    [[gnu::always_inline]] bool FetchElsewhere(bool served);

    [[gnu::always_inline]] bool Failed() const { return runError != Fault::None; }
    [[gnu::always_inline]] void Fail(Fault fault) { runError = fault; }
    [[gnu::always_inline]] Value ReadWord(Value address) {
        return machine_.ReadMemory(address, runError);
    }
    [[gnu::always_inline]] void WriteWord(Value address, Value value) {
        if (!Machine::IsRamAddress(address)) return Fail(Machine::WriteFaultAt(address));
        machine_.StoreInRam(address >> 1, value);
    }
    [[gnu::always_inline]] void SetRegister(int n, Value value) { machine_.SetRegister(n, value); }
    // The word at PC taken as the step's, PC being even and in RAM.
    [[gnu::always_inline]] void TakeWord(Value word) {
        commandAddress = pc;
        instructionWord = InstructionWord(word);
    }
    // The registers the faces show anew (ChangedRegister bits). The flags are marked once for
    // the whole run, as nearly every step sets them, and PC when the run has moved it.
    [[gnu::always_inline]] void Changed(std::uint32_t registers) {
        machine_.changedRegisters_ |= registers;
    }
    [[gnu::always_inline]] bool FlagN() const { return (ps & kFlagN) != 0; }
    [[gnu::always_inline]] bool FlagZ() const { return (ps & kFlagZ) != 0; }
    [[gnu::always_inline]] void UpdateFlags() { ps = FlagsOf(ps, lastResult); }

    // Whether the destination's extension word is still ahead of PC when the result is stored:
    // so for the operations that do not read their destination first (MOV, IN, POP and FRMSP).
    template <class Word>
    [[gnu::always_inline]] static bool StoreAdvances(Word word) {
        const OperationCode code = word.Operation();
        const SubOperation s = word.Sub();
        return code == kMov || code == kIn ||
               (code == kSingle && (s == SubOperation::Pop || s == SubOperation::FromSp));
    }

    // The operations and their operand access take the word being run: an InstructionWord, or
    // the same word with the bits of its form known (machine/word_forms.h).

    // Operand access.
    template <class Word>
    [[gnu::always_inline]] bool OperandFormsAgree(Word word);
    template <class Word>
    [[gnu::always_inline]] Value ReadOperand1(Word word);
    template <class Word>
    [[gnu::always_inline]] Value ReadOperand2(Word word);
    template <class Word>
    [[gnu::always_inline]] Value ReadOperand(Word word, int mode, int reg);
    template <class Word>
    [[gnu::always_inline]] Value ByteAdjust(Word word, Value address, Value value) const;
    template <class Word>
    [[gnu::always_inline]] Value SelectByte(Word word, Value address, Value value) const;
    template <class Word>
    [[gnu::always_inline]] void StoreResult(Word word);
    template <class Word>
    [[gnu::always_inline]] Value Merge(Word word, Value address, Value old) const;
    template <class Word>
    [[gnu::always_inline]] void UpdateResultFlags(Word word);
    template <class Word>
    [[gnu::always_inline]] void StoreResultAndFlags(Word word);

    // Operations.
    template <class Word>
    [[gnu::always_inline]] void Dispatch(Word word);
    template <class Word>
    [[gnu::always_inline]] void Move(Word word);
    template <class Word>
    [[gnu::always_inline]] void Arithmetic(Word word, int code);
    template <class Word>
    [[gnu::always_inline]] void CheckOverflowAndStore(Word word, Value result);
    template <class Word>
    [[gnu::always_inline]] void Compare(Word word);
    template <class Word>
    [[gnu::always_inline]] void Logic(Word word, int code);
    void In(InstructionWord word);
    void Out(InstructionWord word);
    template <class Word>
    [[gnu::always_inline]] void Jump(Word word);
    template <class Word>
    [[gnu::always_inline]] void Branch(Word word);
    template <class Word>
    [[gnu::always_inline]] void TakeJump(Word word, Value target);
    void Push(Value value);
    Value Pop();
    template <class Word>
    [[gnu::always_inline]] void SingleOperand(Word word);
    template <class Word>
    [[gnu::always_inline]] void StackOperation(Word word, SubOperation s);
    template <class Word>
    [[gnu::always_inline]] void RegisterForm(Word word, int n);
    template <class Word>
    [[gnu::always_inline]] void Shift(Word word, SubOperation s);
};

}  // namespace q42
