// The ROM image loader and the shipped ROM image.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "machine/rom_image.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

struct RecordedMessages : MessageSink {
    std::vector<std::string> texts;  // UTF-8
    void ShowMessage(const std::string& text) override { texts.push_back(Cp1251ToUtf8(text)); }
};

struct LoadCase {
    const char* name;
    std::string image;
    std::vector<Value> words;  // ROM from 4000 on; the rest must be 0
    const char* message;       // nullptr for none
};

TEST(LoadRomImage, ReadsDataLinesSkipsCommentsAndStopsAtTheFirstError) {
    const LoadCase cases[] = {
        {"end line first", ".\n0E20\n", {}, nullptr},
        {"data, comment, padding",
         "0E20\n1c0d with a comment\n12\n.\n",
         {0x0E20, 0x1C0D, 0x0012},
         nullptr},
        {"comments of every kind", " blank first\nabcd\n\n;x\nFFFF\n.\n", {0xFFFF}, nullptr},
        {"crlf and cr line ends", "0001\r\n0002\r0003\r\n.\r\n", {1, 2, 3}, nullptr},
        {"no end line", "0001\n0002", {1, 2}, nullptr},
        {"short line with comment",
         "0001\n12 comment\n",
         {1},
         "Ошибка в коде: неправильная длина\n\rСтрока 2: 12 comment"},
        {"fifth character not blank",
         "0E20x\n",
         {},
         "Ошибка в коде: неправильная длина\n\rСтрока 1: 0E20x"},
        {"bad digit", "0G00\n", {}, "Ошибка в коде: неправильный символ\n\rСтрока 1: 0G00"},
        {"bad digit in the third data line",
         "1\n comment\n2\n12X4\n",
         {1, 2},
         "Ошибка в коде: неправильный символ\n\rСтрока 3: 12X4"},
        {"everything after the end line ignored", "0001\n.\nzz\n0002\n", {1}, nullptr},
    };
    for (const auto& c : cases) {
        Machine machine;
        RecordedMessages messages;
        std::istringstream image(c.image);
        LoadRomImage(machine, image, kRomStart, messages);
        std::vector<Value> expected = c.words;
        expected.resize(kRomWords, 0);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), machine.Rom().begin())) << c.name;
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.texts.empty()) << c.name;
        } else {
            EXPECT_EQ(messages.texts, std::vector<std::string>{c.message}) << c.name;
        }
    }
}

TEST(LoadRomImage, ShowsOnlyTheFirst80CharactersOfABadLine) {
    Machine machine;
    RecordedMessages messages;
    std::istringstream image("12X4 " + std::string(1000, 'y') + "\n");
    LoadRomImage(machine, image, kRomStart, messages);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0],
              "Ошибка в коде: неправильный символ\n\rСтрока 1: 12X4 " + std::string(75, 'y'));
}

TEST(LoadRomImage, The641stWordIsAnAttemptToWriteRom) {
    std::string image;
    for (int i = 0; i < 100000; ++i)
        image += "1234\n";
    Machine machine;
    RecordedMessages messages;
    std::istringstream in(image);
    EXPECT_EQ(LoadRomImage(machine, in, kRomStart, messages), Fault::RomWrite);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"попытка записи в ПЗУ: 4500"});
    EXPECT_EQ(machine.Rom()[kRomWords - 1], 0x1234);
}

TEST(LoadRomImage, MissingFileIsReportedAndRomStaysZero) {
    Machine machine;
    RecordedMessages messages;
    InitMachine(machine, "/nonexistent/Q42ROM.TXT", messages);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Файл с ПЗУ не найден!"});
    EXPECT_EQ(machine.Rom()[0], 0);
    EXPECT_EQ(machine.State().sp, 0x100);
    messages.texts.clear();
    LoadRomImage(machine, std::filesystem::path("/"), kRomStart, messages);  // a directory
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Файл с ПЗУ не найден!"});
}

TEST(FindRomImage, TakesTheFirstDirectoryThatHoldsTheFile) {
    const auto base = std::filesystem::temp_directory_path() / "q42_find_rom_test";
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "a");
    std::filesystem::create_directories(base / "b");
    std::ofstream(base / "b" / kRomFileName) << ".\n";
    EXPECT_EQ(FindRomImage({base / "a", base / "b"}), base / "b" / kRomFileName);
    EXPECT_EQ(FindRomImage({base / "a"}), std::filesystem::path());
    std::filesystem::remove_all(base);
    EXPECT_EQ(RomSearchPath("/opt/q42/bin").front(), std::filesystem::path("."));
}

// The routines an image names in its comments, each running up to the next one's entry or to
// the end of the words loaded; lines that only look like the table are not taken.
TEST(LoadRomImage, ReadsTheTableOfRoutinesFromItsComments) {
    struct Named {
        Value entry;
        Value end;
        const char* name;
    };
    struct TableCase {
        const char* name;
        std::string image;
        std::vector<Named> routines;
    };
    const std::string code = "0001\n0002\n0003\n0004\n.\n";  // 4000..4007
    const TableCase cases[] = {
        {"two routines",
         "   4000  FIRST: writes\n   4004  LAST: x\n" + code,
         {{0x4000, 0x4004, "FIRST"}, {0x4004, 0x4008, "LAST"}}},
        {"in any order",
         "   4004  LAST: x\n   4000  FIRST: writes\n" + code,
         {{0x4000, 0x4004, "FIRST"}, {0x4004, 0x4008, "LAST"}}},
        {"after the code, or not in ROM", " 4008  LATE: x\n 0010  RAM: x\n" + code, {}},
        {"an entry named twice keeps its first name",
         " 4002  A: x\n 4002  B: x\n" + code,
         {{0x4002, 0x4008, "A"}}},
        {"not the table's shape",
         " 4000  no colon\n 4000  TWO WORDS: x\n 400  SHORT: x\n 4000 9X: x\n 40g0  HEX: x\n"
         "4000  DATA: a data line\n" +
             code,
         {}},
        {"the table may follow the words; a failed image keeps what was read",
         "0001\n 4000  PUTC: x\n0G00\n",
         {{0x4000, 0x4002, "PUTC"}}},
    };
    for (const auto& c : cases) {
        Machine machine;
        RecordedMessages messages;
        std::istringstream image(c.image);
        LoadRomImage(machine, image, kRomStart, messages);
        const auto& all = machine.Routines().All();
        ASSERT_EQ(all.size(), c.routines.size()) << c.name;
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_EQ(all[i].entry, c.routines[i].entry) << c.name;
            EXPECT_EQ(all[i].end, c.routines[i].end) << c.name;
            EXPECT_EQ(all[i].name, c.routines[i].name) << c.name;
        }
    }
}

// The ROM image shipped with the program loads cleanly and its routines work.
TEST(ShippedRom, WritesCharactersThroughItsRoutines) {
    Rig rig;
    RecordedMessages messages;
    InitMachine(rig.machine, Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    EXPECT_TRUE(messages.texts.empty());
    // MOV #'H',R0; CALL PUTC; MOV #'I',R0; CALL PUTC; CALL NEWLINE; HLT
    rig.Load({0x01D0, 'H', 0x9C0D, 0x4000, 0x01D0, 'I', 0x9C0D, 0x4000, 0x9C0D, 0x4010, 0xAF18});
    rig.RunAtMost(1000);
    const auto screen = rig.Screen();
    ASSERT_GE(screen.size(), 4u);
    EXPECT_EQ(screen[2], " HI");
    EXPECT_EQ(screen.back(), " Задача завершена");
    EXPECT_EQ(rig.machine.State().r[3], 0);
    // Its table names them: an address inside a routine finds it, up to the next one's entry.
    const auto holding = [&rig](Value address) {
        const RomRoutine* routine = rig.machine.Routines().Holding(address);
        return routine != nullptr ? routine->name : "";
    };
    EXPECT_EQ(rig.machine.Routines().NameAt(0x4000), "PUTC");
    EXPECT_EQ(holding(0x400E), "PUTC");
    EXPECT_EQ(holding(0x4010), "NEWLINE");
    EXPECT_EQ(holding(0x401A), "NEWLINE");
    EXPECT_EQ(holding(0x401C), "");
    EXPECT_EQ(holding(kIntegerEntry), "");
}

}  // namespace
}  // namespace q42::test
