#include "cli/console.h"

#include <algorithm>

#include "cli/interrupt.h"
#include "machine/codepage.h"

namespace q42::cli {
namespace {

// The length of the UTF-8 sequence that starts with this byte (1 for a single byte).
int Utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
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
}

void Console::ShowMessage(const std::string& text) {
    err_ << Cp1251ToUtf8(text) << '\n';
}

void Console::Warn(const std::string& text) {
    err_ << "warning: " << Cp1251ToUtf8(text) << '\n';
}

bool Console::WaitForEvents() {
    out_.flush();
    if (display_->LineInputActive()) return ReadInputLine();
    if (display_->KeyWaitActive()) return ReadKey();
    return !in_.eof();
}

// A line input takes the next line of stdin; a last line without a newline still counts.
bool Console::ReadInputLine() {
    std::string line;
    if (!std::getline(in_, line) && line.empty()) return false;
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
        display_->FinishInput();
        return true;
    }
    std::string character(1, static_cast<char>(c));
    for (int i = 1; i < Utf8Length(static_cast<unsigned char>(c)) &&
                    in_.peek() != std::char_traits<char>::eof();
         ++i) {
        character += static_cast<char>(in_.get());
    }
    const std::string key =
        IsValidUtf8(character) ? Utf8ToCp1251(character) : character.substr(0, 1);
    display_->KeyPress(key.empty() ? '?' : key[0]);
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
    if (trace_ != nullptr) WriteTraceLine();
    if (Interrupted() && !machine_->stopFlag) run_->StopProgram();
    // The last allowed step ends the run as a stop, unless it halted or failed by itself.
    if (maxSteps_ > 0 && steps_ >= maxSteps_ && !machine_->stopFlag && !machine_->Failed())
        run_->StopProgram();
}

void Console::WriteTraceLine() {
    const Machine& m = *machine_;
    std::ostream& t = *trace_;
    t << WordToHex(m.commandAddress) << ' ' << WordToHex(m.instructionWord);
    for (const Value r : m.r)
        t << ' ' << WordToHex(r);
    t << ' ' << WordToHex(m.pc) << ' ' << WordToHex(m.sp) << ' ' << WordToHex(m.ps);
    if (m.Failed()) t << " ! " << Cp1251ToUtf8(m.RunErrorText());
    t << '\n';
}

}  // namespace q42::cli
