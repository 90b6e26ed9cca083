// Hostile input end to end: enormous and binary files, a ROM image far too long, programs that
// never halt and input that ends too early. Each must end in a clear message or a clean stop,
// with work that grows no faster than the input (checked by counting lines and steps).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "machine/codepage.h"
#include "machine/rom_image.h"
#include "session/code_loading.h"
#include "session/text_file.h"
#include "tests/cli_fixture.h"
#include "tests/rig.h"

namespace q42::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInterrupted = "Задача прервана пользователем\n";

using Hostile = CliFixture;

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Bytes that look like nothing: a fixed pseudo-random sequence, so that every run sees the same.
std::string BinaryBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 42;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

// A block of assembler text of about 100 bytes: a label and four statements of six words.
std::string AsmBlock(int n) {
    const std::string k = std::to_string(n);
    return "L" + k + ":  MOV #100,R0   ; a comment long enough to make the text a file\r\n" +
           "        ADD (R1)%,R2%\r\n        JMP #L" + k + "\r\n        HLT\r\n";
}

TEST_F(Hostile, TenMegabyteAssemblerFileCompilesWithLinearWork) {
    struct Size {
        int blocks = 0;
        std::size_t compLines = 0, codeLines = 0;
    };
    Size sizes[] = {{10'000}, {100'000}};  // about 1 MB and 10 MB
    for (Size& size : sizes) {
        std::string source;
        for (int n = 0; n < size.blocks; ++n)
            source += AsmBlock(n);
        const std::string file = Write(size.blocks == 100'000 ? "big10.asm" : "big.asm", source);
        if (size.blocks == 100'000) {
            EXPECT_GT(source.size(), 10'000'000u);
        }

        // Files this large are refused; the assembler itself still takes such a text in
        // linear work.
        EXPECT_NE(ReadTextFile(file).error, "");
        const Assembly assembly = Assemble(SplitTextLines(source), AsmOptions{});
        ASSERT_TRUE(assembly.Ok());
        size.compLines = assembly.intermediate.lines.size();
        size.codeLines = assembly.code.size();
        EXPECT_EQ(size.codeLines, 6u * size.blocks);
        EXPECT_EQ(assembly.names.size(), static_cast<std::size_t>(size.blocks));

        // Too long for RAM: a clear message names the first word that does not fit.
        Machine machine;
        const auto badLine = CopyCode(machine, assembly.CodeText()).error;
        ASSERT_TRUE(badLine.has_value());
        EXPECT_EQ(badLine->lineIndex, kRamWords);
        EXPECT_EQ(Cp1251ToUtf8(badLine->errLab), "В программе " + std::to_string(size.codeLines) +
                                                     " слов, а в ОЗУ помещается 128.");
    }
    EXPECT_EQ(sizes[1].compLines, 10 * sizes[0].compLines);
    // The command-line tool refuses a file that large, saying what the limit is.
    EXPECT_EQ(Cli({"run", (dir_ / "big.asm").string()}), kBadUsage);
    EXPECT_NE(err_.str().find("не больше 1 МБ"), std::string::npos) << err_.str();
    EXPECT_EQ(out_.str(), "");
}

TEST_F(Hostile, OneMegabyteLineGetsAnOrdinaryAnswer) {
    // A line of almost the largest file read.
    const std::string mega((1 << 20) - 64, 'X');
    const std::string digits((1 << 20) - 64, '7');
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> args;
        std::string input;
        int status;
        const char* errStart;
        const char* outHas;
    };
    const Case cases[] = {
        {"comment.asm", "; " + mega + "\nHLT\n", {"run"}, "", kHalted, "", "Задача завершена"},
        {"name.asm", mega + "\n", {"asm"}, "", kFailed, "1:  XXX", ""},
        {"number.asm",
         "DW " + digits + "\n",
         {"asm", "--lang", "en"},
         "",
         kFailed,
         "1:  DW 777",
         ""},
        // A string of a megabyte is half a million words: far more than memory holds, refused
        // before it is expanded.
        {"string.asm", "DS " + mega + "\nHLT\n", {"run"}, "", kFailed, "1: DS XXX", ""},
        {"word.cod", "1" + digits + "\n", {"run"}, "", kFailed, "1777", ""},
        {"readint.asm",
         "CALL #4182H\nHLT\n",
         {"run"},
         digits + "\n5\n",
         kHalted,
         "",
         "Ошибка! Повторите ввод!\n5\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back(Write(c.name, c.file));
        EXPECT_EQ(Cli(args, c.input), c.status) << c.name;
        EXPECT_TRUE(err_.str().starts_with(c.errStart))
            << c.name << ": " << err_.str().substr(0, 80);
        EXPECT_NE(out_.str().find(c.outHas), std::string::npos) << c.name;
        // An error is always the two lines LineLab and ErrLab.
        if (c.status == kFailed) {
            EXPECT_EQ(Lines(err_.str()), 2u) << c.name;
        }
    }
}

TEST_F(Hostile, NulBytesAndInvalidUtf8AreCharactersLikeAnyOther) {
    const std::string nul(1, '\0');
    struct Case {
        std::string file;
        const char* code;
    };
    const Case cases[] = {
        // Not UTF-8: every byte is taken as it stands, NUL included.
        {"DS \xC3\x28" + nul + "\xFF\r\nHLT\r\n", "28C3\nFF00\nAF18\n"},
        {"MOV #'" + nul + "',R0 ; \xFE\xFF\r\nHLT" + nul + "\r\n", ""},
        // Valid UTF-8 with NUL: converted to the 8-bit code page, NUL kept.
        {"DS Я" + nul + "\nHLT\n", "00DF\nAF18\n"},
        {"\xEF\xBB\xBF"
         "DS \xF0\x9F\x98\x80\nHLT\n",
         "003F\nAF18\n"},  // no such character: "?"
    };
    for (const Case& c : cases) {
        const int status = Cli({"asm", Write("text.asm", c.file)});
        if (*c.code != '\0') {
            EXPECT_EQ(status, kHalted);
            EXPECT_EQ(out_.str(), c.code);
        } else {
            EXPECT_EQ(status, kFailed);
            EXPECT_EQ(Lines(err_.str()), 2u);
        }
        EXPECT_TRUE(IsValidUtf8(out_.str()) && IsValidUtf8(err_.str()));
    }
    // The screen shows every code the machine writes, the undefined one as U+FFFD.
    EXPECT_EQ(Cli({"run", Write("out.asm",
                                "MOV #MSG,R1\nMOV #4,R2\nN: MOV (R1)%,R0\nCALL #4000H\nADD #1,R1\n"
                                "SUB #1,R2\nBNE N\nHLT\nMSG: DS a" +
                                    nul + "\x98\xFF\n")}),
              kHalted);
    EXPECT_NE(out_.str().find("a" + nul + "\xEF\xBF\xBDя"), std::string::npos);
}

TEST_F(Hostile, BinaryFileOpenedAsAssemblerOrCode) {
    const std::string binary = BinaryBytes(std::size_t{64} * 1024);
    EXPECT_EQ(Cli({"asm", Write("binary.asm", binary)}), kFailed);
    EXPECT_EQ(Lines(err_.str()), 2u);
    EXPECT_TRUE(IsValidUtf8(err_.str()));

    // As code: the first line that starts with a hex digit but is no word stops the load.
    EXPECT_EQ(Cli({"run", Write("binary.cod", binary)}), kFailed);
    EXPECT_EQ(Lines(err_.str()), 2u);
    EXPECT_TRUE(err_.str().ends_with("некорректная длина кода\n")) << err_.str();
    EXPECT_EQ(Cli({"decode", Write("binary.cod", binary)}), kFailed);
    EXPECT_EQ(out_.str(), "");

    // Binary bytes that do load as words run as a program: it ends cleanly either way.
    std::string words;
    for (std::size_t i = 0; i + 1 < 256; i += 2)
        words += WordToHex((static_cast<unsigned char>(binary[i]) << 8) |
                           static_cast<unsigned char>(binary[i + 1])) +
                 "\n";
    const int status = Cli({"run", "--max-steps", "100000", Write("words.cod", words)}, binary);
    EXPECT_TRUE(status == kFailed || status == kStopped || status == kHalted);
    EXPECT_TRUE(IsValidUtf8(out_.str()));
}

class CountedMessages : public MessageSink {
  public:
    std::vector<std::string> texts;
    void ShowMessage(const std::string& text) override { texts.push_back(Cp1251ToUtf8(text)); }
};

TEST(HostileRom, HundredThousandLineImageStopsWhereTheRomEnds) {
    std::string image;
    for (int i = 0; i < 100'000; ++i)
        image += WordToHex(i & 0xFFFF) + " word " + std::to_string(i) + "\r\n";
    std::istringstream in(image);
    Machine machine;
    CountedMessages messages;
    LoadRomImage(machine, in, kRomStart, messages);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"попытка записи в ПЗУ: 4500"}));
    EXPECT_EQ(machine.Rom()[kRomWords - 1], kRomWords - 1);
    // Reading stopped at the 641st line: the rest of the file was never looked at.
    const std::string read = image.substr(0, static_cast<std::size_t>(in.tellg()));
    EXPECT_EQ(Lines(read), 641u);
}

TEST(HostileRom, HundredThousandCommentLinesAreSkippedLineByLine) {
    std::string image;
    for (int i = 0; i < 100'000; ++i)
        image += " comment " + std::string(i % 200, '-') + "\n";
    image += "1234\n.\n0G00 never read\n";
    std::istringstream in(image);
    Machine machine;
    CountedMessages messages;
    LoadRomImage(machine, in, kRomStart, messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(machine.Rom()[0], 0x1234);
    EXPECT_FALSE(machine.Failed());
}

TEST(HostileRun, ProgramsThatNeverHaltStopAfterTheStepsAllowed) {
    struct Case {
        const char* name;
        std::vector<Value> program;
    };
    const Case cases[] = {
        {"branch to itself", {0x1DFE}},
        {"poll the keyboard status", {0x0A00, 0x1DFC}},
        {"poll the display status", {0x0A20, 0x1DFC}},
        {"stack up and down", {0x0E20, 0x0E30, 0x1DFA}},
    };
    for (const Case& c : cases) {
        for (const int limit : {1'000, 100'000}) {
            test::Rig rig;
            rig.Load(c.program);
            int steps = 0;
            rig.console.onStep = [&] {
                if (++steps == limit) rig.run.StopProgram();
            };
            rig.run.RunProgram();
            EXPECT_EQ(steps, limit) << c.name;
            EXPECT_FALSE(rig.machine.Failed()) << c.name;
            EXPECT_EQ(rig.Screen().back(), " Задача прервана пользователем") << c.name;
            EXPECT_LE(rig.display.Lines().size(), 10u);
        }
    }
}

TEST_F(Hostile, MaxStepsStopsAProgramThatNeverHalts) {
    const std::string loop = Write("loop.asm", "L: IN 0,R0\nOUT #'.',P.3\nBR L\n");
    for (const char* steps : {"1000", "10000"}) {
        const std::string trace = (dir_ / "trace.txt").string();
        EXPECT_EQ(Cli({"run", "--max-steps", steps, "--trace", trace, loop}), kStopped);
        std::ifstream file(trace, std::ios::binary);
        const std::string lines{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(Lines(lines), std::stoul(steps));
        EXPECT_TRUE(out_.str().ends_with(kInterrupted));
    }
}

// A call that never returns fills RAM with return addresses, the program included: it ends in a
// run-time error, not a hang.
TEST_F(Hostile, EndlessRecursionEndsWithARunTimeError) {
    EXPECT_EQ(Cli({"run", Write("deep.asm", "F: BCALL F\n")}), kFailed);
    EXPECT_NE(out_.str().find("## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:\n"),
              std::string::npos)
        << out_.str();
}

TEST_F(Hostile, InputEndingTooEarlyStopsTheRun) {
    const std::string sum = Q42_SOURCE_DIR "/examples/sum.asm";
    const std::string echo = Q42_SOURCE_DIR "/examples/echo.asm";
    const std::string boolean = Write("bool.asm", "CALL #4180H\nHLT\n");
    struct Case {
        std::string file;
        std::string input;
        const char* shows;  // what the transcript holds before the stop
    };
    const Case cases[] = {
        {sum, "", ""},
        {sum, "12", "12\n"},  // the first number without its line end still counts
        {sum, "12\nab", "Ошибка! Повторите ввод!\n"},  // then a bad one, and nothing more
        {sum, "\r\n", "Ошибка! Повторите ввод!\n"},
        {echo, "hi", "hi"},     // keys, but never Enter
        {echo, "h\xD0", "hР"},  // a key cut in the middle of a UTF-8 character
        {boolean, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cli({"run", c.file}, c.input), kStopped) << c.input;
        EXPECT_NE(out_.str().find(c.shows), std::string::npos) << c.input << ":\n" << out_.str();
        EXPECT_TRUE(out_.str().ends_with(kInterrupted)) << c.input;
    }
}

}  // namespace
}  // namespace q42::cli
