#include "assembler/asm_texts.h"

namespace q42 {

void ClearCodeAndLabels(AssemblerTexts& texts) {
    texts.codeText.clear();
    texts.codeSource.clear();
    texts.codeIntermediate.clear();
    for (std::size_t r = 1; r < texts.labels.rows.size(); ++r)
        for (auto& cell : texts.labels.rows[r])
            cell.clear();
}

const std::string& SourceLineText(const AssemblerTexts& texts, int n) {
    static const std::string kNone;
    if (n < 1 || static_cast<std::size_t>(n) > texts.asmText.size()) return kNone;
    return texts.asmText[n - 1];
}

int MappedSourceLine(const std::vector<int>& lineMap, int i) {
    if (i < 1 || static_cast<std::size_t>(i) >= lineMap.size()) return 0;
    return lineMap[i];
}

}  // namespace q42
