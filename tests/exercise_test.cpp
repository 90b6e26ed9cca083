// Exercise files and checking programs against them: what a malformed file is told, how values
// and defaults are read, which lines of the screen count, and each kind of difference.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "assembler/assembler.h"
#include "exercise/checker.h"
#include "exercise/exercise_file.h"
#include "exercise/screen_lines.h"
#include "exercise/wording.h"
#include "machine/language.h"
#include "machine/rom_image.h"

namespace q42::test {
namespace {

class EnglishTexts : public testing::Test {
  protected:
    void SetUp() override { SetTextLanguage(Language::English); }
    void TearDown() override { SetTextLanguage(Language::Russian); }
};

using ExerciseFileTest = EnglishTexts;

struct Malformed {
    const char* text;
    const char* error;  // a part of the message
    int line;
};

TEST_F(ExerciseFileTest, AMalformedFileIsToldWhatAndWhere) {
    const Malformed cases[] = {
        {"title = \"x\n", "", 1},  // TOML itself: the string never ends
        // A string without its closing quote is told so, on the line it starts.
        {"title = \"x\n[[case]]\n", "string in quotes is not closed", 1},
        {"[[case]]\nname = 'x\n", "string in quotes is not closed", 2},
        {"[[case]]\ninput = [\"1\", \"2]\n", "string in quotes is not closed", 2},
        {"[[case]]\nname = \"\"\"x\n\n\n", "string in quotes is not closed", 2},
        {"[[case]]\nname = '''x''\n", "string in quotes is not closed", 2},
        {"title = \"a \\\" b\n[[case]]\n", "string in quotes is not closed", 1},
        // A fault before the string is the parser's.
        {"title = \n[[case]]\nname = \"x\n", "expected value", 1},
        {"title = \"x\"\n", "no [[case]]", 0},
        {"title = \"x\"\ntitel = \"y\"\n[[case]]\n", "unknown key titel", 2},
        {"[[case]]\nnaem = \"a\"\n", "unknown key naem", 2},
        {"[[case]]\n[case.expect]\nhalt = \"yes\"\n", "halt: true or false", 3},
        {"[[case]]\n[case.expect]\nhalt = 1\n", "halt: true or false", 3},
        {"[[case]]\nregisters = { R4 = 1 }\n", "no such register: R4", 2},
        {"[[case]]\nregisters = { PS = 1 }\n", "PS cannot be set", 2},
        {"[[case]]\nregisters = { R1 = \"12345\" }\n", "R1: \"12345\" has more than four hex", 2},
        {"[[case]]\nregisters = { R1 = \"2X\" }\n", "R1: \"2X\" is not a word", 2},
        {"[[case]]\nregisters = { R1 = true }\n", "R1: a word is needed", 2},
        {"[[case]]\nregisters = { R1 = 70000 }\n", "70000 is out of range: a word is a number from -32768 to 65535", 2},
        // The teacher's own mistakes are told what was meant.
        {"[[case]]\nregisters = { R1 = 002A }\n", "a hex word needs quotes: \"002A\" or \"2AH\"", 2},
        {"[[case]]\n\nmemory = { \"00C0\" = 0FFH }\n", "needs quotes: \"0FF\" or \"FFH\"", 3},
        {"[[case]]\nmemory = { \"0041\" = 1 }\n", "address 0041 is odd", 2},
        {"[[case]]\nmemory = { \"4000\" = 1 }\n", "address 4000 is outside RAM (0000..00FF)", 2},
        {"[[case]]\nmemory = { \"X1\" = 1 }\n", "\"X1\" is not an address", 2},
        {"[expect]\nhalt = true\n[[case]]\n", "write [case.expect] under its [[case]]", 1},
        {"input = []\n[[case]]\n", "unknown key input: this key belongs to a case", 1},
        {"[[case]]\nscreen = []\n", "belongs to what is expected", 2},
        // Version 2's keys.
        {"lang = \"de\"\n[[case]]\n", "lang: \"ru\" or \"en\"", 1},
        {"forbid = [\"MULT\"]\n[[case]]\n", "forbid: no such operation: MULT", 1},
        {"require = [\"DW\"]\n[[case]]\n", "require: no such operation: DW", 1},
        {"max_words = 200\n[[case]]\n", "max_words: a whole number from 1 to 128", 1},
        {"screen_exact = 1\n[[case]]\n", "screen_exact: true or false", 1},
        {"[[case]]\npoints = -1\n", "points: a whole number from 0", 2},
        {"[[case]]\nhidden = \"yes\"\n", "hidden: true or false", 2},
        {"max_steps = 0\n[[case]]\n", "max_steps", 1},
        // A number that is not whole is refused, not cut, also one beyond every whole number.
        {"[[case]]\nmax_steps = 2.5\n", "max_steps", 2},
        {"max_steps = 19e99\n[[case]]\n", "max_steps", 1},
        {"[[case]]\ninput = \"12\"\n", "input: a list of strings", 2},
    };
    for (const auto& c : cases) {
        const ExerciseFile file = ParseExercise(c.text);
        EXPECT_FALSE(file.exercise.has_value()) << c.text;
        EXPECT_NE(file.error.find(c.error), std::string::npos) << c.text << " -> " << file.error;
        EXPECT_EQ(file.line, c.line) << c.text;
    }
}

TEST_F(ExerciseFileTest, ValuesAndDefaults) {
    const ExerciseFile file = ParseExercise(
        "title = \"Сумма\"\nmax_steps = 500\n"
        "[[case]]\ninput = [\"12\", \"-3\"]\nkeys = \"ab\\r\"\n"
        "registers = { r1 = \"2AH\", R2 = -1, SP = \"00F0\" }\nmemory = { \"0040\" = 5 }\n"
        "[case.expect]\nscreen = [\"42\"]\nregisters = { PC = \"000A\" }\n"
        "[[case]]\nname = \"second\"\nmax_steps = 7e2\n[case.expect]\nhalt = false\n");
    ASSERT_TRUE(file.exercise.has_value()) << file.error;
    const Exercise& exercise = *file.exercise;
    EXPECT_EQ(exercise.title, "\xD1\xF3\xEC\xEC\xE0");  // "Сумма" in Windows-1251
    ASSERT_EQ(exercise.cases.size(), 2U);
    const ExerciseCase& first = exercise.cases[0];
    EXPECT_EQ(first.name, "1");
    EXPECT_EQ(first.maxSteps, 500);
    EXPECT_EQ(first.input, (std::vector<std::string>{"12", "-3"}));
    EXPECT_EQ(first.keys, "ab\r");
    EXPECT_EQ(first.registers.at("R1"), 0x2A);
    EXPECT_EQ(first.registers.at("R2"), 0xFFFF);
    EXPECT_EQ(first.registers.at("SP"), 0xF0);
    EXPECT_EQ(first.memory.at(0x40), 5);
    EXPECT_TRUE(first.expect.halt);
    EXPECT_EQ(first.expect.registers.at("PC"), 0xA);
    EXPECT_EQ(exercise.cases[1].name, "second");
    EXPECT_EQ(exercise.cases[1].maxSteps, 700);
    EXPECT_FALSE(exercise.cases[1].expect.halt);
}

// Version 2: the file's language, rules and exact screen reach every case; a case's points,
// hidden flag and exact screen are its own. A "\n" among the keys is a warning, not an error.
TEST_F(ExerciseFileTest, VersionTwoKeys) {
    const ExerciseFile file = ParseExercise(
        "lang = \"en\"\nforbid = [\"mul\", \"DIV\"]\nrequire = [\"Call\"]\nmax_words = 40\n"
        "screen_exact = true\n"
        "[[case]]\npoints = 3\nhidden = true\nkeys = \"a\\n\"\n"
        "[[case]]\n[case.expect]\nscreen_exact = false\n");
    ASSERT_TRUE(file.exercise.has_value()) << file.error;
    const Exercise& exercise = *file.exercise;
    EXPECT_EQ(exercise.forbid, (OperationNames{"MUL", "DIV"}));
    EXPECT_EQ(exercise.require, (OperationNames{"CALL"}));
    EXPECT_EQ(exercise.maxWords, 40);
    const ExerciseCase& first = exercise.cases.at(0);
    const ExerciseCase& second = exercise.cases.at(1);
    EXPECT_EQ(first.language, Language::English);
    EXPECT_EQ(second.language, Language::English);
    EXPECT_EQ(first.points, 3);
    EXPECT_EQ(second.points, 1);
    EXPECT_TRUE(first.hidden);
    EXPECT_FALSE(second.hidden);
    EXPECT_TRUE(first.expect.screenExact);
    EXPECT_FALSE(second.expect.screenExact);
    ASSERT_EQ(file.warnings.size(), 1U);
    EXPECT_EQ(file.warnings[0].line, 9);
    EXPECT_NE(file.warnings[0].text.find("Enter is \"\\r\""), std::string::npos)
        << file.warnings[0].text;

    const ExerciseFile old = ParseExercise("[[case]]\n");
    ASSERT_TRUE(old.exercise.has_value());
    EXPECT_EQ(old.exercise->cases[0].language, Language::Russian);
    EXPECT_TRUE(old.warnings.empty());
}

// Russian teachers write Russian: in strings of every kind and in comments, in UTF-8 or in
// Windows-1251; outside quotes a letter other than a Latin one is a clear error.
TEST_F(ExerciseFileTest, RussianTextInStringsAndComments) {
    const std::string utf8 =
        "# Сумма двух чисел\ntitle = 'Сумма'\n[[case]]\nname = \"два \\\"числа\\\"\"  # ё\n"
        "[case.expect]\nscreen = [\"\"\"Ответ: 42\"\"\", '''Всё''']\n";
    const ExerciseFile file = ParseExercise(utf8);
    ASSERT_TRUE(file.exercise.has_value()) << file.error;
    EXPECT_EQ(file.exercise->title, "\xD1\xF3\xEC\xEC\xE0");
    const ExerciseCase& c = file.exercise->cases.at(0);
    EXPECT_EQ(c.name, "\xE4\xE2\xE0 \"\xF7\xE8\xF1\xEB\xE0\"");
    EXPECT_EQ(c.expect.screen,
              (std::vector<std::string>{"\xCE\xF2\xE2\xE5\xF2: 42", "\xC2\xF1\xB8"}));

    const ExerciseFile cp1251 = ParseExercise("title = \"\xD1\xF3\xEC\xEC\xE0\"\n[[case]]\n");
    ASSERT_TRUE(cp1251.exercise.has_value()) << cp1251.error;
    EXPECT_EQ(cp1251.exercise->title, "\xD1\xF3\xEC\xEC\xE0");

    for (const char* bad : {"[[case]]\nимя = 1\n", "[[case]]\nname = Имя\n"}) {
        const ExerciseFile broken = ParseExercise(bad);
        EXPECT_FALSE(broken.exercise.has_value()) << bad;
        EXPECT_NE(broken.error.find("inside quotes"), std::string::npos) << broken.error;
        EXPECT_EQ(broken.line, 2) << bad;
    }
}

TEST(ExerciseFileRussian, TheParsersFaultsAreMarkedInRussian) {
    const ExerciseFile unclosed = ParseExercise("[[case]]\nname = \"x\n");
    EXPECT_EQ(unclosed.error, "строка в кавычках не закрыта: нет закрывающей кавычки");
    const ExerciseFile other = ParseExercise("title = \n");
    EXPECT_EQ(other.error.rfind("ошибка записи TOML: ", 0), 0U) << other.error;
}

TEST(ProgramLines, TheGreetingAndTheEndAreNotTheProgramsLines) {
    const std::vector<std::string> greeting = {" ***  greeting", "  "};
    // The last line finished by the program, or left unfinished (the end's blank goes onto it).
    auto finished = greeting;
    finished.insert(finished.end(), {" 12", " 42  ", "  ", " Task completed"});
    EXPECT_EQ(ProgramLines(finished), (std::vector<std::string>{"12", "42"}));
    auto unfinished = greeting;
    unfinished.insert(unfinished.end(), {" 12", " 42 ", " Task completed"});
    EXPECT_EQ(ProgramLines(unfinished), (std::vector<std::string>{"12", "42"}));
    auto nothing = greeting;
    nothing.insert(nothing.end(), {"  ", " Task completed"});
    EXPECT_TRUE(ProgramLines(nothing).empty());
}

// The expected lines searched for on the whole screen at once, as a reference for the check
// that sees the lines one by one: each expected line is looked for after the last one found; a
// missing one is due past the echoes of the typed lines.
std::optional<MissingLine> MissingOnWholeScreen(const std::vector<std::string>& screen,
                                                const std::vector<std::string>& expected,
                                                std::vector<std::string> echoes) {
    std::size_t next = 0;
    for (const std::string& wanted : expected) {
        const auto from = screen.begin() + static_cast<std::ptrdiff_t>(next);
        const auto found = std::find(from, screen.end(), wanted);
        if (found != screen.end()) {
            next = static_cast<std::size_t>(found - screen.begin()) + 1;
            continue;
        }
        for (; next < screen.size(); ++next) {
            const auto echo = std::find(echoes.begin(), echoes.end(), screen[next]);
            if (echo == echoes.end()) break;
            echoes.erase(echo);
        }
        std::optional<std::string> got;
        if (next < screen.size()) got = screen[next];
        return MissingLine{wanted, static_cast<std::int64_t>(next) + 1, got};
    }
    return std::nullopt;
}

std::vector<std::string> Trimmed(std::vector<std::string> lines) {
    for (std::string& line : lines)
        line.erase(line.find_last_not_of(' ') + 1);
    return lines;
}

// Feeds the screen's lines as a run finishes them: the greeting, the program's lines, the end's
// blank line; the end message stays the current line.
template <typename Stream>
void FeedRun(Stream& stream, const std::vector<std::string>& lines) {
    stream.LineFinished(" ***  greeting");
    stream.LineFinished(" ");
    for (const std::string& line : lines)
        stream.LineFinished(" " + line);
    stream.LineFinished(" ");
    stream.Finish();
}

// Lines coming one at a time give the same verdict as the whole screen, on many small screens
// with repeated lines, echoes of typed lines and trailing blanks.
TEST(ScreenMatch, FindsWhatTheWholeScreenShows) {
    const char* const kScreen[] = {"", "1", "2", "a", "1 ", "2  "};
    const char* const kExpected[] = {"1", "2", "a", "", "2 "};
    const char* const kTyped[] = {"1", "2", "a "};
    std::mt19937 random(42);
    const auto pick = [&random](const auto& from, int most) {
        std::vector<std::string> lines(random() % (most + 1));
        for (std::string& line : lines)
            line = from[random() % std::size(from)];
        return lines;
    };
    for (int round = 0; round < 20000; ++round) {
        ExerciseCase exerciseCase;
        exerciseCase.expect.screen = pick(kExpected, 4);
        exerciseCase.input = pick(kTyped, 3);
        const std::vector<std::string> screen = pick(kScreen, 12);
        ScreenMatch match(exerciseCase);
        FeedRun(match, screen);
        const auto want = MissingOnWholeScreen(Trimmed(screen), Trimmed(exerciseCase.expect.screen),
                                               Trimmed(exerciseCase.input));
        EXPECT_TRUE(match.Missing() == want) << round;
    }
}

// The tail keeps the last lines within its count and its bytes, the newest whatever its length.
TEST(ScreenTail, KeepsTheLastLinesWithinItsBounds) {
    struct Row {
        std::size_t lines;
        std::size_t length;
        std::size_t kept;
    };
    const std::size_t screenLine = Display::kMaxLineLength;
    const Row table[] = {
        {ScreenTail::kMaxLines + 5, 1, ScreenTail::kMaxLines},
        {100, 20'000, ScreenTail::kMaxBytes / 20'000},
        {3, ScreenTail::kMaxBytes + 1, 1},
        {40, screenLine - 8, ScreenTail::kMaxBytes / screenLine},
    };
    for (const auto& row : table) {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < row.lines; ++i)
            lines.push_back(std::to_string(i) + std::string(row.length, 'x'));
        ScreenTail tail;
        FeedRun(tail, lines);
        ASSERT_EQ(tail.Lines().size(), row.kept) << row.lines << " x " << row.length;
        EXPECT_EQ(tail.Dropped(), row.lines - row.kept);
        EXPECT_EQ(tail.Lines().back(), lines.back());
        EXPECT_EQ(tail.Lines().front(), lines[row.lines - row.kept]);
    }
}

class CheckerTest : public EnglishTexts {
  protected:
    Machine rom_;

    void SetUp() override {
        EnglishTexts::SetUp();
        class NoMessages : public MessageSink {
            void ShowMessage(const std::string&) override {}
        } messages;
        InitMachine(rom_, Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    }
    std::vector<CaseResult> Check(const std::vector<std::string>& program, const char* exercise) {
        const Assembly assembly = Assemble(program, AsmOptions{});
        EXPECT_TRUE(assembly.Ok());
        const ExerciseFile file = ParseExercise(exercise);
        EXPECT_TRUE(file.exercise.has_value()) << file.error;
        return CheckSource(rom_, program, AsmOptions{true, true}, *file.exercise).cases;
    }
};

// Reads a number, adds R2 to it and the word at 0040, writes the sum's low digit as a character
// and stores the sum at 0042.
const std::vector<std::string> kAdder = {
    "X = 40H",
    "Y = 42H",
    "        CALL #4182H",
    "        ADD R2,R1",
    "        ADD X,R1",
    "        MOV R1,Y",
    "        MOV R1,R0",
    "        ADD #'0',R0",
    "        CALL #4000H",
    "        HLT",
};

TEST_F(CheckerTest, TheCaseSetsTheStartAndExpectsTheEnd) {
    const auto results = Check(kAdder,
                               "[[case]]\ninput = [\"3\"]\nregisters = { R2 = 4 }\n"
                               "memory = { \"0040\" = 1 }\n"
                               "[case.expect]\nscreen = [\"3\", \"8\"]\n"
                               "registers = { R1 = 8 }\nmemory = { \"0042\" = 8 }\n");
    ASSERT_EQ(results.size(), 1U);
    EXPECT_TRUE(results[0].Passed()) << results[0].differences.front();
    EXPECT_EQ(results[0].end, "halt");
}

struct Expected {
    const char* cases;       // the [[case]] tables
    const char* difference;  // the first difference
    const char* end;
};

TEST_F(CheckerTest, EachDifferenceInWords) {
    const Expected table[] = {
        {"input = [\"3\"]\n[case.expect]\nregisters = { R1 = \"0009\", R3 = 1 }\n",
         "R1: expected 0009 (9), got 0003 (3)", "halt"},
        {"input = [\"3\"]\n[case.expect]\nmemory = { \"0042\" = \"0004\" }\n",
         "[0042]: expected 0004 (4), got 0003 (3)", "halt"},
        // The echo of the typed line stands before the digit; a missing line is due after it.
        {"input = [\"3\"]\n[case.expect]\nscreen = [\"4\"]\n",
         "screen line 2: expected \"4\", got \"3\"", "halt"},
        {"input = [\"3\"]\n[case.expect]\nscreen = [\"3\", \"3\", \"x\"]\n",
         "screen line 3: expected \"x\", got nothing", "halt"},
        {"[case.expect]\nscreen = []\n", "waited for input that the case does not give",
         "no input"},
        {"input = [\"3\"]\nmax_steps = 3\n", "did not halt within 3 steps", "step limit"},
        {"input = [\"3\"]\nmax_steps = 3\n[case.expect]\nhalt = false\n", "", "step limit"},
        // The adder halts at its 21st step: a limit of 21 steps lets it, 20 do not.
        {"input = [\"3\"]\nmax_steps = 21\n", "", "halt"},
        {"input = [\"3\"]\nmax_steps = 20\n", "did not halt within 20 steps", "step limit"},
        {"input = [\"32767\"]\nregisters = { R2 = 1 }\n", "run-time error at ", "error"},
    };
    for (const auto& row : table) {
        const auto results = Check(kAdder, (std::string("[[case]]\n") + row.cases).c_str());
        ASSERT_EQ(results.size(), 1U);
        const auto& differences = results[0].differences;
        if (*row.difference == '\0') {
            EXPECT_TRUE(differences.empty()) << row.cases << differences.front();
        } else {
            ASSERT_FALSE(differences.empty()) << row.cases;
            EXPECT_EQ(differences.front().rfind(row.difference, 0), 0U)
                << row.cases << " -> " << differences.front();
        }
        EXPECT_EQ(results[0].end, row.end) << row.cases;
    }
}

TEST_F(CheckerTest, KeysAreInTheBufferFromTheStart) {
    // Reads two keys from the keyboard and leaves them in R0 and R1.
    const std::vector<std::string> keys = {"W0:  IN 0,R3", "     CMP #80H,R3", "     BNE W0",
                                           "     IN 1,R0", "W1:  IN 0,R3",     "     CMP #80H,R3",
                                           "     BNE W1",  "     IN 1,R1",     "     HLT"};
    const auto results =
        Check(keys, "[[case]]\nkeys = \"a\\r\"\n[case.expect]\nregisters = { R0 = 97, R1 = 13 }\n");
    ASSERT_EQ(results.size(), 1U);
    EXPECT_TRUE(results[0].Passed()) << results[0].differences.front();
}

// Reads keys until Enter, counting them in R2: any number of keys reaches it, as typed.
const std::vector<std::string> kKeyCounter = {
    "WAIT: IN 0,R3", "     CMP #80H,R3", "     BNE WAIT", "     IN 1,R0",
    "     CMP #13,R0", "     BE DONE", "     ADD #1,R2", "     BR WAIT", "DONE: HLT"};

TEST_F(CheckerTest, AnyNumberOfKeysArriveAsTheProgramReadsThem) {
    const auto results = Check(kKeyCounter,
                               "[[case]]\nkeys = \"abcdefghijklmnop\\r\"\n"
                               "[case.expect]\nregisters = { R2 = 16 }\n"
                               "[[case]]\nkeys = \"ab\\rcd\"\n[case.expect]\nregisters = { R2 = 2 }\n");
    ASSERT_EQ(results.size(), 2U);
    EXPECT_TRUE(results[0].Passed()) << results[0].differences.front();
    EXPECT_TRUE(results[0].notes.empty());
    // Keys the program never read are told with the result.
    EXPECT_TRUE(results[1].Passed());
    EXPECT_EQ(results[1].notes, (std::vector<std::string>{"keys not read: \"cd\""}));
}

// The machine's texts on the screen follow the file's language, not the interface's.
TEST_F(CheckerTest, TheScreensTextsAreInTheFilesLanguage) {
    const char* const kExercise =
        "[[case]]\ninput = [\"x\", \"5\"]\n[case.expect]\nscreen = [\"%s\"]\n";
    const std::pair<const char*, const char*> rows[] = {
        {"lang = \"en\"\n", "Error! Repeat the input!"},
        {"", "Ошибка! Повторите ввод!"},
        {"lang = \"ru\"\n", "Ошибка! Повторите ввод!"},
    };
    for (const auto& [lang, line] : rows) {
        for (const Language interface : {Language::Russian, Language::English}) {
            SetTextLanguage(interface);
            const std::string exercise = std::string(lang) + Fill(kExercise, {line});
            const auto results = Check(kAdder, exercise.c_str());
            EXPECT_TRUE(results.at(0).Passed()) << exercise << results[0].differences.front();
        }
    }
    SetTextLanguage(Language::English);
}

struct Rule {
    const char* file;        // the file's keys
    const char* difference;  // the difference every case has; empty: none
};

TEST_F(CheckerTest, TheProgramsRulesFailEveryCase) {
    const Rule table[] = {
        {"forbid = [\"add\"]\n", "the operation ADD is forbidden in this exercise: 0004, line 4: ADD R2,R1"},
        {"forbid = [\"MUL\"]\n", ""},
        {"require = [\"CALL\", \"MUL\"]\n", "the program does not use MUL, which this exercise requires"},
        {"max_words = 12\n", "the program has 13 words; this exercise allows at most 12"},
        {"max_words = 13\n", ""},
    };
    for (const auto& row : table) {
        const std::string exercise =
            std::string(row.file) + "[[case]]\ninput = [\"1\"]\n[[case]]\ninput = [\"2\"]\n";
        const auto results = Check(kAdder, exercise.c_str());
        ASSERT_EQ(results.size(), 2U);
        for (const auto& result : results) {
            if (*row.difference == '\0') {
                EXPECT_TRUE(result.Passed()) << row.file << result.differences.front();
            } else {
                EXPECT_EQ(result.differences, (std::vector<std::string>{row.difference}));
                EXPECT_EQ(result.end, "not run");
            }
        }
    }
}

// An exact screen: the program's lines and no others, blank lines at both ends and trailing
// blanks aside.
TEST(ExactScreen, TheLinesAndNoOthers) {
    struct Row {
        std::vector<std::string> expected;
        std::vector<std::string> screen;
        std::optional<MissingLine> missing;
    };
    const Row table[] = {
        {{"a", "b"}, {"", "a ", "b", "", ""}, std::nullopt},
        {{"", "a", "", "b", ""}, {"a", "", "b"}, std::nullopt},
        {{"a", "b"}, {"a", "x", "b"}, MissingLine{"b", 2, "x"}},
        {{"a", "b"}, {"a", "", "b"}, MissingLine{"b", 2, ""}},
        {{"a"}, {"a", "b"}, MissingLine{"", 2, "b", true}},
        {{"a", "b"}, {"a", ""}, MissingLine{"b", 2, std::nullopt}},
        {{}, {"", ""}, std::nullopt},
    };
    for (const auto& row : table) {
        ExerciseCase exerciseCase;
        exerciseCase.expect.screen = row.expected;
        exerciseCase.expect.screenExact = true;
        const auto check = MakeScreenCheck(exerciseCase);
        FeedRun(*check, row.screen);
        EXPECT_TRUE(check->Missing() == row.missing) << row.screen.size();
    }
}

// Where a failure happened: the source line of a run-time error and of a loop; the case's
// start with a failure; a hidden case shows a student its name and verdict only.
TEST_F(CheckerTest, AFailureSaysWhereAndWithWhat) {
    const auto results = Check(
        kAdder,
        "[[case]]\ninput = [\"1\"]\nmemory = { \"0040\" = 32767 }\nhidden = true\npoints = 4\n"
        "[[case]]\ninput = [\"1\", \"7\"]\n");
    ASSERT_EQ(results.size(), 2U);
    EXPECT_EQ(results[0].differences.at(0).rfind("run-time error at 0006, line 5: ADD X,R1: ", 0),
              0U)
        << results[0].differences.at(0);
    EXPECT_EQ(results[0].notes, (std::vector<std::string>{"given: input \"1\"; [0040] = 7FFF"}));
    EXPECT_EQ(results[1].notes, (std::vector<std::string>{"input lines not read: \"7\""}));
    const CaseResult shown = ShownToStudent(results[0]);
    EXPECT_FALSE(shown.Passed());
    EXPECT_EQ(shown.name, results[0].name);
    EXPECT_TRUE(shown.differences.empty() && shown.notes.empty() && shown.end.empty());
    EXPECT_EQ(ShownToStudent(results[1]).notes, results[1].notes);

    const std::vector<std::string> loop = {"  MOV #1,R0", "L: ADD #1,R1", "  SUB #1,R1",
                                           "  BR L", "  HLT"};
    const auto looping = Check(loop, "[[case]]\nmax_steps = 5000\n");
    EXPECT_EQ(looping.at(0).differences.at(0),
              "did not halt within 5000 steps; its last steps ran in 0002..0006, lines 2-4");
}

TEST_F(CheckerTest, PointsAddUpPerProgram) {
    const Assembly assembly = Assemble(kAdder, AsmOptions{});
    const ExerciseFile file = ParseExercise(
        "[[case]]\ninput = [\"1\"]\npoints = 5\n[case.expect]\nregisters = { R1 = 1 }\n"
        "[[case]]\ninput = [\"1\"]\npoints = 3\n[case.expect]\nregisters = { R1 = 2 }\n"
        "[[case]]\ninput = [\"1\"]\n");
    const ProgramResult result = CheckCodeText(rom_, assembly.CodeText(), *file.exercise);
    EXPECT_EQ(result.PassedCases(), 2);
    EXPECT_EQ(result.Points(), 6);
    EXPECT_EQ(result.MaxPoints(), 9);
    const std::vector<std::string> noHlt = {"  NOP"};
    const auto warned = CheckSource(rom_, noHlt, AsmOptions{true, true}, *file.exercise);
    EXPECT_EQ(warned.warnings, (std::vector<std::string>{"No HLT command!"}));
}

TEST_F(CheckerTest, ACodeTextThatCannotBeLoadedFailsEveryCase) {
    const ExerciseFile file = ParseExercise("[[case]]\n[[case]]\n");
    ASSERT_TRUE(file.exercise.has_value());
    const auto results = CheckCodeText(rom_, {"01D0", "01G0"}, *file.exercise).cases;
    ASSERT_EQ(results.size(), 2U);
    for (const auto& result : results) {
        EXPECT_FALSE(result.Passed());
        EXPECT_EQ(result.end, "not run");
    }
}

}  // namespace
}  // namespace q42::test
