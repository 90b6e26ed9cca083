#include "assembler/assembler.h"

namespace q42 {

Assembly PreprocessOnly(const TextLines& source, const AsmOptions& options) {
    Preprocessed preprocessed = Preprocess(source);
    Assembly assembly{.intermediate = std::move(preprocessed.text)};
    if (preprocessed.failure)
        assembly.diagnostic = Diagnose(*preprocessed.failure, source, options.englishInterface);
    return assembly;
}

Assembly Assemble(const TextLines& source, const AsmOptions& options) {
    Assembly preprocessed = PreprocessOnly(source, options);
    if (!preprocessed.Ok()) return preprocessed;
    return Compile(std::move(preprocessed.intermediate), source, options);
}

}  // namespace q42
