#include "exercise/exercise_file.h"

#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "exercise/toml_text.h"
#include "machine/codepage.h"
#include "machine/language.h"
#include "machine/machine.h"
#include "machine/path_text.h"
#include "session/text_file.h"

namespace q42 {
namespace {

// A problem in the file, found at a node.
struct Problem {
    std::string text;
    int line = 0;
};

std::string Pick(const char* russian, const char* english) {
    return EnglishTexts() ? english : russian;
}

// A key as the messages name it (UTF-8).
std::string KeyName(const toml::key& key) {
    return Cp1251ToUtf8(FromParserText(key.str()));
}

// Hex digits as a teacher writes them, "002A" or "2AH": one to four digits, an H after them
// allowed.
std::optional<Value> HexNumber(std::string digits) {
    if (!digits.empty() && (digits.back() == 'H' || digits.back() == 'h')) digits.pop_back();
    const HexWord word = HexToWord(digits);
    if (digits.empty() || digits.size() > 4 || word.error != Fault::None) return std::nullopt;
    return word.value;
}

int LineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

// Reads the parts of a file, stopping at the first problem.
class Reader {
  public:
    std::optional<Problem> problem;

    bool Failed() const { return problem.has_value(); }

    void Fail(const toml::node& node, std::string text) {
        if (!problem) problem = Problem{std::move(text), LineOf(node)};
    }

    // Every key of `table` must be one of `known`: a misspelt key is an error, not a silent
    // default.
    void OnlyKeys(const toml::table& table, std::initializer_list<std::string_view> known) {
        for (const auto& [key, value] : table) {
            if (std::find(known.begin(), known.end(), key.str()) == known.end())
                Fail(value, Pick("неизвестный ключ ", "unknown key ") + KeyName(key));
        }
    }

    std::string Text(const toml::node& node, std::string_view key) {
        if (const auto text = node.value<std::string>()) return FromParserText(*text);
        Fail(node, std::string(key) + Pick(": нужна строка", ": a string is needed"));
        return {};
    }

    // A whole number, also when written with an exponent (1e9); a number beyond every count of
    // steps is refused before it is converted.
    std::int64_t Steps(const toml::node& node) {
        auto steps = node.value_exact<std::int64_t>();
        if (const auto real = node.value_exact<double>()) {
            if (*real >= 1 && *real <= 1e18 && std::floor(*real) == *real)
                steps = static_cast<std::int64_t>(*real);
        }
        if (steps && *steps > 0) return *steps;
        Fail(node, Pick("max_steps: нужно целое больше 0",
                        "max_steps: a whole number above 0 is needed"));
        return 0;
    }

    std::vector<std::string> Lines(const toml::node& node, std::string_view key) {
        std::vector<std::string> lines;
        const toml::array* array = node.as_array();
        if (array == nullptr) {
            Fail(node,
                 std::string(key) + Pick(": нужен список строк", ": a list of strings is needed"));
            return lines;
        }
        for (const toml::node& line : *array)
            lines.push_back(Text(line, key));
        return lines;
    }

    // A word as a teacher writes it: hex digits in a string ("002A", "2AH"), or a whole number
    // (42, -1).
    Value Word(const toml::node& node, const std::string& what) {
        if (const auto number = node.value_exact<std::int64_t>()) {
            if (*number >= -0x8000 && *number <= 0xFFFF) return *number & 0xFFFF;
        } else if (const auto text = node.value<std::string>()) {
            if (const auto word = HexNumber(*text)) return *word;
        }
        Fail(node, what + Pick(": нужно слово: шестнадцатеричные цифры в кавычках или число",
                               ": a word is needed: hex digits in quotes, or a number"));
        return 0;
    }

    std::map<std::string, Value> Registers(const toml::node& node) {
        std::map<std::string, Value> registers;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("registers: нужна таблица", "registers: a table is needed"));
            return registers;
        }
        for (const auto& [key, value] : *table) {
            std::string name = KeyName(key);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            if (!IsRegisterName(name))
                Fail(value, Pick("нет такого регистра: ", "no such register: ") + KeyName(key));
            registers[name] = Word(value, name);
        }
        return registers;
    }

    std::map<Value, Value> Memory(const toml::node& node) {
        std::map<Value, Value> memory;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("memory: нужна таблица", "memory: a table is needed"));
            return memory;
        }
        for (const auto& [key, value] : *table) {
            const std::string name = KeyName(key);
            const auto address = HexNumber(name);
            if (!address || !Machine::IsRamAddress(*address) || *address % 2 != 0) {
                Fail(value, Pick("не чётный адрес ОЗУ: ", "not an even RAM address: ") + name);
                continue;
            }
            memory[*address] = Word(value, "[" + name + "]");
        }
        return memory;
    }

    CaseExpectation Expectation(const toml::node& node) {
        CaseExpectation expect;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("expect: нужна таблица", "expect: a table is needed"));
            return expect;
        }
        OnlyKeys(*table, {"halt", "screen", "registers", "memory"});
        if (const toml::node* halt = table->get("halt")) {
            if (const auto value = halt->value_exact<bool>()) {
                expect.halt = *value;
            } else {
                Fail(*halt, Pick("halt: нужно true или false", "halt: true or false is needed"));
            }
        }
        if (const toml::node* screen = table->get("screen"))
            expect.screen = Lines(*screen, "screen");
        if (const toml::node* registers = table->get("registers"))
            expect.registers = Registers(*registers);
        if (const toml::node* memory = table->get("memory")) expect.memory = Memory(*memory);
        return expect;
    }

    ExerciseCase Case(const toml::node& node, int number, std::int64_t maxSteps) {
        ExerciseCase c;
        c.name = std::to_string(number);
        c.maxSteps = maxSteps;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("case: нужна таблица", "case: a table is needed"));
            return c;
        }
        OnlyKeys(*table, {"name", "max_steps", "input", "keys", "registers", "memory", "expect"});
        if (const toml::node* name = table->get("name")) c.name = Text(*name, "name");
        if (const toml::node* steps = table->get("max_steps")) c.maxSteps = Steps(*steps);
        if (const toml::node* input = table->get("input")) c.input = Lines(*input, "input");
        if (const toml::node* keys = table->get("keys")) c.keys = Text(*keys, "keys");
        if (const toml::node* registers = table->get("registers")) {
            c.registers = Registers(*registers);
            if (c.registers.count("PS") != 0)
                Fail(*registers, Pick("PS в начале не задаётся: флаги ставят команды",
                                      "PS cannot be set at the start: instructions set the flags"));
        }
        if (const toml::node* memory = table->get("memory")) c.memory = Memory(*memory);
        if (const toml::node* expect = table->get("expect")) c.expect = Expectation(*expect);
        return c;
    }

    Exercise Read(const toml::table& file) {
        Exercise exercise;
        OnlyKeys(file, {"title", "max_steps", "case"});
        if (const toml::node* title = file.get("title")) exercise.title = Text(*title, "title");
        if (const toml::node* steps = file.get("max_steps")) exercise.maxSteps = Steps(*steps);
        const toml::array* cases = file.get_as<toml::array>("case");
        if (cases == nullptr || cases->empty()) {
            if (!problem)
                problem =
                    Problem{Pick("нет ни одного варианта [[case]]", "no [[case]] in the file"), 0};
            return exercise;
        }
        int number = 1;
        for (const toml::node& node : *cases)
            exercise.cases.push_back(Case(node, number++, exercise.maxSteps));
        return exercise;
    }
};

// What the parser found wrong. A string without its closing quote is told so at the line where
// it starts: the parser finds it only at the end of that line or of the file, and names another
// fault there.
ExerciseFile SyntaxError(const ParserText& text, const toml::parse_error& error) {
    ExerciseFile file;
    file.line = static_cast<int>(error.source().begin.line);
    if (text.unclosedLine > 0 && text.unclosedLine <= file.line) {
        file.line = text.unclosedLine;
        file.error = Pick("строка в кавычках не закрыта: нет закрывающей кавычки",
                          "a string in quotes is not closed: its closing quote is missing");
        return file;
    }
    // The parser's own words are English.
    file.error =
        Pick("ошибка записи TOML: ", "") + Cp1251ToUtf8(FromParserText(error.description()));
    return file;
}

// A file that could not be read; its name goes before the reason.
ExerciseFile Unreadable(std::string reason) {
    return {std::nullopt, std::move(reason), 0};
}

ExerciseFile TooLarge(std::uintmax_t size) {
    const std::string kilobytes = std::to_string((size + 1023) / 1024);
    const std::string most = std::to_string(kMaxTextFileBytes >> 20);
    return Unreadable(Pick("файл слишком велик (", "too large (") + kilobytes +
                      Pick(" КБ): упражнение может занимать не больше ",
                           " KB): an exercise file may be at most ") +
                      most + Pick(" МБ", " MB"));
}

}  // namespace

bool IsRegisterName(std::string_view name) {
    static const std::set<std::string_view> kNames = {"R0", "R1", "R2", "R3", "PC", "SP", "PS"};
    return kNames.count(name) != 0;
}

ExerciseFile ParseExercise(std::string_view bytes) {
    ExerciseFile file;
    const ParserText text = ToParserText(DecodeFileText(bytes));
    if (text.badLine > 0) {
        file.error = Pick("буквы, кроме латинских, пишутся только в кавычках или в комментарии",
                          "letters other than Latin ones go only inside quotes or in a comment");
        file.line = text.badLine;
        return file;
    }
    toml::parse_result parsed = toml::parse(text.utf8);
    if (!parsed) return SyntaxError(text, parsed.error());
    Reader reader;
    Exercise exercise = reader.Read(parsed.table());
    if (reader.problem) {
        file.error = reader.problem->text;
        file.line = reader.problem->line;
        return file;
    }
    file.exercise = std::move(exercise);
    return file;
}

ExerciseFile ReadExerciseFile(const std::string& name) {
    const std::filesystem::path path = PathFromUtf8(name);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return Unreadable(Pick("нет такого файла", "no such file"));
    if (std::filesystem::is_directory(status))
        return Unreadable(Pick("это папка", "is a directory"));
    // A device or a pipe could give bytes without end, or none and never end.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return Unreadable(Pick("не обычный файл", "not a regular file"));
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxTextFileBytes) return TooLarge(size);
    std::ifstream in(path, std::ios::binary);
    if (!in) return Unreadable(Pick("не читается", "cannot be read"));
    // The file may grow while it is read: reading stops at the limit whatever it does.
    const auto bytes = ReadAtMost(in, kMaxTextFileBytes);
    if (!bytes) return TooLarge(kMaxTextFileBytes + 1);
    if (in.bad()) return Unreadable(Pick("не читается", "cannot be read"));
    return ParseExercise(*bytes);
}

}  // namespace q42
