#pragma once
// The names a compiled program wrote, so that a step can be told in them: for each word the
// compiler wrote, the name written for it ("#PUTC", "BNE NEXT"), and the labels with their
// addresses. A word's name holds only while memory holds the word the compiler wrote there.

#include <string>
#include <vector>

#include "assembler/assembly.h"

namespace q42 {

class ProgramNames {
  public:
    void Set(const Assembly& assembly);
    void Clear();

    // The name written for the word at `address`, when it holds `value`, the word compiled
    // there; "" otherwise. UTF-8.
    std::string OfWord(Value address, Value value) const;
    // The first label at `address`, or "". UTF-8.
    std::string LabelAt(Value address) const;

  private:
    struct Word {
        Value value;
        std::string name;
    };
    struct Label {
        Value address;
        std::string name;
    };
    std::vector<Word> words_;  // word i at address 2i
    std::vector<Label> labels_;
};

}  // namespace q42
