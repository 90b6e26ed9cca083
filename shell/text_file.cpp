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
    if (std::filesystem::is_directory(path, error)) return {{}, path.string() + ": is a directory"};
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
