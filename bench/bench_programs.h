#pragma once
// The programs the benchmarks run, as instruction words, and a bare run of the machine.

#include <benchmark/benchmark.h>

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

// outer: MOV #count,R0; MOV #40,R1; loop: MOV (R1),R2; XOR #1,R2; MOV R2,(R1);
// MOVB (R1),R3; CMPB #1,R3; BLE +2; NOP; PUSH R2; BCALL sub; POP R3; SUB #1,R0; BNE loop;
// SUB #1,@50; BNE outer; HLT; NOP; sub: MOV #5,R3; BRET; and the rounds of the outer loop in
// the word at 0050. About 15 steps a round of the inner loop; the defaults give about 7.7 million
// steps, long enough that a run's fixed costs in the desktop program do not count.
inline std::vector<Value> Mixed(Value count = 0x7FFF, Value outer = 16) {
    std::vector<Value> program = {0x01D0, count,  0x01D1, 0x0040, 0x0152, 0x2912, 0x0125, 0xC153,
                                  0xE413, 0x6D02, 0x0000, 0x0E22, 0x9D10, 0x0E33, 0x2310, 0x4DE8,
                                  0x231E, 0x0050, 0x4DDA, 0xAF18, 0x0000, 0x2153, 0x0D00};
    program.resize(0x50 / 2 + 1);
    program[0x50 / 2] = outer;
    return program;
}

// Loads the program at 0000 and steps the machine from 0000 to its halt or first error, as the
// run loop does but without a display; returns the steps taken.
inline std::int64_t RunOnMachine(Machine& machine, const std::vector<Value>& program) {
    MachineState start;
    std::copy(program.begin(), program.end(), start.ram.begin());
    machine.Restore(start);
    // Hidden from the compiler, so that it runs the same code as the run loop's batches rather
    // than a copy specialised for an endless batch.
    std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    benchmark::DoNotOptimize(limit);
    return machine.RunSteps(limit);
}

}  // namespace q42::bench
