#pragma once
// The console report of Google Benchmark, followed by the ratios of named pairs of benchmarks'
// "steps/s" counters, measured in the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace q42::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Each pair is (measured, reference): the report gives measured / reference.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
        : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto counter = run.counters.find("steps/s");
            if (counter == run.counters.end() || run.error_occurred) continue;
            // With repetitions the median is kept; a single run stands for itself.
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            rates_[run.run_name.str()] = counter->second.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [measured, reference] : pairs_) {
            if (!rates_.count(measured) || !rates_.count(reference)) continue;
            GetOutputStream() << "ratio " << measured << " / " << reference << " = "
                              << rates_[measured] / rates_[reference] << "\n";
        }
    }

  private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, double> rates_;
};

}  // namespace q42::bench
