// The lessons (docs/lessons/en, docs/lessons/ru): every worked program runs to the output its
// lesson shows, in both languages; both languages have the same lessons with the same programs
// and exercises, and each lesson keeps its shape; every exercise has its starting text, which
// assembles and does not pass yet, a reference solution that passes and a typical wrong one that
// fails with a difference, in both languages.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "exercise/lesson.h"
#include "tests/cyrillic.h"
#include "tests/doc_programs.h"

namespace q42::cli {
namespace {

const std::filesystem::path kSource = Q42_SOURCE_DIR;
const std::filesystem::path kExercises = kSource / "examples/lessons";

struct LessonLanguage {
    const char* lang;  // q42cli's name, and the lessons' folder
    const char* exercise;
    const char* remember;
};
constexpr LessonLanguage kLanguages[] = {{"en", "Exercise", "What to remember"},
                                         {"ru", "Упражнение", "Запомните"}};

std::filesystem::path Folder(const LessonLanguage& language) {
    return kSource / "docs/lessons" / language.lang;
}

// The chapters, by file name in order: 00-using.md, then the lessons 01-... on.
std::vector<std::string> Chapters(const LessonLanguage& language) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(language))) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".md" && name != "README.md") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The lessons' files, as the program finds them among the chapters.
std::vector<std::string> Lessons(const LessonLanguage& language) {
    std::vector<std::string> files;
    for (const std::string& name : LessonNames(Chapters(language)))
        files.push_back(name + ".md");
    return files;
}

// The lines outside the fenced blocks (an output block may hold a line that starts with "##").
std::vector<std::string> Prose(const std::string& text) {
    std::vector<std::string> prose;
    std::istringstream lines(text);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (line.starts_with("```")) {
            inside = !inside;
        } else if (!inside) {
            prose.push_back(line);
        }
    }
    return prose;
}

// A lesson as its file shows it, and its outline as the program reads it.
struct Lesson {
    std::string file;
    std::string title;  // the first line
    q42::Lesson outline;
    std::string lastHeading;
    std::vector<std::string> afterLastHeading;  // its lines that are not empty
    std::vector<DocProgram> programs;
};

Lesson ReadLesson(const LessonLanguage& language, const std::string& file) {
    const std::string text = ReadDoc(Folder(language) / file);
    Lesson lesson{file,
                  text.substr(0, text.find('\n')),
                  q42::ReadLesson(file.substr(0, file.size() - 3), text),
                  {},
                  {},
                  {}};
    for (const std::string& line : Prose(text)) {
        if (line.starts_with("## ")) {
            lesson.lastHeading = line;
            lesson.afterLastHeading.clear();
        } else if (!lesson.lastHeading.empty() && !line.empty()) {
            lesson.afterLastHeading.push_back(line);
        }
    }
    lesson.programs = DocPrograms(text, "asm program", file);
    return lesson;
}

// "07-loops.md" is lesson 7.
int Number(const std::string& file) {
    return std::stoi(file.substr(0, 2));
}

TEST(LessonsTextTest, EachLessonHasItsShape) {
    for (const LessonLanguage& language : kLanguages) {
        const std::vector<std::string> lessons = Lessons(language);
        EXPECT_GE(lessons.size(), 12U) << language.lang;
        for (std::size_t i = 0; i < lessons.size(); ++i) {
            const Lesson lesson = ReadLesson(language, lessons[i]);
            const std::string where = std::string(language.lang) + '/' + lesson.file;
            EXPECT_EQ(Number(lesson.file), static_cast<int>(i + 1)) << where;
            EXPECT_TRUE(lesson.title.starts_with("# " + std::to_string(i + 1) + ". ")) << where;
            EXPECT_EQ(lesson.outline.title, lesson.title.substr(2)) << where;
            ASSERT_EQ(lesson.programs.size(), 1U) << where;
            // The program "Open the program" puts into the editor is the one the lesson runs.
            EXPECT_EQ(lesson.outline.program, lesson.programs[0].source) << where;
            const std::vector<LessonExercise>& exercises = lesson.outline.exercises;
            ASSERT_GE(exercises.size(), 1U) << where;
            EXPECT_LE(exercises.size(), 3U) << where;
            for (std::size_t k = 0; k < exercises.size(); ++k) {
                EXPECT_EQ(exercises[k].number, static_cast<int>(k + 1)) << where;
                EXPECT_FALSE(exercises[k].title.empty()) << where;
            }
            // Every heading that looks like an exercise is read as one.
            std::size_t headings = 0;
            for (const std::string& line : Prose(ReadDoc(Folder(language) / lesson.file)))
                headings += line.starts_with(std::string("## ") + language.exercise) ? 1 : 0;
            EXPECT_EQ(headings, exercises.size()) << where;
            EXPECT_EQ(lesson.lastHeading, std::string("## ") + language.remember) << where;
            EXPECT_EQ(lesson.afterLastHeading.size(), 3U) << where;
        }
    }
}

TEST(LessonsTextTest, BothLanguagesHaveTheSameLessonsAndPrograms) {
    ASSERT_EQ(Chapters(kLanguages[0]), Chapters(kLanguages[1]));
    for (const std::string& file : Lessons(kLanguages[0])) {
        const Lesson en = ReadLesson(kLanguages[0], file), ru = ReadLesson(kLanguages[1], file);
        ASSERT_EQ(en.outline.exercises.size(), ru.outline.exercises.size()) << file;
        for (std::size_t k = 0; k < en.outline.exercises.size(); ++k)
            EXPECT_EQ(en.outline.exercises[k].name, ru.outline.exercises[k].name) << file;
        ASSERT_EQ(en.programs.size(), ru.programs.size()) << file;
        for (std::size_t i = 0; i < en.programs.size(); ++i) {
            EXPECT_EQ(Code(en.programs[i].source), Code(ru.programs[i].source)) << file;
            EXPECT_EQ(en.programs[i].input, ru.programs[i].input) << file;
            EXPECT_EQ(Numbers(en.programs[i].output), Numbers(ru.programs[i].output)) << file;
        }
    }
}

// Each index links every chapter; the English lessons are shown by the English program.
TEST(LessonsTextTest, TheIndexListsEveryChapterAndEnglishHasNoCyrillic) {
    for (const LessonLanguage& language : kLanguages) {
        const std::string index = ReadDoc(Folder(language) / "README.md");
        for (const std::string& file : Chapters(language))
            EXPECT_NE(index.find("](" + file + ")"), std::string::npos) << language.lang << file;
    }
    for (const std::string& file : Chapters(kLanguages[0])) {
        std::istringstream lines(ReadDoc(Folder(kLanguages[0]) / file));
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number)
            EXPECT_FALSE(HasCyrillic(line)) << "en/" << file << ':' << number << ": " << line;
    }
}

// The chapter on using the program names every key a student runs and debugs with.
TEST(LessonsTextTest, TheUsingChapterNamesTheKeys) {
    for (const LessonLanguage& language : kLanguages) {
        const std::string text = ReadDoc(Folder(language) / "00-using.md");
        for (const char* key : {"**F9**", "**F2**", "**F7**", "**F8**", "**Shift+F8**", "**F4**",
                                "**Shift+F7**", "**F6**", "**Ctrl+B**", "**F1**"})
            EXPECT_NE(text.find(key), std::string::npos) << language.lang << ": " << key;
    }
}

class LessonProgramsTest : public DocProgramsTest {};

TEST_F(LessonProgramsTest, EveryWorkedProgramPrintsItsOutput) {
    for (const LessonLanguage& language : kLanguages) {
        for (const std::string& file : Lessons(language)) {
            ExpectTranscripts(ReadLesson(language, file).programs, language.lang,
                              std::string(language.lang) + '/' + file);
        }
    }
}

class LessonExercisesTest : public CliFixture {
  protected:
    // Every line of a check's report that fails says what differs.
    void ExpectDifferences(const std::string& report, const std::string& where) {
        std::istringstream lines(report);
        std::string line;
        int failures = 0;
        while (std::getline(lines, line)) {
            const auto at = line.find(": FAIL: ");
            if (at == std::string::npos) continue;
            ++failures;
            EXPECT_GT(line.size(), at + 8) << where << ": " << line;
        }
        EXPECT_GT(failures, 0) << where;
    }

    void ExpectExercise(const std::string& name) {
        const std::string exercise = (kExercises / (name + ".q42test")).string();
        const std::string start = (kExercises / (name + ".asm")).string();
        const std::string solution = (kExercises / "solutions" / (name + ".asm")).string();
        const std::string wrong = (kSource / "tests/data/lessons" / (name + "-wrong.asm")).string();
        // A file that is not there would fail its check too, for the wrong reason.
        for (const std::string& file : {exercise, start, solution, wrong})
            EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
        EXPECT_EQ(Cli({"asm", start}), kHalted) << name << ": the starting text\n" << err_.str();
        EXPECT_EQ(err_.str(), "") << name << ": the starting text";
        EXPECT_EQ(Cli({"check", exercise, start}), kFailed) << name << ": the starting text";
        for (const LessonLanguage& language : kLanguages) {
            const std::string where = name + " --lang " + language.lang;
            EXPECT_EQ(Cli({"check", "--lang", language.lang, exercise, solution}), kHalted)
                << where << '\n'
                << out_.str() << err_.str();
            EXPECT_EQ(Cli({"check", "--lang", language.lang, exercise, wrong}), kFailed)
                << where << ": the wrong solution\n"
                << out_.str() << err_.str();
            ExpectDifferences(out_.str(), where);
        }
    }
};

TEST_F(LessonExercisesTest, EachExercisePassesItsSolutionAndFailsTheWrongOne) {
    std::set<std::string> named;
    for (const std::string& file : Lessons(kLanguages[0])) {
        const Lesson lesson = ReadLesson(kLanguages[0], file);
        for (const LessonExercise& exercise : lesson.outline.exercises) {
            named.insert(exercise.name);
            ExpectExercise(exercise.name);
        }
    }
    // No exercise file is left without its lesson.
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kExercises)) {
        if (entry.path().extension() == ".q42test") files.insert(entry.path().stem().string());
    }
    EXPECT_EQ(files, named);
}

}  // namespace
}  // namespace q42::cli
