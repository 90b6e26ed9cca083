#pragma once
// Small helpers for the exercise layer's messages, which are written in the interface language.

#include <initializer_list>
#include <string>

namespace q42 {

// The Russian or the English text, as the interface language is.
std::string Pick(const char* russian, const char* english);

// Replaces each %s of `pattern` by the next of `parts`.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> parts);

}  // namespace q42
