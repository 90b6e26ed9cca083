#pragma once
// A lesson's outline, read from its Markdown text: its title, its worked program and its
// exercises. A lesson "07-loops" (docs/lessons/<language>/07-loops.md) has the exercises
// "## Exercise K: Title" ("## Упражнение K: ..." in Russian) and exercise K starts from the text
// "07-loops-K.asm" and is checked by "07-loops-K.q42test". The desktop program and the page both
// read their lessons through this, so that they show the same ones.

#include <string>
#include <string_view>
#include <vector>

namespace q42 {

struct LessonExercise {
    int number = 0;     // 1, 2, ...
    std::string title;  // after "Exercise K: "
    std::string name;   // "07-loops-2": the starting text's and the check's file name
};

struct Lesson {
    std::string name;     // "07-loops"
    std::string title;    // the first heading without its "# "
    std::string program;  // the first "asm program" block, empty when there is none
    std::vector<LessonExercise> exercises;
};

// The outline of the lesson `name` from its Markdown text; any text gives one, possibly empty.
Lesson ReadLesson(std::string_view name, std::string_view markdown);

// The lessons' names among file names ("07-loops.md" → "07-loops"), in order: numbered files
// from 01 on, without the chapter on using the program (00-) and the index.
std::vector<std::string> LessonNames(const std::vector<std::string>& fileNames);

}  // namespace q42
