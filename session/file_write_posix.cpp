// Writing files on POSIX systems: a temporary file from mkstemp, made durable with fsync and
// renamed over the old one, with the old file's permissions.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "session/file_write.h"

namespace q42 {
namespace {

// The permissions of a new file, as the process's umask makes them.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all of the bytes, as often as the system takes only part of them.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::string WriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return WriteFailure(path, errno);
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 && written) return WriteFailure(path, errno);
    return written ? "" : WriteFailure(path, error);
}

std::string ReplaceWithNewFile(const std::filesystem::path& path, const std::filesystem::path& target,
                        std::string_view bytes) {
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return FolderWriteFailure(target, errno);
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    const bool written = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = !written ? writeError : !closed ? closeError : errno;
        ::unlink(temporary.c_str());
        return WriteFailure(path, reason);
    }
    return "";
}

}  // namespace q42
