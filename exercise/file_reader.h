#pragma once
// Reading the values of an exercise file from its TOML nodes, stopping at the first problem: each
// value a teacher writes, with a message in the interface language that says what was meant.
// Used by exercise_file.cpp only.

#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercise/exercise_file.h"
#include "exercise/wording.h"

namespace q42 {

// The message for a line that TOML refused because a hex word stands there without quotes
// (`R1 = 002A`): how to write it; none when the line holds no such word.
std::optional<std::string> UnquotedHexHint(std::string_view line);

class FileReader {
  public:
    struct Problem {
        std::string text;
        int line = 0;
    };
    std::optional<Problem> problem;
    std::vector<FileWarning> warnings;

    bool Failed() const { return problem.has_value(); }
    void Fail(const toml::node& node, std::string text);
    void Warn(const toml::node& node, std::string text);

    // Every key of `table` must be one of `known`: a misspelt key is an error, not a silent
    // default. `hint` may say what an unknown key was likely meant to be.
    void OnlyKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                  std::string (*hint)(std::string_view key) = nullptr);

    std::string Text(const toml::node& node, std::string_view key);
    bool Flag(const toml::node& node, std::string_view key);
    // A whole number from `least` to `most`, also when written with an exponent (1e9).
    std::int64_t Whole(const toml::node& node, std::string_view key, std::int64_t least,
                       std::int64_t most);
    std::vector<std::string> Lines(const toml::node& node, std::string_view key);
    // A word: hex digits in a string ("002A", "2AH"), or a whole number (42, -1).
    Value Word(const toml::node& node, const std::string& what);
    std::map<std::string, Value> Registers(const toml::node& node);
    std::map<Value, Value> Memory(const toml::node& node);
    Language TextsLanguage(const toml::node& node);
    // Operation names of the instruction table, in any letter case; kept in upper case.
    OperationNames Operations(const toml::node& node, std::string_view key);
};

}  // namespace q42
