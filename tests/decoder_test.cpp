// What the decoding dialog shows for instruction words.

#include <gtest/gtest.h>

#include "machine/codepage.h"
#include "session/decoder.h"
#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

struct Shown {
    std::string words, operation, operand1, operand2, targetMemory;
    bool panel1, panel2, arrow, jump;
};

Shown Decode(Decoder& decoder, const Machine& machine, Value address) {
    decoder.DecodeAt(machine, address);
    const auto& s = decoder.Shown();
    return {s.words,
            Cp1251ToUtf8(s.operation),
            Cp1251ToUtf8(s.operand1),
            Cp1251ToUtf8(s.operand2),
            Cp1251ToUtf8(s.targetMemory),
            s.operand1Shown,
            s.operand2Shown,
            s.targetShown,
            s.canJump};
}

struct DecodeCase {
    const char* name;
    std::vector<Value> words;  // at 0010
    Shown expected;
    Value next;  // the decode pointer afterwards
};

const DecodeCase kDecodeCases[] = {
    {"jmp immediate",
     {0x1C0D, 0x0040},
     {"0040 / 1C0D", "JMP (безусловный переход)", "0040", "константа", "ОЗУ", true, false, true,
      true},
     0x14},
    {"branch back",
     {0x1DFC},
     {"1DFC", "BR (безусловный переход)", "000E", "", "ОЗУ", true, false, true, true},
     0x12},
    {"ret",
     {0x0C00},
     {"0C00", "RET (возврат из подпрограммы)", "R0", "R0", "", false, false, false, false},
     0x12},
    {"mov immediate to absolute",
     {0x01DE, 0x1234, 0x0040},
     {"0040 / 1234 / 01DE", "MOV (переписать)", "1234", "(0040)", "", true, true, false, false},
     0x16},
    {"add short minus",
     {0x3250},
     {"3250", "ADD (сложить)", "-5", "R0", "", true, true, false, false},
     0x12},
    {"add to constant",
     {0x021D, 0x0007},
     {"0007 / 021D", "ADD (сложить)", "R1", "константа", "", true, true, false, false},
     0x14},
    {"out",
     {0x0B25},
     {"0B25", "OUT (записать в порт - вывод)", "R2", "5", "", true, true, false, false},
     0x12},
    {"out short constant",
     {0x3B51},
     {"3B51", "OUT (записать в порт - вывод)", "-5", "1", "", true, true, false, false},
     0x12},
    {"in",
     {0x0A31},
     {"0A31", "IN (прочитать из порта - ввод)", "3", "R1", "", true, true, false, false},
     0x12},
    {"push indirect",
     {0x0E25},
     {"0E25", "PUSH (записать в стек)", "(R1)", "(R1)", "", true, false, false, false},
     0x12},
    {"pushps with operand",
     {0x0E81},
     {"0E81", "", "R1", "R1", "", true, false, false, false},
     0x12},
    {"jump indirect has no arrow",
     {0x1C05},
     {"1C05", "JMP (безусловный переход)", "(R1)", "(R1)", "", true, false, false, false},
     0x12},
    {"jump to rom",
     {0x9C0D, 0x4000},
     {"4000 / 9C0D", "CALL (вызов подпрограммы)", "4000", "константа", "ПЗУ", true, false, true,
      true},
     0x14},
    {"jump to 4500",
     {0x1C0D, 0x4500},
     {"4500 / 1C0D", "JMP (безусловный переход)", "4500", "константа", "", true, false, true,
      false},
     0x14},
    {"jump beyond rom",
     {0x1C0D, 0x4502},
     {"4502 / 1C0D", "JMP (безусловный переход)", "4502", "константа", "ПЗУ2", true, false, true,
      false},
     0x14},
    {"odd target in ram",
     {0x1C0D, 0x0011},
     {"0011 / 1C0D", "JMP (безусловный переход)", "0011", "константа", "ОЗУ", true, false, true,
      false},
     0x14},
    {"return code 8",
     {0x8C00},
     {"8C00", "возврат из подпрограммы", "R0", "R0", "", false, false, false, false},
     0x12},
    {"conditional call",
     {0xAD04},
     {"AD04", "вызов подпрограммы при N=0: >=0", "0016", "(R0)", "ОЗУ", true, false, true, true},
     0x12},
};

TEST(Decoder, ExplainsEachKindOfWord) {
    for (const auto& c : kDecodeCases) {
        Machine machine;
        for (std::size_t i = 0; i < c.words.size(); ++i)
            machine.LoadWord(static_cast<Value>(0x10 + 2 * i), c.words[i]);
        Decoder decoder;
        const Shown s = Decode(decoder, machine, 0x10);
        const Shown& e = c.expected;
        EXPECT_EQ(s.words, e.words) << c.name;
        EXPECT_EQ(s.operation, e.operation) << c.name;
        EXPECT_EQ(s.operand1, e.operand1) << c.name;
        EXPECT_EQ(s.operand2, e.operand2) << c.name;
        EXPECT_EQ(s.targetMemory, e.targetMemory) << c.name;
        EXPECT_EQ(s.panel1, e.panel1) << c.name;
        EXPECT_EQ(s.panel2, e.panel2) << c.name;
        EXPECT_EQ(s.arrow, e.arrow) << c.name;
        EXPECT_EQ(s.jump, e.jump) << c.name;
        EXPECT_EQ(decoder.DecodePointer(), c.next) << c.name;
        EXPECT_EQ(machine.State().runError, Fault::None) << c.name;
    }
}

TEST(Decoder, CheckBoxesFollowTheFlagBits) {
    Machine machine;
    machine.LoadWord(0x00, 0xF250);  // byte ADD of short constant -5
    machine.LoadWord(0x02, 0x1D10);  // branch
    machine.LoadWord(0x04, 0x0A40);  // IN
    Decoder decoder;
    decoder.DecodeAt(machine, 0);
    auto s = decoder.Shown();
    EXPECT_TRUE(s.shortConstantShown && s.shortConstant && s.negative && s.byte1 && s.byte2);
    EXPECT_EQ(Cp1251ToUtf8(s.byte1Caption), "Байт");
    decoder.Next(machine);
    s = decoder.Shown();
    EXPECT_EQ(Cp1251ToUtf8(s.operand1Caption), "Адрес перехода");
    EXPECT_EQ(Cp1251ToUtf8(s.byte1Caption), "Смещение");
    EXPECT_TRUE(s.byte1);
    EXPECT_FALSE(s.shortConstantShown);
    decoder.Next(machine);
    s = decoder.Shown();
    EXPECT_EQ(Cp1251ToUtf8(s.operand1Caption), "Порт");
    EXPECT_FALSE(s.byte1Shown);
}

TEST(Decoder, NextAndJumpWalkThroughTheProgram) {
    Machine machine;
    machine.LoadWord(0x10, 0x1C0D);
    machine.LoadWord(0x12, 0x0040);
    machine.LoadWord(0x40, 0xAF18);
    Decoder decoder;
    decoder.DecodeAt(machine, 0x10);
    decoder.Jump(machine);
    EXPECT_EQ(decoder.Shown().address, "0040");
    EXPECT_EQ(Cp1251ToUtf8(decoder.Shown().operation), "HLT (останов)");
    EXPECT_EQ(decoder.Shown().operand1, "0040");  // kept from the jump while the panel is hidden
    decoder.Next(machine);
    EXPECT_EQ(decoder.Shown().address, "0042");
}

TEST(Decoder, AddressesOutsideMemoryReadAsNop) {
    Machine machine;
    Decoder decoder;
    decoder.DecodeAt(machine, 0x3000);
    EXPECT_EQ(Cp1251ToUtf8(decoder.Shown().operation), "NOP (нет операции)");
    decoder.Next(machine);
    EXPECT_EQ(decoder.Shown().address, "3002");
    EXPECT_EQ(machine.State().runError, Fault::None);
}

}  // namespace
}  // namespace q42::test
