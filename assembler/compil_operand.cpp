// Reading operands, constants, ports and numbers.

#include <algorithm>

#include "assembler/compil.h"
#include "assembler/compil_internal.h"
#include "assembler/mnemonic.h"
#include "machine/common.h"

namespace q42 {
namespace {

HexConst HexToConst(std::string_view digits, bool english) {
    HexConst result{std::string(digits), ""};
    bool bad = false;
    char badChar = 0;
    for (char c : digits) {
        if (!IsHexDigit(c)) {
            bad = true;
            badChar = c;  // the last bad character is the one reported
        }
    }
    if (bad) {
        result.error = AsmText(AsmMessage::BadNumberSymbol, english) + ": " + badChar;
        return result;
    }
    std::string& text = result.text;
    if (text.size() > 4) {
        const auto zeros = std::min(text.find_first_not_of('0'), text.size() - 4);
        text.erase(0, zeros);
    }
    text = PadHex4(std::move(text));
    if (text.size() > 4) result.error = AsmText(AsmMessage::TooLargeConst, english) + ": " + text;
    return result;
}

HexConst DecimalToConst(std::string_view text, bool english) {
    const bool negative = text.starts_with('-');
    const std::string_view digits = negative ? text.substr(1) : text;
    HexConst result{std::string(digits), ""};
    if (digits.empty()) {  // a lone "-": no number follows
        result.error = AsmText(AsmMessage::BadNumberSymbol, english) + ": -";
        return result;
    }
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) {
        result.error = AsmText(AsmMessage::BadNumberSymbol, english) + ": " + result.text;
        return result;
    }
    const auto first = std::min(digits.find_first_not_of('0'), digits.size());
    const std::string_view significant = digits.substr(first);
    const long limit = negative ? 32768 : 32767;
    const long magnitude =
        significant.size() > 5 ? limit + 1 : std::stol("0" + std::string(significant));
    if (magnitude > limit) {
        result.error = AsmText(AsmMessage::TooLargeConst, english) + ": " + result.text;
        return result;
    }
    result.text = WordToHex(negative ? (0x10000 - magnitude) & 0xFFFF : magnitude);
    return result;
}

}  // namespace

HexConst ConstToHex(std::string_view text, bool english) {
    if (text.empty()) return {"", AsmText(AsmMessage::MissedOperand, english)};
    if (text.back() == 'H') return HexToConst(text.substr(0, text.size() - 1), english);
    return DecimalToConst(text, english);
}

namespace compil {
namespace {

// "#" and a number or a name. A number -15..15 is a short constant when short constants are on:
// its magnitude goes into the operand field and its sign into the mode digit.
Operand ParseConstant(Compilation& c, Statement& st, const std::string& text) {
    Operand op{'D', text.substr(1), ""};
    std::string& body = op.text;
    if (body.empty()) {
        c.Fail(c.Msg(AsmMessage::NoValueAfterHash));
        return op;
    }
    if (body[0] == '-' || (body[0] >= '0' && body[0] <= '9')) {
        auto value = ConstToHex(body, c.options.englishInterface);
        body = std::move(value.text);
        if (!value.error.empty()) {
            c.Fail(std::move(value.error));
            return op;
        }
        op.fullValue = body;
        if (!c.options.useShortConst) return op;
        if (body.starts_with("000")) {
            st.shortConst = 2;
            op.kind = body[3];
        } else if (body.starts_with("FFF") && body[3] != '0') {
            st.shortConst = 3;
            body[3] = HexDigit(16 - HexToWord(body.substr(3)).value);
            op.kind = body[3];
        }
        return op;
    }
    if (c.LookupName(body) == 0) {
        c.Fail(c.Msg(AsmMessage::LabelNotFound) + ": " + body);
        return op;
    }
    body = "@" + body;
    op.fullValue = body;
    return op;
}

// A jump or call to a name, or any use of a constant's name without "#", may be meant as the
// name's value rather than the word at that address: the user is asked to check.
void AskNameOrConstant(Compilation& c, const Statement& st, const std::string& name, int row) {
    const bool jump = st.operation->form == OperandForm::Target;
    if (jump || c.texts.labels.rows[row][1] == "=")
        c.warnings.Warn(st.line + ":\n" + name + "\nor #" + name + "?");
}

}  // namespace

Operand ParseOperand(Compilation& c, Statement& st, std::string text) {
    st.byteMark = 0;
    Operand op{'\0', text, ""};
    if (text.empty() || text == "%") {
        c.Fail(c.Msg(AsmMessage::MissedOperand));
        return op;
    }
    if (text.back() == '%') {
        st.byteMark = 1;
        text.pop_back();
        op.text = text;
    }
    if (const char code = LookupOperandName(text)) {
        op.kind = code;
        return op;
    }
    if (text[0] == '#') return ParseConstant(c, st, text);
    const int row = c.LookupName(text);
    if (row == 0) {
        c.Fail(c.Msg(AsmMessage::LabelNotFound) + ": " + text);
        return op;
    }
    AskNameOrConstant(c, st, text, row);
    op.kind = 'E';
    op.text = "@" + text;
    return op;
}

char ParsePort(Compilation& c, const std::string& text) {
    if (text.empty() || text == "P" || text == "P.") {
        c.Fail(c.Msg(AsmMessage::MissedOperand) + (text.empty() ? "" : ": " + text));
        return '\0';
    }
    std::string_view number = text;
    if (number.starts_with("P.")) number.remove_prefix(2);
    if (number.starts_with('P')) number.remove_prefix(1);
    const auto port = ConstToHex(number, c.options.englishInterface);
    if (!port.error.empty() || !port.text.starts_with("000")) {
        c.Fail(c.Msg(AsmMessage::BadPort) + ": " + text);
        return '\0';
    }
    return port.text[3];
}

}  // namespace compil
}  // namespace q42
