#pragma once
// Text files of the system: assembler sources and code files. Inside, text is 8-bit
// (Windows-1251); a file that is valid UTF-8 is read as UTF-8 for convenience, any other file as
// Windows-1251. Lines end in CR LF, CR or LF when read, and in CR LF when written.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q42 {

// The file's bytes as 8-bit text: UTF-8 (its byte-order mark dropped) converted to
// Windows-1251, anything else taken as it is.
std::string DecodeFileText(std::string_view bytes);

struct TextFile {
    std::vector<std::string> lines;  // 8-bit
    std::string error;               // why the file could not be read (UTF-8); empty when read
};

// The largest file read: far beyond any program for the machine, and small enough that reading
// it cannot exhaust memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{64} << 20;

// Reads a file's lines. A directory, a device or pipe, and a file over kMaxTextFileBytes are
// refused with a reason, before anything is read.
TextFile ReadTextFile(const std::filesystem::path& path);

// Writes bytes to a file; returns why it failed (UTF-8), empty on success.
std::string WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace q42
