#include "exercise/toml_text.h"

#include "machine/codepage.h"

namespace q42 {
namespace {

constexpr unsigned kPrivateUse = 0xE000;

void AppendPrivateUse(std::string& out, unsigned char byte) {
    const unsigned c = kPrivateUse + byte;
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

// Where the scan is: plain TOML, a comment, or one of the four kinds of string.
enum class Place { Plain, Comment, Basic, Literal, MultiBasic, MultiLiteral };

bool StartsWith(std::string_view text, std::size_t at, std::string_view start) {
    return text.substr(at, start.size()) == start;
}

// The length of the run of `quote` characters at `at`.
std::size_t QuoteRun(std::string_view text, std::size_t at, char quote) {
    std::size_t n = 0;
    while (at + n < text.size() && text[at + n] == quote)
        ++n;
    return n;
}

}  // namespace

ParserText ToParserText(std::string_view text) {
    ParserText result;
    Place place = Place::Plain;
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            if (place == Place::Plain) {
                if (result.badLine == 0) result.badLine = line;
                result.utf8 += '?';
            } else {
                AppendPrivateUse(result.utf8, byte);
            }
            continue;
        }
        result.utf8 += c;
        if (c == '\n') {
            ++line;
            // A comment and a one-line string end with the line.
            if (place == Place::Comment || place == Place::Basic || place == Place::Literal)
                place = Place::Plain;
            continue;
        }
        // At a quote inside a string of that quote: true when it ends the string. A multi-line
        // string's closing quotes are copied with up to two quotes of the string before them.
        const auto ends = [&](char quote, bool multi) {
            if (c != quote) return false;
            if (!multi) return true;
            const std::size_t run = QuoteRun(text, i, quote);
            if (run < 3) return false;
            result.utf8 += text.substr(i + 1, run - 1);
            i += run - 1;
            return true;
        };
        switch (place) {
            case Place::Plain:
                if (c == '#') place = Place::Comment;
                if (c == '"' || c == '\'') {
                    const bool multi = StartsWith(text, i, c == '"' ? "\"\"\"" : "'''");
                    if (multi) {
                        result.utf8 += text.substr(i + 1, 2);
                        i += 2;
                    }
                    place = c == '"' ? (multi ? Place::MultiBasic : Place::Basic)
                                     : (multi ? Place::MultiLiteral : Place::Literal);
                }
                break;
            case Place::Comment: break;
            case Place::Basic:
            case Place::MultiBasic:
                if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n' &&
                    static_cast<unsigned char>(text[i + 1]) < 0x80) {
                    result.utf8 += text[++i];  // an escaped character, a quote among them
                } else if (ends('"', place == Place::MultiBasic)) {
                    place = Place::Plain;
                }
                break;
            case Place::Literal:
            case Place::MultiLiteral:
                if (ends('\'', place == Place::MultiLiteral)) place = Place::Plain;
                break;
        }
    }
    return result;
}

std::string FromParserText(std::string_view utf8) {
    std::string text;
    std::string other;  // a run of other UTF-8 (from \u escapes), converted as a whole
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool privateUse = byte == 0xEE && i + 2 < utf8.size() &&
                                (static_cast<unsigned char>(utf8[i + 1]) & 0xFC) == 0x80;
        if (privateUse) {
            text += Utf8ToCp1251(other);
            other.clear();
            text += static_cast<char>(((static_cast<unsigned char>(utf8[i + 1]) & 0x03) << 6) |
                                      (static_cast<unsigned char>(utf8[i + 2]) & 0x3F));
            i += 2;
        } else if (byte >= 0x80) {
            other += utf8[i];
        } else {
            text += Utf8ToCp1251(other);
            other.clear();
            text += utf8[i];
        }
    }
    return text + Utf8ToCp1251(other);
}

}  // namespace q42
