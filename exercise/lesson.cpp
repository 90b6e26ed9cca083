#include "exercise/lesson.h"

#include <algorithm>
#include <cctype>

namespace q42 {
namespace {

// "## Exercise 2: Celsius" and "## Упражнение 2: ..." are exercise 2, titled "Celsius".
bool ReadExerciseHeading(std::string_view line, LessonExercise& exercise) {
    constexpr std::string_view kHeadings[] = {"## Exercise ", "## Упражнение "};
    for (const std::string_view heading : kHeadings) {
        if (!line.starts_with(heading)) continue;
        std::string_view rest = line.substr(heading.size());
        int number = 0;
        std::size_t digits = 0;
        for (; digits < rest.size() && digits < 2 &&
               std::isdigit(static_cast<unsigned char>(rest[digits]));
             ++digits)
            number = number * 10 + (rest[digits] - '0');
        if (digits == 0 || !rest.substr(digits).starts_with(": ")) return false;
        exercise.number = number;
        exercise.title = std::string(rest.substr(digits + 2));
        return true;
    }
    return false;
}

std::string_view TrimEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    return line;
}

}  // namespace

Lesson ReadLesson(std::string_view name, std::string_view markdown) {
    Lesson lesson;
    lesson.name = std::string(name);
    bool inBlock = false;
    bool inProgram = false;
    bool programDone = false;
    std::size_t start = 0;
    while (start < markdown.size()) {
        std::size_t end = markdown.find('\n', start);
        if (end == std::string_view::npos) end = markdown.size();
        const std::string_view line = TrimEnd(markdown.substr(start, end - start));
        start = end + 1;
        if (line.starts_with("```")) {
            inProgram = !inBlock && !programDone && line == "```asm program";
            if (inBlock && !lesson.program.empty()) programDone = true;
            inBlock = !inBlock;
            continue;
        }
        if (inProgram) {
            lesson.program.append(line).push_back('\n');
        } else if (inBlock) {
            continue;
        } else if (lesson.title.empty() && line.starts_with("# ")) {
            lesson.title = std::string(line.substr(2));
        } else if (LessonExercise exercise; ReadExerciseHeading(line, exercise)) {
            exercise.name = lesson.name + '-' + std::to_string(exercise.number);
            lesson.exercises.push_back(std::move(exercise));
        }
    }
    return lesson;
}

std::vector<std::string> LessonNames(const std::vector<std::string>& fileNames) {
    std::vector<std::string> names;
    for (const std::string& file : fileNames) {
        const bool numbered = file.size() > 6 &&
                              std::isdigit(static_cast<unsigned char>(file[0])) &&
                              std::isdigit(static_cast<unsigned char>(file[1])) && file[2] == '-';
        if (numbered && !file.starts_with("00-") && file.ends_with(".md"))
            names.push_back(file.substr(0, file.size() - 3));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace q42
