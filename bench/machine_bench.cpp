// Steps per second of the machine on two programs, beside a minimal reference interpreter of the
// same instruction words, so that the machine's speed is read as a ratio measured in one run:
// a countdown of two nested counters (10^8 steps) and a mixed loop with memory operands, byte
// operations, compare and branches, calls and the stack.

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <vector>

#include "bench/bench_programs.h"
#include "bench/ratio_reporter.h"
#include "bench/reference_interpreter.h"
#include "machine/machine.h"

namespace q42::bench {
namespace {

// Runs the program from 0000 to its halt and reports the steps taken.
void Machine(benchmark::State& state, const std::vector<Value>& program) {
    q42::Machine machine;
    std::int64_t steps = 0;
    for (auto _ : state) {
        steps += RunOnMachine(machine, program);
        if (machine.Failed()) state.SkipWithError("the program failed");
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

void Reference(benchmark::State& state, const std::vector<Value>& program) {
    ReferenceInterpreter interpreter;
    std::int64_t steps = 0;
    for (auto _ : state) {
        interpreter.Load(program);
        steps += interpreter.Run();
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(Machine, countdown, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reference, countdown, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Machine, mixed, Mixed())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reference, mixed, Mixed())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace q42::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Both interpreters must agree on the programs, or the ratio means nothing.
    for (const auto& program : {q42::bench::Countdown(), q42::bench::Mixed()}) {
        q42::Machine machine;
        q42::bench::ReferenceInterpreter reference;
        reference.Load(program);
        if (q42::bench::RunOnMachine(machine, program) != reference.Run()) {
            std::cerr << "the reference interpreter disagrees with the machine\n";
            return 1;
        }
    }
    q42::bench::RatioReporter reporter(
        {{"Machine/countdown", "Reference/countdown"}, {"Machine/mixed", "Reference/mixed"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
