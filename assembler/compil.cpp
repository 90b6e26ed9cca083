#include "assembler/compil.h"
#include "machine/run_texts.h"

#include <algorithm>

#include "assembler/compil_internal.h"
#include "machine/common.h"
#include "machine/machine.h"

namespace q42 {
namespace compil {

std::string CodeWordText(const CodeWord& word) {
    if (word.unfinished) return *word.unfinished;
    if (!word.fixup) return WordToHex(word.value);
    const std::string reference = "@" + word.fixup->name;
    if (word.fixup->kind == Fixup::Kind::NameValue) return reference;
    return WordToHex(word.value) + reference;
}

const Name* NameTable::Find(const std::string& name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : &names_[found->second];
}

Name& NameTable::Add(const std::string& name, NameKind kind) {
    index_.emplace(name, names_.size());
    return names_.emplace_back(Name{name, kind, std::nullopt});
}

void NameTable::SetValue(const std::string& name, Value value) {
    const auto found = index_.find(name);
    if (found != index_.end()) names_[found->second].value = value;
}

void ShowNames(const NameTable& names, LabelGrid& grid) {
    const auto& entries = names.Entries();
    if (grid.rows.size() <= entries.size()) grid.rows.resize(entries.size() + 1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Name& name = entries[i];
        grid.rows[i + 1] = {name.name, std::string(1, static_cast<char>(name.kind)),
                            name.value ? WordToHex(*name.value) : ""};
    }
}

void Compilation::AppendCode(CodeWord word) {
    word.sourceLine = sourceLine;
    word.intermediateLine = intermediateLine;
    code.push_back(std::move(word));
}

namespace {

// The value of the constant "NAME=" on intermediate line i (from 0), read from the line after it;
// false, with the error set, when there is no such line or its number is bad.
bool ReadConstantValue(Compilation& c, const TextLines& text, std::size_t i, Name& constant) {
    if (i + 1 == text.size()) {  // NAME= on the last line: there is no value
        c.Fail({AsmMessage::MissedOperand});
        return false;
    }
    const ConstNumber number = ReadConstant(text[i + 1]);
    if (number.error) {
        c.Fail(*number.error);
        return false;
    }
    constant.value = number.value;
    return true;
}

NameKind KindOf(const std::string& name, char separator) {
    if (separator == ':') return NameKind::Label;
    return name.starts_with('@') ? NameKind::AddressConstant : NameKind::Constant;
}

}  // namespace

// Pass 1. Constant lines (NAME= and its value line) are dropped from the intermediate text and
// its line map in one sweep, so that later errors still point at the right source lines.
std::optional<AsmDiagnostic> CollectNames(Compilation& c, TextLines& text,
                                          std::vector<int>& lineMap) {
    TextLines kept;
    std::vector<int> keptMap = {0};
    kept.reserve(text.size());
    keptMap.reserve(text.size() + 1);
    auto keep = [&](std::size_t i) {
        keptMap.push_back(MappedSourceLine(lineMap, static_cast<int>(i + 1)));
        kept.push_back(std::move(text[i]));
    };

    std::size_t i = 0;
    std::size_t lastRead = 0;  // the intermediate line read last, counting from 1
    while (i < text.size()) {
        lastRead = i + 1;
        auto p = text[i].find(':');
        if (p == std::string::npos) p = text[i].find('=');
        if (p == std::string::npos) {
            keep(i++);
            continue;
        }
        const std::string name = text[i].substr(0, p);
        const char separator = text[i][p];
        if (c.names.Find(name) != nullptr) {
            c.Fail({AsmMessage::DuplicateLabel, name});
            break;
        }
        Name& entry = c.names.Add(name, KindOf(name, separator));
        if (separator == ':') {
            keep(i++);
            continue;
        }
        lastRead = std::min(i + 2, text.size());  // the value line, when there is one
        if (!ReadConstantValue(c, text, i, entry)) break;
        i += 2;
    }
    std::optional<AsmDiagnostic> failure;
    if (c.error)
        failure = AsmDiagnostic{MappedSourceLine(lineMap, static_cast<int>(lastRead)), *c.error};
    while (i < text.size())
        keep(i++);
    text = std::move(kept);
    lineMap = std::move(keptMap);
    return failure;
}

// Pass 3. Words waiting for a name's value get it; branch words get the displacement from the
// word after the branch to the label's address in their low byte.
std::optional<AsmDiagnostic> ResolveReferences(Compilation& c) {
    for (std::size_t k = 0; k < c.code.size(); ++k) {
        CodeWord& word = c.code[k];
        if (!word.fixup) continue;
        const Name* name = c.names.Find(word.fixup->name);
        if (name == nullptr || !name->value) continue;
        if (word.fixup->kind == Fixup::Kind::NameValue) {
            word.value = *name->value;
        } else {
            const Value displacement = *name->value - static_cast<Value>(2 * k + 2);
            if (!BranchReaches(displacement))
                return AsmDiagnostic{word.sourceLine, {AsmMessage::DisplacementTooLong}};
            word.SetInstruction(word.Instruction().WithDisplacement(displacement));
        }
        word.fixup.reset();
    }
    return std::nullopt;
}

}  // namespace compil

std::string Compile(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings) {
    compil::Compilation c(options.useShortConst, warnings);
    auto failure = compil::CollectNames(c, texts.compText, texts.lineMap);
    if (!failure) failure = compil::EncodeStatements(c, texts.compText, texts.lineMap);
    if (!failure) failure = compil::ResolveReferences(c);
    for (const auto& word : c.code) {
        texts.codeText.push_back(compil::CodeWordText(word));
        texts.codeSource.push_back(word.sourceLine);
        texts.codeIntermediate.push_back(word.intermediateLine);
    }
    compil::ShowNames(c.names, texts.labels);
    if (failure) return ShowDiagnostic(texts, *failure, options.englishInterface);
    if (!c.hltSeen) warnings.Warn(kNoHltWarning);
    // It compiles, but cannot be loaded whole: said now, not only when it is copied into RAM.
    if (c.code.size() > static_cast<std::size_t>(kRamWords)) {
        warnings.Warn(
            ProgramTooLongText(static_cast<std::int64_t>(c.code.size()), options.englishInterface));
    }
    texts.lineLab = AsmText(AsmMessage::Success, options.englishInterface);
    texts.asmSelection = {AsmSelection::Kind::Cleared};
    return {};
}

}  // namespace q42
