#pragma once
// A small file system that is full: a 64 KiB tmpfs mounted for the test, holding one file with
// old contents and a filler that takes every free block. Mounting needs root; where the machine
// does not allow it, `Mounted()` is false and the test is skipped.

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace q42::test {

class FullDisk {
  public:
    FullDisk() {
        std::filesystem::create_directories(dir_);
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::filesystem::path& Dir() const { return dir_; }

    // Writes a file, then fills what space is left.
    std::filesystem::path FileThenFill(const std::string& name, const std::string& contents) {
        std::ofstream(dir_ / name, std::ios::binary) << contents;
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
        }
        return dir_ / name;
    }
    // The names in the folder: a failed save leaves no temporary file behind.
    std::size_t Entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_))
            ++n;
        return n;
    }

  private:
    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() / ("q42_full_disk_" + std::to_string(::getpid()));
    bool mounted_ = false;
};

}  // namespace q42::test
