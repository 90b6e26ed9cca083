// Memory access outside RAM: the ROM and the failures.

#include "machine/machine.h"

namespace q42 {

Value Machine::ReadOutsideRam(Value address) {
    if (address >= kRomStart && address < kRomEnd) return rom_[(address - kRomStart) >> 1];
    Fail(Fault::BadMemoryAddress);
    return 0;
}

void Machine::WriteOutsideRam(Value address) {
    Fail(WriteFaultAt(address));
}

Fault Machine::WriteFaultAt(Value address) {
    // Anything from the ROM upwards, inside it or beyond, counts as an attempt to write ROM.
    return address >= kRomStart ? Fault::RomWrite : Fault::BadMemoryAddress;
}

}  // namespace q42
