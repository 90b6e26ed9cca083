#include "cli/console.h"

#include <algorithm>

#include "cli/interrupt.h"
#include "machine/codepage.h"

namespace q42::cli {
namespace {

// The longest input line read: far beyond any text a program can use (it keeps 80 characters),
// and small enough that endless input without a line end cannot exhaust memory.
constexpr std::size_t kMaxInputLineBytes = std::size_t{1} << 20;

bool IsContinuationByte(int c) {
    return c >= 0x80 && c <= 0xBF;
}

}  // namespace

void Console::Attach(Machine& machine, Display& display, RunControl& run) {
    machine_ = &machine;
    display_ = &display;
    run_ = &run;
    display.listener = this;
}

void Console::FinishTranscript() {
    LineFinished(display_->CurrentLine());
}

void Console::LineFinished(const std::string& line) {
    // Every screen line starts with a blank that is not part of the transcript.
    // Each line shows as soon as it is finished, also from a program that never ends.
    out_ << Cp1251ToUtf8(std::string_view(line).substr(1)) << '\n' << std::flush;
    // Output that cannot be written ends the run; the command reports it.
    if (!out_ && run_ != nullptr) run_->StopProgram();
}

void Console::ShowMessage(const std::string& text) {
    err_ << Cp1251ToUtf8(text) << '\n';
}

bool Console::WaitForEvents() {
    out_.flush();
    bool inputCame = !in_.eof();
    if (display_->LineInputActive()) {
        inputCame = ReadInputLine();
    } else if (display_->KeyWaitActive()) {
        inputCame = ReadKey();
    }
    inputEnded_ = inputEnded_ || !inputCame;
    return inputCame;
}

// A line input takes the next line of stdin; a last line without a newline still counts. A line
// longer than kMaxInputLineBytes ends the input.
bool Console::ReadInputLine() {
    std::string line;
    int c = 0;
    while ((c = in_.get()) != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() == kMaxInputLineBytes) {
            err_ << "q42cli: an input line longer than " << kMaxInputLineBytes
                 << " bytes; input ends here\n";
            return false;
        }
        line += static_cast<char>(c);
    }
    if (c == std::char_traits<char>::eof() && line.empty()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    inputLine_ = IsValidUtf8(line) ? Utf8ToCp1251(line) : line;
    display_->FinishInput();
    return true;
}

// A key read takes the next character; a newline, a CR or CR LF arrive as one CR.
bool Console::ReadKey() {
    const int c = in_.get();
    if (c == std::char_traits<char>::eof()) return false;
    if (c == '\r' || c == '\n') {
        if (c == '\r' && in_.peek() == '\n') in_.get();
        display_->TypeKey('\r');
        return true;
    }
    // A UTF-8 sequence is one key; bytes that do not form one are Windows-1251 keys each.
    std::string bytes(1, static_cast<char>(c));
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(c));
    for (std::size_t i = 1; i < length && IsContinuationByte(in_.peek()); ++i) {
        bytes += static_cast<char>(in_.get());
    }
    if (bytes.size() > 1 && IsValidUtf8(bytes)) {
        const std::string key = Utf8ToCp1251(bytes);
        display_->TypeKey(key.empty() ? '?' : key[0]);
        return true;
    }
    for (const char key : bytes)
        display_->TypeKey(key);
    return true;
}

std::int64_t Console::StepsBeforeEvents() {
    // A trace needs every step; a step limit must be met exactly; otherwise nothing waits.
    if (trace_ != nullptr) return 1;
    if (maxSteps_ > 0) return std::max<long long>(1, maxSteps_ - steps_);
    return 1 << 20;
}

void Console::ProcessEvents(std::int64_t steps) {
    steps_ += steps;
    if (trace_ != nullptr) {
        WriteTraceLine();
        if (!*trace_) run_->StopProgram();
    }
    if (Interrupted() && !machine_->State().stopFlag) run_->StopProgram();
    // The last allowed step ends the run as a stop, unless it halted or failed by itself.
    if (maxSteps_ > 0 && steps_ >= maxSteps_ && !machine_->State().stopFlag && !machine_->Failed())
        run_->StopProgram();
}

void Console::WriteTraceLine() {
    const MachineState& m = machine_->State();
    std::ostream& t = *trace_;
    t << WordToHex(m.commandAddress) << ' ' << WordToHex(machine_->FetchedWord().Word());
    for (const Value r : m.r)
        t << ' ' << WordToHex(r);
    t << ' ' << WordToHex(m.pc) << ' ' << WordToHex(m.sp) << ' ' << WordToHex(m.ps);
    if (machine_->Failed()) t << " ! " << Cp1251ToUtf8(machine_->RunErrorText());
    t << '\n';
}

}  // namespace q42::cli
