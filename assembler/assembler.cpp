#include "assembler/assembler.h"

namespace q42 {

std::string PreprocessAndCompile(AssemblerTexts& texts, const AsmOptions& options,
                                 AsmWarnings& warnings) {
    texts.compText.clear();
    texts.lineMap = {0};
    ClearCodeAndLabels(texts);
    texts.lineLab.clear();
    texts.errLab.clear();
    std::string error = Preprocess(texts, options);
    if (error.empty()) error = Compile(texts, options, warnings);
    return error;
}

}  // namespace q42
