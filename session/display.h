#pragma once
// The machine's text screen and keyboard, without a window: ten screen lines that each start
// with a blank, the keyboard buffer's key rule, and line input of integers and Booleans. The
// waiting itself belongs to a DisplayHost: a nested event loop in the desktop program, standard
// input in the command-line tool, a script in tests.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "machine/machine.h"
#include "machine/terminal.h"

namespace q42 {

class DisplayHost {
  public:
    virtual ~DisplayHost() = default;
    // A line input begins: show the input line after the current screen line's text, empty and
    // focused.
    virtual void BeginLineInput() = 0;
    // The text typed into the input line (8-bit).
    virtual std::string InputLineText() = 0;
    virtual void HideInputLine() = 0;
    // A key read begins to wait: the keyboard should go to the display.
    virtual void BeginKeyWait() {}
    // Lets the interface handle what the user does, waiting for at least one event. Returns
    // false when no input can ever come (the program is closing, or input has ended).
    virtual bool WaitForEvents() = 0;
};

// Told of every input the display hands the program, with the waits it comes in (for the
// history of a run, which hands the same inputs over again when it runs the steps anew).
class InputObserver {
  public:
    virtual ~InputObserver() = default;
    virtual void OnKey(char key) = 0;
    virtual void OnEnter() = 0;
    // The text a line input took, after its wait ended.
    virtual void OnLine(const std::string& text) = 0;
    virtual void OnWaitBegins() = 0;
    virtual void OnWaitEnds(bool inputCanCome) = 0;
    // A step serves an input entry point: a number or TRUE/FALSE is read into R1.
    virtual void OnInputEntry() {}
};

// What the screen holds, for saving and putting back.
struct DisplayState {
    std::vector<std::string> lines;
    bool stopRequested = false;
    std::uint64_t charactersCut = 0;
    bool operator==(const DisplayState&) const = default;
};

// Receives each screen line as the screen moves past it (for a transcript of the screen).
class ScreenListener {
  public:
    virtual ~ScreenListener() = default;
    virtual void LineFinished(const std::string& line) = 0;
};

class Display : public Terminal {
  public:
    static constexpr int kScreenLines = 10;
    // A screen line keeps its first 64 Ki characters; what a program writes beyond them is
    // counted, not kept, so that a program that never ends a line cannot exhaust memory. The
    // window shows far less than that.
    static constexpr std::size_t kMaxLineLength = std::size_t{1} << 16;
    // A typed line keeps its first 80 characters: no number or Boolean is that long, so a longer
    // text is as bad cut as it was whole.
    static constexpr std::size_t kMaxInputText = 80;

    Display(Machine& machine, DisplayHost& host);

    // The screen: at most ten lines, the cursor on the last one.
    const std::vector<std::string>& Lines() const { return lines_; }
    int ScreenCursorLine() const { return static_cast<int>(lines_.size()) - 1; }
    const std::string& CurrentLine() const { return lines_.back(); }
    void ClearScreen();
    DisplayState Save() const { return {lines_, stopRequested, charactersCut}; }
    void Restore(const DisplayState& state);
    // Puts another host in charge of the waits; returns the one that was.
    DisplayHost& SwapHost(DisplayHost& host) { return *std::exchange(host_, &host); }
    void NextScreenLine();
    void WriteText(std::string_view text) override;
    void WriteLine(std::string_view text) override;

    // Line and key input.
    Value ReadInteger() override;
    bool ReadBoolean() override;
    char ReadKey() override;
    static bool CheckIntegerInput(std::string_view text);

    // The user's stop: the machine stops after its current step, and the screen will say so.
    void RequestStop();

    // What the window forwards: a key typed while the display has the focus, and Enter.
    void KeyPress(char key);
    void FinishInput();
    // A key handed to a program that waits for one, by a face that gives keys as they are read
    // (q42cli run's standard input, an exercise case's keys): CR as Enter, any other as that key.
    // Given only at a key wait, a key always finds room in the keyboard buffer.
    void TypeKey(char key);

    // The language of the texts the machine writes on this screen: the greeting, the end
    // message, "Error! Repeat the input!" and a run-time error's report. None: the program's
    // interface language. An exercise's case runs in the exercise's language.
    std::optional<Language> screenLanguage;
    Language ScreenLanguage() const override { return screenLanguage.value_or(TextLanguage()); }

    bool LineInputActive() const { return lineInputActive_; }
    bool KeyWaitActive() const { return keyWaitActive_; }

    // The user's stop request, set together with the machine's stop flag.
    bool stopRequested = false;
    // True whenever the screen's text changed; the window clears it when it repaints.
    bool screenChanged = true;
    // Characters written past the end of a full screen line since the start.
    std::uint64_t charactersCut = 0;
    ScreenListener* listener = nullptr;
    InputObserver* inputObserver = nullptr;

  private:
    Machine& machine_;
    DisplayHost* host_;
    std::vector<std::string> lines_;
    bool lineInputActive_ = false;
    bool keyWaitActive_ = false;

    // Waits for a line and echoes it; false when no input can come (then the run stops).
    bool ReadLine(std::string& text);
    bool WaitForEvents();
};

}  // namespace q42
