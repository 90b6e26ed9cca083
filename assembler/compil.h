#pragma once
// The compiler: intermediate text -> code words and names, in three passes.
//   CollectNames      enters every label and constant in the name table, takes the constants'
//                     values and deletes the constant lines from the intermediate text;
//   EncodeStatements  encodes each statement into its words and fixes the label addresses;
//   ResolveReferences puts names' values and branch displacements into the words that need them.
// The first error stops the compilation; its diagnostic names its source line.

#include <optional>
#include <string>
#include <string_view>

#include "assembler/assembly.h"
#include "assembler/err_diag.h"
#include "machine/common.h"

namespace q42 {

// Compiles an intermediate text, written by the preprocessor or typed by hand; `source` is the
// assembler text it came from, whose lines the diagnostic shows. Warnings never stop the
// compilation. After an error the code holds the words written so far, those of the failing
// statement included, with the references not yet resolved left unfinished as "@NAME" and
// "xxxx@NAME" and what was left of a bad number or name in place of its word.
Assembly Compile(IntermediateText text, const TextLines& source, const AsmOptions& options);

// A number read from a constant: its value, or the error and what the reading left of the text.
struct ConstNumber {
    Value value = 0;  // 0000..FFFF when the number is good
    std::optional<AsmError> error;
    std::string leftover;  // on an error, what the conversion had left of the text
};

// A number as constants are written: hex digits with a final "H" (at most four significant
// digits), or a decimal number -32768..32767, with an optional leading "-". Negative numbers become
// their 16-bit two's complement.
ConstNumber ReadConstant(std::string_view text);

}  // namespace q42
