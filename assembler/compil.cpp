#include "assembler/compil.h"

#include "assembler/compil_internal.h"
#include "machine/common.h"

namespace q42 {
namespace compil {

Compilation::Compilation(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings)
    : texts(texts), options(options), warnings(warnings), codeSource(texts.codeText.size(), 0) {}

int Compilation::LookupName(const std::string& name) const {
    const auto found = rows_.find(name);
    return found == rows_.end() ? 0 : found->second;
}

LabelGrid::Row& Compilation::AddName(const std::string& name, char kind) {
    auto& rows = texts.labels.rows;
    ++labelCount_;
    if (rows.size() <= static_cast<std::size_t>(labelCount_)) rows.emplace_back();
    rows_[name] = labelCount_;
    auto& row = rows[labelCount_];
    row = {name, std::string(1, kind), ""};
    return row;
}

void Compilation::AppendCode(std::string word) {
    texts.codeText.push_back(std::move(word));
    codeSource.push_back(MappedSourceLine(texts, lastRead));
}

void Compilation::ShowCompileError(int sourceLine) {
    texts.lineLab = std::to_string(sourceLine) + ":  " + SourceLineText(texts, sourceLine);
    texts.errLab = error;
    const bool exists =
        sourceLine >= 1 && static_cast<std::size_t>(sourceLine) <= texts.asmText.size();
    texts.asmSelection =
        exists ? AsmSelection{AsmSelection::Kind::Line, sourceLine} : AsmSelection{};
}

// The value of the constant "NAME=" on intermediate line i (from 0), from the line after it, into
// its row of the label table; false, with the error set, when there is none or it is bad.
bool ReadConstantValue(Compilation& c, std::size_t i, LabelGrid::Row& row) {
    const TextLines& text = c.texts.compText;
    if (i + 1 == text.size()) {  // NAME= on the last line: there is no value
        c.Fail(c.Msg(AsmMessage::MissedOperand));
        return false;
    }
    c.lastRead = static_cast<int>(i + 2);
    auto value = ConstToHex(text[i + 1], c.options.englishInterface);
    if (!value.error.empty()) {
        c.Fail(std::move(value.error));
        return false;
    }
    row[2] = std::move(value.text);
    return true;
}

// Pass 1. Constant lines (NAME= and its value line) are dropped from the intermediate text and
// its line map in one sweep, so that later errors still point at the right source lines.
bool CollectNames(Compilation& c) {
    auto& text = c.texts.compText;
    TextLines kept;
    std::vector<int> keptMap = {0};
    kept.reserve(text.size());
    keptMap.reserve(text.size() + 1);
    auto keep = [&](std::size_t i) {
        keptMap.push_back(MappedSourceLine(c.texts, static_cast<int>(i + 1)));
        kept.push_back(std::move(text[i]));
    };

    std::size_t i = 0;
    while (i < text.size()) {
        c.lastRead = static_cast<int>(i + 1);
        auto p = text[i].find(':');
        if (p == std::string::npos) p = text[i].find('=');
        if (p == std::string::npos) {
            keep(i++);
            continue;
        }
        const std::string name = text[i].substr(0, p);
        const char separator = text[i][p];
        if (c.LookupName(name) != 0) {
            c.Fail(c.Msg(AsmMessage::DuplicateLabel) + ": " + name);
            break;
        }
        const bool address = separator == '=' && name.starts_with('@');
        auto& row = c.AddName(name, address ? '@' : separator);
        if (separator == ':') {
            keep(i++);
            continue;
        }
        if (!ReadConstantValue(c, i, row)) break;
        i += 2;
    }
    const bool ok = c.error.empty();
    const int errorLine = ok ? 0 : MappedSourceLine(c.texts, c.lastRead);
    while (i < text.size())
        keep(i++);
    text = std::move(kept);
    c.texts.lineMap = std::move(keptMap);
    if (!ok) c.ShowCompileError(errorLine);
    return ok;
}

// Pass 3. "@NAME" lines become the name's value; "xxxx@NAME" branch words get the displacement
// from the word after the branch to the name's address in their low byte.
bool ResolveReferences(Compilation& c) {
    auto& code = c.texts.codeText;
    for (std::size_t k = 0; k < code.size(); ++k) {
        const auto p = code[k].find('@');
        if (p == std::string::npos) continue;
        const int row = c.LookupName(code[k].substr(p + 1));
        if (row == 0) continue;
        const std::string& value = c.texts.labels.rows[row][2];
        if (p == 0) {
            code[k] = value;
            continue;
        }
        const Value displacement = HexToWord(value).value - static_cast<Value>(2 * k + 2);
        if (displacement > 126 || displacement < -128) {
            c.Fail(c.Msg(AsmMessage::DisplacementTooLong));
            c.ShowCompileError(k < c.codeSource.size() ? c.codeSource[k] : 0);
            return false;
        }
        std::string word = code[k].substr(0, p);
        if (word.size() >= 4) word.replace(2, 2, WordToHex(displacement & 0xFF).substr(2));
        code[k] = std::move(word);
    }
    return true;
}

}  // namespace compil

std::string Compile(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings) {
    compil::Compilation c(texts, options, warnings);
    texts.asmSelection = {};
    const bool ok = CollectNames(c) && EncodeStatements(c) && ResolveReferences(c);
    if (ok) {
        if (!c.hltSeen) warnings.Warn(kNoHltWarning);
        texts.lineLab = c.Msg(AsmMessage::Success);
        texts.asmSelection = {AsmSelection::Kind::Cleared};
    }
    return c.error;
}

}  // namespace q42
