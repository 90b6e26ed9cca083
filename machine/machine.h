#pragma once
// The Q42 machine: registers, flags, RAM and ROM, ports and keyboard buffer, and the execution of
// one instruction word. One object holds one machine; the program uses one, tests as many as they
// like.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "machine/common.h"
#include "machine/faults.h"
#include "machine/instruction_word.h"
#include "machine/rom_routines.h"
#include "machine/terminal.h"

namespace q42 {

// Memory map (byte addresses). A word occupies an even address and the odd one after it.
constexpr int kRamWords = 128;
constexpr int kRomWords = 640;
constexpr Value kRamEnd = 0x0100;      // RAM is 0000..00FF
constexpr Value kRomStart = 0x4000;    // ROM is 4000..44FF
constexpr Value kRomCodeEnd = 0x4180;  // instructions may be fetched from 4000..417F
constexpr Value kRomEnd = 0x4500;
constexpr Value kBooleanEntry = 0x4180;  // input entry point: R1 := a Boolean read from the user
constexpr Value kIntegerEntry = 0x4182;  // input entry point: R1 := an integer read from the user
constexpr Value kInitialSP = 0x0100;
constexpr int kPortCount = 16;
constexpr std::size_t kKeyBufferSize = 9;

// Flags are bits of PS. Clearing a flag ANDs PS with a 12-bit mask, so it also clears bits 12..15.
constexpr Value kFlagN = 0x0001;
constexpr Value kFlagZ = 0x0002;
constexpr Value kClearN = 0x0FFE;
constexpr Value kClearZ = 0x0FFD;

// PS with N set from bit 15 of `result` and Z from `result` being 0. N and Z are never set
// together, so at least one of them is cleared, and with it bits 12..15: the same as setting or
// clearing each in turn.
[[gnu::always_inline]] inline Value FlagsOf(Value ps, Value result) {
    const Value n = (result & 0x8000) != 0 ? kFlagN : 0;
    const Value z = result == 0 ? kFlagZ : 0;
    return (ps & kClearN & kClearZ) | n | z;
}

// The registers the machine has written since they were last taken: the processor's fields a
// face shows anew.
enum ChangedRegister : std::uint32_t {
    kChangedR0 = 1u << 0,  // kChangedR0 << n for register n
    kChangedPC = 1u << 4,
    kChangedSP = 1u << 5,
    kChangedFlags = 1u << 6,  // N, Z and PS
};

// Everything a program can change, and a debugger may save and put back: the registers, RAM, the
// ports, the keyboard and the state of the run. The ROM, fixed once loaded, is not part of it.
struct MachineState {
    // Registers. Values are words 0..FFFF; SP alone may leave that range.
    std::array<Value, 4> r{};
    Value pc = 0;
    Value sp = kInitialSP;
    Value ps = 0;

    std::array<Value, kRamWords> ram{};

    std::array<Value, kPortCount> ports{};
    int keyboardPolls = 0;
    int displayPolls = 0;
    std::string keyBuffer;  // keys typed and not yet read, oldest first, 8-bit characters

    Value lastResult = 0;  // result of the last operation that produced one; N and Z derive from it
    bool stopFlag = false;
    Value commandAddress = 0;  // where the current step fetched from
    Fault runError = Fault::None;
    // The step in progress has served its input entry point and returned, and its instruction at
    // the return address has not run yet: a debugger paused between the two.
    bool inputServed = false;

    bool operator==(const MachineState&) const = default;
};

class Machine : private MachineState {
  public:
    // What the machine holds, for the faces to show and for a debugger to save.
    const MachineState& State() const { return *this; }
    // Puts the machine back into a saved state; every register and RAM cell counts as changed.
    void Restore(const MachineState& state);
    const std::array<Value, kRomWords>& Rom() const { return rom_; }
    // The routines the ROM image names; the loader gives them with the ROM's words.
    const RomRoutines& Routines() const { return romRoutines_; }
    void NameRoutines(RomRoutines routines) { romRoutines_ = std::move(routines); }
    // The word the last step fetched.
    InstructionWord FetchedWord() const { return instructionWord; }

    // The screen and keyboard; null means no display is attached (output is dropped, input is 0).
    void AttachTerminal(Terminal* terminal) { terminal_ = terminal; }

    // The registers the machine wrote since the last call (ChangedRegister bits).
    std::uint32_t TakeChangedRegisters() {
        std::uint32_t changed = std::exchange(changedRegisters_, 0);
        for (int n = 0; n < 4; ++n) {
            if (std::exchange(writtenR_[n], false)) changed |= kChangedR0 << n;
        }
        return changed;
    }
    // The RAM cells written since the last call.
    std::array<bool, kRamWords> TakeChangedRam() { return std::exchange(changedRam_, {}); }

    // Register edits made by the user, n 0..3 for R0..R3; the register counts as changed.
    void EditRegister(int n, Value value);
    void EditPc(Value value);
    void EditSp(Value value);

    // Puts a word into RAM or ROM as a loader does; an address outside both stores nothing and
    // gives the fault a write there would.
    Fault LoadWord(Value address, Value value);
    // A loader's fault, held as the run error: a run does not start while it is held, and the
    // next step clears it.
    void HoldFault(Fault fault) { runError = fault; }

    // Memory access as the program does it. Failures set the run error only; a failed read gives
    // 0, a failed write stores nothing.
    [[gnu::always_inline]] Value ReadWord(Value address) { return ReadMemory(address, runError); }
    [[gnu::always_inline]] void WriteWord(Value address, Value value) {
        if (!IsRamAddress(address)) return Fail(WriteFaultAt(address));
        StoreInRam(address >> 1, value);
    }
    // Reads a word for display only: 0 outside RAM and ROM, and no error is set.
    Value PeekWord(Value address) const {
        if (address >= 0 && address < kRamEnd) return ram[address >> 1];
        if (address >= kRomStart && address < kRomEnd) return rom_[(address - kRomStart) >> 1];
        return 0;
    }
    [[gnu::always_inline]] static bool IsRamAddress(Value address) {
        return static_cast<std::uint64_t>(address) < kRamEnd;
    }
    [[gnu::always_inline]] static bool IsCodeAddress(Value address) {
        return IsRamAddress(address) || (address >= kRomStart && address < kRomCodeEnd);
    }

    [[gnu::always_inline]] bool FlagN() const { return (ps & kFlagN) != 0; }
    [[gnu::always_inline]] bool FlagZ() const { return (ps & kFlagZ) != 0; }
    // Sets N from bit 15 of lastResult and Z from lastResult being 0.
    [[gnu::always_inline]] void UpdateFlags() {
        ps = FlagsOf(ps, lastResult);
        changedRegisters_ |= kChangedFlags;
    }

    // Executes one instruction at PC with its checks; a failure leaves runError set and its report
    // written on the screen.
    void ExecuteStep() { RunSteps(1); }
    // Executes steps until `limit` of them are done (at least one), HLT or the user sets stopFlag,
    // or a step fails; returns the steps taken. A run calls it in batches, between which the
    // interface handles its events. A step whose input was served already goes on with its
    // instruction.
    std::int64_t RunSteps(std::int64_t limit);
    // Where a run to a stop ends: before a step at one of `breakAddresses` (any address), and
    // after a step that wrote one of the RAM words at `watchedWords`. Plain runs of steps ignore
    // them.
    void SetStops(const std::vector<Value>& breakAddresses, const std::vector<Value>& watchedWords);
    // RunSteps for a debugger: it ends as RunSteps does and, while stops are set, also before
    // any step but its first at a stop, at an input entry point or at an IN from the keyboard,
    // and after a step that wrote a watched word or read a key from the terminal (whose wait
    // may have asked for a pause).
    std::int64_t RunToStop(std::int64_t limit);

    // The next step begins at an input entry point (PC, made even, is 4180 or 4182) and has not
    // served it yet.
    bool AtInputEntry() const {
        const Value at = pc & ~Value{1};
        return !inputServed && (at == kBooleanEntry || at == kIntegerEntry);
    }
    // The first part of a step at an input entry point: the input is read into R1 and the
    // routine returns, as the step would do; the instruction at the return address is left for
    // the rest of the step (the next RunSteps), so that a debugger can pause before it.
    void ServeInputEntry();
    // During the input of an entry point: which step of the current batch serves it (1 the
    // first), so that a history can tell the step it belongs to.
    std::int64_t StepOfBatch() const { return stepOfBatch_; }

    // Zeroes memory, ports, registers and counters, forgets the ROM's routine names, empties the
    // key buffer and puts SP at 0100.
    void ResetMachine();
    // What a run starts from: PC, PS, the stop flag, the error, both status counts and the key
    // buffer cleared, SP at 0100; R0..R3, memory, the ports and the last result stay.
    void ResetForRun();
    // A key typed for the program; false when the key buffer is full and the key is lost.
    bool PressKey(char key);
    // The oldest key typed and not yet read, taken out of the buffer; 0 when there is none.
    char TakeKey();
    // The user's stop: the run ends after the step it is in.
    void RequestStop() { stopFlag = true; }
    // Single steps taken after a run ended: the halt or stop of that run is over.
    void ClearStop() { stopFlag = false; }

    const std::string& RunErrorText() const { return FaultText(runError); }
    [[gnu::always_inline]] bool Failed() const { return runError != Fault::None; }

  private:
    // The processor of a run holds PC, SP, PS and the last result while the run lasts, and
    // reaches the rest of the machine directly.
    friend class Processor;

    std::array<Value, kRomWords> rom_{};
    RomRoutines romRoutines_;
    Terminal* terminal_ = nullptr;
    // What the machine changed since the faces last took it: registers and RAM cells.
    std::uint32_t changedRegisters_ = 0;        // PC, SP and the flags
    std::array<bool, 4> writtenR_{};            // R0..R3: a plain store on the hot path
    std::array<bool, kRamWords> changedRam_{};  // a plain store on the hot path
    // The word the last step fetched.
    InstructionWord instructionWord;
    std::int64_t stepOfBatch_ = 1;  // set on the slow fetch path only
    // The stops of RunToStop, and a step that calls for one after it.
    struct Stops {
        std::array<bool, kRamWords> breakAt{};  // the even RAM addresses among the breaks
        std::vector<Value> breakAddresses;
        std::array<bool, kRamWords> watched{};
        bool any = false;
    };
    Stops stops_;
    bool stopAfterStep_ = false;

    std::int64_t Run(std::int64_t limit, bool toStop);
    // Whether a run to a stop ends before the step at `address`, or at the even RAM address
    // of word `index`. A step that may read a key is one: its wait lets a debugger's user look
    // at the history, which must hold every step before it.
    bool StopsBefore(Value address) const;
    // The word's form is at hand: a word that may read a key is of the general form 0.
    [[gnu::always_inline]] bool StopsBeforeWord(Value index, int form) const {
        return stops_.breakAt[index] || (form == 0 && MayReadKey(ram[index]));
    }
    // IN from the keyboard's data port, which reads a key from the terminal when none is typed.
    [[gnu::always_inline]] static bool MayReadKey(Value word) {
        const InstructionWord w(word);
        return w.Operation() == kIn && w.InPort() == 1;
    }
    // The slower parts of a step, out of line: the input entry points served at a fetch, and
    // the checks after an unusual step (a failure, PC outside RAM, a full key buffer), which
    // write the run-error report; false when the step failed.
    [[gnu::cold]] void ServeEntryPoints();
    [[gnu::cold]] bool CheckStepEnd();
    // Set by HLT and by every use of the terminal: its waits let the user type keys or stop the
    // run, and nothing else changes the key buffer or the stop flag during a batch. The step
    // after it checks them.
    bool attention_ = false;
    Terminal* UseTerminal() {
        attention_ = true;
        return terminal_;
    }
    [[gnu::always_inline]] void Fail(Fault fault) { runError = fault; }
    // The word at `address` in RAM or ROM; anywhere else reads 0 and sets `fault`.
    [[gnu::always_inline]] Value ReadMemory(Value address, Fault& fault) const {
        if (IsRamAddress(address)) return ram[address >> 1];
        if (address >= kRomStart && address < kRomEnd) [[likely]] {
            return rom_[(address - kRomStart) >> 1];
        }
        fault = Fault::BadMemoryAddress;
        return 0;
    }
    // A program's write of RAM word `index`, seen by the faces and by the watchpoints.
    [[gnu::always_inline]] void StoreInRam(Value index, Value value) {
        ram[index] = value;
        changedRam_[index] = true;
        if (stops_.watched[index]) [[unlikely]] {
            stopAfterStep_ = true;
            attention_ = true;
        }
    }
    // The fault of writing a word at an address outside RAM: anything from the ROM upwards,
    // inside it or beyond, counts as an attempt to write ROM.
    static constexpr Fault WriteFaultAt(Value address) {
        return address >= kRomStart ? Fault::RomWrite : Fault::BadMemoryAddress;
    }
    [[gnu::always_inline]] void SetRegister(int n, Value value) {
        r[n] = value;
        writtenR_[n] = true;
    }

    // The ports as IN reads them and OUT writes them, with the devices' status counts and the
    // terminal behind the keyboard and display data ports.
    Value ReadPort(int port);
    void WritePort(int port, Value value);
    void RunInputRoutine(Value entry);
    [[gnu::cold]] void WriteRunErrorReport();
};

// Byte access by address parity: the low byte at an even address, the high byte at an odd one.
[[gnu::always_inline]] inline Value MergeByte(Value address, Value old, Value value) {
    return (address & 1) == 0 ? (old & 0xFF00) | (value & 0xFF)
                              : (old & 0x00FF) | ((value & 0xFF) << 8);
}

// The signed view of a word: a value with bit 15 set stands for value - 10000 hex.
[[gnu::always_inline]] inline Value SignExtend(Value word) {
    return (word ^ 0x8000) - 0x8000;
}

}  // namespace q42
