#pragma once
// The code text as a file (".cod"): the code text's lines followed by a line "." alone, each line
// ending in CR LF, in the 8-bit code page. Loading takes the lines back and drops a final "."
// line; a file without it is taken whole. Converting a file's bytes from UTF-8, where that
// applies, is the caller's work and comes before SplitTextLines.

#include <string>
#include <string_view>

#include "assembler/assembly.h"

namespace q42 {

// Splits file contents into lines ending in CR LF, CR or LF. A final line end does not start
// another line, so "" gives no lines and "a\r\n" one.
TextLines SplitTextLines(std::string_view bytes);

// Joins lines into file contents, each line followed by CR LF.
std::string JoinTextLines(const TextLines& lines);

// The contents of a code file holding `codeText`.
std::string CodeFileContents(const TextLines& codeText);

// The code text held by a code file: its lines without a final "." line.
TextLines CodeTextFromFile(std::string_view bytes);
// The same from a code file's lines, already split and converted.
TextLines CodeTextFromLines(TextLines lines);

// True for a file name ending in ".cod", in any letter case: a code file; any other name is
// assembler text.
bool IsCodeFileName(std::string_view name);

}  // namespace q42
