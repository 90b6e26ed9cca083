// Files are never lost and memory stays bounded: saves onto a full disk, output that cannot be
// written or would overwrite the input, endless input, endless screen lines, files that grow while
// they are read, strings larger than memory, and addresses past the end of memory.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <sys/stat.h>
#include <cstdlib>

#include <istream>
#include <streambuf>

#include "assembler/assembler.h"
#include "session/decoder.h"
#include "session/text_file.h"
#include "tests/cli_fixture.h"
#include "tests/full_disk.h"
#include "tests/rig.h"

namespace q42::cli {
namespace {

using Bounds = CliFixture;
using test::FullDisk;

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(FullDiskSave, OldFileStaysWholeAndTheReasonIsGiven) {
    FullDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const auto file = disk.FileThenFill("prog.asm", "MOV #1,R0\r\nHLT\r\n");
    const std::size_t entries = disk.Entries();
    const std::string error = WriteFileBytes(file, std::string(100'000, 'x'));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    EXPECT_EQ(Contents(file), "MOV #1,R0\r\nHLT\r\n");
    EXPECT_EQ(disk.Entries(), entries);  // no temporary file left behind
}

TEST_F(Bounds, CodeFileAndTraceOntoAFullDiskFailWithExitTwo) {
    FullDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const auto cod = disk.FileThenFill("prog.cod", "AF18\r\n.\r\n");
    std::string program = "L: MOV #1,R0\n";
    for (int i = 0; i < 60; ++i)
        program += "ADD #1,R0\n";
    const auto source = Write("big.asm", program + "HLT\n");
    EXPECT_EQ(Cli({"asm", source, "-o", cod.string()}), kBadUsage);
    EXPECT_EQ(Contents(cod), "AF18\r\n.\r\n");
    EXPECT_NE(err_.str().find("No space left"), std::string::npos) << err_.str();
    const auto trace = disk.Dir() / "trace.txt";
    EXPECT_EQ(Cli({"run", "--trace", trace.string(), source}), kBadUsage);
    EXPECT_NE(err_.str().find("cannot write " + trace.string()), std::string::npos) << err_.str();
}

TEST_F(Bounds, SavingKeepsPermissionsAndFollowsLinks) {
    const auto file = Write("prog.cod", "old");
    ::chmod(file.c_str(), 0640);
    std::filesystem::create_symlink(file, dir_ / "link.cod");
    EXPECT_EQ(WriteFileBytes(dir_ / "link.cod", "new"), "");
    EXPECT_EQ(Read("prog.cod"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.cod"));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(Bounds, AnOutputThatIsTheInputIsRefused) {
    const std::string text = "MOV #1,R0\nHLT\n";
    const auto source = Write("x.asm", text);
    std::filesystem::create_symlink(source, dir_ / "same.asm");
    const std::vector<std::string> lines[] = {
        {"asm", source, "-o", source},
        {"asm", source, "-o", (dir_ / "same.asm").string()},
        {"run", "--trace", source, source},
    };
    for (const auto& args : lines) {
        EXPECT_EQ(Cli(args), kBadUsage) << args[0];
        EXPECT_NE(err_.str().find("is the input file"), std::string::npos) << err_.str();
        EXPECT_EQ(Read("x.asm"), text);
    }
}

// A stream whose every write fails, as standard output on /dev/full does.
class FullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(Bounds, OutputThatCannotBeWrittenIsAnError) {
    const auto source = Write("hello.asm", "MOV #65,R0\nCALL #4000H\nCALL #4010H\nHLT\n");
    FullBuffer full;
    std::ostream out(&full);
    for (const std::string command : {"asm", "run", "decode"}) {
        std::string error;
        Options options = ParseOptions({command, source}, error);
        options.rom = Q42_SOURCE_DIR "/rom/Q42ROM.TXT";
        err_.str("");
        Streams io{in_, out, err_};
        const int status = command == "asm"   ? AssembleCommand(options, io)
                           : command == "run" ? RunCommand(options, "", io)
                                              : DecodeCommand(options, "", io);
        EXPECT_EQ(status, kBadUsage) << command;
        EXPECT_NE(err_.str().find("cannot write the standard output"), std::string::npos);
        out.clear();
    }
    // A trace onto a standard error that cannot be written fails the same way.
    std::string error;
    Options options = ParseOptions({"run", "--trace", "-", source}, error);
    options.rom = Q42_SOURCE_DIR "/rom/Q42ROM.TXT";
    Streams io{in_, out_, out};
    EXPECT_EQ(RunCommand(options, "", io), kBadUsage);
    // So do the help and the version, which the program's entry prints itself.
    for (const char* alone : {" --help", " --version"}) {
        const int status =
            std::system((std::string(Q42CLI_PATH) + alone + " >/dev/full 2>&1").c_str());
        EXPECT_EQ(WEXITSTATUS(status), kBadUsage) << alone;
    }
}

// A ROM image named on the command line must load; without --rom the search stays lenient.
TEST_F(Bounds, ARomImageNamedOnTheCommandLineThatCannotBeLoadedIsBadUsage) {
    const auto program = Write("p.asm", "HLT\n");
    const auto exercise = Write("e.q42test", "[[case]]\nname = \"halts\"\n");
    const auto malformed = Write("rom.txt", "0E20\n12X4\n");
    for (const std::string& rom : {(dir_ / "missing.txt").string(), malformed}) {
        for (const std::vector<std::string>& files :
             {std::vector{program}, std::vector{exercise, program}}) {
            for (const char* command : {"run", "debug", "check"}) {
                if ((command == std::string("check")) != (files.size() == 2)) continue;
                std::vector<std::string> args{command, "--rom", rom};
                args.insert(args.end(), files.begin(), files.end());
                EXPECT_EQ(Cli(args), kBadUsage) << command << " " << rom;
                EXPECT_FALSE(err_.str().empty()) << command;
            }
        }
    }
    EXPECT_NE(err_.str().find("12X4"), std::string::npos) << err_.str();
}

// A file that cannot be saved because its folder refuses a new file names the folder.
TEST(FolderSave, TheFolderIsNamedWhenItRefusesTheNewFile) {
    const std::string error = WriteFileBytes("/nonexistent-q42-folder/p.cod", "AF18\r\n.\r\n");
    EXPECT_TRUE(error.starts_with("/nonexistent-q42-folder: ")) << error;
}

// Input without end: the same byte for ever.
class EndlessBuffer : public std::streambuf {
  public:
    explicit EndlessBuffer(char c) : block_(1 << 12, c) {}

  protected:
    int_type underflow() override {
        setg(block_.data(), block_.data(), block_.data() + block_.size());
        return traits_type::to_int_type(block_[0]);
    }

  private:
    std::string block_;
};

TEST(ReadAtMost, StopsAtTheLimitWhateverTheStreamDoes) {
    EndlessBuffer endless('A');
    std::istream in(&endless);
    EXPECT_FALSE(ReadAtMost(in, 1 << 20).has_value());
    std::istringstream small("abc");
    EXPECT_EQ(ReadAtMost(small, 3), "abc");
}

TEST_F(Bounds, EndlessInputLineEndsTheInput) {
    const auto source = Write("read.asm", "CALL #4182H\nHLT\n");
    std::string error;
    Options options = ParseOptions({"run", source}, error);
    options.rom = Q42_SOURCE_DIR "/rom/Q42ROM.TXT";
    EndlessBuffer zeros('\0');
    std::istream in(&zeros);
    EXPECT_EQ(RunCommand(options, "", Streams{in, out_, err_}), kStopped);
    EXPECT_NE(err_.str().find("input line longer than"), std::string::npos) << err_.str();
    EXPECT_TRUE(out_.str().ends_with("Задача прервана пользователем\n"));
}

TEST_F(Bounds, LongInputLineIsABadNumberAndAskedAgain) {
    const auto source = Write("read.asm", "CALL #4182H\nMOV R1,R0\nHLT\n");
    EXPECT_EQ(Cli({"run", source}, std::string(100'000, '1') + "\n7\n"), kHalted);
    const std::string out = out_.str();
    EXPECT_NE(out.find(std::string(80, '1') + "\nОшибка! Повторите ввод!\n7\n"), std::string::npos);
    EXPECT_EQ(out.find(std::string(81, '1')), std::string::npos);
}

TEST(ScreenLine, KeepsItsHeadAndCountsTheRest) {
    test::Rig rig;
    rig.display.WriteText(std::string(100'000, 'A'));
    EXPECT_EQ(rig.display.CurrentLine().size(), Display::kMaxLineLength);
    EXPECT_EQ(rig.display.charactersCut, 100'000u + 1 - Display::kMaxLineLength);
    rig.display.WriteText("\rB");  // the next line starts afresh
    EXPECT_EQ(rig.display.CurrentLine(), " B");
}

TEST_F(Bounds, ProgramThatNeverEndsALineRunsInBoundedMemory) {
    const auto source = Write("nocr.asm", "L: MOV #65,R0\nCALL #4000H\nBR L\nHLT\n");
    EXPECT_EQ(Cli({"run", "--max-steps", "2000000", source}), kStopped);
    const std::string out = out_.str();
    EXPECT_LT(out.size(), Display::kMaxLineLength + 200);
    EXPECT_NE(err_.str().find("were not kept"), std::string::npos) << err_.str();
}

TEST_F(Bounds, KeysInWindows1251AreKeptAsTheyCome) {
    const auto echo = std::string(Q42_SOURCE_DIR) + "/examples/echo.asm";
    // "Привет" in Windows-1251, then in UTF-8, then bytes that only start a UTF-8 sequence.
    EXPECT_EQ(Cli({"run", echo}, "\xcf\xf0\xe8\xe2\xe5\xf2\n"), kHalted);
    EXPECT_NE(out_.str().find("\nПривет\n"), std::string::npos) << out_.str();
    EXPECT_EQ(Cli({"run", echo}, "Привет\n"), kHalted);
    EXPECT_NE(out_.str().find("\nПривет\n"), std::string::npos) << out_.str();
    EXPECT_EQ(Cli({"run", echo}, "\xc0\xa8\n"), kHalted);  // "АЁ": an invalid UTF-8 pair
    EXPECT_NE(out_.str().find("\nАЁ\n"), std::string::npos) << out_.str();
}

TEST_F(Bounds, DecodingStopsAtTheEndOfMemory) {
    const auto source = Write("halt.asm", "HLT\n");
    EXPECT_EQ(Cli({"decode", "--from", "FFFC", "--count", "5", source}), kHalted);
    const std::string listing = out_.str();
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2) << listing;
    EXPECT_EQ(listing.find("1000"), std::string::npos);
    Machine machine;
    Decoder decoder;
    decoder.DecodeAt(machine, 0xFFFE);
    EXPECT_FALSE(decoder.HasNext());
    decoder.Next(machine);
    EXPECT_EQ(decoder.Shown().address, "FFFE");
}

TEST(StringCap, StringsAndReservationsShareTheAddressSpace) {
    const std::pair<TextLines, const char*> rows[] = {
        {{"RW 7FFFH", "DS ab", "HLT"}, ""},
        {{"RW 7FFFH", "DS abc", "HLT"}, "Too large const: DS 3"},
        {{"DS " + std::string(1 << 16, 'a'), "DS a", "HLT"}, "Too large const: DS 1"},
    };
    for (const auto& [source, error] : rows) {
        const Preprocessed preprocessed = Preprocess(source);
        const auto& failure = preprocessed.failure;
        EXPECT_EQ(failure ? AsmErrorText(failure->error, true) : "", error);
    }
}

}  // namespace
}  // namespace q42::cli
