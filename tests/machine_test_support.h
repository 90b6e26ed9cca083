#pragma once
// Machine states written as short texts for table-driven tests: blank-separated items
// NAME=HEX, where NAME is R0..R3, PC, SP, PS, LR (the last result), N, Z, STOP, or @AAAA for the
// memory word at address AAAA. A value may start with "-" (SP driven below 0).

#include <string>
#include <string_view>
#include <vector>

#include "machine/machine.h"

namespace q42::test {

// Sets the named parts of the machine.
void ApplyState(Machine& machine, std::string_view state);

// Changes the machine's state through `change`, as a debugger would put back a saved state.
template <class Change>
void Edit(Machine& machine, Change change) {
    MachineState state = machine.State();
    change(state);
    machine.Restore(state);
}

// Compares the named parts; returns one line per difference, empty when all match.
std::string StateDifferences(Machine& machine, std::string_view state);

// Puts `words` into memory from address PC on and executes one step.
void Execute(Machine& machine, const std::vector<Value>& words);

std::string Utf8(Fault fault);

}  // namespace q42::test
