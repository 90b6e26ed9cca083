// The assembler on arbitrary text: preprocess and compile, in both languages, with short
// constants on and off. The first byte chooses the options; the rest is the file.

#include <cstddef>
#include <cstdint>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "fuzz/fuzz_support.h"
#include "session/code_loading.h"
#include "session/text_file.h"

namespace q42::fuzz {
namespace {

class IgnoredWarnings : public AsmWarnings {
  public:
    void Warn(const std::string& text) override { Require(!text.empty()); }
};

bool IsCodeWord(const std::string& line) {
    if (line.size() != 4) return false;
    for (const char c : line)
        if (!IsHexDigit(c)) return false;
    return true;
}

void CheckFailure(const AssemblerTexts& texts, const std::string& error) {
    Require(texts.errLab == error && !texts.lineLab.empty());
    const AsmSelection& selection = texts.asmSelection;
    Require(selection.kind != AsmSelection::Kind::Cleared);
    if (selection.kind == AsmSelection::Kind::Line) {
        Require(selection.line >= 1 &&
                static_cast<std::size_t>(selection.line) <= texts.asmText.size());
    }
}

// A compiled program is words only, and it loads into RAM as far as RAM reaches.
void CheckSuccess(const AssemblerTexts& texts) {
    Require(texts.asmSelection.kind == AsmSelection::Kind::Cleared);
    Require(texts.errLab.empty());
    Require(texts.lineMap.size() == texts.compText.size() + 1);
    for (const auto& line : texts.codeText)
        Require(IsCodeWord(line));
    Machine machine;
    const auto error = CopyCode(machine, texts.codeText).error;
    Require(error.has_value() == (texts.codeText.size() > kRamWords));
}

}  // namespace
}  // namespace q42::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    ByteReader input(data, size);
    const std::uint8_t choice = input.Byte();
    const AsmOptions options{.englishInterface = (choice & 1) != 0,
                             .useShortConst = (choice & 2) != 0};
    const std::string_view bytes = input.Rest();
    AssemblerTexts texts;
    // As a file is read: converted from UTF-8 when it is valid UTF-8, or taken as it is.
    texts.asmText = SplitTextLines((choice & 4) != 0 ? DecodeFileText(bytes) : std::string(bytes));
    IgnoredWarnings warnings;
    const std::string error = PreprocessAndCompile(texts, options, warnings);
    // Work stays proportional to the text: a line gives at most one word per two characters
    // and a few name lines, and reservations are capped for the whole program.
    Require(texts.compText.size() <=
            bytes.size() + 3 * texts.asmText.size() + static_cast<std::size_t>(kMaxReservedWords));
    Require(texts.codeText.size() <= 3 * texts.compText.size());
    Require(texts.labels.rows.size() >= static_cast<std::size_t>(LabelGrid::kInitialRows));
    if (error.empty()) {
        CheckSuccess(texts);
    } else {
        CheckFailure(texts, error);
    }
    return 0;
}
