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

bool IsCodeWord(const std::string& line) {
    if (line.size() != 4) return false;
    for (const char c : line)
        if (!IsHexDigit(c)) return false;
    return true;
}

void CheckFailure(const Assembly& assembly, const TextLines& source) {
    const AsmDiagnostic& diagnostic = *assembly.diagnostic;
    Require(!diagnostic.text.empty() && !diagnostic.where.empty());
    const bool inSource = diagnostic.sourceLine >= 1 &&
                          static_cast<std::size_t>(diagnostic.sourceLine) <= source.size();
    Require(diagnostic.inSource == inSource);
}

// A compiled program is words only, each from a line of the source, and it loads into RAM as far
// as RAM reaches.
void CheckSuccess(const Assembly& assembly, const TextLines& source) {
    const IntermediateText& intermediate = assembly.intermediate;
    Require(intermediate.sourceLines.size() == intermediate.lines.size());
    const TextLines codeText = assembly.CodeText();
    for (std::size_t i = 0; i < codeText.size(); ++i) {
        const AssembledWord& word = assembly.code[i];
        Require(IsCodeWord(codeText[i]) && !word.unfinished);
        Require(word.sourceLine >= 1 && static_cast<std::size_t>(word.sourceLine) <= source.size());
    }
    Machine machine;
    const auto error = CopyCode(machine, codeText).error;
    Require(error.has_value() == (codeText.size() > kRamWords));
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
    // As a file is read: converted from UTF-8 when it is valid UTF-8, or taken as it is.
    const TextLines source =
        SplitTextLines((choice & 4) != 0 ? DecodeFileText(bytes) : std::string(bytes));
    const Assembly assembly = Assemble(source, options);
    // Work stays proportional to the text: a line gives at most one word per two characters
    // and a few name lines, and reservations are capped for the whole program.
    const std::size_t intermediateLines = assembly.intermediate.lines.size();
    Require(intermediateLines <=
            bytes.size() + 3 * source.size() + static_cast<std::size_t>(kMaxReservedWords));
    Require(assembly.code.size() <= 3 * intermediateLines);
    for (const AsmWarning& warning : assembly.warnings)
        Require(!warning.text.empty());
    if (assembly.Ok()) {
        CheckSuccess(assembly, source);
    } else {
        CheckFailure(assembly, source);
    }
    return 0;
}
