#pragma once
// The preprocessor: assembler text -> intermediate text. Line by line it removes comments,
// expands DS strings, normalises blanks, replaces the first character literal #'c' by its code,
// upper-cases a..z, splits label and constant definitions onto lines of their own and expands RW
// reservations, recording for every intermediate line the source line it came from. It stops
// after the first line with an error; that line's intermediate lines are still written.

#include <cstdint>
#include <optional>
#include <string_view>

#include "assembler/assembly.h"

namespace q42 {

// Most words that RW and DS may reserve in one program together: the whole 64 KB address space.
// A larger reservation or string is rejected with "Too large const" instead of filling memory
// with lines.
constexpr std::int64_t kMaxReservedWords = 0x8000;

struct ParsedNumber {
    std::int64_t value = 0;  // 0 when bad; saturates far above any 16-bit value
    bool bad = false;
};

// A number as RW counts are written: digits 0-9 and A-F (upper case) before a final "H" read in
// base 16, otherwise decimal digits. "H" alone is 0 without error; any other character is bad.
ParsedNumber ParseNumber(std::string_view text);

// The intermediate text of an assembler text, and the error that stopped it if one did.
struct Preprocessed {
    IntermediateText text;
    std::optional<AsmFailure> failure;
};

Preprocessed Preprocess(const TextLines& source);

}  // namespace q42
