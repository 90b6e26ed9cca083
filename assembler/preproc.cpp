#include "assembler/preproc.h"

#include <algorithm>
#include <optional>

#include "assembler/err_diag.h"
#include "machine/common.h"

namespace q42 {
namespace {

constexpr std::int64_t kNumberCap = std::int64_t{1} << 40;
constexpr const char* kReservedWord = "DW AC42H";

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

char UpperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void UpperCase(std::string& text) {
    for (char& c : text)
        c = UpperLetter(c);
}

// The character's 8-bit code as two upper-case hex digits.
std::string CodeHex(char c) {
    return WordToHex(static_cast<unsigned char>(c)).substr(2);
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// One run over the assembler text: where the intermediate lines go, and the error so far.
struct PreprocRun {
    Preprocessed out;
    int lineNo = 0;  // the source line being processed, counting from 1
    std::int64_t reservedWords = 0;

    void Write(std::string text) {
        out.text.lines.push_back(std::move(text));
        out.text.sourceLines.push_back(lineNo);
    }

    // Records an error with the line as the step that found it holds it; a later error of the
    // same line replaces it.
    void Fail(AsmError error, std::string_view shownLine) {
        out.failure = AsmFailure{lineNo, std::move(error), std::string(shownLine)};
    }
};

void RemoveComment(std::string& line) {
    const auto semicolon = line.find(';');
    if (semicolon != std::string::npos) line.erase(semicolon);
}

// A line whose text after the label (or whole text) starts with DS and has at least three
// characters is a string: each pair of characters becomes a word, the second character in the
// high byte. A labelled string also defines LEN(label), its length in characters.
void ExpandString(PreprocRun& run, std::string& line) {
    const auto colon = line.find(':');
    const std::size_t afterLabel = colon == std::string::npos ? 0 : colon + 1;
    const auto restStart = line.find_first_not_of(' ', afterLabel);
    if (restStart == std::string::npos) return;
    std::string_view rest = std::string_view(line).substr(restStart);
    if (rest.size() < 3 || UpperLetter(rest[0]) != 'D' || UpperLetter(rest[1]) != 'S') return;
    rest.remove_prefix(2);
    if (rest.front() == ' ') rest.remove_prefix(1);
    // A string shares the reserved words' cap: no more could ever load, and the cap is checked
    // before anything is expanded.
    const auto words = static_cast<std::int64_t>((rest.size() + 1) / 2);
    if (words > kMaxReservedWords - run.reservedWords) {
        run.Fail({AsmMessage::TooLargeConst, "DS " + std::to_string(rest.size())},
                 std::string_view(line).substr(0, 200));
        line.clear();
        return;
    }
    run.reservedWords += words;

    // Blanks around the label are dropped, as they are for every other label.
    std::string label =
        colon == std::string::npos ? "" : TrimBlanks(std::string_view(line).substr(0, colon));
    UpperCase(label);
    if (!label.empty()) run.Write(label + ":");
    for (std::size_t i = 0; i < rest.size(); i += 2) {
        const bool pair = i + 1 < rest.size();
        run.Write("DW " + (pair ? CodeHex(rest[i + 1]) : "00") + CodeHex(rest[i]) + "H");
    }
    const std::size_t length = rest.size();
    line = label.empty() ? "" : "LEN(" + label + ")=" + std::to_string(length);
}

// Drops leading and trailing blanks, turns each run of blanks into one, and removes one blank on
// either side of the first ",", ":", "=" and "%".
void NormaliseBlanks(std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    for (char mark : {',', ':', '=', '%'}) {
        const auto p = out.find(mark);
        if (p == std::string::npos) continue;
        if (p + 1 < out.size() && out[p + 1] == ' ') out.erase(p + 1, 1);
        if (p > 0 && out[p - 1] == ' ') out.erase(p - 1, 1);
    }
    line = std::move(out);
}

// The first #'c' of the line becomes # and the decimal code of c.
void ReplaceCharLiteral(PreprocRun& run, std::string& line) {
    const auto p = line.find("#'");
    if (p == std::string::npos) return;
    if (p + 3 < line.size() && line[p + 3] == '\'') {
        const int code = static_cast<unsigned char>(line[p + 2]);
        line.replace(p, 4, "#" + std::to_string(code));
    } else {
        run.Fail({AsmMessage::InvalidValue, line.substr(p, 5)}, line);
    }
}

// Checks a label or constant name given with its final ":" or "=".
bool CheckIdentifier(PreprocRun& run, const std::string& name, std::string_view shownLine) {
    const bool leadingBad = IsDecimalDigit(name[0]) || name[0] == '-';
    const bool innerBad = name.find_first_of(" ,") != std::string::npos;
    if (!leadingBad && !innerBad) return true;
    const auto message =
        leadingBad ? AsmMessage::IdentifierBeginsBadly : AsmMessage::BadIdentifierSymbol;
    run.Fail({message, name}, shownLine);
    return false;
}

// Writes "NAME:" and then "NAME=" as lines of their own, leaving the rest as the working line.
// A line has one label: a second ":" would make the rest a label line of its own and drop its
// statement without a word, so the text up to it is named as a bad identifier.
void SplitNames(PreprocRun& run, std::string& line) {
    const std::string shownLine = line;
    for (char mark : {':', '='}) {
        const auto p = line.find(mark);
        if (p == std::string::npos) continue;
        std::string name = line.substr(0, p + 1);
        if (!CheckIdentifier(run, name, shownLine)) return;
        if (const auto second = line.find(':', p + 1); mark == ':' && second != std::string::npos) {
            run.Fail({AsmMessage::BadIdentifierSymbol, line.substr(0, second + 1)}, shownLine);
            return;
        }
        run.Write(std::move(name));
        line.erase(0, p + 1);
    }
}

// RW n becomes n lines DW AC42H; the last one is left as the working line.
void ExpandReservation(PreprocRun& run, std::string& line) {
    if (!line.starts_with("RW ")) return;
    const std::string kept = line;
    line.erase(0, 3);
    const ParsedNumber count = ParseNumber(line);
    std::optional<AsmError> error;
    if (count.bad) {
        error = {.message = AsmMessage::BadNumberSymbol, .item = line, .blankBeforeItem = true};
    } else if (count.value == 0) {
        error = {AsmMessage::InvalidValue, "0"};
    } else if (count.value > kMaxReservedWords - run.reservedWords) {
        error = {AsmMessage::TooLargeConst, line};
    }
    if (error) {
        run.Fail(std::move(*error), kept);
        return;
    }
    run.reservedWords += count.value;
    for (std::int64_t i = 1; i < count.value; ++i)
        run.Write(kReservedWord);
    line = kReservedWord;
}

// Every step runs even after an earlier one failed; the loop stops after this line.
void ProcessLine(PreprocRun& run, std::string line) {
    RemoveComment(line);
    ExpandString(run, line);
    NormaliseBlanks(line);
    ReplaceCharLiteral(run, line);
    UpperCase(line);
    SplitNames(run, line);
    ExpandReservation(run, line);
    if (!line.empty()) run.Write(std::move(line));
}

}  // namespace

ParsedNumber ParseNumber(std::string_view text) {
    const bool hex = !text.empty() && text.back() == 'H';
    if (hex) text.remove_suffix(1);
    const int base = hex ? 16 : 10;
    ParsedNumber result;
    for (char c : text) {
        const bool valid = hex ? IsHexDigit(c) : IsDecimalDigit(c);
        if (!valid) return {0, true};
        const int digit = c <= '9' ? c - '0' : c - 'A' + 10;
        result.value = std::min(kNumberCap, result.value * base + digit);
    }
    return result;
}

Preprocessed Preprocess(const TextLines& source) {
    PreprocRun run;
    while (static_cast<std::size_t>(run.lineNo) < source.size() && !run.out.failure) {
        ++run.lineNo;
        ProcessLine(run, source[static_cast<std::size_t>(run.lineNo) - 1]);
    }
    return std::move(run.out);
}

}  // namespace q42
