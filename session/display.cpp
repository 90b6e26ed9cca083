#include "session/display.h"

#include <cctype>

#include "machine/run_texts.h"

namespace q42 {
namespace {

// Parses an integer as typed: optional leading blanks, an optional sign, then decimal digits,
// or hex digits after "$", "x", "X", "0x" or "0X". Nothing may follow the digits.
bool ParseInteger(std::string_view text, long& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    long magnitude = 0;
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c)) {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(c)) {
            digit = std::toupper(c) - 'A' + 10;
        } else {
            return false;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFF) return false;  // far beyond any text the length rule lets through
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

Display::Display(Machine& machine, DisplayHost& host) : machine_(machine), host_(&host) {
    ClearScreen();
}

void Display::ClearScreen() {
    lines_.assign(1, " ");
    screenChanged = true;
}

void Display::Restore(const DisplayState& state) {
    lines_ = state.lines;
    stopRequested = state.stopRequested;
    charactersCut = state.charactersCut;
    screenChanged = true;
}

void Display::NextScreenLine() {
    if (listener != nullptr) listener->LineFinished(lines_.back());
    lines_.emplace_back(" ");
    if (static_cast<int>(lines_.size()) > kScreenLines) lines_.erase(lines_.begin());
    screenChanged = true;
}

void Display::WriteText(std::string_view text) {
    for (const char c : text) {
        if (c == '\r') {
            NextScreenLine();
        } else if (c != '\n') {
            std::string& line = lines_.back();
            if (line.size() < kMaxLineLength) {
                line += c;
            } else {
                ++charactersCut;
            }
        }
    }
    screenChanged = true;
}

void Display::WriteLine(std::string_view text) {
    WriteText(text);
    NextScreenLine();
}

bool Display::WaitForEvents() {
    if (inputObserver != nullptr) inputObserver->OnWaitBegins();
    const bool inputCanCome = host_->WaitForEvents();
    if (inputObserver != nullptr) inputObserver->OnWaitEnds(inputCanCome);
    if (inputCanCome) return true;
    // No input can come any more: end the wait as the user's stop would.
    lineInputActive_ = false;
    keyWaitActive_ = false;
    RequestStop();
    return false;
}

void Display::RequestStop() {
    stopRequested = true;
    machine_.RequestStop();
}

bool Display::ReadLine(std::string& text) {
    stopRequested = false;
    lineInputActive_ = true;
    host_->BeginLineInput();
    while (lineInputActive_) {
        if (!WaitForEvents()) return false;
    }
    text = host_->InputLineText();
    if (text.size() > kMaxInputText) text.resize(kMaxInputText);
    if (inputObserver != nullptr) inputObserver->OnLine(text);
    WriteLine(text);
    return true;
}

bool Display::CheckIntegerInput(std::string_view text) {
    std::string_view rest = text;
    if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    if (rest.size() > 5) return false;
    if (rest.size() == 5 && rest > "32767") return false;
    long value = 0;
    return ParseInteger(text, value);
}

Value Display::ReadInteger() {
    if (inputObserver != nullptr) inputObserver->OnInputEntry();
    long value = 0;
    for (;;) {
        std::string text;
        if (!ReadLine(text) || stopRequested) {
            value = 0;  // a stop takes the input as 0, whatever was typed
            break;
        }
        if (CheckIntegerInput(text)) {
            ParseInteger(text, value);
            break;
        }
        WriteLine(Text(RunText::RepeatInput, ScreenLanguage()));
    }
    host_->HideInputLine();
    return value & 0xFFFF;
}

bool Display::ReadBoolean() {
    if (inputObserver != nullptr) inputObserver->OnInputEntry();
    bool result = false;  // a text that is neither TRUE nor FALSE counts as FALSE
    std::string text;
    if (ReadLine(text)) {
        std::string upper = text;
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        if (upper == "TRUE" || upper == "FALSE") {
            result = upper == "TRUE";
            WriteText(text);  // the answer once more, at the start of the new current line
        }
    }
    host_->HideInputLine();
    return result;
}

char Display::ReadKey() {
    keyWaitActive_ = true;
    if (machine_.State().keyBuffer.empty()) host_->BeginKeyWait();
    while (keyWaitActive_ && machine_.State().keyBuffer.empty()) {
        if (!WaitForEvents()) break;
    }
    keyWaitActive_ = false;
    return machine_.TakeKey();
}

void Display::KeyPress(char key) {
    if (inputObserver != nullptr) inputObserver->OnKey(key);
    if (!lineInputActive_) machine_.PressKey(key);
}

void Display::FinishInput() {
    if (inputObserver != nullptr) inputObserver->OnEnter();
    lineInputActive_ = false;
    // Enter reaches a program that waits for a key as CR.
    if (keyWaitActive_) machine_.PressKey('\r');
}

void Display::TypeKey(char key) {
    if (key == '\r') {
        FinishInput();
    } else {
        KeyPress(key);
    }
}

}  // namespace q42
