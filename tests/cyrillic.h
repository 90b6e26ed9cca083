#pragma once
// Whether a UTF-8 text holds a Cyrillic letter: the English program must show none.

#include <string_view>

namespace q42 {

// U+0400..U+04FF are exactly the two-byte sequences that start with D0..D3.
inline bool HasCyrillic(std::string_view utf8) {
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xD0 && byte <= 0xD3) return true;
    }
    return false;
}

}  // namespace q42
