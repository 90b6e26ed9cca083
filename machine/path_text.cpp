#include "machine/path_text.h"

#include <string>

#include "machine/codepage.h"

namespace q42 {

std::filesystem::path PathFromUtf8(std::string_view text) {
    if (!IsValidUtf8(text)) return std::filesystem::path(std::string(text));
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace q42
