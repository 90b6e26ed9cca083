#pragma once
// File names are UTF-8 text inside the program (options, exercise files, messages). On Windows a
// path is UTF-16, and a path made from a plain string reads it in the system's 8-bit code page,
// which garbles every Cyrillic name; this makes the path from UTF-8 explicitly. Elsewhere a path
// keeps its bytes as they are, so it changes nothing there. (The other way needs nothing: GCC's
// path::string() gives UTF-8 on Windows too.)

#include <filesystem>
#include <string_view>

namespace q42 {

// The path that this UTF-8 text names; text that is not UTF-8 is taken as the system's own.
std::filesystem::path PathFromUtf8(std::string_view text);

}  // namespace q42
