#pragma once
// The programs the benchmarks run, as instruction words, and a bare run of the machine.

#include <cstdint>
#include <limits>
#include <vector>

#include "machine/machine.h"

namespace q42::bench {

// MOV #outer,R0; loop: MOV #inner,R1; inner: SUB #1,R1; BNE inner; SUB #1,R0; BNE loop; HLT.
// Steps: outer * (2 * inner + 3) + 2; the defaults give about 10^8.
inline std::vector<Value> Countdown(Value outer = 1667, Value inner = 30000) {
    return {0x01D0, outer, 0x01D1, inner, 0x2311, 0x4DFC, 0x2310, 0x4DF4, 0xAF18};
}

// MOV #count,R0; MOV #40,R1; loop: MOV (R1),R2; XOR #1,R2; MOV R2,(R1); MOVB (R1),R3;
// CMPB #1,R3; BLE +2; NOP; PUSH R2; BCALL sub; POP R3; SUB #1,R0; BNE loop; HLT; NOP;
// sub: MOV #5,R3; BRET. About 15 steps a round.
inline std::vector<Value> Mixed(Value count = 0x7FFF) {
    return {0x01D0, count,  0x01D1, 0x0040, 0x0152, 0x2912, 0x0125, 0xC153, 0xE413, 0x6D02,
            0x0000, 0x0E22, 0x9D0A, 0x0E33, 0x2310, 0x4DE8, 0xAF18, 0x0000, 0x2153, 0x0D00};
}

// Loads the program at 0000 and steps the machine from 0000 to its halt or first error, as the
// run loop does but without a display; returns the steps taken.
inline std::int64_t RunOnMachine(Machine& machine, const std::vector<Value>& program) {
    machine.ram.fill(0);
    for (std::size_t i = 0; i < program.size(); ++i)
        machine.ram[i] = program[i];
    machine.r.fill(0);
    machine.pc = 0;
    machine.ps = 0;
    machine.sp = kInitialSP;
    machine.stopFlag = false;
    return machine.RunSteps(std::numeric_limits<std::int64_t>::max());
}

}  // namespace q42::bench
