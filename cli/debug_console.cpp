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
    machine.AttachTerminal(&display_);
    source_.Set(assembly);
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
    debugger_.RequestPause();
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
        typed_.push_back(Utf8ToCp1251(line.size() > start ? line.substr(start + 1) : ""));
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
    long long count = 1;
    if (name == "run" || name == "r") {
        Report(debugger_.Run());
    } else if (name == "continue" || name == "c") {
        Report(debugger_.Continue());
    } else if (name == "step" || name == "s" || name == "next" || name == "n") {
        if (!ReadCount(args, count)) {
            Error("a count is a whole number of at least 1");
        } else {
            Report(name[0] == 's' ? debugger_.StepInto(count) : debugger_.StepOver(count));
        }
    } else if (name == "finish") {
        Report(debugger_.StepOut());
    } else if (name == "back") {
        if (!ReadCount(args, count)) return Error("a count is a whole number of at least 1"), true;
        debugger_.Back(count);
        Where();
    } else if (name == "until") {
        int line = 0;
        if (args.size() != 1 || !ReadLineNumber(args[0], line))
            return Error("until takes a line"), true;
        const auto address = source_.AddressOf(line);
        if (!address) return Error("no code at line " + args[0]), true;
        Report(debugger_.RunTo(*address));
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
        DumpWords(machine, address, static_cast<int>(count), out_);
    } else if (name == "where") {
        Where();
    } else if (name == "list") {
        List();
    } else if (name == "screen") {
        Screen();
    } else if (name == "explain") {
        long long step = debugger_.Step();
        if (!args.empty() && !ReadCount(args, step))
            return Error("explain takes a step number"), true;
        // Paused after an input, the step in progress has only that input to explain.
        if (args.empty() && debugger_.InputServed()) return Explain({step + 1, true}), true;
        Explain(step);
    } else {
        return false;
    }
    return true;
}

bool DebugConsole::Sets(const std::string& name, const std::vector<std::string>& args) {
    if (name == "break" || name == "b") {
        Value address = 0;
        int line = 0;
        if (args.size() == 1 && args[0].starts_with('*') &&
            ReadAddress(args[0].substr(1), address)) {
            out_ << "breakpoint " << debugger_.Break(address) << ": " << WordToHex(address) << '\n';
        } else if (args.size() == 1 && ReadLineNumber(args[0], line)) {
            const auto at = source_.AddressOf(line);
            if (!at) return Error("no code at line " + args[0]), true;
            out_ << "breakpoint " << debugger_.Break(*at, line) << ": line " << line << ", "
                 << WordToHex(*at) << '\n';
        } else {
            Error("break takes a line or *HHHH");
        }
    } else if (name == "watch") {
        Value address = 0;
        if (args.size() != 1 || !ReadAddress(args[0], address) || !Machine::IsRamAddress(address))
            return Error("watch takes a RAM address HHHH"), true;
        out_ << "watchpoint " << debugger_.Watch(address) << ": " << WordToHex(address & ~1)
             << '\n';
    } else if (name == "delete") {
        int number = 0;
        if (args.empty()) {
            debugger_.DeleteAll();
        } else if (!ReadLineNumber(args[0], number) || !debugger_.Delete(number)) {
            Error("no breakpoint or watchpoint " + args[0]);
        }
    } else {
        return false;
    }
    return true;
}

void DebugConsole::Report(const DebugPause& pause) {
    using Reason = DebugPause::Reason;
    if (std::exchange(interrupted_, false)) out_ << "interrupted\n";
    switch (pause.reason) {
        case Reason::Breakpoint: {
            const int line = source_.LineAt(machine, pause.address);
            out_ << "breakpoint " << pause.number << ", "
                 << (line > 0 ? "line " + std::to_string(line) : WordToHex(pause.address)) << '\n';
            break;
        }
        case Reason::Watchpoint:
            out_ << "watchpoint " << pause.number << ", " << WordToHex(pause.address) << ": "
                 << WordToHex(pause.before) << " -> " << WordToHex(pause.after) << '\n';
            break;
        case Reason::StepLimit:
            out_ << "stopped after " << debugger_.stepLimit << " steps\n";
            break;
        case Reason::Ended: {
            const int status = machine.Failed() ? 1 : display_.stopRequested ? 3 : 0;
            out_ << Cp1251ToUtf8(display_.CurrentLine()) << "\nexit " << status << '\n';
            return;
        }
        case Reason::Stepped: break;
    }
    Where();
}

void DebugConsole::Where() {
    const Value pc = machine.State().pc;
    const int line = source_.LineAt(machine, pc);
    if (line > 0) {
        out_ << "line " << line << ": " << Cp1251ToUtf8(SourceLineText(sourceText_, line)) << '\n';
    } else {
        out_ << "address " << WordToHex(pc) << '\n';
    }
}

void DebugConsole::List() {
    const int current = source_.LineAt(machine, machine.State().pc);
    if (current == 0) return Error("no source here");
    const int last = static_cast<int>(sourceText_.size());
    for (int line = std::max(1, current - 5); line <= std::min(last, current + 5); ++line) {
        out_ << (line == current ? "=> " : "   ") << line << '\t'
             << Cp1251ToUtf8(SourceLineText(sourceText_, line)) << '\n';
    }
}

void DebugConsole::Registers() {
    const MachineState& s = machine.State();
    for (const Value r : s.r)
        out_ << WordToHex(r) << ' ';
    out_ << WordToHex(s.pc) << ' ' << WordToHex(s.sp) << ' ' << WordToHex(s.ps) << '\n';
}

void DebugConsole::Screen() {
    for (const auto& line : display_.Lines())
        out_ << Cp1251ToUtf8(line) << '\n';
}

void DebugConsole::Explain(std::int64_t step) {
    // A step that served an input entry point has two rows: the input, then the instruction.
    const LogPosition input{step, true};
    const LogPosition rest{step, false};
    if (debugger_.RowOf(input) != debugger_.RowOf(rest)) Explain(input);
    Explain(rest);
}

void DebugConsole::Explain(LogPosition position) {
    const auto explanation = debugger_.Explain(position);
    if (!explanation) return Error("no step to explain");
    out_ << "step " << explanation->step << ", " << WordToHex(explanation->address) << ": "
         << explanation->text << '\n';
    std::string changes;
    for (const auto& change : explanation->changes) {
        changes += (changes.empty() ? "" : "; ") + change.what + ": " + change.before + " \u2192 " +
                   change.after;
    }
    out_ << (changes.empty() ? "nothing changed" : changes) << '\n';
    if (!explanation->does.empty()) out_ << explanation->does << '\n';
}

void DebugConsole::Error(const std::string& text) {
    out_ << "error: " << text << '\n';
}

void DebugConsole::TakeTyped() {
    typed_.pop_front();
    keysTaken_ = 0;
}

bool DebugConsole::WaitForEvents() {
    if (typed_.empty()) {
        out_ << kWaitingForInput << '\n';
        waiting_ = true;
        while (typed_.empty() && !quit_ && Command()) {
        }
        waiting_ = false;
        if (typed_.empty()) {
            // A Ctrl+C ends the command that waits, as the user's stop; quit or the end of the
            // commands end the debugger too.
            if (!interrupted_) quit_ = true;
            return false;
        }
    }
    const std::string& text = typed_.front();
    if (display_.LineInputActive()) {
        inputLine_ = text.substr(keysTaken_);
        TakeTyped();
        display_.FinishInput();
    } else if (text.empty()) {
        TakeTyped();
        display_.FinishInput();  // Enter
    } else {
        // One key at a time, as the keyboard gives them; the rest of the text waits.
        display_.KeyPress(text[keysTaken_++]);
        if (keysTaken_ == text.size()) TakeTyped();
    }
    return true;
}

}  // namespace q42::cli
