#pragma once
// What the commands of q42cli share: the program read or assembled from the file given, the ROM
// image, and RAM printed as words.

#include <optional>
#include <ostream>
#include <string>

#include "assembler/asm_texts.h"
#include "cli/options.h"
#include "machine/machine.h"
#include "machine/terminal.h"

namespace q42::cli {

AsmOptions AssemblerOptions(const Options& options);

// Prints the assembler window's two status texts.
void PrintStatus(const AssemblerTexts& texts, std::ostream& err);

// The program as a code text: a code file's lines without the final ".", or the assembled
// assembler text. On failure prints why and returns the exit status.
std::optional<int> LoadProgram(const Options& options, AssemblerTexts& texts, AsmWarnings& warnings,
                               std::ostream& err);

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
