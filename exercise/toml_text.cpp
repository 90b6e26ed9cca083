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

// Copies the text for the parser, keeping track of where it is.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    ParserText Scan() {
        for (i_ = 0; i_ < text_.size(); ++i_)
            Next(text_[i_]);
        if (place_ != Place::Plain && place_ != Place::Comment) Unclosed();
        return std::move(result_);
    }

  private:
    std::string_view text_;
    std::size_t i_ = 0;
    ParserText result_;
    Place place_ = Place::Plain;
    int line_ = 1;
    int stringLine_ = 0;  // where the string being read started

    void Next(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            if (place_ == Place::Plain) {
                if (result_.badLine == 0) result_.badLine = line_;
                result_.utf8 += '?';
            } else {
                AppendPrivateUse(result_.utf8, byte);
            }
            return;
        }
        result_.utf8 += c;
        if (c == '\n') {
            NewLine();
            return;
        }
        switch (place_) {
            case Place::Plain: Plain(c); break;
            case Place::Comment: break;
            case Place::Basic:
            case Place::MultiBasic:
                if (c == '\\' && i_ + 1 < text_.size() && text_[i_ + 1] != '\n' &&
                    static_cast<unsigned char>(text_[i_ + 1]) < 0x80) {
                    result_.utf8 += text_[++i_];  // an escaped character, a quote among them
                } else if (Ends(c, '"', place_ == Place::MultiBasic)) {
                    place_ = Place::Plain;
                }
                break;
            case Place::Literal:
            case Place::MultiLiteral:
                if (Ends(c, '\'', place_ == Place::MultiLiteral)) place_ = Place::Plain;
                break;
        }
    }

    // A comment and a one-line string end with the line; a string ending so was never closed.
    void NewLine() {
        ++line_;
        if (place_ == Place::Basic || place_ == Place::Literal) Unclosed();
        if (place_ == Place::Comment || place_ == Place::Basic || place_ == Place::Literal)
            place_ = Place::Plain;
    }

    void Plain(char c) {
        if (c == '#') place_ = Place::Comment;
        if (c != '"' && c != '\'') return;
        const bool multi = StartsWith(text_, i_, c == '"' ? "\"\"\"" : "'''");
        if (multi) {
            result_.utf8 += text_.substr(i_ + 1, 2);
            i_ += 2;
        }
        place_ = c == '"' ? (multi ? Place::MultiBasic : Place::Basic)
                          : (multi ? Place::MultiLiteral : Place::Literal);
        stringLine_ = line_;
    }

    // At a character inside a string of `quote`: true when it ends the string. A multi-line
    // string's closing quotes are copied with up to two quotes of the string before them.
    bool Ends(char c, char quote, bool multi) {
        if (c != quote) return false;
        if (!multi) return true;
        const std::size_t run = QuoteRun(text_, i_, quote);
        if (run < 3) return false;
        result_.utf8 += text_.substr(i_ + 1, run - 1);
        i_ += run - 1;
        return true;
    }

    void Unclosed() {
        if (result_.unclosedLine == 0) result_.unclosedLine = stringLine_;
    }
};

}  // namespace

ParserText ToParserText(std::string_view text) {
    return Scanner(text).Scan();
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
