#include "cli/json_output.h"

#include "machine/codepage.h"

namespace q42::cli {

nlohmann::json RunJson(const RunOutcome& outcome) {
    const MachineState& state = outcome.state;
    nlohmann::json registers = nlohmann::json::object();
    for (int n = 0; n < 4; ++n)
        registers["R" + std::to_string(n)] = WordToHex(state.r[n]);
    registers["PC"] = WordToHex(state.pc);
    registers["SP"] = WordToHex(state.sp);
    registers["PS"] = WordToHex(state.ps);
    nlohmann::json ram = nlohmann::json::array();
    for (const Value word : state.ram)
        ram.push_back(WordToHex(word));
    nlohmann::json screen = nlohmann::json::array();
    for (const std::string& line : outcome.screen)
        screen.push_back(Cp1251ToUtf8(line));
    nlohmann::json run = {
        {"end", RunEndName(outcome.end)},
        {"steps", outcome.steps},
        {"registers", registers},
        {"flags", {{"N", (state.ps & kFlagN) != 0}, {"Z", (state.ps & kFlagZ) != 0}}},
        {"ram", ram},
        {"screen", screen},
    };
    if (outcome.end == RunEnd::Error) run["error"] = outcome.errorText;
    return run;
}

nlohmann::json CaseJson(const std::string& program, const CaseResult& result) {
    return {{"program", program},        {"case", result.name},
            {"passed", result.Passed()}, {"differences", result.differences},
            {"steps", result.steps},     {"end", result.end}};
}

}  // namespace q42::cli
