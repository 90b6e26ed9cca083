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
    nlohmann::json item = {{"program", program},
                           {"case", result.name},
                           {"passed", result.Passed()},
                           {"points", result.points},
                           {"hidden", result.hidden}};
    if (result.end.empty()) return item;  // shown to a student: nothing more
    item["differences"] = result.differences;
    item["notes"] = result.notes;
    item["steps"] = result.steps;
    item["end"] = result.end;
    return item;
}

nlohmann::json CheckJson(const CheckReport& report) {
    nlohmann::json results = nlohmann::json::array();
    nlohmann::json programs = nlohmann::json::array();
    for (const CheckedProgram& program : report.programs) {
        const ProgramResult& result = program.result;
        for (const CaseResult& c : result.cases)
            results.push_back(CaseJson(program.path, c));
        programs.push_back({{"program", program.path},
                            {"cases", result.cases.size()},
                            {"passed", result.PassedCases()},
                            {"points", result.Points()},
                            {"max_points", result.MaxPoints()},
                            {"warnings", result.warnings}});
    }
    return {{"exercise", Cp1251ToUtf8(report.title)},
            {"results", std::move(results)},
            {"programs", std::move(programs)},
            {"passed", report.Passed()},
            {"failed", report.Failed()}};
}

std::string JsonText(const nlohmann::json& document) {
    // The texts are converted where they are made; only a file's name, which is bytes as the
    // system gave them, may be other than UTF-8.
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace q42::cli
