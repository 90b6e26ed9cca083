#pragma once
// The ROM image: a text file, one hex word per data line, comment lines, and an end line ".".
// It is read once, when the machine starts.

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/terminal.h"

namespace q42 {

inline constexpr const char* kRomFileName = "Q42ROM.TXT";

// Reads a ROM image into memory from `start` on. A failure is shown through `messages`, stops
// loading and is returned; the words loaded before the failing line stay. An image without an
// end line ends with the file.
Fault LoadRomImage(Machine& machine, std::istream& image, Value start, MessageSink& messages);

// The same from a file; a file that cannot be opened is reported as "Файл с ПЗУ не найден!" and
// is no fault of the machine's: it runs with an empty ROM.
Fault LoadRomImage(Machine& machine, const std::filesystem::path& file, Value start,
                   MessageSink& messages);

// The ROM image file to load: "Q42ROM.TXT" in the first of `directories` that holds it, or an
// empty path when none does.
std::filesystem::path FindRomImage(const std::vector<std::filesystem::path>& directories);

// The directories searched for the ROM image: the current directory first, then the program's
// own directory, the data directory of the tree it is installed in, and the data directory it
// was built for.
std::vector<std::filesystem::path> RomSearchPath(const std::filesystem::path& programDirectory);

// Machine start-up: reset, and load the ROM image `romFile` at 4000. A fault in the image is held
// as the run error, so that a run cannot start before the code text loads.
void InitMachine(Machine& machine, const std::filesystem::path& romFile, MessageSink& messages);

}  // namespace q42
