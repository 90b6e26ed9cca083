// What keeping a run's history costs: a full-speed run of the countdown (10^8 steps) with the
// history on and off, measured in the same run, the memory the whole history takes, and the time
// of going back one step at different depths of that run.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <limits>
#include <vector>

#include "bench/bench_programs.h"
#include "bench/ratio_reporter.h"
#include "machine/rom_image.h"
#include "session/display.h"
#include "session/history.h"
#include "session/run_control.h"

namespace q42::bench {
namespace {

class NoMessages : public MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

// A face that lets the run go in batches of about a millisecond, as the desktop program does,
// never waits for input, and stops a run after `budget` steps.
class QuietHost : public DisplayHost, public RunHost {
  public:
    RunControl* run = nullptr;
    std::int64_t budget = std::numeric_limits<std::int64_t>::max();

    void BeginLineInput() override {}
    std::string InputLineText() override { return {}; }
    void HideInputLine() override {}
    bool WaitForEvents() override { return false; }
    std::int64_t StepsBeforeEvents() override { return 200'000; }
    void SetRunState(bool running) override { taken_ = running ? 0 : taken_; }
    void ProcessEvents(std::int64_t steps) override {
        if ((taken_ += steps) >= budget) run->StopProgram();
    }

  private:
    std::int64_t taken_ = 0;
};

// Writes stars on one screen line for ever, through the ROM's PUTC: the line grows to its
// limit, and every checkpoint holds it.
std::vector<Value> EndlessLine() {
    return {0x01D0, 0x002A, 0x9C0D, 0x4000, 0x1DFA};  // MOV #'*',R0; L: CALL #4000H; BR L
}

struct Rig {
    QuietHost host;
    q42::Machine machine;
    Display display{machine, host};
    RunControl run{machine, display, host};
    History history{machine, display};

    explicit Rig(bool withHistory) {
        host.run = &run;
        machine.AttachTerminal(&display);
        NoMessages messages;
        LoadRomImage(machine, std::filesystem::path(Q42_SOURCE_DIR "/rom/Q42ROM.TXT"), kRomStart,
                     messages);
        if (withHistory) run.SetHistory(&history);
    }
    // Runs the program from 0000 to its halt; returns the steps taken.
    std::int64_t Run(const std::vector<Value>& program) {
        MachineState start;
        std::copy(program.begin(), program.end(), start.ram.begin());
        machine.Restore(start);
        run.RunProgram();
        return history.LastStep();
    }
};

void FullRun(benchmark::State& state, bool withHistory, const std::vector<Value>& program) {
    Rig rig(withHistory);
    Rig counter(true);
    rig.host.budget = counter.host.budget = 100'000'000;
    const std::int64_t stepsPerRun = counter.Run(program);
    std::int64_t steps = 0;
    for (auto _ : state) {
        rig.Run(program);
        steps += stepsPerRun;
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
    if (withHistory) {
        state.counters["history MB"] = static_cast<double>(rig.history.CheckpointBytes()) / 1e6;
        state.counters["checkpoints"] = static_cast<double>(rig.history.CheckpointCount());
    }
}

// One step back from the step `depth` thousandths into the run, after the whole run; each
// iteration starts from the run's end, as a student stepping back from where the run stopped.
void GoBackOneStep(benchmark::State& state, Rig& rig, std::int64_t last) {
    const std::int64_t from = last * state.range(0) / 1000;
    for (auto _ : state) {
        state.PauseTiming();
        rig.history.GoTo(from);
        state.ResumeTiming();
        rig.history.GoTo(from - 1);
    }
    state.counters["history MB"] = static_cast<double>(rig.history.CheckpointBytes()) / 1e6;
}

void StepBack(benchmark::State& state) {
    static Rig rig(true);
    static const std::int64_t last = rig.Run(Countdown());
    GoBackOneStep(state, rig, last);
}

// The same at 10^9 steps: an endless loop stopped there, the deepest run the history promises
// a step back of under a millisecond for.
void StepBackDeep(benchmark::State& state) {
    static Rig rig(true);
    static const std::int64_t last = [] {
        rig.host.budget = 1'000'000'000;
        return rig.Run({0x1DFF});  // L: BR L
    }();
    GoBackOneStep(state, rig, last);
}

BENCHMARK_CAPTURE(FullRun, with_history, true, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRun, without_history, false, Countdown())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRun, endless_line_with_history, true, EndlessLine())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRun, endless_line_without_history, false, EndlessLine())
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StepBack)->Arg(1)->Arg(500)->Arg(999)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(StepBackDeep)->Arg(1)->Arg(500)->Arg(999)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace q42::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    q42::bench::RatioReporter reporter(std::vector<std::pair<std::string, std::string>>{
        {"FullRun/with_history", "FullRun/without_history"},
        {"FullRun/endless_line_with_history", "FullRun/endless_line_without_history"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
