#pragma once
// The assembler as the assembler window's "compile + preprocess" command runs it, shared by the
// desktop program and the command-line tool.

#include <string>

#include "assembler/asm_texts.h"
#include "assembler/compil.h"
#include "assembler/preproc.h"

namespace q42 {

// Empties the intermediate text, the code text, the label table's cells and both status texts,
// preprocesses the assembler text and, if that found no error, compiles the result. Returns the
// error text, empty exactly when both succeeded.
std::string PreprocessAndCompile(AssemblerTexts& texts, const AsmOptions& options,
                                 AsmWarnings& warnings);

}  // namespace q42
