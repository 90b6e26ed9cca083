// Memory map, word access and flag update.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

TEST(ReadWord, ReachesRamAndRomByAddressRoundedDown) {
    Machine m;
    Edit(m, [&](MachineState& s) { s.ram[0x7F] = 0x1234; });
    m.LoadWord(kRomStart, 0x4444);
    m.LoadWord(kRomEnd - 2, 0xABCD);
    struct Row {
        Value address;
        Value value;
        Fault fault;
    };
    const Row rows[] = {
        {0x00FE, 0x1234, Fault::None},        {0x00FF, 0x1234, Fault::None},
        {0x0100, 0, Fault::BadMemoryAddress}, {0x4000, 0x4444, Fault::None},
        {0x4001, 0x4444, Fault::None},        {0x44FF, 0xABCD, Fault::None},
        {0x4500, 0, Fault::BadMemoryAddress}, {0x3FFF, 0, Fault::BadMemoryAddress},
        {-1, 0, Fault::BadMemoryAddress},
    };
    for (const auto& row : rows) {
        Edit(m, [&](MachineState& s) { s.runError = Fault::None; });
        EXPECT_EQ(m.ReadWord(row.address), row.value) << std::hex << row.address;
        EXPECT_EQ(m.State().runError, row.fault) << std::hex << row.address;
    }
}

TEST(WriteWord, StoresInRamOnlyAndNamesTheFault) {
    struct Row {
        Value address;
        Fault fault;
    };
    const Row rows[] = {
        {0x0000, Fault::None},
        {0x00FF, Fault::None},
        {0x0100, Fault::BadMemoryAddress},
        {0x3FFF, Fault::BadMemoryAddress},
        {-2, Fault::BadMemoryAddress},
        {0x4000, Fault::RomWrite},
        {0x4500, Fault::RomWrite},
        {0xFFFF, Fault::RomWrite},
    };
    for (const auto& row : rows) {
        Machine m;
        m.WriteWord(row.address, 0x5A5A);
        EXPECT_EQ(m.State().runError, row.fault) << std::hex << row.address;
        const bool stored = row.fault == Fault::None;
        EXPECT_EQ(m.State().ram[(row.address & 0xFF) >> 1] == 0x5A5A, stored)
            << std::hex << row.address;
        const auto shown = m.TakeChangedRam();
        EXPECT_EQ(std::any_of(shown.begin(), shown.end(), [](bool b) { return b; }), stored);
        EXPECT_EQ(m.Rom()[0], 0);
    }
}

TEST(WriteWord, DoesNotClearAnEarlierError) {
    Machine m;
    Edit(m, [&](MachineState& s) { s.runError = Fault::Overflow; });
    m.WriteWord(0x10, 1);
    EXPECT_EQ(m.State().runError, Fault::Overflow);
    EXPECT_EQ(m.State().ram[8], 1);
}

TEST(IsCodeAddress, CoversRamAndRomProgramPartOnly) {
    EXPECT_TRUE(Machine::IsCodeAddress(0x0000));
    EXPECT_TRUE(Machine::IsCodeAddress(0x00FF));
    EXPECT_FALSE(Machine::IsCodeAddress(0x0100));
    EXPECT_TRUE(Machine::IsCodeAddress(0x4000));
    EXPECT_TRUE(Machine::IsCodeAddress(0x417F));
    EXPECT_FALSE(Machine::IsCodeAddress(0x4180));
    EXPECT_FALSE(Machine::IsCodeAddress(0x4182));
    EXPECT_FALSE(Machine::IsCodeAddress(-1));
}

TEST(UpdateFlags, JudgesBit15AndTheWholeValue) {
    struct Row {
        Value ps, lastResult, expected;
    };
    const Row rows[] = {
        {0x0000, 0x0000, 0x0002}, {0x0000, 0x8000, 0x0001}, {0x0003, 0x0001, 0x0000},
        {0xF003, 0x0000, 0x0002}, {0xF000, 0x8000, 0x0001}, {0x0000, 0x10000, 0x0000},
        {0x0000, -1, 0x0001},
    };
    for (const auto& row : rows) {
        Machine m;
        Edit(m, [&](MachineState& s) {
            s.ps = row.ps;
            s.lastResult = row.lastResult;
        });
        m.TakeChangedRegisters();
        m.UpdateFlags();
        EXPECT_EQ(m.State().ps, row.expected) << std::hex << row.ps << " " << row.lastResult;
        EXPECT_EQ(m.TakeChangedRegisters(), kChangedFlags);
    }
}

TEST(FaultText, IsEightBitRussian) {
    EXPECT_EQ(FaultText(Fault::None), "");
    EXPECT_EQ(FaultText(Fault::Overflow), "\xEF\xE5\xF0\xE5\xEF\xEE\xEB\xED\xE5\xED\xE8\xE5");
    EXPECT_EQ(Utf8(Fault::BadNextCommandAddress),
              "адрес команды, следующей за данной, неправильный");
    EXPECT_LE(FaultText(Fault::ByteWithWord).size(), 63u);
}

}  // namespace
}  // namespace q42::test
