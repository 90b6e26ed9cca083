#include "machine/language.h"

namespace q42 {
namespace {

Language current = Language::Russian;

}  // namespace

Language TextLanguage() {
    return current;
}

void SetTextLanguage(Language language) {
    current = language;
}

}  // namespace q42
