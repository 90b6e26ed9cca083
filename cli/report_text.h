#pragma once
// Texts made safe for the files q42cli writes for other programs: valid UTF-8, a CSV field, XML
// character data and attribute values.

#include <string>
#include <string_view>

namespace q42::cli {

// The text with each byte that is not part of a UTF-8 character replaced by U+FFFD (a file's
// name is bytes as the system gave them).
std::string Utf8Only(std::string_view text);

// A CSV field: as it stands when it holds no comma, quote or line break, else in quotes with each
// quote doubled. Always valid UTF-8.
std::string CsvField(std::string_view text);

// Text for XML 1.0, in an element or in a quoted attribute: & < > " ' escaped, line breaks and
// tabs kept (as references, which attributes need), and the other control characters, which XML
// cannot hold, replaced by U+FFFD. Always valid UTF-8.
std::string XmlEscaped(std::string_view text);

}  // namespace q42::cli
