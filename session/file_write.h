#pragma once
// The part of WriteFileBytes that differs between systems (file_write_posix.cpp,
// file_write_windows.cpp), and the messages they share.

#include <filesystem>
#include <string>
#include <string_view>

namespace q42 {

// Writes into a device or a pipe as it is: it cannot be replaced.
std::string WriteInPlace(const std::filesystem::path& path, std::string_view bytes);
// Writes the bytes into a new file in target's folder and puts it in target's place once all of
// it is on the disk: a full disk or a failed write leaves the old file as it was. Messages name
// `path`, the name the user gave.
std::string ReplaceWithNewFile(const std::filesystem::path& path, const std::filesystem::path& target,
                        std::string_view bytes);

// Why writing failed: the file and the system's reason for `error` (an errno value).
std::string WriteFailure(const std::filesystem::path& path, int error);
// Why the new file could not be made in target's folder.
std::string FolderWriteFailure(const std::filesystem::path& target, int error);

}  // namespace q42
