#pragma once
// The machine's error texts. The machine keeps the current error (its "run error") as a code; the
// text is built once, in the machine's 8-bit code page, when it is shown.

#include <cstdint>
#include <string>

#include "machine/language.h"

namespace q42 {

enum class Fault : std::uint8_t {
    None,
    // memory access
    BadMemoryAddress,
    RomWrite,
    // hexadecimal text, ROM image and code loading
    BadCharacter,
    BadLength,
    BadCodeLength,
    // instruction execution
    BadAddressingMode,
    Operand2Constant,
    ByteWithWord,
    WordWithByte,
    Overflow,
    ByteOverflow,
    DivisionByZero,
    NonexistentOperation,
    InvalidOperation,
    BytePush,
    BytePop,
    ByteAddressing,
    // step driver
    BadCommandAddress,
    BadNextCommandAddress,
    KeyBufferOverflow,
};

// The text of a fault in the current text language, 8-bit; empty for Fault::None.
const std::string& FaultText(Fault fault);
// The same in the language asked for.
const std::string& FaultText(Fault fault, Language language);

}  // namespace q42
