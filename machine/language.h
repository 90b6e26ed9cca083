#pragma once
// The language of the texts the system writes: the window captions, the assembler's messages,
// the screen's greeting and end messages, the run-time errors, the decoding dialog. A program
// chooses it once when it starts (q42-en, q42cli --lang en); otherwise every text is Russian.
//
// Each text is written once with both its languages, in UTF-8, and converted once to the
// machine's 8-bit code page.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "machine/codepage.h"

namespace q42 {

enum class Language : std::uint8_t { Russian, English };

Language TextLanguage();
void SetTextLanguage(Language language);
inline bool EnglishTexts() {
    return TextLanguage() == Language::English;
}

struct Bilingual {
    std::string_view russian;
    std::string_view english;
};

// A table of texts in both languages; indexing gives the text in the current language, At the
// text in the language asked for.
template <std::size_t N>
class TextTable {
  public:
    explicit TextTable(const std::array<Bilingual, N>& texts) {
        for (std::size_t i = 0; i < N; ++i) {
            russian_[i] = Utf8ToCp1251(texts[i].russian);
            english_[i] = Utf8ToCp1251(texts[i].english);
        }
    }
    const std::string& operator[](std::size_t i) const { return At(i, TextLanguage()); }
    const std::string& At(std::size_t i, Language language) const {
        return language == Language::English ? english_[i] : russian_[i];
    }

  private:
    std::array<std::string, N> russian_;
    std::array<std::string, N> english_;
};

}  // namespace q42
