#include "exercise/exercise_file.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "exercise/file_reader.h"
#include "exercise/toml_text.h"
#include "machine/codepage.h"
#include "machine/language.h"
#include "machine/machine.h"
#include "machine/path_text.h"
#include "session/text_file.h"

namespace q42 {
namespace {

// What the whole file's keys give each case unless the case says otherwise.
struct CaseDefaults {
    std::int64_t maxSteps = 100'000;
    Language language = Language::Russian;
    bool screenExact = false;
};

// Keys a teacher may put at the top of the file that belong to a case.
std::string FileKeyHint(std::string_view key) {
    if (key == "expect")
        return Pick("[expect] стоит вне варианта: пишите [case.expect] под его [[case]]",
                    "[expect] stands outside a case: write [case.expect] under its [[case]]");
    for (const char* caseKey : {"name", "input", "keys", "registers", "memory", "points", "hidden"})
        if (key == caseKey)
            return Pick("этот ключ относится к варианту: пишите его под [[case]]",
                        "this key belongs to a case: write it under [[case]]");
    return {};
}

// Keys of what is expected written in the case itself.
std::string CaseKeyHint(std::string_view key) {
    if (key == "halt" || key == "screen" || key == "screen_exact")
        return Pick("этот ключ относится к ожиданиям: пишите его под [case.expect]",
                    "this key belongs to what is expected: write it under [case.expect]");
    return {};
}

class Reader : public FileReader {
  public:
    CaseExpectation Expectation(const toml::node& node, bool screenExact) {
        CaseExpectation expect;
        expect.screenExact = screenExact;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("expect: нужна таблица", "expect: a table is needed"));
            return expect;
        }
        OnlyKeys(*table, {"halt", "screen", "screen_exact", "registers", "memory"});
        if (const toml::node* halt = table->get("halt")) expect.halt = Flag(*halt, "halt");
        if (const toml::node* screen = table->get("screen"))
            expect.screen = Lines(*screen, "screen");
        if (const toml::node* exact = table->get("screen_exact"))
            expect.screenExact = Flag(*exact, "screen_exact");
        if (const toml::node* registers = table->get("registers"))
            expect.registers = Registers(*registers);
        if (const toml::node* memory = table->get("memory")) expect.memory = Memory(*memory);
        return expect;
    }

    // The start of a case: its input, keys, registers and RAM words.
    void Start(const toml::table& table, ExerciseCase& c) {
        if (const toml::node* input = table.get("input")) c.input = Lines(*input, "input");
        if (const toml::node* keys = table.get("keys")) {
            c.keys = Text(*keys, "keys");
            if (c.keys.find('\n') != std::string::npos)
                Warn(*keys, Pick("keys: Enter пишется \"\\r\", а \"\\n\" программа получит как код 10",
                                 "keys: Enter is \"\\r\"; a \"\\n\" reaches the program as code 10"));
        }
        if (const toml::node* registers = table.get("registers")) {
            c.registers = Registers(*registers);
            if (c.registers.count("PS") != 0)
                Fail(*registers, Pick("PS в начале не задаётся: флаги ставят команды",
                                      "PS cannot be set at the start: instructions set the flags"));
        }
        if (const toml::node* memory = table.get("memory")) c.memory = Memory(*memory);
    }

    ExerciseCase Case(const toml::node& node, int number, const CaseDefaults& defaults) {
        ExerciseCase c;
        c.name = std::to_string(number);
        c.maxSteps = defaults.maxSteps;
        c.language = defaults.language;
        c.expect.screenExact = defaults.screenExact;
        const toml::table* table = node.as_table();
        if (table == nullptr) {
            Fail(node, Pick("case: нужна таблица", "case: a table is needed"));
            return c;
        }
        OnlyKeys(*table,
                 {"name", "max_steps", "input", "keys", "registers", "memory", "expect", "points",
                  "hidden"},
                 CaseKeyHint);
        if (const toml::node* name = table->get("name")) c.name = Text(*name, "name");
        if (const toml::node* steps = table->get("max_steps"))
            c.maxSteps = Whole(*steps, "max_steps", 1, kMostSteps);
        if (const toml::node* points = table->get("points"))
            c.points = static_cast<int>(Whole(*points, "points", 0, kMostPoints));
        if (const toml::node* hidden = table->get("hidden")) c.hidden = Flag(*hidden, "hidden");
        Start(*table, c);
        if (const toml::node* expect = table->get("expect"))
            c.expect = Expectation(*expect, defaults.screenExact);
        return c;
    }

    // The file's own keys, and the defaults they give the cases.
    CaseDefaults FileKeys(const toml::table& file, Exercise& exercise) {
        CaseDefaults defaults;
        OnlyKeys(file,
                 {"title", "max_steps", "case", "lang", "forbid", "require", "max_words",
                  "screen_exact"},
                 FileKeyHint);
        if (const toml::node* title = file.get("title")) exercise.title = Text(*title, "title");
        if (const toml::node* steps = file.get("max_steps"))
            defaults.maxSteps = Whole(*steps, "max_steps", 1, kMostSteps);
        if (const toml::node* lang = file.get("lang")) defaults.language = TextsLanguage(*lang);
        if (const toml::node* exact = file.get("screen_exact"))
            defaults.screenExact = Flag(*exact, "screen_exact");
        if (const toml::node* forbid = file.get("forbid"))
            exercise.forbid = Operations(*forbid, "forbid");
        if (const toml::node* require = file.get("require"))
            exercise.require = Operations(*require, "require");
        if (const toml::node* words = file.get("max_words"))
            exercise.maxWords = static_cast<int>(Whole(*words, "max_words", 1, kRamWords));
        exercise.maxSteps = defaults.maxSteps;
        return defaults;
    }

    Exercise Read(const toml::table& file) {
        Exercise exercise;
        const CaseDefaults defaults = FileKeys(file, exercise);
        const toml::array* cases = file.get_as<toml::array>("case");
        if (cases == nullptr || cases->empty()) {
            if (!problem)
                problem =
                    Problem{Pick("нет ни одного варианта [[case]]", "no [[case]] in the file"), 0};
            return exercise;
        }
        int number = 1;
        for (const toml::node& node : *cases)
            exercise.cases.push_back(Case(node, number++, defaults));
        return exercise;
    }

  private:
    static constexpr std::int64_t kMostSteps = 1'000'000'000'000'000'000;
    static constexpr std::int64_t kMostPoints = 1'000'000;
};

// Where line `number` (from 1) of `text` starts.
std::size_t LineStart(const std::string& text, int number) {
    std::size_t start = 0;
    for (int line = 1; line < number && start != std::string::npos; ++line) {
        start = text.find('\n', start);
        if (start != std::string::npos) ++start;
    }
    return start == std::string::npos ? text.size() : start;
}

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
    const std::size_t lineStart = LineStart(text.utf8, file.line);
    const std::string_view line = std::string_view(text.utf8).substr(lineStart);
    if (const auto hint = UnquotedHexHint(line.substr(0, line.find('\n')))) {
        file.error = *hint;
        return file;
    }
    // The parser's own words are English.
    file.error =
        Pick("ошибка записи TOML: ", "") + Cp1251ToUtf8(FromParserText(error.description()));
    return file;
}

// A file that could not be read; its name goes before the reason.
ExerciseFile Unreadable(std::string reason) {
    return {std::nullopt, std::move(reason), 0, {}};
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
    file.warnings = std::move(reader.warnings);
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
