#pragma once
// Exercise files: a teacher's cases for a program, in TOML. Each case gives the program its input
// lines, its keys, and registers and RAM words to start from, and says what must hold at the
// end: a halt, lines on the screen, registers and RAM words. The file may also restrict the
// program (operations it must not use or must use, its size) and give each case points.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/common.h"
#include "machine/language.h"

namespace q42 {

// What a case expects at the end of its run.
struct CaseExpectation {
    bool halt = true;                 // ends with HLT and no run-time error
    std::vector<std::string> screen;  // lines that appear on the screen in this order (8-bit)
    bool screenExact = false;         // the screen holds these lines and no others
    std::map<std::string, Value> registers;  // "R0".."R3", "PC", "SP", "PS"
    std::map<Value, Value> memory;           // RAM address -> word
};

struct ExerciseCase {
    std::string name;
    std::int64_t maxSteps = 0;
    std::vector<std::string> input;  // lines for number and TRUE/FALSE input, in order (8-bit)
    std::string keys;  // keys typed as the program reads them, in order (8-bit); "\r" is Enter
    std::map<std::string, Value> registers;
    std::map<Value, Value> memory;
    CaseExpectation expect;
    int points = 1;        // what passing the case is worth
    bool hidden = false;   // a student sees only its name and PASS or FAIL
    Language language = Language::Russian;  // the machine's screen texts during the run
};

// An operation name the program must not use (forbid) or must use (require), upper case.
using OperationNames = std::vector<std::string>;

struct Exercise {
    std::string title;
    std::int64_t maxSteps = 100'000;
    std::vector<ExerciseCase> cases;
    OperationNames forbid;
    OperationNames require;
    int maxWords = 0;  // the most words the program may have; 0: no limit
};

// The register names a case may set or expect.
bool IsRegisterName(std::string_view name);

// Something in a good file that is likely not what the teacher meant (UTF-8), and its line.
struct FileWarning {
    std::string text;
    int line = 0;
};

// A file read: the exercise, or what is wrong with it and on which line (0: none known).
struct ExerciseFile {
    std::optional<Exercise> exercise;
    std::string error;  // UTF-8
    int line = 0;
    std::vector<FileWarning> warnings;
};

// Reads an exercise from the bytes of a .q42test file: UTF-8, or else Windows-1251.
ExerciseFile ParseExercise(std::string_view bytes);
// Reads an exercise file; an unreadable file is an error without a line, saying why without
// naming the file (the caller puts its name before it).
ExerciseFile ReadExerciseFile(const std::string& path);

}  // namespace q42
