// Exercise files: any bytes are read as one, and either give an exercise or a message; an
// exercise read then checks a short program case by case, each within its step limit.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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
    // A program that reads a number, a key and writes it: every kind of input and the screen.
    static const std::vector<std::string> kProgram = {
        "  CALL #4182H", "W: IN 0,R3", "  CMP #80H,R3", "  BNE W", "  IN 1,R0",
        "  CALL #4000H", "  MUL R1,R1", "  HLT"};
    for (const ProgramResult& checked :
         {CheckCodeText(rom, {"9C0D", "4182", "0113", "AF18"}, *file.exercise),
          CheckSource(rom, kProgram, AsmOptions{}, *file.exercise)}) {
        Require(checked.cases.size() == file.exercise->cases.size());
        Require(checked.Points() <= checked.MaxPoints());
        for (const CaseResult& result : checked.cases) {
            Require(result.steps <= 2000);
            Require(result.Passed() == result.differences.empty());
            const CaseResult shown = ShownToStudent(result);
            Require(shown.Passed() == result.Passed() && shown.name == result.name);
            Require(!result.hidden || (shown.differences.empty() && shown.notes.empty()));
        }
    }
    return 0;
}
