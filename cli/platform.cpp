#include "cli/platform.h"

#include <algorithm>
#include <filesystem>
#include <iostream>


#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <streambuf>
#endif

namespace q42::cli {

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* text, int length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

bool StandardInputIsConsole() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

// Keys typed into the console, as UTF-8 (a line at a time, as the console gives them).
int ReadConsoleUtf8(char* buffer, int size) {
    static std::string pending;
    while (pending.empty()) {
        wchar_t keys[512];
        DWORD count = 0;
        if (!::ReadConsoleW(::GetStdHandle(STD_INPUT_HANDLE), keys, 511, &count, nullptr) ||
            count == 0)
            return 0;  // the end, an error, or a Ctrl+C that broke off the read
        // A character beyond the first 65536 comes in two halves: the second one is read too.
        if (keys[count - 1] >= 0xD800 && keys[count - 1] <= 0xDBFF) {
            DWORD more = 0;
            ::ReadConsoleW(::GetStdHandle(STD_INPUT_HANDLE), keys + count, 1, &more, nullptr);
            count += more;
        }
        // Ctrl+Z at the start of a line ends the input, as it does for other console programs.
        if (keys[0] == 0x1A) return 0;
        pending = Utf8FromWide(keys, static_cast<int>(count));
    }
    const int taken = std::min(size, static_cast<int>(pending.size()));
    pending.copy(buffer, static_cast<std::size_t>(taken));
    pending.erase(0, static_cast<std::size_t>(taken));
    return taken;
}

std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), static_cast<int>(text.size()));
}

// Windows shells pass * and ? on to the program, so that `check EXERCISE *.asm` would name no
// file: such a name becomes the files it matches, sorted, as a Linux shell gives them; one that
// matches nothing stays as it is. The folder part is kept as it was typed.
std::vector<std::string> ExpandWildcards(const std::wstring& argument) {
    if (argument.find_first_of(L"*?") == std::wstring::npos) return {Utf8FromWide(argument)};
    const std::wstring folder = argument.substr(0, argument.find_last_of(L"/\\:") + 1);
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(argument.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != L'.') names.push_back(Utf8FromWide(folder + found.cFileName));
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back(Utf8FromWide(argument));
    return names;
}

class StandardInput : public std::streambuf {
  protected:
    int_type underflow() override {
        const int count = ReadStandardInput(buffer_, sizeof buffer_);
        if (count <= 0) return traits_type::eof();
        setg(buffer_, buffer_, buffer_ + count);
        return traits_type::to_int_type(*gptr());
    }

  private:
    char buffer_[4096];
};

// The console belongs to the shell that started the program too: it gets its code pages back.
UINT shellOutputCodePage = 0;
UINT shellInputCodePage = 0;

void RestoreCodePages() {
    if (shellOutputCodePage != 0) ::SetConsoleOutputCP(shellOutputCodePage);
    if (shellInputCodePage != 0) ::SetConsoleCP(shellInputCodePage);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; i < count; ++i) {
        for (std::string& name : ExpandWildcards(arguments[i]))
            utf8.push_back(std::move(name));
    }
    ::LocalFree(arguments);
    return utf8;
}

void PrepareStandardStreams() {
    shellOutputCodePage = ::GetConsoleOutputCP();
    shellInputCodePage = ::GetConsoleCP();
    std::atexit(RestoreCodePages);
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
    ::_setmode(_fileno(stdin), _O_BINARY);
    ::_setmode(_fileno(stdout), _O_BINARY);
    ::_setmode(_fileno(stderr), _O_BINARY);
    static StandardInput input;
    if (StandardInputIsConsole()) std::cin.rdbuf(&input);
}

std::string ProgramDirectory(const char*) {
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = ::GetModuleFileNameW(nullptr, name.data(), name.size())) == name.size())
        name.resize(name.size() * 2);
    name.resize(length);
    return std::filesystem::path(name).parent_path().string();
}

int ReadStandardInput(char* buffer, int size) {
    if (StandardInputIsConsole()) return ReadConsoleUtf8(buffer, size);
    return std::max(::_read(_fileno(stdin), buffer, static_cast<unsigned>(size)), 0);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

std::string ProgramDirectory(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

#endif

}  // namespace q42::cli
