// Faults found by fuzzing and review, each with the input that showed it (under tests/data).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "assembler/assembler.h"
#include "machine/codepage.h"
#include "session/code_loading.h"
#include "session/text_file.h"
#include "tests/machine_test_support.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

// Assembles a file of tests/data into the rig's RAM.
void LoadProgram(Rig& rig, const std::string& name) {
    const TextFile file = ReadTextFile(Q42_SOURCE_DIR "/tests/data/" + name);
    ASSERT_EQ(file.error, "");
    const Assembly assembly = Assemble(file.lines, AsmOptions{});
    ASSERT_TRUE(assembly.Ok());
    ASSERT_FALSE(CopyCode(rig.machine, assembly.CodeText()).error.has_value());
}

// A program that polls a status port for ever counted the polls in an int without end: after
// 2^31 polls (minutes of running) the counter overflowed.
TEST(Regression, StatusPollsForEverKeepTheDeviceReady) {
    Rig rig;
    LoadProgram(rig, "poll_forever.asm");
    Edit(rig.machine, [&](MachineState& s) { s.pc = 0; });
    Edit(rig.machine, [&](MachineState& s) { s.keyboardPolls = INT_MAX - 1; });
    Edit(rig.machine, [&](MachineState& s) { s.displayPolls = INT_MAX - 2; });
    for (int step = 0; step < 9; ++step)
        rig.run.NextCommand();
    EXPECT_FALSE(rig.machine.Failed());
    EXPECT_EQ(rig.machine.State().r[0], 0x80);
    EXPECT_EQ(rig.machine.State().r[1], 0x80);
    EXPECT_GT(rig.machine.State().keyboardPolls, 2);
    EXPECT_GT(rig.machine.State().displayPolls, 2);
}

// Pressing "next command" again while a step waits for a number ran a second step inside the
// first: both returned from the input routine, popping the stack twice.
TEST(Regression, StepCommandsDuringAnInputWaitAreIgnored) {
    struct Click {
        const char* name;
        std::function<void(Rig&)> click;
    };
    const Click clicks[] = {
        {"next command", [](Rig& rig) { rig.run.NextCommand(); }},
        {"first command", [](Rig& rig) { rig.run.FirstCommand(); }},
        {"run", [](Rig& rig) { rig.run.RunProgram(); }},
    };
    for (const Click& c : clicks) {
        Rig rig;
        LoadProgram(rig, "read_number.asm");
        Edit(rig.machine, [&](MachineState& s) { s.pc = 0; });
        rig.run.NextCommand();  // the CALL
        rig.console.lines = {"5", "6", "7"};
        int waits = 0;
        rig.console.onWait = [&] {
            if (++waits == 1) c.click(rig);
        };
        rig.run.NextCommand();  // the input routine and the MOV after it
        EXPECT_EQ(rig.machine.State().r[0], 5) << c.name;
        EXPECT_EQ(rig.machine.State().sp, kInitialSP) << c.name;
        EXPECT_EQ(rig.machine.State().pc, 6) << c.name;
        EXPECT_FALSE(rig.machine.Failed()) << c.name;
        EXPECT_EQ(waits, 1) << c.name;
    }
}

// Opening a device or a pipe read without end (or blocked for ever), and a huge file was read
// whole, several times over, until memory ran out.
TEST(Regression, FilesThatAreNoTextsAreRefusedBeforeReading) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("q42_files_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ASSERT_EQ(::mkfifo((dir / "pipe.asm").c_str(), 0600), 0);
    std::ofstream(dir / "huge.asm").put('x');
    fs::resize_file(dir / "huge.asm", kMaxTextFileBytes + 1);  // sparse: costs no disk
    std::ofstream(dir / "limit.cod") << "AF18\r\n";
    const std::pair<fs::path, const char*> files[] = {
        {"/dev/zero", ": not a regular file"},
        {dir / "pipe.asm", ": not a regular file"},
        {dir / "huge.asm",
         ": файл слишком велик (1025 КБ): текст программы может занимать не больше 1 МБ"},
        {dir, ": is a directory"},
        {dir / "limit.cod", ""},
    };
    for (const auto& [path, reason] : files) {
        const TextFile file = ReadTextFile(path);
        EXPECT_EQ(file.error, *reason ? path.string() + reason : "");
        EXPECT_EQ(file.lines.size(), *reason ? 0u : 1u) << path;
    }
    fs::remove_all(dir);
}

// A UTF-8 file full of characters the code page lacks (Chinese, say) took about 50 microseconds
// a character to read: a megabyte, eighteen seconds. The conversion now goes in small pieces;
// whatever the pieces, every character must come out as it did.
TEST(Regression, CharactersTheCodePageLacksConvertAsBeforeAcrossPieces) {
    std::ifstream file(Q42_SOURCE_DIR "/tests/data/not_cp1251.asm", std::ios::binary);
    const std::string utf8{std::istreambuf_iterator<char>(file), {}};
    const std::string cp1251 = "; ?? ? " + Cp1251("Привет") + "\r\nHLT\r\n";
    ASSERT_EQ(DecodeFileText(utf8), cp1251);
    for (std::size_t shift = 0; shift < 140; ++shift) {
        const std::string pad(shift, 'x');
        EXPECT_EQ(Utf8ToCp1251(pad + utf8 + utf8 + utf8), pad + cp1251 + cp1251 + cp1251) << shift;
        // A broken sequence stays one "?" a byte, also where a piece ends inside it.
        EXPECT_EQ(Utf8ToCp1251(pad + "\xE6\xBC" + "y\xF0\x9F\x98"), pad + "??y???") << shift;
        EXPECT_EQ(
            Cp1251ToUtf8(pad + std::string(shift, '\x98') + Cp1251("Я")),
            pad +
                [&] {
                    std::string marks;
                    for (std::size_t i = 0; i < shift; ++i)
                        marks += "\xEF\xBF\xBD";
                    return marks;
                }() +
                "Я")
            << shift;
    }
}

}  // namespace
}  // namespace q42::test
