#pragma once
// Similar solutions: how much of two programs is the same sequence of instructions once names,
// registers and constants are put aside. A teacher's check for copied work, not a proof: a pair it
// finds is one to read side by side.
//
// Each program becomes a sequence of instruction tokens, taken from its assembled words rather
// than its text, so that layout, comments, label names and the spelling of constants do not count.
// A token is an operation (from the instruction table, so BE and BNE differ, and so does a MOV of
// bytes from one of words) with the addressing mode of each operand: register, word at a
// register's address, indexed, constant (short or a word), address, port. Which register, which
// constant, which port and which branch target are left out. Registers are dropped rather than
// renamed consistently: the machine has four, a copied program with R1 and R2 swapped is the
// commonest disguise, and a renaming that must agree across a whole program would split a match at
// every block that was moved. Data words (DW, DS, RW) are left out too: a message the exercise asks
// for is alike in every solution. A code file has no statements, so its words are read as the
// disassembler reads them from address 0000 on, and a word that only DW could have written is
// skipped as data.
//
// Two sequences are compared by greedy string tiling: the longest common run of tokens not yet
// matched is taken, again and again, while it is at least kMinimumRun long. A run does not reach
// across data words, so that its lines are the instructions that match. Moving a block
// elsewhere keeps its run; an inserted instruction only splits one. The score is the share of both
// programs' tokens that lie in the runs: 2 x matched / (tokens of one + tokens of the other), from
// 0 to 1.

#include <cstdint>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "machine/machine.h"

namespace q42 {

// The shortest run of tokens counted as a match: shorter ones (a call with its argument) occur in
// every solution of an exercise.
constexpr int kMinimumRun = 4;

// A pair is listed only when its runs hold at least this many instructions: programs of a handful
// of instructions (swap two registers, write two characters) are alike by necessity.
constexpr int kLeastMatched = 8;

// At most this many instructions of a program are compared: as many words as RAM holds, so every
// program the machine can load is compared whole, and the work of a pair stays bounded for any
// input.
constexpr int kMaxInstructions = kRamWords;

// One instruction in normalised form, and where it stands in its program.
struct InstructionToken {
    std::uint32_t kind = 0;  // the operation with its operands' modes
    int place = 0;           // the source line of its statement, or a code file word's address
    bool afterData = false;  // data words lie between it and the instruction before it
};

struct InstructionSequence {
    std::vector<InstructionToken> tokens;
    bool byAddress = false;  // places are byte addresses (a code file), not source lines
    bool cut = false;        // the program had more than kMaxInstructions instructions
    std::string error;       // why the program could not be read (8-bit, the texts' language)
};

// The instructions of an assembler text, assembled with `options`; of a code file's code text when
// `name` ends in ".cod". A text that does not assemble, or a code line that does not load, gives
// the error with its line.
InstructionSequence SequenceOfProgram(const std::string& name, const TextLines& lines,
                                      const AsmOptions& options);
// The instructions of an assembled program.
InstructionSequence SequenceOfAssembly(const Assembly& assembly);

// A run of tokens both programs hold, as the places of its first and last instruction in each.
struct MatchedRun {
    int length = 0;  // in instructions
    int firstFrom = 0, firstTo = 0;
    int secondFrom = 0, secondTo = 0;
};

struct Similarity {
    double score = 0;              // 0..1
    int matched = 0;               // the instructions of one program in the runs
    std::vector<MatchedRun> runs;  // longest first
};

Similarity Compare(const InstructionSequence& first, const InstructionSequence& second);

// A pair of programs given by their indexes, first < second.
struct SimilarPair {
    int first = 0;
    int second = 0;
    Similarity similarity;
};

// Every pair of the programs whose score is at least `threshold` and whose runs hold at least
// kLeastMatched instructions, highest first, then in the order
// the programs were given. Programs with an error are left out.
std::vector<SimilarPair> SimilarPairs(const std::vector<InstructionSequence>& programs,
                                      double threshold);

}  // namespace q42
