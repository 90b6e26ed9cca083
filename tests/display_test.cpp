// The ten-line screen, the keyboard buffer and line input.

#include <gtest/gtest.h>

#include "tests/machine_test_support.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

using Lines = std::vector<std::string>;

TEST(Screen, CarriageReturnStartsALineAndLineFeedIsDropped) {
    Rig rig;
    rig.display.WriteText("AB\r\nC");
    EXPECT_EQ(rig.Screen(), (Lines{" AB", " C"}));
    EXPECT_EQ(rig.display.ScreenCursorLine(), 1);
}

TEST(Screen, KeepsTenLinesScrollingTheOldestOff) {
    Rig rig;
    for (int i = 1; i <= 10; ++i)
        rig.display.WriteLine(std::to_string(i));
    EXPECT_EQ(rig.Screen(), (Lines{" 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", " 10", " "}));
    rig.display.ClearScreen();
    EXPECT_EQ(rig.Screen(), (Lines{" "}));
}

TEST(Screen, ListenerSeesEveryFinishedLine) {
    struct Recorder : ScreenListener {
        Lines lines;
        void LineFinished(const std::string& line) override { lines.push_back(line); }
    } recorder;
    Rig rig;
    rig.display.listener = &recorder;
    for (int i = 1; i <= 12; ++i)
        rig.display.WriteLine(std::to_string(i));
    ASSERT_EQ(recorder.lines.size(), 12u);
    EXPECT_EQ(recorder.lines.front(), " 1");
}

TEST(CheckIntegerInput, AcceptsExactlyTheShortNumbers) {
    const std::pair<const char*, bool> rows[] = {
        {"32767", true}, {"-32767", true}, {"0", true},       {"-1", true},      {" 12", true},
        {"$7FFF", true}, {"$ffff", true},  {"0x10", true},    {"x1F", true},     {"x7FFF", false},
        {"+5", true},    {"32768", false}, {"-32768", false}, {"123456", false}, {"12a", false},
        {"--5", false},  {"", false},      {"-", false},      {"$", false},      {"0x", false},
        {"12 ", false},  {"99999", false}, {"0x7FFF", false},
    };
    for (const auto& [text, accepted] : rows)
        EXPECT_EQ(Display::CheckIntegerInput(text), accepted) << text;
}

TEST(ReadInteger, ReturnsLow16BitsOfAValidNumber) {
    const std::pair<const char*, Value> rows[] = {
        {"32767", 0x7FFF}, {"-32767", 0x8001}, {"-1", 0xFFFF},
        {"$7FFF", 0x7FFF}, {"0x10", 0x10},     {"$FFFF", 0xFFFF},
    };
    for (const auto& [text, value] : rows) {
        Rig rig;
        rig.console.lines = {text};
        EXPECT_EQ(rig.display.ReadInteger(), value) << text;
        EXPECT_EQ(rig.Screen(), (Lines{std::string(" ") + text, " "}));
        EXPECT_FALSE(rig.console.inputVisible);
    }
}

TEST(ReadInteger, RepeatsUntilTheTextIsValid) {
    Rig rig;
    rig.console.lines = {"32768", "12a", "", "5"};
    EXPECT_EQ(rig.display.ReadInteger(), 5);
    EXPECT_EQ(rig.Screen(),
              (Lines{" 32768", " Ошибка! Повторите ввод!", " 12a", " Ошибка! Повторите ввод!", " ",
                     " Ошибка! Повторите ввод!", " 5", " "}));
}

TEST(ReadInteger, StopDuringTheWaitGivesZeroWithoutChecking) {
    Rig rig;
    rig.console.lines = {"abc"};
    rig.console.onWait = [&] { rig.run.StopProgram(); };
    EXPECT_EQ(rig.display.ReadInteger(), 0);
    EXPECT_EQ(rig.Screen(), (Lines{" abc", " "}));
    EXPECT_TRUE(rig.display.stopRequested);
}

TEST(ReadInteger, EndOfInputEndsAsAStop) {
    Rig rig;
    EXPECT_EQ(rig.display.ReadInteger(), 0);
    EXPECT_TRUE(rig.display.stopRequested);
    EXPECT_TRUE(rig.machine.State().stopFlag);
    EXPECT_FALSE(rig.display.LineInputActive());
}

TEST(ReadBoolean, AcceptsTrueAndFalseInAnyCase) {
    struct Row {
        const char* text;
        bool result;
        Lines screen;
    };
    const Row rows[] = {
        {"true", true, {" true", " true"}},
        {"FaLsE", false, {" FaLsE", " FaLsE"}},
        {"yes", false, {" yes", " "}},
    };
    for (const auto& row : rows) {
        Rig rig;
        rig.console.lines = {row.text};
        EXPECT_EQ(rig.display.ReadBoolean(), row.result) << row.text;
        EXPECT_EQ(rig.Screen(), row.screen) << row.text;
        EXPECT_FALSE(rig.console.inputVisible);
    }
}

TEST(Keyboard, BufferHoldsNineKeysAndIgnoresKeysOfALineInput) {
    Rig rig;
    for (char c = 'a'; c <= 'j'; ++c)
        rig.display.KeyPress(c);
    EXPECT_EQ(rig.machine.State().keyBuffer, "abcdefghi");
    Edit(rig.machine, [](MachineState& s) { s.keyBuffer.clear(); });
    rig.console.onWait = [&] { rig.display.KeyPress('x'); };
    rig.console.lines = {"1"};
    rig.display.ReadInteger();
    EXPECT_EQ(rig.machine.State().keyBuffer, "");
}

TEST(Keyboard, ReadKeyTakesTheOldestKeyAndEnterAsCarriageReturn) {
    Rig rig;
    Edit(rig.machine, [](MachineState& s) { s.keyBuffer = "q"; });
    EXPECT_EQ(rig.display.ReadKey(), 'q');
    rig.console.keys = "\n";
    EXPECT_EQ(rig.display.ReadKey(), '\r');
    EXPECT_FALSE(rig.display.KeyWaitActive());
    EXPECT_EQ(rig.display.ReadKey(), 0);  // no key can come
    EXPECT_TRUE(rig.machine.State().stopFlag);
}

}  // namespace
}  // namespace q42::test
