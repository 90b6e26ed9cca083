#pragma once
// The compiler: intermediate text -> code text and label table, in three passes.
//   CollectNames      enters every label and constant in the label table, takes the constants'
//                     values and deletes the constant lines from the intermediate text;
//   EncodeStatements  encodes each statement into its words and fixes the label addresses;
//   ResolveReferences puts names' values and branch displacements into the words that need them.
// The first error stops the compilation and is shown with its source line.

#include <string>
#include <string_view>

#include "assembler/asm_texts.h"

namespace q42 {

// The text of the warning given when a program compiles without an HLT statement.
inline constexpr const char* kNoHltWarning = "No HLT command!";

// Compiles `texts.compText` into `texts.codeText` (which the caller has emptied) and
// `texts.labels`. Returns the error text, empty on success. Sets lineLab and errLab and the
// selection: on an error the source line and its text, on success the success message with the
// selection cleared. Warnings go to `warnings` and never stop the compilation.
std::string Compile(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings);

struct HexConst {
    std::string text;   // four upper-case hex digits; on an error, what the conversion left
    std::string error;  // the composed error text, empty when the number is good
};

// A number as constants are written: hex digits with a final "H" (at most four significant
// digits), or a decimal number -32768..32767, with an optional leading "-". Negative numbers become
// their 16-bit two's complement.
HexConst ConstToHex(std::string_view text, bool english);

}  // namespace q42
