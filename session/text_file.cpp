#include "session/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "assembler/codetext.h"
#include "machine/codepage.h"
#include "machine/language.h"
#include "session/file_write.h"

namespace q42 {

std::string DecodeFileText(std::string_view bytes) {
    if (!IsValidUtf8(bytes)) return std::string(bytes);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == kByteOrderMark) bytes.remove_prefix(3);
    return Utf8ToCp1251(bytes);
}

TextFile ReadTextFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) return {{}, path.string() + ": is a directory"};
    // A device or a pipe could give bytes without end, or none and never end.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return {{}, path.string() + ": not a regular file"};
    const auto tooLarge = [&path](std::uintmax_t size) {
        const std::string kilobytes = std::to_string((size + 1023) / 1024);
        return TextFile{
            {},
            path.string() + (EnglishTexts() ? ": too large (" + kilobytes +
                                                  " KB): a program's text may be at most 1 MB"
                                            : ": файл слишком велик (" + kilobytes +
                                                  " КБ): текст программы может занимать не "
                                                  "больше 1 МБ")};
    };
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxTextFileBytes) return tooLarge(size);
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, path.string() + ": " + std::strerror(errno)};
    // The file may grow while it is read: reading stops at the limit whatever it does.
    const auto bytes = ReadAtMost(in, kMaxTextFileBytes);
    if (!bytes) return tooLarge(kMaxTextFileBytes + 1);
    if (in.bad()) return {{}, path.string() + ": read error"};
    return {SplitTextLines(DecodeFileText(*bytes)), ""};
}

std::optional<std::string> ReadAtMost(std::istream& in, std::uintmax_t limit) {
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) return std::nullopt;
    }
    return bytes;
}

std::string WriteFailure(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

// The new file is made in the folder of the old one: a folder that refuses it is the reason,
// even when the old file itself could be written.
std::string FolderWriteFailure(const std::filesystem::path& target, int error) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    return folder.string() + ": " + std::strerror(error) +
           (EnglishTexts() ? " (the text is written into a new file in this folder first)"
                           : " (текст сначала записывается в новый файл в этой папке)");
}

std::string WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    // A link is followed, so that the file it names gets the text and the link stays.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        target = std::filesystem::weakly_canonical(path, error);
        if (error) return WriteFailure(path, error.value());
    }
    // A device or a pipe (/dev/stdout, a named pipe) is written as it is: it cannot be replaced.
    const auto status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteInPlace(target, bytes);
    return ReplaceWithNewFile(path, target, bytes);
}

}  // namespace q42
