#pragma once
// Copying the code text of the assembler window into RAM from address 0000, one word per line.

#include <optional>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace q42 {

// A code line that could not be loaded, for the assembler window to show: its fault, LineLab,
// ErrLab, and the index of the line in the code text to select.
struct CodeLineError {
    Fault fault = Fault::None;
    std::string lineLab;
    std::string errLab;
    int lineIndex = 0;
};

struct CodeCopy {
    int words = 0;  // the words written into RAM
    std::optional<CodeLineError> error;
};

// Loads the code text into RAM. Lines that are empty or do not start with a hex digit are
// skipped; a word line holds one to four hex digits, followed by nothing or by a blank or ";"
// and a comment. Loading stops at the first bad line, leaving the words before it in RAM; a word
// beyond the end of RAM is reported the same way.
CodeCopy CopyCode(Machine& machine, const std::vector<std::string>& codeText);

}  // namespace q42
