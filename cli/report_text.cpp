#include "cli/report_text.h"

#include "machine/codepage.h"

namespace q42::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::string Utf8Only(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
        const std::string_view character = text.substr(i, length == 0 ? 1 : length);
        if (length > 0 && character.size() == length && IsValidUtf8(character)) {
            valid += character;
            i += length;
        } else {
            valid += kReplacement;
            ++i;
        }
    }
    return valid;
}

std::string CsvField(std::string_view text) {
    std::string field = Utf8Only(text);
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

std::string XmlEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : Utf8Only(text)) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            case '\n': escaped += "&#10;"; break;
            case '\r': escaped += "&#13;"; break;
            case '\t': escaped += "&#9;"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    escaped += kReplacement;
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

}  // namespace q42::cli
