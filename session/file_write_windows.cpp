// Writing files on Windows: the C runtime's wide-character calls (a Cyrillic folder or name
// works whatever the system's code page), _commit to put the bytes on the disk, and MoveFileExW
// to put the new file in the old one's place.

#include <windows.h>
// After windows.h, as the C runtime's headers expect.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "session/file_write.h"

namespace q42 {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto part = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX));
        const int n = ::_write(fd, bytes.data(), part);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The errno value that says best why a Windows call failed.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        default: return EIO;
    }
}

}  // namespace

std::string WriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
    if (fd < 0) return WriteFailure(path, errno);
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (::_close(fd) != 0 && written) return WriteFailure(path, errno);
    return written ? "" : WriteFailure(path, error);
}

std::string ReplaceWithNewFile(const std::filesystem::path& path, const std::filesystem::path& target,
                        std::string_view bytes) {
    std::wstring temporary = target.native() + L".XXXXXX";
    if (::_wmktemp_s(temporary.data(), temporary.size() + 1) != 0)
        return FolderWriteFailure(target, EEXIST);
    const int fd = ::_wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    if (fd < 0) return FolderWriteFailure(target, errno);
    const bool written = WriteAll(fd, bytes) && ::_commit(fd) == 0;
    const int writeError = errno;
    const bool closed = ::_close(fd) == 0;
    const int closeError = errno;
    const bool moved = written && closed &&
                       ::MoveFileExW(temporary.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
        const int reason = !written ? writeError : !closed ? closeError : ErrnoOf(::GetLastError());
        ::_wunlink(temporary.c_str());
        return WriteFailure(path, reason);
    }
    return "";
}

}  // namespace q42
