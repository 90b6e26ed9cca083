#pragma once
// The machine, the assembler and the files work on 8-bit text in the Windows-1251 code page.
// These conversions are used only at the edges: terminal output, reading a UTF-8 file, and the
// system's own texts, which are written in the source as UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace q42 {

// Converts UTF-8 to Windows-1251. A character the code page cannot hold, and a byte that is not
// part of a valid UTF-8 sequence, becomes "?".
std::string Utf8ToCp1251(std::string_view utf8);

// Converts Windows-1251 to UTF-8. The one code the code page leaves undefined (98 hex) becomes
// U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

// The length of the UTF-8 sequence that starts with this byte; 1 for a byte that cannot start
// one.
std::size_t Utf8SequenceLength(unsigned char lead);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace q42
