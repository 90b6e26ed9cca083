// Memory access and flags.

#include "machine/machine.h"

namespace q42 {

Value Machine::ReadWord(Value address) {
    if (address >= 0 && address < kRamEnd) return ram[address >> 1];
    if (address >= kRomStart && address < kRomEnd) return rom[(address - kRomStart) >> 1];
    Fail(Fault::BadMemoryAddress);
    return 0;
}

void Machine::WriteWord(Value address, Value value) {
    if (address >= 0 && address < kRamEnd) {
        ram[address >> 1] = value;
        ramToShow.set(address >> 1);
    } else {
        // Anything from the ROM upwards, inside it or beyond, counts as an attempt to write ROM.
        Fail(address >= kRomStart ? Fault::RomWrite : Fault::BadMemoryAddress);
    }
}

void Machine::UpdateFlags() {
    ps = (lastResult & 0x8000) != 0 ? ps | kFlagN : ps & kClearN;
    ps = lastResult == 0 ? ps | kFlagZ : ps & kClearZ;
    fieldsToShow |= kShowFlags;
}

}  // namespace q42
