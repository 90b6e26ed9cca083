// The desktop program's speed: the real run loop with the real windows visible, as a ratio to
// the bare machine in the same process; the start-up to the first shown window; and the
// assembler on a program as large as RAM allows. Run it under Xvfb or with
// QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <string>

#include "assembler/assembler.h"
#include "bench/bench_programs.h"
#include "bench/ratio_reporter.h"
#include "desktop/assembler_window.h"
#include "desktop/processor_window.h"
#include "desktop/user_dialogs.h"
#include "desktop/workbench.h"
#include "machine/rom_image.h"

namespace q42::bench {
namespace {

class NoMessages : public MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

void StartWindows(Workbench& bench) {
    NoMessages messages;
    bench.Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    QApplication::processEvents();
}

void BareMachine(benchmark::State& state, const std::vector<Value>& program) {
    q42::Machine machine;
    std::int64_t steps = 0;
    for (auto _ : state)
        steps += RunOnMachine(machine, program);
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

// The program runs through the run command the windows send: greeting, run loop with event
// handling and repainting, end message, and the views of where the run ended; with the log open,
// its rows for every step too; with a breakpoint, one in RAM that the program never reaches.
void RunThroughWindows(benchmark::State& state, const std::vector<Value>& program, bool log,
                       bool breakpoint = false) {
    QtDialogs dialogs;
    Workbench bench(dialogs);
    StartWindows(bench);
    bench.ShowLogWindow(log);
    if (breakpoint) bench.ToggleRamBreakpoint(0x00F0);
    q42::Machine counter;
    const std::int64_t stepsPerRun = RunOnMachine(counter, program);
    std::int64_t steps = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < program.size(); ++i)
            bench.session.machine.WriteWord(static_cast<q42::Value>(2 * i), program[i]);
        bench.RunProgram();
        steps += stepsPerRun;
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

void DesktopRun(benchmark::State& state, const std::vector<Value>& program) {
    RunThroughWindows(state, program, false);
}

void DesktopRunWithLog(benchmark::State& state, const std::vector<Value>& program) {
    RunThroughWindows(state, program, true);
}

void DesktopRunWithBreakpoint(benchmark::State& state, const std::vector<Value>& program) {
    RunThroughWindows(state, program, false, true);
}

void StartUp(benchmark::State& state) {
    QtDialogs dialogs;
    for (auto _ : state) {
        Workbench bench(dialogs);
        StartWindows(bench);
    }
}

// A program that fills RAM: labelled blocks of moves, arithmetic, memory operands and branches.
std::vector<std::string> LargestProgram() {
    std::vector<std::string> lines = {"; as large as RAM allows", "N = 10", "DATA = 0F0H"};
    int words = 0;
    for (int block = 0; words + 9 <= 126; ++block) {
        const std::string label = "L" + std::to_string(block);
        lines.push_back(label + ": MOV #N,R0      ; count");
        lines.push_back("   ADD #1,R1");
        lines.push_back("   MOV R1,DATA");
        lines.push_back("   CMP #300,R1");
        lines.push_back("   SUB #1,R0");
        lines.push_back("   BNE " + label);
        words += 2 + 1 + 2 + 2 + 1 + 1;
    }
    lines.push_back("   HLT");
    return lines;
}

void Assembler(benchmark::State& state) {
    const auto source = LargestProgram();
    std::size_t words = 0;
    for (auto _ : state) {
        const Assembly assembly = Assemble(source, AsmOptions{});
        if (!assembly.Ok()) state.SkipWithError("compile error");
        words = assembly.code.size();
    }
    state.counters["words"] = static_cast<double>(words);
}

BENCHMARK_CAPTURE(BareMachine, countdown, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesktopRun, countdown, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesktopRunWithLog, countdown, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesktopRunWithBreakpoint, countdown, Countdown())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareMachine, mixed, Mixed())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesktopRun, mixed, Mixed())->Unit(benchmark::kMillisecond);
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);
BENCHMARK(Assembler)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace q42::bench

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    q42::bench::RatioReporter reporter({{"DesktopRun/countdown", "BareMachine/countdown"},
                                        {"DesktopRunWithLog/countdown", "BareMachine/countdown"},
                                        {"DesktopRunWithBreakpoint/countdown",
                                         "DesktopRun/countdown"},
                                        {"DesktopRun/mixed", "BareMachine/mixed"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
