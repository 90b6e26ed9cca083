// A run keeps PC and PS in its own variables; whatever the run calls out of line sees the
// machine as the running program left it: the terminal in its waits and writes, the run-error
// report. A processor that forgot to give its registers back would show the debugger, the
// history and the windows a stale machine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/machine.h"

namespace q42::test {
namespace {

// A terminal that records the machine it sees at each call.
class WatchingTerminal : public Terminal {
  public:
    explicit WatchingTerminal(const Machine& machine) : machine_(machine) {}
    std::vector<MachineState> seen;
    std::string text;

    void WriteText(std::string_view t) override {
        seen.push_back(machine_.State());
        text += t;
    }
    void WriteLine(std::string_view t) override {
        WriteText(t);
        text += '\n';
    }
    Value ReadInteger() override { return Look(), 0; }
    bool ReadBoolean() override { return Look(), false; }
    char ReadKey() override { return Look(), 'k'; }

  private:
    const Machine& machine_;
    void Look() { seen.push_back(machine_.State()); }
};

void Load(Machine& machine, const std::vector<Value>& words) {
    for (std::size_t i = 0; i < words.size(); ++i)
        machine.LoadWord(static_cast<Value>(2 * i), words[i]);
}

// OUT #80,0 (the keyboard is ready); SUB #1,R2 (N set); IN 1,R1 (a key from the terminal);
// HLT. The key wait sees PC past the IN, the flags SUB set, and the IN as the step's word.
TEST(Processor, TheTerminalSeesTheRunningMachine) {
    for (const std::int64_t batch : {1, 1000}) {
        Machine machine;
        WatchingTerminal terminal(machine);
        machine.AttachTerminal(&terminal);
        Load(machine, {0x0BD0, 0x0080, 0x2312, 0x0A11, 0xAF18});
        machine.ResetForRun();
        for (int runs = 0; runs < 10 && !machine.State().stopFlag && !machine.Failed(); ++runs)
            machine.RunSteps(batch);
        ASSERT_EQ(terminal.seen.size(), 1u) << batch;
        const MachineState& wait = terminal.seen[0];
        EXPECT_EQ(wait.pc, 0x0008);
        EXPECT_EQ(wait.commandAddress, 0x0006);
        EXPECT_EQ(wait.ps & (kFlagN | kFlagZ), kFlagN);
        EXPECT_EQ(wait.r[2], 0xFFFF);
        EXPECT_EQ(machine.State().r[1], 'k');
        EXPECT_EQ(machine.State().pc, 0x000A);
    }
}

// ADD #1,R0 overflows at 0004 after MOV #7FFF,R0: the report names the step that failed.
TEST(Processor, TheRunErrorReportNamesTheFailedStep) {
    Machine machine;
    WatchingTerminal terminal(machine);
    machine.AttachTerminal(&terminal);
    Load(machine, {0x01D0, 0x7FFF, 0x2210, 0xAF18});
    machine.ResetForRun();
    machine.RunSteps(1000);
    ASSERT_TRUE(machine.Failed());
    ASSERT_FALSE(terminal.seen.empty());
    EXPECT_EQ(terminal.seen[0].commandAddress, 0x0004);
    EXPECT_NE(terminal.text.find("0004: 2210"), std::string::npos) << terminal.text;
    EXPECT_EQ(machine.State().pc, 0x0006);
}

}  // namespace
}  // namespace q42::test
