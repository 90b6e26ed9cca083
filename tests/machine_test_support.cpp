#include "tests/machine_test_support.h"

#include <sstream>
#include <stdexcept>

#include "machine/codepage.h"

namespace q42::test {
namespace {

struct Item {
    std::string name;
    Value value;
};

std::vector<Item> ParseState(std::string_view state) {
    std::vector<Item> items;
    std::istringstream in{std::string(state)};
    std::string token;
    while (in >> token) {
        const auto eq = token.find('=');
        if (eq == std::string::npos) throw std::invalid_argument("no '=' in " + token);
        items.push_back({token.substr(0, eq), std::stoll(token.substr(eq + 1), nullptr, 16)});
    }
    return items;
}

Value& Field(MachineState& m, const std::string& name, Value& scratch) {
    if (name.size() == 2 && name[0] == 'R' && name[1] >= '0' && name[1] <= '3')
        return m.r[name[1] - '0'];
    if (name == "PC") return m.pc;
    if (name == "SP") return m.sp;
    if (name == "PS") return m.ps;
    if (name == "LR") return m.lastResult;
    if (name == "N") return scratch = (m.ps & kFlagN) != 0;
    if (name == "Z") return scratch = (m.ps & kFlagZ) != 0;
    if (name == "STOP") return scratch = m.stopFlag;
    throw std::invalid_argument("unknown state item " + name);
}

Value MemoryAddress(const std::string& name) {
    return name[0] == '@' ? std::stoll(name.substr(1), nullptr, 16) : -1;
}

}  // namespace

void ApplyState(Machine& machine, std::string_view state) {
    MachineState s = machine.State();
    std::vector<Item> memory;
    for (const auto& item : ParseState(state)) {
        Value scratch = 0;
        if (item.name == "STOP") {
            s.stopFlag = item.value != 0;
        } else if (MemoryAddress(item.name) >= 0) {
            memory.push_back(item);
        } else {
            Field(s, item.name, scratch) = item.value;
        }
    }
    machine.Restore(s);
    for (const auto& item : memory)
        machine.LoadWord(MemoryAddress(item.name), item.value);
}

std::string StateDifferences(Machine& machine, std::string_view state) {
    std::string differences;
    MachineState s = machine.State();
    for (const auto& item : ParseState(state)) {
        Value scratch = 0;
        const Value address = MemoryAddress(item.name);
        const Value actual =
            address >= 0 ? machine.PeekWord(address) : Field(s, item.name, scratch);
        if (actual != item.value) {
            std::ostringstream line;
            line << item.name << ": expected " << std::hex << std::uppercase << item.value
                 << ", got " << actual << "\n";
            differences += line.str();
        }
    }
    return differences;
}

void Execute(Machine& machine, const std::vector<Value>& words) {
    const Value pc = machine.State().pc;
    for (std::size_t i = 0; i < words.size(); ++i)
        machine.LoadWord(pc + static_cast<Value>(2 * i), words[i]);
    machine.ExecuteStep();
}

std::string Utf8(Fault fault) {
    return Cp1251ToUtf8(FaultText(fault));
}

}  // namespace q42::test
