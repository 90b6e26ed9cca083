#pragma once
// The disassembler: an instruction word, with the words after it that its operands take, back to
// one statement of the assembler's language, named from the instruction table.
//
// The statement is always one the assembler reads, in upper case:
//   - an operation with its operands, as the assembler writes this word: registers "R0".."R3"
//     and "(R0)".."(R3)"; a constant in the word after the instruction "#" and four hex digits
//     with a final "H" ("#0040H", "#0FFFFH"); a short constant in the instruction word "#5",
//     "#-15"; a port "P.3"; a byte mark "%" where the mode bits set one (MOV's byte into a word:
//     "MOV R0%,R1");
//   - an address that the assembler takes only as a name, a branch's target or the address of a
//     memory word, as the name "@" and its four hex digits: "BNE @0004", "MOV @0040,R0";
//   - "DW" and the word in the same hex form ("DW 0FFFFH") for a word no table entry names and
//     for one the assembler never writes: the operand fields 8..B, C and F, a constant as the
//     destination, byte marks on one operand only (but MOV's byte into a word), a short constant
//     -0, a branch 127 bytes forward or past either end of memory, other bits in a word that
//     takes no operand. A DW stands for that one word alone.
//
// What reads back to the same words: every statement without an "@" name, with two exceptions
// that follow the assembler's short-constant setting: a short constant reads back with short
// constants on, and a constant word of -15..15 in operand 1 of MOV..XOR or OUT with them off
// (a jump's and the single-operand group's constants take a word either way). A statement with a
// name reads back in a program that defines each name as its address, "@0040=0040H", and a
// branch when it stands at the address it was read from.

#include <functional>
#include <string>
#include <vector>

#include "machine/common.h"

namespace q42 {

struct Mnemonic;

struct Disassembled {
    std::string text;  // one statement
    int words = 1;     // the words it stands for: the instruction word and those after it
    // Its operands' texts in the order written ("#5", "R0", "P.3", "@0008"); none for a DW.
    std::vector<std::string> operands = {};
    const Mnemonic* operation = nullptr;  // the table's entry it names; nullptr for a DW
};

// Reads the word at a byte address.
using WordReader = std::function<Value(Value address)>;
// The name a program wrote for the word at `address`, which holds `value` now: the name of a
// constant or memory word, or the label of a branch. "" when it wrote none.
using WordNamer = std::function<std::string(Value address, Value value)>;

// The statement of the instruction word at `address`. With a namer, a word a name was written for
// shows as that name ("#PUTC", "X", "BNE NEXT") in place of its number or address; a statement
// with names reads back only in the program that defines them.
Disassembled Disassemble(const WordReader& read, Value address, const WordNamer& namer = {});

// The statement that puts the word itself into memory: "DW 0FFFFH".
std::string DataWordText(Value word);

}  // namespace q42
