#pragma once
// A machine with its display and run control, driven by a script instead of a user: line inputs
// and keys are taken from queues, and a wait with nothing left to give ends as closed input.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "machine/codepage.h"
#include "machine/machine.h"
#include "session/display.h"
#include "session/run_control.h"

namespace q42::test {

class ScriptedConsole : public DisplayHost, public RunHost {
  public:
    std::deque<std::string> lines;  // line inputs in order (8-bit)
    std::string keys;               // keys in order; '\n' stands for Enter
    std::function<void()> onWait;   // runs at the start of every input wait
    std::function<void()> onStep;   // runs after every step of a run
    Display* display = nullptr;
    bool inputVisible = false;
    std::vector<bool> runStates;
    int displayShown = 0;
    std::int64_t batch = 1;  // steps a run takes before it handles events
    // A run is stopped, as the stop command does, after this many steps: a program that a fault
    // makes loop for ever ends the test instead of hanging it.
    std::int64_t stepCap = 50'000'000;
    RunControl* run = nullptr;

    void BeginLineInput() override {
        inputVisible = true;
        inputLine_.clear();
    }
    std::string InputLineText() override { return inputLine_; }
    void HideInputLine() override { inputVisible = false; }
    bool WaitForEvents() override;

    std::int64_t StepsBeforeEvents() override { return batch; }
    void ProcessEvents(std::int64_t steps) override {
        if (onStep) onStep();
        stepsInRun_ += steps;
        if (stepsInRun_ >= stepCap && run != nullptr) run->StopProgram();
    }
    void SetRunState(bool running) override {
        runStates.push_back(running);
        stepsInRun_ = 0;
    }
    void ShowDisplay() override { ++displayShown; }

  private:
    std::string inputLine_;
    std::int64_t stepsInRun_ = 0;
};

struct Rig {
    Machine machine;
    ScriptedConsole console;
    Display display{machine, console};
    RunControl run{machine, display, console};

    Rig() {
        machine.AttachTerminal(&display);
        console.display = &display;
        console.run = &run;
    }
    // Puts words into RAM from address 0000.
    void Load(const std::vector<Value>& words);
    // The screen lines in UTF-8, one per element.
    std::vector<std::string> Screen() const;
    // Runs the program, stopping it after `limit` steps if it has not ended.
    void RunAtMost(int limit);
};

inline std::string Cp1251(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

}  // namespace q42::test
