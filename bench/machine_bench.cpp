// Steps per second of the machine on two programs: a countdown of two nested counters, and a
// mixed loop with memory operands, byte operations, compare and branches, calls and the stack.

#include <benchmark/benchmark.h>

#include <vector>

#include "machine/machine.h"

namespace {

using q42::Value;

// MOV #outer,R0; loop: MOV #inner,R1; inner: SUB #1,R1; BNE inner; SUB #1,R0; BNE loop; HLT
std::vector<Value> Countdown(Value outer, Value inner) {
    return {0x01D0, outer, 0x01D1, inner, 0x2311, 0x4DFC, 0x2310, 0x4DF4, 0xAF18};
}

// MOV #count,R0; MOV #40,R1; loop: MOV (R1),R2; XOR #1,R2; MOV R2,(R1); MOVB (R1),R3;
// CMPB #1,R3; BLE +2; NOP; PUSH R2; BCALL sub; POP R3; SUB #1,R0; BNE loop; HLT; NOP;
// sub: MOV #5,R3; BRET
std::vector<Value> Mixed(Value count) {
    return {0x01D0, count,  0x01D1, 0x0040, 0x0152, 0x2912, 0x0125, 0xC153, 0xE413, 0x6D02,
            0x0000, 0x0E22, 0x9D0A, 0x0E33, 0x2310, 0x4DE8, 0xAF18, 0x0000, 0x2153, 0x0D00};
}

// Runs the program from 0000 to its halt and reports the steps taken.
void RunToHalt(benchmark::State& state, const std::vector<Value>& program) {
    q42::Machine machine;
    std::int64_t steps = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < program.size(); ++i)
            machine.ram[i] = program[i];
        machine.pc = 0;
        machine.sp = q42::kInitialSP;
        machine.stopFlag = false;
        do {
            machine.ExecuteStep();
            ++steps;
        } while (!machine.stopFlag && !machine.Failed());
        if (machine.Failed()) state.SkipWithError("the program failed");
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

void BM_Countdown(benchmark::State& state) {
    RunToHalt(state, Countdown(100, 1000));
}
void BM_Mixed(benchmark::State& state) {
    RunToHalt(state, Mixed(10000));
}

BENCHMARK(BM_Countdown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mixed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
