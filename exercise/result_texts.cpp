#include "exercise/result_texts.h"

#include "machine/language.h"

namespace q42 {
namespace {

std::string_view Pick(std::string_view russian, std::string_view english) {
    return EnglishTexts() ? english : russian;
}

}  // namespace

std::string ExerciseResultsTitle(std::string_view exercise) {
    return std::string(Pick("Проверка упражнения: ", "Exercise check: ")) + std::string(exercise);
}

std::vector<std::string> ExerciseColumnTitles() {
    if (EnglishTexts()) return {"Case", "Result", "Differences"};
    return {"Вариант", "Итог", "Расхождения"};
}

std::string_view CaseVerdict(bool passed) {
    return passed ? "PASS" : "FAIL";
}

std::string ExerciseSummary(int passed, int failed, int points, int maxPoints) {
    const std::string ofPoints = std::to_string(points) +
                                 std::string(Pick(" из ", " of ")) + std::to_string(maxPoints);
    if (EnglishTexts())
        return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed; " +
               ofPoints + " points";
    return "Пройдено: " + std::to_string(passed) + ", не пройдено: " + std::to_string(failed) +
           "; баллы: " + ofPoints;
}

std::string ExerciseFileProblem(std::string_view file, std::string_view problem, int line) {
    std::string text(file);
    if (line > 0) text += std::string(Pick(", строка ", ", line ")) + std::to_string(line);
    return text + ": " + std::string(problem);
}

}  // namespace q42
