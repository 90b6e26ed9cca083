#include "session/program_names.h"

#include <algorithm>

#include "machine/codepage.h"

namespace q42 {

void ProgramNames::Set(const Assembly& assembly) {
    Clear();
    for (const AssembledWord& word : assembly.code)
        words_.push_back({word.value, word.unfinished ? std::string() : Cp1251ToUtf8(word.name)});
    for (const AsmName& name : assembly.names) {
        if (name.kind == NameKind::Label && name.value)
            labels_.push_back({*name.value, Cp1251ToUtf8(name.name)});
    }
}

void ProgramNames::Clear() {
    words_.clear();
    labels_.clear();
}

std::string ProgramNames::OfWord(Value address, Value value) const {
    if (address < 0 || (address & 1) != 0 || address / 2 >= static_cast<Value>(words_.size()))
        return {};
    const Word& word = words_[static_cast<std::size_t>(address / 2)];
    return word.value == value ? word.name : std::string();
}

std::string ProgramNames::LabelAt(Value address) const {
    const auto found = std::find_if(labels_.begin(), labels_.end(),
                                    [address](const Label& l) { return l.address == address; });
    return found == labels_.end() ? std::string() : found->name;
}

}  // namespace q42
