#pragma once
// Hexadecimal conversions used by every window to show and read 16-bit values: a value is shown
// as four upper-case hex digits; a typed value is up to four hex digits, a..f accepted, padded on
// the left with 0.

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/faults.h"

namespace q42 {

// A machine value: a word 0000..FFFF, except the stack pointer, which ADDSP and SUBSP may drive
// out of that range; it is kept exactly.
using Value = std::int64_t;

// True for 0..9 and A..F (upper case only).
bool IsHexDigit(char c);

// The upper-case hex digit of a value's low four bits.
constexpr char HexDigit(int value) {
    return "0123456789ABCDEF"[value & 0xF];
}

// Upper-case hex text with at least four digits, cut to its first four: FF -> 00FF,
// 100FE -> 100F; a negative value shows the first four digits of its 32-bit two's complement.
std::string WordToHex(Value value);

// Prefixes "0" until the text has four characters; a longer text is left as it is.
std::string PadHex4(std::string text);

struct HexWord {
    Value value = 0;
    Fault error = Fault::None;  // BadCharacter when one of the four characters is not a hex digit
};

// Reads the first four characters of `text` (padded on the left with 0) as a hex word. A bad
// character sets the error and is skipped, so "12G4" gives 0124.
HexWord HexToWord(std::string_view text);

// Checks an edited hex field, true meaning bad. An empty text or one longer than four characters
// is bad and left as it is; otherwise the text is padded, a..f raised to A..F and written back,
// and it is bad when any of its characters is not a hex digit.
bool CheckHexEdit(std::string& field);

}  // namespace q42
