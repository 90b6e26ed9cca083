#pragma once
// The text of an exercise file as the TOML parser gets it, and its strings back. Inside, text is
// 8-bit (Windows-1251). The parser reads UTF-8, and its own Unicode tables go astray on many
// characters (Cyrillic among them) wherever it looks at them. So each byte above 7F goes to it
// as a character of Unicode's private use area, U+E000 plus the byte, which the parser passes
// through untouched inside strings and comments, and comes back the same way. Outside strings
// and comments only ASCII is valid TOML anyway; such a character is refused before parsing.

#include <optional>
#include <string>
#include <string_view>

namespace q42 {

struct ParserText {
    std::string utf8;      // the text for the parser
    int badLine = 0;       // the line of a character above 7F outside strings and comments
    int unclosedLine = 0;  // the line where the first string that is never closed starts
};

ParserText ToParserText(std::string_view text);
// A string the parser gives back (UTF-8) as 8-bit text.
std::string FromParserText(std::string_view utf8);

}  // namespace q42
