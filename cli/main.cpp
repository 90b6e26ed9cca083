// q42cli: the command-line face of the Q42 teaching computer.

#include <cstring>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: q42cli --help | --version\n"
    "The assembler and the run commands are not built yet.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "q42cli 0.1.0\n";
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
