#include "machine/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace q42 {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Input given to iconv at a time. On a character it cannot convert, glibc's iconv first redoes
// work in proportion to the input it was given, so a text full of such characters took
// milliseconds per kilobyte; in small pieces each costs little more than a good one.
constexpr std::size_t kPiece = 64;

// Runs iconv over the whole input, a piece at a time. On a character it cannot convert, appends
// `substitute` and skips `skip(rest of the input)` bytes, so the conversion never stops early.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view substitute, Skip skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd ==
        reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr): iconv failure value
        throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    }
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t piece = std::min(srcLeft, kPiece);
        std::size_t pieceLeft = piece;
        std::size_t rc = iconv(cd, &src, &pieceLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        srcLeft -= piece - pieceLeft;
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // A sequence cut by the end of the piece is whole in the next one.
        if (errno == EINVAL && srcLeft > pieceLeft) continue;
        // EILSEQ or EINVAL: an unconvertible or incomplete sequence.
        std::size_t n = std::max<std::size_t>(1, std::min(skip({src, srcLeft}), srcLeft));
        out.append(substitute);
        src += n;
        srcLeft -= n;
    }
    iconv_close(cd);
    return out;
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
    return Convert("CP1251", "UTF-8", utf8, "?", [](std::string_view rest) {
        std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(rest[0]));
        return n <= rest.size() && IsValidUtf8(rest.substr(0, n)) ? n : std::size_t{1};
    });
}

std::string Cp1251ToUtf8(std::string_view text) {
    return Convert("UTF-8", "CP1251", text, kReplacementUtf8,
                   [](std::string_view) { return std::size_t{1}; });
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
