// The decoding dialog on arbitrary memory: every address of RAM and ROM, even and odd, and a
// few outside, with "Дальше" and "Переход". Decoding reads memory only.
//
// Layout: RAM (256 bytes), ROM (1280 bytes), then 32-bit addresses to decode as well.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "session/decoder.h"

namespace q42::fuzz {
namespace {

void CheckShown(const Decoder& decoder, Value address) {
    const DecodedInstruction& s = decoder.Shown();
    // The instruction word and at most two operand words, each "HHHH / ".
    Require(decoder.DecodePointer() >= address + 2 && decoder.DecodePointer() <= address + 6);
    Require(s.address.size() == 4 && s.words.size() <= 4 + 2 * 7);
    Require(s.operand1.size() <= 40 && s.operand2.size() <= 40);
    Require(!s.canJump || s.targetShown);
}

// Decodes at `address`, then follows "Дальше" or, when it is enabled, "Переход".
void DecodeEverywhere(const Machine& machine, Decoder& decoder, Value address) {
    decoder.DecodeAt(machine, address);
    CheckShown(decoder, address);
    const Value next = decoder.DecodePointer();
    if (!decoder.Shown().canJump) {
        if ((address & 0x3F) != 0) return;
        // Past the end of memory "Дальше" does nothing: what is shown stays.
        const bool more = decoder.HasNext();
        decoder.Next(machine);
        return CheckShown(decoder, more ? next : address);
    }
    const Value target = HexToWord(decoder.Shown().operand1).value;
    decoder.Jump(machine);
    CheckShown(decoder, target);
}

}  // namespace
}  // namespace q42::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    ByteReader input(data, size);
    Machine machine;
    for (Value address = 0; address < kRamEnd; address += 2)
        machine.LoadWord(address, input.Word());
    for (Value address = kRomStart; address < kRomEnd; address += 2)
        machine.LoadWord(address, input.Word());
    const Machine before = machine;

    Decoder decoder;
    for (Value address = 0; address < kRamEnd; ++address)
        DecodeEverywhere(machine, decoder, address);
    for (Value address = kRomStart; address < kRomEnd; ++address)
        DecodeEverywhere(machine, decoder, address);
    for (const Value address : {Value{-2}, Value{-1}, kRamEnd, kRomStart - 1, kRomEnd,
                                Value{0xFFFE}, Value{0xFFFF}, Value{0x10000}})
        DecodeEverywhere(machine, decoder, address);
    while (!input.Empty())
        DecodeEverywhere(machine, decoder, input.Int32());
    Require(machine.State().ram == before.State().ram && machine.Rom() == before.Rom());
    return 0;
}
