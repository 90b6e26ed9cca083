#pragma once
// The assembler as every face runs it: preprocessing, then compilation when preprocessing found
// no error. The desktop's intermediate text window also runs either pass alone.

#include "assembler/assembly.h"
#include "assembler/compil.h"
#include "assembler/preproc.h"

namespace q42 {

// Preprocesses and compiles an assembler text.
Assembly Assemble(const TextLines& source, const AsmOptions& options);

// Preprocesses only: the intermediate text, and the diagnostic when preprocessing failed; no code
// and no names.
Assembly PreprocessOnly(const TextLines& source, const AsmOptions& options);

}  // namespace q42
