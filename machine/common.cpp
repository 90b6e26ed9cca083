#include "machine/common.h"

#include <cstdint>

namespace q42 {
namespace {

char RaiseHexLetter(char c) {
    return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
}

int HexDigitValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

}  // namespace

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::string WordToHex(Value value) {
    auto bits = value < 0 ? static_cast<std::uint64_t>(static_cast<std::uint32_t>(value))
                          : static_cast<std::uint64_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), HexDigit(static_cast<int>(bits & 0xF)));
        bits >>= 4;
    } while (bits != 0);
    return PadHex4(std::move(text)).substr(0, 4);
}

std::string PadHex4(std::string text) {
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

HexWord HexToWord(std::string_view text) {
    HexWord result;
    for (char c : PadHex4(std::string(text.substr(0, 4)))) {
        c = RaiseHexLetter(c);
        if (IsHexDigit(c)) {
            result.value = result.value * 16 + HexDigitValue(c);
        } else {
            result.error = Fault::BadCharacter;
        }
    }
    return result;
}

bool CheckHexEdit(std::string& field) {
    if (field.empty() || field.size() > 4) return true;
    field = PadHex4(field);
    bool bad = false;
    for (char& c : field) {
        c = RaiseHexLetter(c);
        bad = bad || !IsHexDigit(c);
    }
    return bad;
}

}  // namespace q42
