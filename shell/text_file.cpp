#include "shell/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "assembler/codetext.h"
#include "machine/codepage.h"

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
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxTextFileBytes) {
        return {{},
                path.string() + ": too large for a text (" + std::to_string(size >> 20) + " MB)"};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, path.string() + ": " + std::strerror(errno)};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return {{}, path.string() + ": read error"};
    return {SplitTextLines(DecodeFileText(bytes.str())), ""};
}

std::string WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return path.string() + ": " + std::strerror(errno);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return path.string() + ": write error";
    return "";
}

}  // namespace q42
