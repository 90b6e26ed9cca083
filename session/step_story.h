#pragma once
// A step told in words, with its values and the names the program wrote:
//   "SUB #1,R2: R2 := 0005 − 0001 = 0004; N = 0, Z = 0"
//   "BNE NEXT: Z = 0, so jump to NEXT (0016)"      "CALL #PUTC: push 0018, go to PUTC (4000)"
//   "input: the number 12 typed, R1 := 000C"
// Told from the machine before and after the step, by the instruction table's operation, in the
// texts' language (UTF-8). Operands, jump targets and calls show the names the program wrote,
// its labels and the ROM's routines; an address only where none names it.

#include <string>

#include "machine/machine.h"
#include "session/program_names.h"

namespace q42 {

// The machine around one step: its state before and after, and the machine for its ROM.
struct StepStates {
    const Machine& machine;
    const MachineState& before;
    const MachineState& after;
};

// The instruction at `address`, as memory held it before the step, and what it did.
std::string InstructionStory(const StepStates& states, Value address, const ProgramNames& names);

// The input part of a step at the input entry point `entry`: what was typed and what R1 got.
std::string InputStory(Value entry, const MachineState& after);

}  // namespace q42
