// The status ports: the keyboard and the display report ready (80H) on the third status read in
// a row, and reading the key or writing a character starts the count again.

#include <gtest/gtest.h>

#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

struct PortRead {
    Value word;      // the instruction
    Value expected;  // R0 afterwards
};

void ExpectReads(Machine& machine, const std::vector<PortRead>& reads) {
    for (std::size_t i = 0; i < reads.size(); ++i) {
        Execute(machine, {reads[i].word});
        EXPECT_EQ(machine.State().r[0], reads[i].expected) << "read " << i + 1;
    }
}

constexpr Value kKeyboardStatus = 0x0A00;  // IN P.0,R0
constexpr Value kKeyboardData = 0x0A10;    // IN P.1,R0
constexpr Value kDisplayStatus = 0x0A20;   // IN P.2,R0
constexpr Value kWriteCharacter = 0x0B03;  // OUT R0,P.3

TEST(StatusPorts, KeyboardIsReadyOnTheThirdReadInARow) {
    Machine machine;
    Edit(machine, [&](MachineState& s) { s.keyBuffer = "ab"; });
    ExpectReads(machine, {{kKeyboardStatus, 0},
                          {kKeyboardStatus, 0},
                          {kKeyboardStatus, 0x80},
                          {kKeyboardStatus, 0x80},
                          {kKeyboardData, 'a'},
                          {kKeyboardStatus, 0},
                          {kKeyboardStatus, 0},
                          {kKeyboardStatus, 0x80},
                          {kKeyboardData, 'b'}});
}

TEST(StatusPorts, DisplayIsReadyOnTheThirdReadInARow) {
    Machine machine;
    ExpectReads(machine, {{kDisplayStatus, 0},
                          {kDisplayStatus, 0},
                          {kDisplayStatus, 0x80},
                          {kWriteCharacter, 0x80},
                          {kDisplayStatus, 0},
                          {kDisplayStatus, 0},
                          {kDisplayStatus, 0x80}});
}

}  // namespace
}  // namespace q42::test
