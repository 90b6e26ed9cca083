#include "assembler/codetext.h"

namespace q42 {

TextLines SplitTextLines(std::string_view bytes) {
    TextLines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

std::string JoinTextLines(const TextLines& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string CodeFileContents(const TextLines& codeText) {
    return JoinTextLines(codeText) + ".\r\n";
}

TextLines CodeTextFromLines(TextLines lines) {
    if (!lines.empty() && lines.back() == ".") lines.pop_back();
    return lines;
}

TextLines CodeTextFromFile(std::string_view bytes) {
    return CodeTextFromLines(SplitTextLines(bytes));
}

bool IsCodeFileName(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string_view ending = name.substr(name.size() - 4);
    const char lower[] = ".cod";
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = ending[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lower[i]) return false;
    }
    return true;
}

}  // namespace q42
