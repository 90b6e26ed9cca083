#pragma once
// What differs between systems at q42cli's edges. On Windows the arguments arrive as UTF-16, the
// console has its own code page, and the C runtime turns "\n" into "\r\n"; here the program
// takes UTF-8 arguments, sets the console to UTF-8, and reads and writes the standard streams
// as bytes, so that a transcript, a trace or a JSON answer is byte for byte what it is on Linux
// (a Windows console shows a bare line feed as a new line). Elsewhere nothing needs doing.

#include <string>
#include <vector>

namespace q42::cli {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Sets the console's code pages and the standard streams' modes as above.
void PrepareStandardStreams();
// The folder that holds the running program, as UTF-8.
std::string ProgramDirectory(const char* argv0);
#ifdef _WIN32
// Reads what standard input has, up to `size` bytes, as UTF-8; 0 at its end. Keys typed into a
// Windows console are read as Unicode, which its UTF-8 code page does not give reliably.
int ReadStandardInput(char* buffer, int size);
#endif

}  // namespace q42::cli
