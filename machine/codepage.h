#pragma once
// The machine, the assembler and the files work on 8-bit text in the Windows-1251 code page.
// These conversions are used only at the edges: terminal output, reading a UTF-8 file, and the
// system's own texts, which are written in the source as UTF-8.

#include <array>
#include <string>
#include <string_view>

namespace q42 {

// Converts UTF-8 to Windows-1251. A character the code page cannot hold, and a byte that is not
// part of a valid UTF-8 sequence, becomes "?".
std::string Utf8ToCp1251(std::string_view utf8);

// Converts Windows-1251 to UTF-8. The one code the code page leaves undefined (98 hex) becomes
// U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Converts a table of the system's own texts, written in the source as UTF-8, once.
template <std::size_t N>
std::array<std::string, N> Cp1251Table(const std::array<std::string_view, N>& utf8) {
    std::array<std::string, N> texts;
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = Utf8ToCp1251(utf8[i]);
    return texts;
}

}  // namespace q42
