// Reading operands, constants, ports and numbers.

#include <algorithm>

#include "assembler/compil.h"
#include "assembler/compil_internal.h"
#include "assembler/mnemonic.h"
#include "machine/common.h"

namespace q42 {
namespace {

ConstNumber Failed(AsmError error, std::string leftover) {
    return {0, std::move(error), std::move(leftover)};
}

ConstNumber ReadHex(std::string_view digits) {
    bool bad = false;
    char badChar = 0;
    for (char c : digits) {
        if (!IsHexDigit(c)) {
            bad = true;
            badChar = c;  // the last bad character is the one reported
        }
    }
    std::string text(digits);
    if (bad) return Failed({AsmMessage::BadNumberSymbol, std::string(1, badChar)}, text);
    if (text.size() > 4) {
        const auto zeros = std::min(text.find_first_not_of('0'), text.size() - 4);
        text.erase(0, zeros);
    }
    text = PadHex4(std::move(text));
    if (text.size() > 4) return Failed({AsmMessage::TooLargeConst, text}, text);
    return {HexToWord(text).value, {}, {}};
}

ConstNumber ReadDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) return Failed({AsmMessage::BadNumberSymbol, "-"}, "");  // a lone "-"
    if (digits.find_first_not_of("0123456789") != std::string_view::npos)
        return Failed({AsmMessage::BadNumberSymbol, std::string(digits)}, std::string(digits));
    const auto first = std::min(digits.find_first_not_of('0'), digits.size());
    const std::string_view significant = digits.substr(first);
    const long limit = negative ? 32768 : 32767;
    const long magnitude =
        significant.size() > 5 ? limit + 1 : std::stol("0" + std::string(significant));
    if (magnitude > limit)
        return Failed({AsmMessage::TooLargeConst, std::string(digits)}, std::string(digits));
    return {negative ? (0x10000 - magnitude) & 0xFFFF : magnitude, {}, {}};
}

}  // namespace

ConstNumber ReadConstant(std::string_view text) {
    if (text.empty()) return Failed({AsmMessage::MissedOperand}, "");
    if (text.back() == 'H') return ReadHex(text.substr(0, text.size() - 1));
    return ReadDecimal(text);
}

namespace compil {
namespace {

// The word after the instruction holding what was left of an operand after an error; when
// nothing was left, no word follows.
std::optional<CodeWord> UnfinishedWord(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return CodeWord{.unfinished = text};
}

// The word after the instruction holding a name's value.
CodeWord NameValueWord(const std::string& name) {
    return {.fixup = Fixup{Fixup::Kind::NameValue, name}};
}

// A constant -15..15 in the instruction itself.
Operand ShortConstant(Value value, bool negative) {
    const int magnitude = static_cast<int>(value);
    return {.addressing = Addressing::ShortConstant,
            .number = magnitude,
            .negative = negative,
            .text = negative ? "FFF" + std::string(1, HexDigit(magnitude)) : WordToHex(magnitude)};
}

// A number written after "#". A number -15..15 is a short constant when short constants are on:
// its magnitude goes into the operand field and its sign into the mode.
Operand NumberConstant(Compilation& c, const std::string& text) {
    const ConstNumber number = ReadConstant(text);
    if (number.error) {
        c.Fail(*number.error);
        return {.addressing = Addressing::ConstantWord,
                .next = UnfinishedWord(number.leftover),
                .text = number.leftover};
    }
    if (c.useShortConst && number.value <= 15) return ShortConstant(number.value, false);
    if (c.useShortConst && number.value >= 0xFFF1)
        return ShortConstant(0x10000 - number.value, true);
    return WordConstant(number.value);
}

// "#" and a number or a name.
Operand ParseConstant(Compilation& c, const std::string& text) {
    const std::string body = text.substr(1);
    if (body.empty()) {
        c.Fail({AsmMessage::NoValueAfterHash});
        return {.addressing = Addressing::ConstantWord};
    }
    if (body[0] == '-' || (body[0] >= '0' && body[0] <= '9')) return NumberConstant(c, body);
    if (c.names.Find(body) == nullptr) {
        c.Fail({AsmMessage::LabelNotFound, body});
        return {.addressing = Addressing::ConstantWord, .next = UnfinishedWord(body), .text = body};
    }
    return {
        .addressing = Addressing::ConstantWord, .next = NameValueWord(body), .text = "@" + body};
}

// A jump or call to a name, or any use of a constant's name without "#", may be meant as the
// name's value rather than the word at that address: the user is asked to check.
void AskNameOrConstant(Compilation& c, const Statement& st, const AsmName& name) {
    const bool jump = st.operation->form == OperandForm::Target;
    if (jump || name.kind == NameKind::Constant) {
        c.Warn(AsmWarning::Kind::NameOrConstant, c.sourceLine,
               NameOrConstantText(st.line, name.name));
    }
}

// An operand without its byte mark.
Operand ReadOperand(Compilation& c, const Statement& st, const std::string& text) {
    if (const auto form = LookupOperandName(text))
        return {.addressing = Addressing::Register, .number = *form, .text = text};
    if (text[0] == '#') return ParseConstant(c, text);
    const AsmName* name = c.names.Find(text);
    if (name == nullptr) {
        c.Fail({AsmMessage::LabelNotFound, text});
        return {.text = text};
    }
    AskNameOrConstant(c, st, *name);
    return {.addressing = Addressing::MemoryWord, .next = NameValueWord(text), .text = "@" + text};
}

}  // namespace

int Operand::Field() const {
    switch (addressing) {
        case Addressing::ConstantWord: return kConstantField;
        case Addressing::MemoryWord: return kAddressField;
        case Addressing::Unread:
        case Addressing::Register:
        case Addressing::ShortConstant: return number;
    }
    return number;
}

Operand WordConstant(Value value) {
    return {.addressing = Addressing::ConstantWord,
            .next = CodeWord{.value = value},
            .text = WordToHex(value)};
}

Operand ParseOperand(Compilation& c, const Statement& st, std::string text) {
    if (text.empty() || text == "%") {
        c.Fail({AsmMessage::MissedOperand});
        return {.text = text};
    }
    const bool byte = text.back() == '%';
    if (byte) text.pop_back();
    Operand op = ReadOperand(c, st, text);
    op.byte = byte;
    return op;
}

std::optional<int> ParsePort(Compilation& c, const std::string& text) {
    if (text.empty() || text == "P" || text == "P.") {
        AsmError error{AsmMessage::MissedOperand};
        if (!text.empty()) error.item = text;
        c.Fail(std::move(error));
        return std::nullopt;
    }
    std::string_view number = text;
    if (number.starts_with("P.")) number.remove_prefix(2);
    if (number.starts_with('P')) number.remove_prefix(1);
    const ConstNumber port = ReadConstant(number);
    if (port.error || port.value > 15) {
        c.Fail({AsmMessage::BadPort, text});
        return std::nullopt;
    }
    return static_cast<int>(port.value);
}

}  // namespace compil
}  // namespace q42
