#include "cli/json_output.h"

#include "machine/codepage.h"

namespace q42::cli {

nlohmann::json RunJson(const RunOutcome& outcome, const ScreenTail& screen) {
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
    nlohmann::json lines = nlohmann::json::array();
    for (const std::string& line : screen.Lines())
        lines.push_back(Cp1251ToUtf8(line));
    nlohmann::json run = {
        {"end", RunEndName(outcome.end)},
        {"steps", outcome.steps},
        {"registers", registers},
        {"flags", {{"N", (state.ps & kFlagN) != 0}, {"Z", (state.ps & kFlagZ) != 0}}},
        {"ram", ram},
        {"screen", lines},
        {"screen_lines_dropped", screen.Dropped()},
    };
    if (outcome.end == RunEnd::Error) run["error"] = outcome.errorText;
    return run;
}

nlohmann::json CaseJson(const std::string& program, const CaseResult& result) {
    return {{"program", program},        {"case", result.name},
            {"passed", result.Passed()}, {"differences", result.differences},
            {"steps", result.steps},     {"end", result.end}};
}

nlohmann::json CheckJson(const std::string& title, nlohmann::json results, int passed, int failed) {
    return {{"exercise", Cp1251ToUtf8(title)},
            {"results", std::move(results)},
            {"passed", passed},
            {"failed", failed}};
}

std::string JsonText(const nlohmann::json& document) {
    // The texts are converted where they are made; only a file's name, which is bytes as the
    // system gave them, may be other than UTF-8.
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace q42::cli
