#include "tests/rig.h"
#include "tests/machine_test_support.h"

namespace q42::test {

bool ScriptedConsole::WaitForEvents() {
    if (onWait) onWait();
    if (display->LineInputActive()) {
        if (lines.empty()) return false;
        inputLine_ = lines.front();
        lines.pop_front();
        display->FinishInput();
        return true;
    }
    if (display->KeyWaitActive()) {
        if (keys.empty()) return false;
        const char key = keys.front();
        keys.erase(0, 1);
        if (key == '\n') {
            display->FinishInput();
        } else {
            display->KeyPress(key);
        }
        return true;
    }
    return false;
}

void Rig::Load(const std::vector<Value>& words) {
    for (std::size_t i = 0; i < words.size(); ++i)
        Edit(machine, [&](MachineState& s) { s.ram.at(i) = words[i]; });
}

std::vector<std::string> Rig::Screen() const {
    std::vector<std::string> lines;
    for (const auto& line : display.Lines())
        lines.push_back(Cp1251ToUtf8(line));
    return lines;
}

void Rig::RunAtMost(int limit) {
    int steps = 0;
    console.onStep = [&] {
        if (++steps == limit) run.StopProgram();
    };
    run.RunProgram();
    console.onStep = nullptr;
}

}  // namespace q42::test
