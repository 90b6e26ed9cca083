// Exercise files: any bytes are read as one, and either give an exercise or a message; an
// exercise read then checks a short program case by case, each within its step limit.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exercise/checker.h"
#include "exercise/exercise_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ExerciseFile file = ParseExercise(text);
    Require(file.exercise.has_value() != !file.error.empty());
    if (!file.exercise) return 0;
    // A case may ask for many steps; the fuzzer keeps each run short.
    for (ExerciseCase& exerciseCase : file.exercise->cases)
        exerciseCase.maxSteps = std::min<std::int64_t>(exerciseCase.maxSteps, 2000);
    static const Machine rom;
    const auto results =
        CheckCodeText(rom, {"9C0D", "4182", "0113", "AF18"}, *file.exercise).cases;
    Require(results.size() == file.exercise->cases.size());
    for (const CaseResult& result : results)
        Require(result.steps <= 2000);
    return 0;
}
