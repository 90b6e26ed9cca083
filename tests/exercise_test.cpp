// Exercise files and checking programs against them: what a malformed file is told, how values
// and defaults are read, which lines of the screen count, and each kind of difference.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "assembler/assembler.h"
#include "exercise/checker.h"
#include "exercise/exercise_file.h"
#include "exercise/screen_lines.h"
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
        {"[[case]]\nregisters = { R1 = \"12345\" }\n", "R1: a word is needed", 2},
        {"[[case]]\nregisters = { R1 = 70000 }\n", "R1: a word is needed", 2},
        {"[[case]]\nmemory = { \"0041\" = 1 }\n", "not an even RAM address: 0041", 2},
        {"[[case]]\nmemory = { \"4000\" = 1 }\n", "not an even RAM address: 4000", 2},
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
        return CheckCodeText(rom_, assembly.CodeText(), *file.exercise);
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

TEST_F(CheckerTest, ACodeTextThatCannotBeLoadedFailsEveryCase) {
    const ExerciseFile file = ParseExercise("[[case]]\n[[case]]\n");
    ASSERT_TRUE(file.exercise.has_value());
    const auto results = CheckCodeText(rom_, {"01D0", "01G0"}, *file.exercise);
    ASSERT_EQ(results.size(), 2U);
    for (const auto& result : results) {
        EXPECT_FALSE(result.Passed());
        EXPECT_EQ(result.end, "not run");
    }
}

}  // namespace
}  // namespace q42::test
