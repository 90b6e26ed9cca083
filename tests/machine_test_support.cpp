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

Value& Field(Machine& m, const std::string& name, Value& scratch) {
    if (name.size() == 2 && name[0] == 'R' && name[1] >= '0' && name[1] <= '3')
        return m.r[name[1] - '0'];
    if (name == "PC") return m.pc;
    if (name == "SP") return m.sp;
    if (name == "PS") return m.ps;
    if (name == "LR") return m.lastResult;
    if (name[0] == '@') {
        const auto address = std::stoll(name.substr(1), nullptr, 16);
        if (address < kRamEnd) return m.ram[address >> 1];
        return m.rom[(address - kRomStart) >> 1];
    }
    if (name == "N") return scratch = m.FlagN();
    if (name == "Z") return scratch = m.FlagZ();
    if (name == "STOP") return scratch = m.stopFlag;
    throw std::invalid_argument("unknown state item " + name);
}

}  // namespace

void ApplyState(Machine& machine, std::string_view state) {
    for (const auto& item : ParseState(state)) {
        if (item.name == "STOP") {
            machine.stopFlag = item.value != 0;
            continue;
        }
        Value scratch = 0;
        Field(machine, item.name, scratch) = item.value;
    }
}

std::string StateDifferences(Machine& machine, std::string_view state) {
    std::string differences;
    for (const auto& item : ParseState(state)) {
        Value scratch = 0;
        const Value actual = Field(machine, item.name, scratch);
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
    for (std::size_t i = 0; i < words.size() && machine.pc / 2 + i < kRamWords; ++i) {
        machine.ram[machine.pc / 2 + i] = words[i];
    }
    machine.instructionWord = static_cast<std::uint16_t>(words.at(0));
    machine.pc += 2;
    machine.runError = Fault::None;
    machine.ExecuteInstruction();
}

std::string Utf8(Fault fault) {
    return Cp1251ToUtf8(FaultText(fault));
}

}  // namespace q42::test
