#pragma once
// What the commands of q42cli share: the program read or assembled from the file given, the ROM
// image, and RAM printed as words.

#include <optional>
#include <ostream>
#include <string>

#include "assembler/assembly.h"
#include "cli/options.h"
#include "machine/machine.h"
#include "machine/terminal.h"

namespace q42::cli {

AsmOptions AssemblerOptions(const Options& options);

// The program given on the command line.
struct Program {
    TextLines source;    // the assembler text; empty for a code file
    Assembly assembly;   // its assembly; empty for a code file
    TextLines codeText;  // what is loaded into RAM: a code file's lines or the assembled code
};

// Prints two status lines: where, then what.
void PrintStatus(const std::string& where, const std::string& what, std::ostream& err);

// Reads the program: a code file's lines without the final ".", or an assembler text, assembled,
// with its warnings printed. On failure prints why and returns the exit status.
std::optional<int> LoadProgram(const Options& options, Program& program, std::ostream& err);

// Starts the machine with the ROM image of --rom, or the one found beside the program. A ROM
// image named with --rom that cannot be loaded is bad usage: its message is shown and the exit
// status returned. Without --rom, a missing or bad image is reported and the work goes on.
[[nodiscard]] std::optional<int> LoadRom(Machine& machine, const Options& options,
                                         const std::string& programDirectory,
                                         MessageSink& messages);

// Output that could not be written (a full disk, /dev/full) is an error, not a success: the
// message and the bad-usage status, else `status`.
int CheckWritten(std::ostream& stream, const std::string& name, int status, std::ostream& err);

// `count` words from `from` on, eight a line, each line "AAAA: w0 w1 ...".
void DumpWords(const Machine& machine, Value from, int count, std::ostream& out);
// The whole of RAM in that form.
void DumpRam(const Machine& machine, std::ostream& out);

}  // namespace q42::cli
