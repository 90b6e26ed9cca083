#pragma once
// Text files of the system: assembler sources and code files. Inside, text is 8-bit
// (Windows-1251); a file that is valid UTF-8 is read as UTF-8 for convenience, any other file as
// Windows-1251. Lines end in CR LF, CR or LF when read, and in CR LF when written.

#include <cstdint>
#include <filesystem>
#include <istream>
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

// The largest file read, 1 MB: far beyond any program for the machine (its RAM holds 128 words,
// and a program of them with every comment is a few kilobytes), and small enough that reading it
// costs little memory: every line kept as a string takes a few dozen bytes more than its text.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{1} << 20;

// Reads a file's lines. A directory, a device or pipe, and a file over kMaxTextFileBytes are
// refused with a reason, before anything is read; a file that grows past it while it is read is
// refused when it does.
TextFile ReadTextFile(const std::filesystem::path& path);

// Reads a stream to its end; nothing once it has given more than `limit` bytes.
std::optional<std::string> ReadAtMost(std::istream& in, std::uintmax_t limit);

// Writes bytes to a file; returns why it failed (UTF-8), empty on success. An existing file is
// replaced only once every byte is written and on the disk; until then, and after a failure, it
// keeps its old contents and permissions. A device or pipe is written directly.
std::string WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace q42
