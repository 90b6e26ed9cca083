#pragma once
// Where a checked program's words came from, for the messages that point into it: the source
// line of each word and the text of each source line, and the operations it uses with their
// addresses. A code file has no source: its places are addresses alone.

#include <set>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "machine/machine.h"

namespace q42 {

// An operation of the program: its name from the instruction table, and where it stands.
struct UsedOperation {
    std::string name;
    Value address = 0;
};

struct ProgramMap {
    std::vector<int> wordLines;  // the source line of the word at address 2*i; 0: none
    TextLines source;
    std::vector<UsedOperation> operations;
    int words = 0;  // the program's size

    // "00FE, line 12: MOV (R1),R0", or "00FE" where the address has no source line (UTF-8, in
    // the interface language).
    std::string Place(Value address) const;
    // The source lines of these addresses as ranges, "3-6, 9"; empty when none is known.
    std::string LinesOf(const std::set<Value>& addresses) const;
};

// The map of an assembled text: its statements' lines, and the operation of each statement.
ProgramMap MapOfAssembly(const Assembly& assembly, const TextLines& source);
// The map of a code text loaded into `loaded`: its words read as instructions from 0000.
ProgramMap MapOfCode(const Machine& loaded, int words);

}  // namespace q42
