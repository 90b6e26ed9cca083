#include "cli/debug_console.h"

#include <sstream>
#include <utility>

#include "cli/interrupt.h"
#include "cli/program.h"
#include "machine/codepage.h"
#include "machine/run_texts.h"

namespace q42::cli {
namespace {

constexpr const char* kWaitingForInput = "waiting for input";

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A count argument: a whole number of at least 1, or 1 when none is given.
bool ReadCount(const std::vector<std::string>& args, long long& count) {
    count = 1;
    if (args.empty()) return true;
    try {
        std::size_t end = 0;
        count = std::stoll(args[0], &end);
        return end == args[0].size() && count >= 1;
    } catch (const std::exception&) {
        return false;
    }
}

// An address argument: one to four hex digits.
bool ReadAddress(const std::string& text, Value& address) {
    const HexWord word = HexToWord(text);
    address = word.value;
    return !text.empty() && text.size() <= 4 && word.error == Fault::None;
}

bool ReadLineNumber(const std::string& text, int& line) {
    try {
        std::size_t end = 0;
        line = std::stoi(text, &end);
        return end == text.size() && line >= 1;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

DebugConsole::DebugConsole(std::istream& in, std::ostream& out, bool prompt,
                           const TextLines& source, const Assembly& assembly)
    : in_(in), out_(out), prompt_(prompt), sourceText_(source) {
    session.source.Set(assembly);
    session.commands.SetWhenNotPaused(WhenNotPaused::OneRun);
}

void DebugConsole::StartRunsWith(const std::string& name, std::function<void()> start) {
    start_ = std::move(start);
    start_();
    out_ << "case \"" << name << "\": paused at the start\n";
    Where();
}

DebugPause DebugConsole::Run() {
    if (!start_) return session.commands.Run();
    start_();
    return session.commands.Continue();
}

void DebugConsole::Loop() {
    while (!quit_ && Command()) {
    }
}

bool DebugConsole::ReadCommand(std::string& line) {
    if (prompt_) out_ << "(q42) " << std::flush;
    if (std::getline(in_, line)) return true;
    // A Ctrl+C interrupted the read: the commands may still come after it.
    if (TakeInterrupt()) {
        in_.clear();
        interrupted_ = true;
    }
    return false;
}

void DebugConsole::ProcessEvents(std::int64_t) {
    if (!TakeInterrupt()) return;
    interrupted_ = true;
    session.commands.Pause();
}

bool DebugConsole::Command() {
    std::string line;
    if (!ReadCommand(line)) return false;
    // A line that is not UTF-8 is Windows-1251, as typed keys are: what is echoed of it (an
    // unknown command's name, typed input on the screen) is UTF-8 either way.
    if (!IsValidUtf8(line)) line = Cp1251ToUtf8(line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = Words(line);
    if (words.empty()) return true;
    const std::string name = words.front();
    words.erase(words.begin());
    if (name == "type") {
        // The rest of the line as it stands, after one blank.
        const auto start = line.find("type") + 4;
        session.commands.Type(Utf8ToCp1251(line.size() > start ? line.substr(start + 1) : ""));
    } else if (name == "quit" || name == "q") {
        quit_ = true;
    } else {
        Carry(name, words);
    }
    out_ << std::flush;
    return !quit_;
}

void DebugConsole::Carry(const std::string& name, const std::vector<std::string>& args) {
    if (Shows(name, args)) return;
    // The step in progress compares the watched words before and after it: the points stay as
    // they are until it ends.
    static const char* const changing[] = {"break", "b", "watch", "delete"};
    for (const char* c : changing) {
        if (waiting_ && name == c)
            return Error(
                "the program waits for input: breakpoints and watchpoints can be "
                "changed once it has it");
    }
    if (Sets(name, args)) return;
    if (waiting_) {
        static const char* const moving[] = {"run",  "r", "continue", "c",    "step", "s",
                                             "next", "n", "finish",   "back", "until"};
        for (const char* m : moving) {
            if (name == m) return Error("the program waits for input: give it with type");
        }
    }
    if (!Moves(name, args)) Error("unknown command: " + name);
}

bool DebugConsole::Moves(const std::string& name, const std::vector<std::string>& args) {
    Commands& commands = session.commands;
    long long count = 1;
    if (name == "run" || name == "r") {
        Report(Run());
    } else if (name == "continue" || name == "c") {
        Report(commands.Continue());
    } else if (name == "step" || name == "s" || name == "next" || name == "n") {
        if (!ReadCount(args, count)) {
            Error("a count is a whole number of at least 1");
        } else {
            Report(name[0] == 's' ? commands.Step(count) : commands.StepOver(count));
        }
    } else if (name == "finish") {
        Report(commands.StepOut());
    } else if (name == "back") {
        if (!ReadCount(args, count)) return Error("a count is a whole number of at least 1"), true;
        commands.Back(count);
        Where();
    } else if (name == "until") {
        int line = 0;
        if (args.size() != 1 || !ReadLineNumber(args[0], line))
            return Error("until takes a line"), true;
        const auto pause = commands.RunToLine(line);
        if (!pause) return Error("no code at line " + args[0]), true;
        Report(*pause);
    } else {
        return false;
    }
    return true;
}

bool DebugConsole::Shows(const std::string& name, const std::vector<std::string>& args) {
    if (name == "regs") {
        Registers();
    } else if (name == "mem") {
        Value address = 0;
        long long count = 1;
        if (args.empty() || !ReadAddress(args[0], address) ||
            !ReadCount({args.begin() + 1, args.end()}, count) || count > 0x8000)
            return Error("mem takes an address HHHH and a count"), true;
        DumpWords(session.machine, address, static_cast<int>(count), out_);
    } else if (name == "where") {
        Where();
    } else if (name == "list") {
        List();
    } else if (name == "screen") {
        Screen();
    } else if (name == "explain") {
        long long step = session.debugger.Step();
        if (!args.empty() && !ReadCount(args, step))
            return Error("explain takes a step number"), true;
        // Paused after an input, the step in progress has only that input to explain.
        if (args.empty() && session.debugger.InputServed()) return Explain({step + 1, true}), true;
        Explain(step);
    } else {
        return false;
    }
    return true;
}

bool DebugConsole::Sets(const std::string& name, const std::vector<std::string>& args) {
    Commands& commands = session.commands;
    if (name == "break" || name == "b") {
        Break(args);
    } else if (name == "watch") {
        Value address = 0;
        if (args.size() != 1 || !ReadAddress(args[0], address) || !Machine::IsRamAddress(address))
            return Error("watch takes a RAM address HHHH"), true;
        const DebugPoint point = commands.Watch(address);
        out_ << "watchpoint " << point.number << ": " << WordToHex(point.address) << '\n';
    } else if (name == "delete") {
        int number = 0;
        if (args.empty()) {
            commands.DeleteAll();
        } else if (!ReadLineNumber(args[0], number) || !commands.Delete(number)) {
            Error("no breakpoint or watchpoint " + args[0]);
        }
    } else {
        return false;
    }
    return true;
}

// A breakpoint on a line without code stops at the next line with code: that is the line shown.
void DebugConsole::Break(const std::vector<std::string>& args) {
    Value address = 0;
    int line = 0;
    if (args.size() == 1 && args[0].starts_with('*') && ReadAddress(args[0].substr(1), address)) {
        out_ << "breakpoint " << session.commands.BreakAt(address).number << ": "
             << WordToHex(address) << '\n';
    } else if (args.size() == 1 && ReadLineNumber(args[0], line)) {
        const auto point = session.commands.BreakAtLine(line);
        if (!point) return Error("no code at line " + args[0]);
        out_ << "breakpoint " << point->number << ": line "
             << session.source.LineOfWord(point->address) << ", " << WordToHex(point->address)
             << '\n';
    } else {
        Error("break takes a line or *HHHH");
    }
}

void DebugConsole::Report(const DebugPause& pause) {
    using Reason = DebugPause::Reason;
    if (std::exchange(interrupted_, false)) out_ << "interrupted\n";
    switch (pause.reason) {
        case Reason::Breakpoint: {
            const int line = session.source.LineAt(session.machine, pause.address);
            out_ << "breakpoint " << pause.number << ", "
                 << (line > 0 ? "line " + std::to_string(line) : WordToHex(pause.address)) << '\n';
            break;
        }
        case Reason::Watchpoint:
            out_ << "watchpoint " << pause.number << ", " << WordToHex(pause.address) << ": "
                 << WordToHex(pause.before) << " -> " << WordToHex(pause.after) << '\n';
            break;
        case Reason::StepLimit:
            out_ << "stopped after " << session.commands.StepLimit() << " steps\n";
            break;
        case Reason::Ended: {
            const int status = session.machine.Failed() ? 1 : session.display.stopRequested ? 3 : 0;
            out_ << Cp1251ToUtf8(session.display.CurrentLine()) << "\nexit " << status << '\n';
            return;
        }
        case Reason::Stepped: break;
    }
    Where();
}

void DebugConsole::Where() {
    const Value pc = session.machine.State().pc;
    const int line = session.source.LineAt(session.machine, pc);
    if (line > 0) {
        out_ << "line " << line << ": " << Cp1251ToUtf8(SourceLineText(sourceText_, line)) << '\n';
    } else {
        out_ << "address " << WordToHex(pc) << '\n';
    }
}

void DebugConsole::List() {
    const int current = session.source.LineAt(session.machine, session.machine.State().pc);
    if (current == 0) return Error("no source here");
    const int last = static_cast<int>(sourceText_.size());
    for (int line = std::max(1, current - 5); line <= std::min(last, current + 5); ++line) {
        out_ << (line == current ? "=> " : "   ") << line << '\t'
             << Cp1251ToUtf8(SourceLineText(sourceText_, line)) << '\n';
    }
}

void DebugConsole::Registers() {
    const MachineState& s = session.machine.State();
    for (const Value r : s.r)
        out_ << WordToHex(r) << ' ';
    out_ << WordToHex(s.pc) << ' ' << WordToHex(s.sp) << ' ' << WordToHex(s.ps) << '\n';
}

void DebugConsole::Screen() {
    for (const auto& line : session.display.Lines())
        out_ << Cp1251ToUtf8(line) << '\n';
}

void DebugConsole::Explain(std::int64_t step) {
    // A step that served an input entry point has two rows: the input, then the instruction.
    const LogPosition input{step, true};
    const LogPosition rest{step, false};
    if (session.debugger.RowOf(input) != session.debugger.RowOf(rest)) Explain(input);
    Explain(rest);
}

void DebugConsole::Explain(LogPosition position) {
    const auto explanation = session.debugger.Explain(position);
    if (!explanation) return Error("no step to explain");
    out_ << "step " << explanation->step << ", " << WordToHex(explanation->address) << ": "
         << explanation->text << '\n';
    std::string changes;
    for (const auto& change : explanation->changes) {
        changes += (changes.empty() ? "" : "; ") + change.what + ": " + change.before + " \u2192 " +
                   change.after;
    }
    out_ << (changes.empty() ? "nothing changed" : changes) << '\n';
    out_ << explanation->story << '\n';
    if (!explanation->does.empty()) out_ << explanation->does << '\n';
}

void DebugConsole::Error(const std::string& text) {
    out_ << "error: " << text << '\n';
}

bool DebugConsole::WaitForEvents() {
    if (session.typed.Empty()) {
        out_ << kWaitingForInput << '\n';
        waiting_ = true;
        while (session.typed.Empty() && !quit_ && Command()) {
        }
        waiting_ = false;
        if (session.typed.Empty()) {
            // A Ctrl+C ends the command that waits, as the user's stop; quit or the end of the
            // commands end the debugger too.
            if (!interrupted_) quit_ = true;
            return false;
        }
    }
    return session.typed.Serve();
}

}  // namespace q42::cli
