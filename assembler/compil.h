#pragma once
// The compiler: intermediate text -> code text and label table, in three passes.
//   CollectNames      enters every label and constant in the name table, takes the constants'
//                     values and deletes the constant lines from the intermediate text;
//   EncodeStatements  encodes each statement into its words and fixes the label addresses;
//   ResolveReferences puts names' values and branch displacements into the words that need them.
// The words are held as values until the end, when the code text and the label table are written
// from them. The first error stops the compilation and is shown with its source line.

#include <optional>
#include <string>
#include <string_view>

#include "assembler/asm_texts.h"
#include "assembler/err_diag.h"
#include "machine/common.h"

namespace q42 {

// The text of the warning given when a program compiles without an HLT statement.
inline constexpr const char* kNoHltWarning = "No HLT command!";

// Compiles `texts.compText` into `texts.codeText` (which the caller has emptied) and
// `texts.labels`. Returns the error text, empty on success. Sets lineLab and errLab and the
// selection: on an error the source line and its text, on success the success message with the
// selection cleared. Warnings go to `warnings` and never stop the compilation. After an error the
// code text holds the words written so far, those of the failing statement included, with the
// references not yet resolved left as "@NAME" and "xxxx@NAME" and what was left of a bad number or
// name in place of its word.
std::string Compile(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings);

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
