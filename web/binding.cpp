// The machine, the assembler and the debugger for the web page, exported to JavaScript with
// embind. The page drives a WebSession: it assembles the editor's text, loads the code, and
// runs it in slices of steps so that the page never freezes; each call answers with JSON.
//
// A browser cannot block inside a step while the user types. When a step waits for input that
// has not been typed, the step ends as a stop would, and the session goes back through the
// run's history to just before that step and forgets the rest; the page shows the input line,
// and once the user has typed, the same step runs again and finds the input waiting. A step
// that refused a line (a wrong number) and waits for another takes the refused lines again when
// it runs again, so that the screen shows the echo and the retry message as on the desktop; the
// page sees the screen as it was when the step began to wait. A step over or step out that met
// the wait goes on, once the input is typed, to where it aimed: after the input when that is
// where the call returns.

#include <emscripten/bind.h>

#include <cctype>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "assembler/compil.h"
#include "assembler/instruction_set.h"
#include "exercise/checker.h"
#include "exercise/exercise_file.h"
#include "exercise/lesson.h"
#include "exercise/result_texts.h"
#include "machine/codepage.h"
#include "machine/language.h"
#include "machine/rom_image.h"
#include "session/code_loading.h"
#include "session/session.h"

namespace q42::web {
namespace {

using nlohmann::json;

class DroppedMessages : public MessageSink {
    void ShowMessage(const std::string&) override {}
};

std::string Text(const std::string& text8) {
    return Cp1251ToUtf8(text8);
}

json Lines(const std::vector<std::string>& lines) {
    json out = json::array();
    for (const auto& line : lines)
        out.push_back(Text(line));
    return out;
}

// The compiler's warnings, but "No HLT command!" for a code file's words: a code file is not
// compiled where it comes from, and says nothing of HLT there.
json Warnings(const Assembly& assembly, bool codeFile) {
    json out = json::array();
    for (const AsmWarning& warning : assembly.warnings) {
        if (!codeFile || warning.kind != AsmWarning::Kind::NoHlt) out.push_back(Text(warning.text));
    }
    return out;
}

// The assembler window's two status lines after an assembly: where and what went wrong, or the
// success text.
json Status(const Assembly& assembly, bool english) {
    if (const auto& error = assembly.diagnostic) return Lines({error->where, error->text});
    return Lines({AsmText(AsmMessage::Success, english), ""});
}

const char* ReasonName(DebugPause::Reason reason) {
    switch (reason) {
        case DebugPause::Reason::Stepped: return "stepped";
        case DebugPause::Reason::Breakpoint: return "breakpoint";
        case DebugPause::Reason::Watchpoint: return "watchpoint";
        case DebugPause::Reason::Ended: return "ended";
        case DebugPause::Reason::StepLimit: return "slice";
    }
    return "stepped";
}

bool FitsRam(std::size_t words) {
    return words <= static_cast<std::size_t>(kRamWords);
}

// A program of more words than RAM holds: how many it has, and the source line of the first word
// that does not fit (0 for a code file).
json TooLong(std::size_t words, int line) {
    return {{"words", words}, {"ram", kRamWords}, {"line", line}};
}

// The results of checking a program, as the desktop program's results window shows them: the
// title, the columns, each case with its verdict and differences, and the summary.
// The page shows what a student may see: a hidden case's name and verdict only.
json ExerciseResults(const Exercise& exercise, const std::string& file,
                     const ProgramResult& results) {
    json cases = json::array();
    for (const CaseResult& checked : results.cases) {
        const CaseResult result = ShownToStudent(checked);
        std::vector<std::string> details = result.differences;
        details.insert(details.end(), result.notes.begin(), result.notes.end());
        cases.push_back({{"name", result.name},
                         {"passed", result.Passed()},
                         {"verdict", CaseVerdict(result.Passed())},
                         {"differences", details},
                         {"hidden", result.hidden},
                         {"points", result.points},
                         {"steps", result.steps},
                         {"end", result.end}});
    }
    const int passed = results.PassedCases();
    const int failed = static_cast<int>(results.cases.size()) - passed;
    return {{"ok", true},
            {"title", ExerciseResultsTitle(exercise.title.empty() ? file : Text(exercise.title))},
            {"columns", ExerciseColumnTitles()},
            {"cases", cases},
            {"passed", passed},
            {"failed", failed},
            {"points", results.Points()},
            {"max_points", results.MaxPoints()},
            {"warnings", results.warnings},
            {"summary", ExerciseSummary(passed, failed, results.Points(), results.MaxPoints())}};
}

}  // namespace

class WebSession : public DisplayHost, public RunHost {
  public:
    explicit WebSession(bool english) {
        SetLanguage(english);
        DroppedMessages messages;
        InitMachine(session_.machine, "/rom/Q42ROM.TXT", messages);
    }

    // The language of the texts from now on: the machine's messages, the assembler's, the
    // explanations. The run, the screen and RAM stay as they are.
    void SetLanguage(bool english) {
        SetTextLanguage(english ? Language::English : Language::Russian);
        session_.options.englishInterface = english;
    }

    // Preprocesses and compiles the text; the code goes into RAM when it compiled. `codeFile`:
    // the text holds a code file's words, and no HLT is asked of it.
    std::string Assemble(const std::string& source, bool codeFile) {
        assembly_ = Assembled(source);
        codeText_ = assembly_.CodeText();
        session_.source.Set(assembly_);
        json answer = Answer(assembly_, codeFile);
        if (assembly_.Ok()) answer["load"] = json::parse(Load());
        return answer.dump();
    }

    // What Assemble answered for the same text, in the language now set, with nothing loaded:
    // the session, its run and RAM stay as they are.
    std::string Retell(const std::string& source, bool codeFile) const {
        const Assembly assembly = Assembled(source);
        json answer = Answer(assembly, codeFile);
        if (assembly.Ok()) answer["load"] = Loaded(assembly.CodeText());
        return answer.dump();
    }

    // A code file's lines read as the loader reads them, into a machine of their own: its words,
    // or the loader's message for the first line it refuses.
    std::string CheckCode(const std::string& code) {
        return Loaded(CodeTextFromLines(SplitTextLines(Utf8ToCp1251(code)))).dump();
    }

    // A code text (a .cod file's lines) as the program: into RAM, with no source lines.
    std::string LoadCode(const std::string& code) {
        assembly_ = {};
        codeText_ = CodeTextFromLines(SplitTextLines(Utf8ToCp1251(code)));
        session_.source.Clear();
        return Load();
    }

    // The address a breakpoint on source line `line` stops at, or -1.
    double AddressOf(double line) const {
        const auto address = session_.commands.LineAddress(static_cast<int>(line));
        return address ? static_cast<double>(*address) : -1;
    }

    // Copies the code of the last compiled text into RAM; a new program ends the run there was.
    std::string Load() {
        session_.debugger.Forget();
        ForgetInput();
        const auto badLine = session_.run.CopyCode(codeText_);
        json answer = {
            {"ok", !badLine.has_value() && !session_.machine.Failed()},
            {"status", badLine ? Lines({badLine->lineLab, badLine->errLab}) : Lines({"", ""})}};
        const std::size_t words = CodeWords(codeText_);
        if (!FitsRam(words))
            answer["tooLong"] = TooLong(words, SourceLineOfWord(assembly_, kRamWords));
        return answer.dump();
    }

    void SetBreakpoints(const std::string& linesJson) {
        session_.commands.SetBreakpoints(json::parse(linesJson).get<std::vector<int>>(), {});
    }

    // A run from RAM 0000: greeting, resets, history.
    void Start() {
        ForgetInput();
        session_.commands.Begin();
    }

    // Goes on for at most `steps` steps; a new run starts when none is paused.
    std::string Continue(double steps) {
        return Move([&] { return session_.commands.Continue(static_cast<std::int64_t>(steps)); });
    }
    std::string Step() {
        return Move([&] { return session_.commands.Step(); });
    }
    std::string StepOver() {
        return Move([&] { return session_.commands.StepOver(); });
    }
    std::string StepOut() {
        return Move([&] { return session_.commands.StepOut(); });
    }
    // Going back or to another step leaves a wait: what was typed for it is forgotten.
    std::string Back() {
        ForgetInput();
        session_.commands.Back();
        return Where({});
    }
    // To a row of the execution log: after its step, or after the input of its step.
    std::string GoToRow(double row) {
        ForgetInput();
        Debugger& debugger = session_.debugger;
        if (row >= 0 && row < static_cast<double>(debugger.LogRows()))
            session_.commands.GoTo(debugger.LogRow(static_cast<std::int64_t>(row)));
        return Where({});
    }
    // Ends the paused program with the end message: after its next step, or at once when that
    // step waits for input. Stopped at an earlier step, the run ends there: what came after it
    // is forgotten.
    std::string Stop() {
        if (!session_.debugger.Paused()) return Where({});
        stopping_ = true;
        std::string answer = Move([&] { return session_.commands.Stop().value_or(DebugPause{}); });
        stopping_ = false;
        return answer;
    }

    // Input the user typed: a line for a number or TRUE/FALSE, or keys for the key buffer.
    void TypeLine(const std::string& text) {
        session_.commands.Type(Utf8ToCp1251(text));
        pending_.clear();
    }
    void TypeKeys(const std::string& text) {
        for (const char key : Utf8ToCp1251(text))
            session_.display.KeyPress(key);
        pending_.clear();
    }

    // The machine as the page shows it.
    std::string State() const {
        const MachineState& m = session_.machine.State();
        json ram = json::array();
        for (const Value word : m.ram)
            ram.push_back(WordToHex(word));
        return json{{"registers",
                     {WordToHex(m.r[0]), WordToHex(m.r[1]), WordToHex(m.r[2]), WordToHex(m.r[3])}},
                    {"pc", WordToHex(m.pc)},
                    {"sp", WordToHex(m.sp)},
                    {"ps", WordToHex(m.ps)},
                    {"n", (m.ps & kFlagN) != 0},
                    {"z", (m.ps & kFlagZ) != 0},
                    {"ram", ram},
                    {"screen", Lines(pending_.empty() ? session_.display.Lines() : waitScreen_)},
                    {"step", session_.debugger.Step()},
                    {"row", session_.debugger.CurrentRow()},
                    {"rows", session_.debugger.LogRows()},
                    {"lastStep", session_.debugger.Started() ? session_.debugger.LastStep() : 0},
                    {"paused", session_.debugger.Paused()},
                    {"failed", session_.machine.Failed()},
                    {"error", session_.machine.Failed() ? Text(session_.machine.RunErrorText())
                                                        : std::string()},
                    {"line", session_.source.LineAt(session_.machine, m.pc)},
                    {"routine", RoutineAt(m.pc)},
                    {"input", pending_}}
            .dump();
    }

    // A row of the execution log: its step, whether it is the input part of that step, and what
    // it did when the history still holds it. "null" for no such row.
    std::string ExplainRow(double row) {
        Debugger& debugger = session_.debugger;
        if (row < 0 || row >= static_cast<double>(debugger.LogRows())) return "null";
        const LogPosition position = debugger.LogRow(static_cast<std::int64_t>(row));
        json answer = {{"step", position.step}, {"input", position.input}};
        const auto explanation = debugger.Explain(position);
        if (!explanation) return answer.dump();
        json changes = json::array();
        for (const auto& change : explanation->changes)
            changes.push_back({change.what, change.before, change.after});
        answer["address"] = WordToHex(explanation->address);
        answer["text"] = explanation->text;
        answer["changes"] = changes;
        answer["story"] = explanation->story;
        answer["does"] = explanation->does;
        return answer.dump();
    }

    std::string Decode(double address) {
        session_.decodeAddress = static_cast<Value>(address);
        session_.StartDecoding();
        const DecodedInstruction& d = session_.decoder.Shown();
        return json{{"address", d.address},
                    {"words", d.words},
                    {"operation", Text(d.operation)},
                    {"operand1", d.operand1Shown ? Text(d.operand1Caption) + ": " + Text(d.operand1)
                                                 : std::string()},
                    {"operand2", d.operand2Shown ? Text(d.operand2Caption) + ": " + Text(d.operand2)
                                                 : std::string()}}
            .dump();
    }

    // The editor's text (UTF-8) checked against the text of an exercise file named `file`: each
    // case runs on a fresh machine with the ROM image, and the session's own machine, run and
    // RAM stay as they are. A file that cannot be read answers with what is wrong with it.
    std::string CheckExercise(const std::string& source, const std::string& exerciseText,
                              const std::string& file) const {
        const ExerciseFile read = ParseExercise(exerciseText);
        if (!read.exercise) {
            return json{{"ok", false},
                        {"title", ExerciseResultsTitle(file)},
                        {"error", ExerciseFileProblem(file, read.error, read.line)}}
                .dump(-1, ' ', false, json::error_handler_t::replace);
        }
        const auto results = CheckSource(session_.machine, SplitTextLines(Utf8ToCp1251(source)),
                                         session_.options, *read.exercise);
        return ExerciseResults(*read.exercise, file, results)
            .dump(-1, ' ', false, json::error_handler_t::replace);
    }

    // DisplayHost: a wait takes what was typed, or gives up, and the step is taken back.
    void BeginLineInput() override {}
    std::string InputLineText() override { return session_.typed.Line(); }
    // The input was taken, or a stop ended the wait: the lines it refused are done with. A wait
    // given up to take the step back keeps them for the step's next run.
    void HideInputLine() override {
        if (pending_.empty()) session_.typed.InputEnded();
    }
    bool WaitForEvents() override {
        if (session_.display.LineInputActive() && session_.typed.Serve()) return true;
        if (!session_.display.LineInputActive() && !session_.machine.State().keyBuffer.empty())
            return true;
        // A stop ends the wait as it always has; otherwise the step is taken back.
        if (!stopping_) {
            pending_ = session_.display.LineInputActive() ? "line" : "key";
            waitScreen_ = session_.display.Lines();
        }
        return false;
    }
    // RunHost: a slice is one call from the page; nothing to handle inside it.
    std::int64_t StepsBeforeEvents() override { return std::numeric_limits<std::int64_t>::max(); }

  private:
    Session session_{*this, *this};
    Assembly assembly_;                    // the program last assembled; empty for a code text
    TextLines codeText_;                   // the program's code text, which Load copies into RAM
    std::string pending_;                  // "line" or "key" while the program waits for input
    std::vector<std::string> waitScreen_;  // the screen when the wait began
    bool stopping_ = false;

    // Runs a command; a wait for input not yet typed takes the waiting step back and pauses
    // before it.
    template <class Command>
    std::string Move(Command command) {
        pending_.clear();
        const DebugPause pause = command();
        if (!pending_.empty()) {
            session_.commands.TakeBackLastStep();
            return Where({{"reason", "input"}, {"input", pending_}});
        }
        return Where({{"reason", ReasonName(pause.reason)}});
    }

    // No wait, and no typed line waiting for one.
    void ForgetInput() {
        pending_.clear();
        session_.typed.Clear();
        waitScreen_.clear();
    }

    // The words of a code text: its lines that start with a hex digit, as the loader takes them.
    static std::size_t CodeWords(const TextLines& codeText) {
        std::size_t words = 0;
        for (const auto& line : codeText) {
            if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0]))) ++words;
        }
        return words;
    }

    // The name of the ROM routine whose code holds `address`; "" outside every one.
    std::string RoutineAt(Value address) const {
        const RomRoutine* routine = session_.machine.Routines().Holding(address);
        return routine != nullptr ? routine->name : std::string();
    }

    // The source line word `index` of the assembled code came from; 0 when none is known.
    static int SourceLineOfWord(const Assembly& assembly, int index) {
        if (index < 0 || static_cast<std::size_t>(index) >= assembly.code.size()) return 0;
        return assembly.code[static_cast<std::size_t>(index)].sourceLine;
    }

    // The editor's text (UTF-8), preprocessed and compiled.
    Assembly Assembled(const std::string& source) const {
        return q42::Assemble(SplitTextLines(Utf8ToCp1251(source)), session_.options);
    }

    // What an assembly answers, without the loading.
    json Answer(const Assembly& assembly, bool codeFile) const {
        const auto& error = assembly.diagnostic;
        return {{"ok", assembly.Ok()},
                {"code", Lines(assembly.CodeText())},
                {"status", Status(assembly, session_.options.englishInterface)},
                {"warnings", Warnings(assembly, codeFile)},
                {"line", error && error->inSource ? error->sourceLine : 0}};
    }

    // What loading a code text says, tried in a machine of its own, and the words it loaded.
    static json Loaded(const TextLines& codeText) {
        Machine machine;
        const CodeCopy copy = CopyCode(machine, codeText);
        json code = json::array();
        for (int i = 0; i < copy.words; ++i)
            code.push_back(WordToHex(machine.State().ram[static_cast<std::size_t>(i)]));
        json answer = {{"ok", !copy.error.has_value()},
                       {"status", copy.error ? Lines({copy.error->lineLab, copy.error->errLab})
                                             : Lines({"", ""})},
                       {"code", code}};
        if (const std::size_t words = CodeWords(codeText); !FitsRam(words))
            answer["tooLong"] = TooLong(words, 0);
        return answer;
    }

    std::string Where(json pause) {
        pause["state"] = json::parse(State());
        return pause.dump();
    }
};

// The names of the instruction table's operations, as JSON, for the editor's colours.
std::string OperationNames() {
    json names = json::array();
    for (const Mnemonic& entry : MnemonicTable())
        names.push_back(std::string(entry.name));
    return names.dump();
}

// The outline of lesson `name` from its Markdown text (UTF-8): its title, its worked program and
// its exercises (number, title, the name of their files).
std::string LessonOutline(const std::string& name, const std::string& markdown) {
    const Lesson lesson = ReadLesson(name, markdown);
    json exercises = json::array();
    for (const LessonExercise& exercise : lesson.exercises)
        exercises.push_back({{"number", exercise.number}, {"title", exercise.title}, {"name", exercise.name}});
    return json{{"name", lesson.name},
                {"title", lesson.title},
                {"program", lesson.program},
                {"exercises", exercises}}
        .dump(-1, ' ', false, json::error_handler_t::replace);
}

// The lessons' names among the file names of a JSON array, in order.
std::string LessonNamesOf(const std::string& fileNamesJson) {
    const json files = json::parse(fileNamesJson, nullptr, false);
    if (!files.is_array()) return "[]";
    std::vector<std::string> names;
    for (const json& file : files) {
        if (file.is_string()) names.push_back(file.get<std::string>());
    }
    return json(LessonNames(names)).dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace q42::web

EMSCRIPTEN_BINDINGS(q42) {
    using q42::web::WebSession;
    emscripten::function("operationNames", &q42::web::OperationNames);
    emscripten::function("lessonOutline", &q42::web::LessonOutline);
    emscripten::function("lessonNames", &q42::web::LessonNamesOf);
    emscripten::class_<WebSession>("WebSession")
        .constructor<bool>()
        .function("setLanguage", &WebSession::SetLanguage)
        .function("assemble", &WebSession::Assemble)
        .function("retell", &WebSession::Retell)
        .function("checkCode", &WebSession::CheckCode)
        .function("load", &WebSession::Load)
        .function("loadCode", &WebSession::LoadCode)
        .function("addressOf", &WebSession::AddressOf)
        .function("setBreakpoints", &WebSession::SetBreakpoints)
        .function("start", &WebSession::Start)
        .function("continue", &WebSession::Continue)
        .function("step", &WebSession::Step)
        .function("stepOver", &WebSession::StepOver)
        .function("stepOut", &WebSession::StepOut)
        .function("back", &WebSession::Back)
        .function("goToRow", &WebSession::GoToRow)
        .function("stop", &WebSession::Stop)
        .function("typeLine", &WebSession::TypeLine)
        .function("typeKeys", &WebSession::TypeKeys)
        .function("state", &WebSession::State)
        .function("explainRow", &WebSession::ExplainRow)
        .function("decode", &WebSession::Decode)
        .function("checkExercise", &WebSession::CheckExercise);
}
