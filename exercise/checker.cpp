#include "exercise/checker.h"

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "exercise/program_rules.h"
#include "exercise/wording.h"
#include "machine/codepage.h"
#include "machine/path_text.h"
#include "session/code_loading.h"
#include "session/text_file.h"

namespace q42 {
namespace {

std::string EndDifference(const ExerciseCase& exerciseCase, const CaseOutcome& outcome,
                          const ProgramMap& program) {
    const RunOutcome& run = outcome.run;
    switch (run.end) {
        case RunEnd::Halt: return {};
        case RunEnd::Error:
            return Fill(Pick("ошибка выполнения в %s: %s", "run-time error at %s: %s"),
                        {program.Place(run.state.commandAddress), run.errorText});
        case RunEnd::StepLimit: {
            std::string text =
                Fill(Pick("не остановилась за %s шагов", "did not halt within %s steps"),
                     {std::to_string(exerciseCase.maxSteps)});
            if (outcome.lastAddresses.empty()) return text;
            const std::string range = WordToHex(*outcome.lastAddresses.begin()) + ".." +
                                      WordToHex(*outcome.lastAddresses.rbegin());
            text += Fill(Pick("; последние шаги шли в %s", "; its last steps ran in %s"), {range});
            const std::string lines = program.LinesOf(outcome.lastAddresses);
            if (!lines.empty()) text += Fill(Pick(", строки %s", ", lines %s"), {lines});
            return text;
        }
        case RunEnd::NoInput:
            return Pick("ждала ввода, которого в варианте нет",
                        "waited for input that the case does not give");
        case RunEnd::Stopped: return Pick("остановлена до HLT", "was stopped before HLT");
    }
    return {};
}

std::string ScreenDifference(const std::optional<MissingLine>& missing) {
    if (!missing) return {};
    const std::string number = std::to_string(missing->lineNumber);
    const std::string expected = Cp1251ToUtf8(missing->expected);
    if (missing->extra) {
        return Fill(Pick("строка экрана %s: строк больше не ожидалось, получено «%s»",
                         "screen line %s: no more lines expected, got \"%s\""),
                    {number, Cp1251ToUtf8(missing->got.value_or(""))});
    }
    if (!missing->got) {
        return Fill(Pick("строка экрана %s: ожидалось «%s», а строки нет",
                         "screen line %s: expected \"%s\", got nothing"),
                    {number, expected});
    }
    return Fill(Pick("строка экрана %s: ожидалось «%s», получено «%s»",
                     "screen line %s: expected \"%s\", got \"%s\""),
                {number, expected, Cp1251ToUtf8(*missing->got)});
}

Value RegisterValue(const MachineState& state, const std::string& name) {
    if (name == "PC") return state.pc;
    if (name == "SP") return state.sp;
    if (name == "PS") return state.ps;
    return state.r[static_cast<std::size_t>(name[1] - '0')];
}

// A word as hex digits and, for reading at a glance, as a signed number: "FFD6 (-42)".
std::string WordText(Value word) {
    const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(word));
    return WordToHex(word) + " (" + std::to_string(value) + ")";
}

std::string WordDifference(const std::string& what, Value expected, Value got) {
    if (expected == got) return {};
    return Fill(Pick("%s: ожидалось %s, получено %s", "%s: expected %s, got %s"),
                {what, WordText(expected), WordText(got)});
}

// Texts typed for the program as a teacher writes them: in quotes, Enter as \r (UTF-8).
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\n') {
            quoted += "\\n";
        } else {
            quoted += c;
        }
    }
    return Cp1251ToUtf8(quoted + "\"");
}

std::string QuotedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : ", ") + Quoted(line);
    return text;
}

// What the case starts from, for a teacher reading why it failed.
std::string StartNote(const ExerciseCase& c) {
    std::vector<std::string> parts;
    if (!c.input.empty()) parts.push_back(Pick("ввод ", "input ") + QuotedLines(c.input));
    if (!c.keys.empty()) parts.push_back(Pick("клавиши ", "keys ") + Quoted(c.keys));
    for (const auto& [name, value] : c.registers)
        parts.push_back(name + " = " + WordToHex(value));
    for (const auto& [address, word] : c.memory)
        parts.push_back("[" + WordToHex(address) + "] = " + WordToHex(word));
    if (parts.empty()) return {};
    std::string text = Pick("дано: ", "given: ");
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i > 0 ? "; " : "") + parts[i];
    return text;
}

std::vector<std::string> Notes(const ExerciseCase& c, const CaseOutcome& outcome, bool passed) {
    std::vector<std::string> notes;
    if (!passed) {
        if (std::string start = StartNote(c); !start.empty()) notes.push_back(std::move(start));
    }
    if (!outcome.unreadLines.empty()) {
        notes.push_back(Pick("не прочитаны строки ввода: ", "input lines not read: ") +
                        QuotedLines(outcome.unreadLines));
    }
    if (!outcome.unreadKeys.empty())
        notes.push_back(Pick("не прочитаны клавиши: ", "keys not read: ") +
                        Quoted(outcome.unreadKeys));
    return notes;
}

std::vector<std::string> WarningTexts(const Assembly& assembly) {
    std::vector<std::string> texts;
    for (const AsmWarning& warning : assembly.warnings) {
        std::string text = Cp1251ToUtf8(warning.text);
        for (char& c : text)
            if (c == '\n' || c == '\r') c = ' ';
        if (warning.sourceLine > 0)
            text = Fill(Pick("строка %s: %s", "line %s: %s"),
                        {std::to_string(warning.sourceLine), text});
        texts.push_back(std::move(text));
    }
    return texts;
}

// A fresh machine with the ROM image of `rom`.
Machine WithRom(const Machine& rom) {
    Machine machine;
    for (int i = 0; i < kRomWords; ++i)
        machine.LoadWord(kRomStart + Value{2} * i, rom.Rom()[static_cast<std::size_t>(i)]);
    return machine;
}

// The cases run on the loaded program, unless it breaks the exercise's rules.
ProgramResult RunEveryCase(const Machine& loaded, const Exercise& exercise,
                           const ProgramMap& program) {
    if (const std::string broken = RuleBreak(exercise, program); !broken.empty())
        return FailEveryCase(exercise, broken);
    ProgramResult result;
    for (const ExerciseCase& c : exercise.cases) {
        const CaseOutcome outcome = RunCase(loaded, c);
        CaseResult& r = result.cases.emplace_back();
        r.name = Cp1251ToUtf8(c.name);
        r.differences = Differences(c, outcome, program);
        r.steps = outcome.run.steps;
        r.end = std::string(RunEndName(outcome.run.end));
        r.points = c.points;
        r.hidden = c.hidden;
        r.passed = r.differences.empty();
        r.notes = Notes(c, outcome, r.passed);
    }
    return result;
}

}  // namespace

std::vector<std::string> Differences(const ExerciseCase& exerciseCase, const CaseOutcome& outcome,
                                     const ProgramMap& program) {
    const RunOutcome& run = outcome.run;
    std::vector<std::string> differences;
    const auto add = [&differences](std::string difference) {
        if (!difference.empty()) differences.push_back(std::move(difference));
    };
    if (exerciseCase.expect.halt) add(EndDifference(exerciseCase, outcome, program));
    add(ScreenDifference(outcome.missingLine));
    for (const char* name : {"R0", "R1", "R2", "R3", "PC", "SP", "PS"}) {
        const auto expected = exerciseCase.expect.registers.find(name);
        if (expected != exerciseCase.expect.registers.end())
            add(WordDifference(name, expected->second, RegisterValue(run.state, name)));
    }
    for (const auto& [address, word] : exerciseCase.expect.memory) {
        add(WordDifference("[" + WordToHex(address) + "]", word,
                           run.state.ram[static_cast<std::size_t>(address >> 1)]));
    }
    return differences;
}

int ProgramResult::PassedCases() const {
    int passed = 0;
    for (const CaseResult& c : cases)
        passed += c.Passed() ? 1 : 0;
    return passed;
}

int ProgramResult::Points() const {
    int points = 0;
    for (const CaseResult& c : cases)
        points += c.Passed() ? c.points : 0;
    return points;
}

int ProgramResult::MaxPoints() const {
    int points = 0;
    for (const CaseResult& c : cases)
        points += c.points;
    return points;
}

CaseResult ShownToStudent(const CaseResult& result) {
    if (!result.hidden) return result;
    CaseResult shown;
    shown.name = result.name;
    shown.points = result.points;
    shown.hidden = true;
    shown.passed = result.passed;
    return shown;
}

ProgramResult FailEveryCase(const Exercise& exercise, const std::string& why) {
    ProgramResult result;
    for (const ExerciseCase& c : exercise.cases)
        result.cases.push_back(
            {Cp1251ToUtf8(c.name), {why}, 0, "not run", c.points, c.hidden, false, {}});
    return result;
}

ProgramResult CheckCodeText(const Machine& rom, const std::vector<std::string>& codeText,
                            const Exercise& exercise) {
    Machine loaded = WithRom(rom);
    const CodeCopy copy = CopyCode(loaded, codeText);
    if (copy.error)
        return FailEveryCase(exercise,
                             Cp1251ToUtf8(copy.error->lineLab + " " + copy.error->errLab));
    return RunEveryCase(loaded, exercise, MapOfCode(loaded, copy.words));
}

ProgramResult CheckSource(const Machine& rom, const std::vector<std::string>& asmText,
                          const AsmOptions& options, const Exercise& exercise) {
    const Assembly assembly = Assemble(asmText, options);
    if (!assembly.Ok()) {
        const AsmDiagnostic& at = *assembly.diagnostic;
        const std::string line = at.inSource ? std::to_string(at.sourceLine) : std::string("?");
        ProgramResult result = FailEveryCase(
            exercise,
            Fill(Pick("ошибка ассемблера в строке %s: %s", "assembler error at line %s: %s"),
                 {line, Cp1251ToUtf8(at.text)}));
        result.warnings = WarningTexts(assembly);
        return result;
    }
    Machine loaded = WithRom(rom);
    ProgramResult result;
    if (const CodeCopy copy = CopyCode(loaded, assembly.CodeText()); copy.error) {
        result = FailEveryCase(exercise,
                               Cp1251ToUtf8(copy.error->lineLab + " " + copy.error->errLab));
    } else {
        result = RunEveryCase(loaded, exercise, MapOfAssembly(assembly, asmText));
    }
    result.warnings = WarningTexts(assembly);
    return result;
}

ProgramResult CheckProgramFile(const Machine& rom, const std::string& path,
                               const AsmOptions& options, const Exercise& exercise) {
    const std::filesystem::path filePath = PathFromUtf8(path);
    std::error_code error;
    if (!std::filesystem::exists(filePath, error))
        return FailEveryCase(exercise, path + ": " + Pick("нет такого файла", "no such file"));
    TextFile file = ReadTextFile(filePath);
    if (!file.error.empty()) return FailEveryCase(exercise, file.error);
    if (IsCodeFileName(path))
        return CheckCodeText(rom, CodeTextFromLines(std::move(file.lines)), exercise);
    return CheckSource(rom, file.lines, options, exercise);
}

}  // namespace q42
