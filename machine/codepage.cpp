#include "machine/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace q42 {
namespace {

// The Unicode characters of codes 80..FF; 98 is undefined. A table rather than the system's
// converter, so that every platform, the browser's among them, converts alike.
constexpr std::array<std::uint16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr std::uint32_t kUndefined = 0xFFFD;

std::uint32_t CodePoint(unsigned char code) {
    if (code < 0x80) return code;
    if (code >= 0xC0) return 0x0410 + (code - 0xC0);  // А..я in order
    return kUpperHalf[code - 0x80];
}

// The code of a character, or nothing (0) when the code page has none.
char CodeOf(std::uint32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
    if (cp == kUndefined) return 0;
    const auto* found = std::find(kUpperHalf.begin(), kUpperHalf.end(), cp);
    if (found == kUpperHalf.end()) return 0;
    return static_cast<char>(0x80 + (found - kUpperHalf.begin()));
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point of the valid UTF-8 sequence of `n` bytes at the start of `bytes`.
std::uint32_t Decode(std::string_view bytes, std::size_t n) {
    std::uint32_t cp = static_cast<unsigned char>(bytes[0]) & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(bytes[k]) & 0x3F);
    return cp;
}

}  // namespace

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::string Utf8ToCp1251(std::string_view utf8) {
    // A valid character the code page cannot hold is skipped whole, a broken sequence byte by byte.
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const std::size_t n = Utf8SequenceLength(lead);
        if (n > 1 && i + n <= utf8.size() && IsValidUtf8(utf8.substr(i, n))) {
            const char code = CodeOf(Decode(utf8.substr(i, n), n));
            out += code != 0 ? code : '?';
            i += n;
        } else {
            out += '?';
            ++i;
        }
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text)
        AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = Utf8SequenceLength(lead);
        if (n == 1 || lead > 0xF4 || i + n > bytes.size()) return false;
        std::uint32_t cp = lead & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        constexpr std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n;
    }
    return true;
}

}  // namespace q42
