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

const AsmName* NameTable::Find(const std::string& name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : &names_[found->second];
}

AsmName& NameTable::Add(const std::string& name, NameKind kind) {
    index_.emplace(name, names_.size());
    return names_.emplace_back(AsmName{name, kind, std::nullopt});
}

void NameTable::SetValue(const std::string& name, Value value) {
    const auto found = index_.find(name);
    if (found != index_.end()) names_[found->second].value = value;
}

void Compilation::AppendCode(CodeWord word) {
    word.sourceLine = sourceLine;
    word.intermediateLine = intermediateLine;
    code.push_back(std::move(word));
}

namespace {

// The value of the constant "NAME=" on intermediate line i (from 0), read from the line after it;
// false, with the error set, when there is no such line or its number is bad.
bool ReadConstantValue(Compilation& c, const TextLines& text, std::size_t i, AsmName& constant) {
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
std::optional<AsmFailure> CollectNames(Compilation& c, IntermediateText& intermediate) {
    TextLines& text = intermediate.lines;
    IntermediateText kept;
    kept.lines.reserve(text.size());
    kept.sourceLines.reserve(text.size());
    auto keep = [&](std::size_t i) {
        kept.sourceLines.push_back(intermediate.SourceLineOf(static_cast<int>(i + 1)));
        kept.lines.push_back(std::move(text[i]));
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
        AsmName& entry = c.names.Add(name, KindOf(name, separator));
        if (separator == ':') {
            keep(i++);
            continue;
        }
        lastRead = std::min(i + 2, text.size());  // the value line, when there is one
        if (!ReadConstantValue(c, text, i, entry)) break;
        i += 2;
    }
    std::optional<AsmFailure> failure;
    if (c.error)
        failure = AsmFailure{intermediate.SourceLineOf(static_cast<int>(lastRead)), *c.error};
    while (i < text.size())
        keep(i++);
    intermediate = std::move(kept);
    return failure;
}

// Pass 3. Words waiting for a name's value get it; branch words get the displacement from the
// word after the branch to the label's address in their low byte.
std::optional<AsmFailure> ResolveReferences(Compilation& c) {
    for (std::size_t k = 0; k < c.code.size(); ++k) {
        CodeWord& word = c.code[k];
        if (!word.fixup) continue;
        const AsmName* name = c.names.Find(word.fixup->name);
        if (name == nullptr || !name->value) continue;
        if (word.fixup->kind == Fixup::Kind::NameValue) {
            word.value = *name->value;
        } else {
            const Value displacement = *name->value - static_cast<Value>(2 * k + 2);
            if (!BranchReaches(displacement))
                return AsmFailure{word.sourceLine, {AsmMessage::DisplacementTooLong}};
            word.SetInstruction(word.Instruction().WithDisplacement(displacement));
        }
        word.name = std::move(word.fixup->name);
        word.fixup.reset();
    }
    return std::nullopt;
}

// The notices of a compilation that ended without error: no HLT, and more words than RAM holds
// (said now, not only when the program is copied into RAM).
void WarnAtEnd(Compilation& c) {
    if (!c.hltSeen) c.Warn(AsmWarning::Kind::NoHlt, 0, kNoHltText);
    if (c.code.size() > static_cast<std::size_t>(kRamWords)) {
        const auto words = static_cast<std::int64_t>(c.code.size());
        c.Warn(AsmWarning::Kind::ProgramTooLong, 0, ProgramTooLongText(words, c.english));
    }
}

// The code words as the assembly gives them.
std::vector<AssembledWord> Finished(const std::vector<CodeWord>& code) {
    std::vector<AssembledWord> words;
    words.reserve(code.size());
    for (const CodeWord& word : code) {
        std::optional<std::string> unfinished;
        if (word.unfinished || word.fixup) unfinished = CodeWordText(word);
        words.push_back(
            {word.value, std::move(unfinished), word.sourceLine, word.intermediateLine, word.name});
    }
    return words;
}

}  // namespace compil

Assembly Compile(IntermediateText text, const TextLines& source, const AsmOptions& options) {
    compil::Compilation c(options);
    auto failure = compil::CollectNames(c, text);
    if (!failure) failure = compil::EncodeStatements(c, text);
    if (!failure) failure = compil::ResolveReferences(c);
    if (!failure) compil::WarnAtEnd(c);
    Assembly assembly{.intermediate = std::move(text),
                      .code = compil::Finished(c.code),
                      .names = c.names.Entries(),
                      .warnings = std::move(c.warnings)};
    if (failure) assembly.diagnostic = Diagnose(*failure, source, options.englishInterface);
    return assembly;
}

}  // namespace q42
