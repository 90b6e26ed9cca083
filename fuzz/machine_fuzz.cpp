// The machine alone, from an arbitrary state: RAM, registers (SP as a 32-bit value, so also far
// outside 0..FFFF), flags, ports, poll counters and key buffer come from the input, and the
// machine steps from there as the single-step command does until it halts, fails or has taken
// its steps. What is left of the input is what the user types.
//
// Layout: a flags byte (bit 0: the ROM's program part from the input instead of the shipped
// image), RAM (256 bytes), R0..R3, PC, SP (4 bytes), PS, the last result, 16 ports, the two poll
// counters (a byte each), the key buffer (a length byte, then the keys), the ROM's program part
// when chosen (384 bytes), then the typed input.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    ByteReader input(data, size);
    test::Rig rig;
    Machine& m = rig.machine;
    const std::uint8_t flags = input.Byte();
    MachineState start;
    for (Value& word : start.ram)
        word = input.Word();
    for (Value& reg : start.r)
        reg = input.Word();
    start.pc = input.Word();
    start.sp = input.Int32();
    start.ps = input.Word();
    start.lastResult = input.Word();
    for (Value& port : start.ports)
        port = input.Word();
    start.keyboardPolls = input.Byte();
    start.displayPolls = input.Byte();
    start.keyBuffer = input.Take(input.Byte() % (kKeyBufferSize + 1));
    m.Restore(start);
    LoadRom(m, ShippedRom());
    if ((flags & 1) != 0) {
        for (Value address = kRomStart; address < kRomCodeEnd; address += 2)
            m.LoadWord(address, input.Word());
    }
    FeedFromBytes(rig, input);

    const Rom rom = m.Rom();
    for (int step = 0; step < 4000; ++step) {
        rig.run.NextCommand();
        CheckStep(m, rig.display, rom);
        if (m.State().stopFlag || m.Failed()) break;
    }
    return 0;
}
