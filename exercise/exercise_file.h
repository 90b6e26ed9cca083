#pragma once
// Exercise files: a teacher's cases for a program, in TOML. Each case gives the program its input
// lines, its keys, and registers and RAM words to start from, and says what must hold at the
// end: a halt, lines on the screen, registers and RAM words.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/common.h"

namespace q42 {

// What a case expects at the end of its run.
struct CaseExpectation {
    bool halt = true;                 // ends with HLT and no run-time error
    std::vector<std::string> screen;  // lines that appear on the screen in this order (8-bit)
    std::map<std::string, Value> registers;  // "R0".."R3", "PC", "SP", "PS"
    std::map<Value, Value> memory;           // RAM address -> word
};

struct ExerciseCase {
    std::string name;
    std::int64_t maxSteps = 0;
    std::vector<std::string> input;  // lines for number and TRUE/FALSE input, in order (8-bit)
    std::string keys;                // the keyboard buffer at the start (8-bit); "\r" is Enter
    std::map<std::string, Value> registers;
    std::map<Value, Value> memory;
    CaseExpectation expect;
};

struct Exercise {
    std::string title;
    std::int64_t maxSteps = 100'000;
    std::vector<ExerciseCase> cases;
};

// The register names a case may set or expect.
bool IsRegisterName(std::string_view name);

// A file read: the exercise, or what is wrong with it and on which line (0: none known).
struct ExerciseFile {
    std::optional<Exercise> exercise;
    std::string error;  // UTF-8
    int line = 0;
};

// Reads an exercise from the bytes of a .q42test file: UTF-8, or else Windows-1251.
ExerciseFile ParseExercise(std::string_view bytes);
// Reads an exercise file; an unreadable file is an error without a line, saying why without
// naming the file (the caller puts its name before it).
ExerciseFile ReadExerciseFile(const std::string& path);

}  // namespace q42
