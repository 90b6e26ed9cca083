#include "exercise/wording.h"

#include "machine/language.h"

namespace q42 {

std::string Pick(const char* russian, const char* english) {
    return EnglishTexts() ? english : russian;
}

std::string Fill(const std::string& pattern, std::initializer_list<std::string> parts) {
    std::string text;
    auto part = parts.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%s") == 0 && part != parts.end()) {
            text += *part++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace q42
