// The command-line tool end to end: files in, transcript, diagnostics and exit status out.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "machine/codepage.h"
#include "machine/run_texts.h"
#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

using CliTest = CliFixture;

constexpr const char* kGreeting = "***  Учебный компьютер \"Q42\" с ассемблером\n \n";

TEST_F(CliTest, AsmPrintsTheCodeTextOrWritesACodeFile) {
    const auto source = Write("five.asm", "  mov #5,r0\r\n  hlt\r\n");
    EXPECT_EQ(Cli({"asm", source}), kHalted);
    EXPECT_EQ(out_.str(), "2150\nAF18\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(Cli({"asm", "--no-short-const", source, "-o", (dir_ / "five.cod").string()}),
              kHalted);
    EXPECT_EQ(Read("five.cod"), "01D0\r\n0005\r\nAF18\r\n.\r\n");
}

TEST_F(CliTest, AsmErrorIsTwoLinesOnStderr) {
    const auto source = Write("bad.asm", "nop\nfoo r1\nhlt\n");
    EXPECT_EQ(Cli({"asm", source}), kFailed);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str().back(), '\n');
    EXPECT_NE(err_.str().find("2:  foo r1\n"), std::string::npos) << err_.str();
    err_.str("");
    EXPECT_EQ(Cli({"asm", "--lang", "en", source}), kFailed);
    const std::string err = err_.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2);
}

TEST_F(CliTest, WarningsDoNotStopTheAssembler) {
    const auto source = Write("nohlt.asm", "nop\n");
    EXPECT_EQ(Cli({"asm", source}), kHalted);
    EXPECT_EQ(err_.str(), "warning: No HLT command!\n");
    EXPECT_EQ(out_.str(), "0000\n");
}

// The warnings come in the order the compiler gave them, before the error that stopped it, in
// the language asked for.
TEST_F(CliTest, WarningsComeBeforeTheError) {
    const auto source = Write("ask.asm", "l: jmp l\nmove\n");
    for (const char* language : {"ru", "en"}) {
        err_.str("");
        EXPECT_EQ(Cli({"run", "--lang", language, source}), kFailed);
        EXPECT_EQ(err_.str(), std::string("warning: JMP L:\nL\nor #L?\n2:  move\n") +
                                  (*language == 'r' ? "Неизвестное имя операции: MOVE\n"
                                                    : "Unknown operation name: MOVE\n"));
    }
}

TEST_F(CliTest, RunPrintsTheScreenAsATranscript) {
    const auto source =
        Write("hi.asm", "mov #'H',r0\ncall #4000h\nmov #'i',r0\ncall #4000h\nhlt\n");
    EXPECT_EQ(Cli({"run", source}), kHalted);
    EXPECT_EQ(out_.str(), std::string(kGreeting) + "Hi \nЗадача завершена\n");
}

TEST_F(CliTest, RunFeedsLinesAndKeysFromStdin) {
    // Read an integer into R1, then a key into R2, then halt.
    const auto source = Write("in.asm",
                              "call #4182h\n"
                              "w: in 0,r3\n cmp #80h,r3\n bne w\n in 1,r2\n hlt\n");
    EXPECT_EQ(Cli({"run", "--dump", source}, "oops\r\n-2\nq"), kHalted);
    EXPECT_EQ(out_.str().substr(0, out_.str().find("0000:")),
              std::string(kGreeting) + "oops\nОшибка! Повторите ввод!\n-2\n \nЗадача завершена\n");
}

TEST_F(CliTest, EndOfInputAndStepLimitStopTheRun) {
    const auto waits = Write("wait.asm", "call #4182h\nhlt\n");
    EXPECT_EQ(Cli({"run", waits}, "12"), kHalted);  // a last line without a newline still counts
    out_.str("");
    EXPECT_EQ(Cli({"run", waits}, ""), kStopped);
    EXPECT_NE(out_.str().find("Задача прервана пользователем\n"), std::string::npos);
    const auto loops = Write("loop.asm", "l: br l\nhlt\n");
    out_.str("");
    EXPECT_EQ(Cli({"run", "--max-steps", "1000", loops}), kStopped);
    const auto halts = Write("halt.asm", "nop\nhlt\n");
    EXPECT_EQ(Cli({"run", "--max-steps", "2", halts}), kHalted);  // the last step halted by itself
}

TEST_F(CliTest, RunTimeErrorWinsAndIsReportedOnTheScreen) {
    const auto source = Write("div.cod", "0610\n.\n");
    EXPECT_EQ(Cli({"run", "--trace", (dir_ / "trace.txt").string(), source}), kFailed);
    EXPECT_NE(
        out_.str().find(
            "## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:\n   деление на ноль\n   0000: 0610\n"),
        std::string::npos)
        << out_.str();
    EXPECT_EQ(Read("trace.txt"),
              "0000 0610 0000 0000 0000 0000 0002 0100 0000 ! деление на ноль\n");
}

TEST_F(CliTest, CodeFilesAreLoadedAsTheyAre) {
    const auto upper = Write("HALT.COD", "; a comment\r\naf18\r\n.\r\n");
    EXPECT_EQ(Cli({"run", "--dump", upper}), kHalted);
    EXPECT_NE(out_.str().find("0000: AF18 0000 0000"), std::string::npos);
    const std::string dump = out_.str();
    EXPECT_EQ(std::count(dump.begin(), dump.end(), ':'), 16);

    std::string tooLong;
    for (int i = 0; i < 129; ++i)
        tooLong += "0000\n";
    out_.str("");
    EXPECT_EQ(Cli({"run", Write("long.cod", tooLong)}), kFailed);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "0000\nВ программе 129 слов, а в ОЗУ помещается 128.\n");

    err_.str("");
    EXPECT_EQ(Cli({"run", Write("bad.cod", "12345\n")}), kFailed);
    EXPECT_EQ(err_.str(), "12345\nнекорректная длина кода\n");
}

TEST_F(CliTest, UnreadableFilesAndBadUsage) {
    EXPECT_EQ(Cli({"run", (dir_ / "missing.asm").string()}), kBadUsage);
    EXPECT_NE(err_.str().find("missing.asm"), std::string::npos);
    EXPECT_EQ(Cli({"run", dir_.string()}), kBadUsage);
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"asm"},
        {"run", "--max-steps", "0", "x.asm"},
        {"run", "--max-steps", "x", "x.asm"},
        {"asm", "--lang", "de", "x.asm"},
        {"decode", "--lang", "x.cod"},
        {"decode", "--from", "12G4", "x.cod"},
        {"asm", "x.asm", "y.asm"},
        {"asm", "--dump", "x.asm"},
        {"run", "--trace"},
        {"decode", "--count", "-1", "x.cod"},
        {"decode", "--from", "12345", "x.cod"},
        {"decode", "--no-short-const", "x.cod"},
        {"run", "--max-steps", "x", "--max-steps", "3", "x.asm"},  // the later one excuses nothing
        {"asm", "x.asm", "run", "y.asm"},  // one command only: "run" is a second file here
        {"asm", "-5"},
        {"frobnicate", "asm", "x.asm"},
    };
    for (const auto& args : bad) {
        std::string error;
        ParseOptions(args, error);
        EXPECT_FALSE(error.empty()) << (args.empty() ? "" : args[0]);
    }
}

TEST(CliOptions, ReadsTheValuesOfAGoodCommandLine) {
    struct Case {
        std::vector<std::string> args;
        Options expected;
    };
    const auto make = [](Command command, auto&& set) {
        Options options;
        options.command = command;
        options.file = command == Command::Decode ? "p.cod" : "p.asm";
        set(options);
        return options;
    };
    const std::vector<Case> cases = {
        {{"--help"}, Options{}},
        {{"-h"}, Options{}},
        {{"--version"}, make(Command::Version, [](Options& o) { o.file.clear(); })},
        {{"asm", "--no-short-const", "--lang", "en", "p.asm", "-o", "-x.cod"},
         make(Command::Asm,
              [](Options& o) {
                  o.shortConst = false;
                  o.language = Language::English;
                  o.output = "-x.cod";  // a value is taken as it is, dash or not
              })},
        {{"run", "--lang", "en", "--lang", "ru", "--max-steps", "010", "--trace", "-", "--dump",
          "--rom", "r.txt", "p.asm"},
         make(Command::Run,
              [](Options& o) {
                  o.maxSteps = 10;  // decimal, a leading zero or not
                  o.trace = "-";
                  o.dump = true;
                  o.rom = "r.txt";
              })},
        {{"decode", "p.cod", "--from", "fF", "--count", "0"},
         make(Command::Decode,
              [](Options& o) {
                  o.from = 0x00FF;
                  o.count = 0;
              })},
        {{"decode", "p.cod"}, make(Command::Decode, [](Options&) {})},
    };
    for (const auto& c : cases) {
        std::string error;
        const Options got = ParseOptions(c.args, error);
        const std::string line = testing::PrintToString(c.args);
        EXPECT_EQ(error, "") << line;
        EXPECT_EQ(got.command, c.expected.command) << line;
        EXPECT_EQ(got.file, c.expected.file) << line;
        EXPECT_EQ(got.shortConst, c.expected.shortConst) << line;
        EXPECT_EQ(got.language, c.expected.language) << line;
        EXPECT_EQ(got.output, c.expected.output) << line;
        EXPECT_EQ(got.rom, c.expected.rom) << line;
        EXPECT_EQ(got.maxSteps, c.expected.maxSteps) << line;
        EXPECT_EQ(got.trace, c.expected.trace) << line;
        EXPECT_EQ(got.dump, c.expected.dump) << line;
        EXPECT_EQ(got.from, c.expected.from) << line;
        EXPECT_EQ(got.count, c.expected.count) << line;
    }
}

TEST_F(CliTest, DecodeListsTheProgram) {
    const auto source = Write("jump.cod", "1C0D\n0004\nAF18\n");
    EXPECT_EQ(Cli({"decode", source}), kHalted);
    EXPECT_EQ(out_.str(),
              "0000  0004 / 1C0D  JMP (безусловный переход)  0004  JMP #0004H\n"
              "0004  AF18  HLT (останов)  HLT\n");
    out_.str("");
    EXPECT_EQ(Cli({"decode", "--from", "4", "--count", "1", source}), kHalted);
    EXPECT_EQ(out_.str(), "0004  AF18  HLT (останов)  HLT\n");
}

// The last column is the words as assembler text. A word the assembler never writes is a DW, and
// so is each word after it that the decoding line takes with it; a name stands for an address.
TEST_F(CliTest, DecodeShowsTheWordsAsAssemblerText) {
    const auto source = Write("words.cod", "02DD\n0005\n0006\n4DFA\n3250\n01EE\n0040\n00FE\n");
    EXPECT_EQ(Cli({"decode", "--lang", "en", source}), kHalted);
    EXPECT_EQ(
        out_.str(),
        "0000  0006 / 0005 / 02DD  ADD (add)  0005, constant  DW 02DDH | DW 0005H | DW 0006H\n"
        "0006  4DFA  BNE (branch if Z=0: <>0)  0002  BNE @0002\n"
        "0008  3250  ADD (add)  -5, R0  ADD #-5,R0\n"
        "000A  00FE / 0040 / 01EE  MOV (move)  (0040), (00FE)  MOV @0040,@00FE\n");
}

// --lang en gives the English texts on every output: the transcript, the trace, the assembler's
// messages and the decoding listing; each run chooses anew, so the next one without it is Russian.
TEST_F(CliTest, EnglishTextsOnRequest) {
    const auto divides = Write("div.cod", "0610\n.\n");
    EXPECT_EQ(Cli({"run", "--lang", "en", "--trace", "-", divides}), kFailed);
    EXPECT_EQ(out_.str(),
              "***  Teaching computer \"Q42\" with assembler\n \n"
              "## PROGRAM STOPPED BY AN ERROR:\n   division by zero\n   0000: 0610\n \n"
              "Task completed\n");
    EXPECT_NE(err_.str().find("! division by zero\n"), std::string::npos);
    const auto waits = Write("wait.asm", "call #4182h\nhlt\n");
    EXPECT_EQ(Cli({"run", "--lang", "en", waits}, "x\n"), kStopped);
    EXPECT_NE(out_.str().find("\nError! Repeat the input!\n"), std::string::npos);
    EXPECT_NE(out_.str().find("\nTask interrupted by the user\n"), std::string::npos);
    EXPECT_EQ(Cli({"asm", "--lang", "en", Write("bad.asm", "mov 2(sp),r0\n")}), kFailed);
    EXPECT_NE(err_.str().find("Label not found in the list"), std::string::npos);
    const auto jumps = Write("jump.cod", "1C0D\n0004\nAF18\n");
    EXPECT_EQ(Cli({"decode", "--lang", "en", jumps}), kHalted);
    EXPECT_EQ(out_.str(),
              "0000  0004 / 1C0D  JMP (unconditional jump)  0004  JMP #0004H\n"
              "0004  AF18  HLT (halt)  HLT\n");
    EXPECT_EQ(Cli({"decode", jumps}), kHalted);
    EXPECT_NE(out_.str().find("HLT (останов)"), std::string::npos);
}

// The example programs shipped for students run as their comments promise.
TEST_F(CliTest, ExamplesRun) {
    struct Example {
        const char* file;
        const char* input;
        const char* shows;
    };
    const Example examples[] = {
        {"hello.asm", "", "\nHello, world!\n"},
        {"sum.asm", "12\n-30\n", "\n12\n-30\n-18\n"},
        {"sum.asm", "32767\n-32767\n", "\n0\n"},
        {"echo.asm", "Q42!\n", "\nQ42!\n"},
    };
    for (const auto& e : examples) {
        out_.str("");
        EXPECT_EQ(Cli({"run", std::string(Q42_SOURCE_DIR "/examples/") + e.file}, e.input), kHalted)
            << e.file;
        EXPECT_NE(out_.str().find(e.shows), std::string::npos) << e.file << ":\n" << out_.str();
        EXPECT_NE(out_.str().find("Задача завершена\n"), std::string::npos) << e.file;
    }
}

// run --json keeps the program's last lines and says how many came before them, so that a
// program writing lines for ever ends with a short answer instead of exhausting memory.
// A program that cannot start says why, also to a script reading JSON; one too long for RAM is
// named so when it compiles and when it is loaded.
TEST_F(CliTest, RunJsonTellsWhyAProgramCannotStart) {
    EXPECT_EQ(Cli({"run", "--json", Write("bad.asm", "MOV #1,\n")}), kFailed);
    EXPECT_NE(out_.str().find("\"end\": \"assembler error\""), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("\"line\": 1"), std::string::npos) << out_.str();
    EXPECT_EQ(Cli({"run", "--json", Write("bad.cod", "0000\n12G4\n.\n")}), kFailed);
    EXPECT_NE(out_.str().find("\"end\": \"code error\""), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("\"line\": 2"), std::string::npos) << out_.str();
    EXPECT_EQ(Cli({"run", "--json", "--dump", Write("p.asm", "HLT\n")}), kBadUsage);

    std::string tooLong;
    for (int i = 0; i < 130; ++i)
        tooLong += "MOV R0,R1\n";
    const auto program = Write("long.asm", tooLong + "HLT\n");
    EXPECT_EQ(Cli({"asm", program}), kHalted);
    EXPECT_EQ(err_.str(), "warning: В программе 131 слово, а в ОЗУ помещается 128.\n");
    EXPECT_EQ(Cli({"run", "--lang", "en", "--json", program}), kFailed);
    EXPECT_NE(out_.str().find("The program has 131 words; RAM holds 128."), std::string::npos)
        << out_.str();
}

TEST(ProgramTooLong, SaysHowManyWordsWithTheirPluralForm) {
    const std::pair<int, const char*> forms[] = {
        {129, "129 слов"},  {131, "131 слово"}, {132, "132 слова"},
        {134, "134 слова"}, {211, "211 слов"},  {212, "212 слов"},
        {214, "214 слов"},  {221, "221 слово"}, {1000, "1000 слов"}};
    for (const auto& [words, russian] : forms) {
        EXPECT_EQ(Cp1251ToUtf8(ProgramTooLongText(words, false)),
                  std::string("В программе ") + russian + ", а в ОЗУ помещается 128.");
    }
    EXPECT_EQ(ProgramTooLongText(129, true), "The program has 129 words; RAM holds 128.");
}

TEST_F(CliTest, RunJsonKeepsTheLastLinesAndCountsTheOthers) {
    struct Lines {
        const char* count;  // how many empty lines the program writes before "E"
        std::size_t kept;
        int dropped;
    };
    const Lines table[] = {{"3", 4, 0}, {"999", 1000, 0}, {"1000", 1000, 1}, {"1500", 1000, 501}};
    for (const auto& row : table) {
        const auto source = Write("lines.asm", std::string("  MOV #") + row.count +
                                                   ",R1\nL: CALL #4010H\n  SUB #1,R1\n  BNE L\n"
                                                   "  MOV #'E',R0\n  CALL #4000H\n  HLT\n");
        ASSERT_EQ(Cli({"run", "--json", source}), kHalted) << err_.str();
        const auto run = nlohmann::json::parse(out_.str());
        const auto& screen = run.at("screen");
        ASSERT_EQ(screen.size(), row.kept) << row.count;
        EXPECT_EQ(screen.back(), "E") << row.count;
        EXPECT_EQ(screen.front(), "") << row.count;
        EXPECT_EQ(run.at("screen_lines_dropped"), row.dropped) << row.count;
    }
}

}  // namespace
}  // namespace q42::cli
