// Reading ".asm" and ".cod" files: the encoding is detected, the line ends split, and a code
// file's final "." dropped; the code text then goes into RAM as "Open .COD" and "3" would.

#include <cstddef>
#include <cstdint>

#include "assembler/codetext.h"
#include "fuzz/fuzz_support.h"
#include "machine/codepage.h"
#include "session/code_loading.h"
#include "session/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeFileText(bytes);
    if (IsValidUtf8(bytes)) {
        Require(text.size() <= bytes.size());
    } else {
        Require(text == bytes);
    }

    const TextLines lines = SplitTextLines(text);
    std::size_t characters = 0;
    for (const auto& line : lines) {
        Require(line.find_first_of("\r\n") == std::string::npos);
        characters += line.size();
    }
    Require(characters <= text.size() && lines.size() <= text.size());
    // Saving and reading again gives the same lines.
    Require(SplitTextLines(JoinTextLines(lines)) == lines);

    TextLines codeText = CodeTextFromFile(text);
    TextLines expected = lines;
    if (!expected.empty() && expected.back() == ".") expected.pop_back();
    Require(codeText == expected);
    Require(CodeTextFromFile(CodeFileContents(codeText)) == codeText);

    // Shown in UTF-8 and read back, 8-bit text is unchanged but for the one undefined code.
    std::string shown = text;
    for (char& c : shown)
        if (c == '\x98') c = '?';
    Require(Utf8ToCp1251(Cp1251ToUtf8(text)) == shown);

    Machine machine;
    const CodeCopy copy = CopyCode(machine, codeText);
    Require(!copy.error || copy.error->fault != Fault::None);
    Require(copy.words >= 0 && copy.words <= kRamWords);
    for (const Value word : machine.State().ram)
        Require(word >= 0 && word <= 0xFFFF);
    return 0;
}
