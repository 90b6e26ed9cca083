// What the faces, the loaders and a debugger do to the machine from outside a run: resets,
// saving and restoring, the user's edits and keys, and loading words.

#include "machine/machine.h"

namespace q42 {

void Machine::ResetMachine() {
    ram.fill(0);
    rom_.fill(0);
    romRoutines_.Clear();
    ports.fill(0);
    r.fill(0);
    pc = ps = 0;
    sp = kInitialSP;
    keyboardPolls = displayPolls = 0;
    keyBuffer.clear();
    inputServed = false;
    changedRegisters_ = ~0u;
    writtenR_.fill(true);
    changedRam_.fill(true);
}

void Machine::ResetForRun() {
    pc = 0;
    stopFlag = false;
    ps = 0;
    sp = kInitialSP;
    displayPolls = 0;
    keyboardPolls = 0;
    keyBuffer.clear();
    runError = Fault::None;
    inputServed = false;
    changedRegisters_ |= kChangedPC | kChangedSP | kChangedFlags;
}

bool Machine::PressKey(char key) {
    if (keyBuffer.size() >= kKeyBufferSize) return false;
    keyBuffer += key;
    return true;
}

char Machine::TakeKey() {
    if (keyBuffer.empty()) return 0;
    const char key = keyBuffer.front();
    keyBuffer.erase(0, 1);
    return key;
}

void Machine::Restore(const MachineState& state) {
    static_cast<MachineState&>(*this) = state;
    changedRegisters_ = ~0u;
    writtenR_.fill(true);
    changedRam_.fill(true);
}

void Machine::EditRegister(int n, Value value) {
    SetRegister(n, value);
}

void Machine::EditPc(Value value) {
    pc = value;
    inputServed = false;  // a step half done is given up: the next one fetches at the new PC
    changedRegisters_ |= kChangedPC;
}

void Machine::EditSp(Value value) {
    sp = value;
    changedRegisters_ |= kChangedSP;
}

Fault Machine::LoadWord(Value address, Value value) {
    if (IsRamAddress(address)) {
        ram[address >> 1] = value;
        changedRam_[address >> 1] = true;
        return Fault::None;
    }
    if (address >= kRomStart && address < kRomEnd) {
        rom_[(address - kRomStart) >> 1] = value;
        return Fault::None;
    }
    return WriteFaultAt(address);
}

}  // namespace q42
