#pragma once
// What the fuzz targets share: the rule that stops the fuzzer on a broken invariant, a reader of
// the input's bytes, the invariants every machine step keeps, a console fed from the input, and
// the ROM as the shipped image fills it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "machine/machine.h"
#include "tests/rig.h"

namespace q42::fuzz {

// Stops the process (the fuzzer keeps the input that got here) when `holds` is false.
inline void Require(bool holds) {
    if (!holds) __builtin_trap();
}

// The input's bytes, front to back. Reading past the end gives zeros and empty texts.
class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : bytes_(reinterpret_cast<const char*>(data), size) {}
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool Empty() const { return bytes_.empty(); }
    std::uint8_t Peek() const;
    std::uint8_t Byte();
    // A little-endian word.
    Value Word();
    // A little-endian signed 32-bit value.
    Value Int32();
    // The bytes up to the next LF (which is dropped), or all that is left.
    std::string Line();
    std::string_view Take(std::size_t count);
    std::string_view Rest() { return Take(bytes_.size()); }

  private:
    std::string_view bytes_;
};

using Rom = std::array<Value, kRomWords>;

// The ROM loaded from the image shipped with the program, and the image's path.
const Rom& ShippedRom();
// Puts `rom` into the machine's ROM, word by word as a loader does.
void LoadRom(Machine& machine, const Rom& rom);
const char* RomImagePath();

// Checks what must hold after every step: ROM equal to `rom` (nothing an instruction does may
// write it), RAM, registers and ports within 0..FFFF (SP excepted), an error text that fits its
// 63 characters, a key buffer of at most 9 keys and a screen of at most ten lines.
void CheckStep(const Machine& machine, const Display& display, const Rom& rom);

// Feeds the rig's line inputs and key waits from `input`: a line input takes the bytes up to the
// next LF, a key wait the next byte (LF standing for Enter). Before that, each of the bytes below
// is a command the user gives during the wait. When the bytes run out, input ends. Every wait
// also checks the screen. `input` must outlive the rig's runs.
constexpr std::uint8_t kStopClick = 0x1B;
constexpr std::uint8_t kStepClick = 0x1C;
constexpr std::uint8_t kRunClick = 0x1D;
void FeedFromBytes(test::Rig& rig, ByteReader& input);

// Runs the rig's program from 0000 as the run command does, checking every step, and stops it
// after `limit` steps.
void RunChecked(test::Rig& rig, int limit);

}  // namespace q42::fuzz
