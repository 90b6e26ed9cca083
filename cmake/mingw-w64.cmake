# Cross-compiling q42cli.exe for 64-bit Windows with Debian's MinGW-w64 (scripts/windows.sh).
# The program is linked statically, so that the .exe runs on its own, without any DLL beside it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# windows.h without its min and max macros, which would hide std::min and std::max.
set(CMAKE_CXX_FLAGS_INIT "-DNOMINMAX")

# The header-only libraries (CLI11, nlohmann-json, toml++) are the build machine's, but its
# /usr/include must not be searched as a whole: its C library headers would take the place of
# MinGW's. A folder of links shows the three libraries and their CMake package files alone.
set(Q42_HEADER_ONLY "${CMAKE_BINARY_DIR}/header-only")
foreach(entry IN ITEMS include/CLI include/nlohmann include/toml++
                       share/cmake/CLI11 share/cmake/nlohmann_json)
    if(NOT EXISTS "${Q42_HEADER_ONLY}/${entry}")
        get_filename_component(parent "${Q42_HEADER_ONLY}/${entry}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "/usr/${entry}" "${Q42_HEADER_ONLY}/${entry}" SYMBOLIC)
    endif()
endforeach()

# Headers, libraries and packages come from MinGW's folder and that folder of links only;
# programs (the compiler, gzip) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${Q42_HEADER_ONLY}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
