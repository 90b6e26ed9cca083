#pragma once
// The command-line face of the machine's screen, keyboard and run loop: the screen goes to stdout
// as a transcript, stdin feeds line and key input, and message boxes go to stderr.
// Text is UTF-8 on the terminal and 8-bit inside.

#include <cstdio>
#include <istream>
#include <ostream>

#include "machine/terminal.h"
#include "session/display.h"
#include "session/run_control.h"

namespace q42::cli {

class Console : public DisplayHost, public RunHost, public ScreenListener, public MessageSink {
  public:
    Console(std::istream& in, std::ostream& out, std::ostream& err)
        : in_(in), out_(out), err_(err) {}

    // Connects the console to a machine's display and run control.
    void Attach(Machine& machine, Display& display, RunControl& run);
    // Stops the run after this many steps, as the stop command would; 0: no limit.
    void SetMaxSteps(long long steps) { maxSteps_ = steps; }
    // Writes a line for every step to this stream; null: no trace.
    void SetTrace(std::ostream* trace) { trace_ = trace; }
    // Prints the current screen line: the end of the transcript.
    void FinishTranscript();
    // The steps the run took, and why it may have stopped early.
    long long Steps() const { return steps_; }
    bool StepLimitReached() const { return maxSteps_ > 0 && steps_ >= maxSteps_; }
    bool InputEnded() const { return inputEnded_; }

    // DisplayHost
    void BeginLineInput() override {}
    std::string InputLineText() override { return inputLine_; }
    void HideInputLine() override {}
    bool WaitForEvents() override;
    // RunHost
    std::int64_t StepsBeforeEvents() override;
    void ProcessEvents(std::int64_t steps) override;
    // ScreenListener
    void LineFinished(const std::string& line) override;
    // MessageSink
    void ShowMessage(const std::string& text) override;

  private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    Machine* machine_ = nullptr;
    Display* display_ = nullptr;
    RunControl* run_ = nullptr;
    std::string inputLine_;
    long long maxSteps_ = 0;
    long long steps_ = 0;
    bool inputEnded_ = false;
    std::ostream* trace_ = nullptr;

    bool ReadInputLine();
    bool ReadKey();
    void WriteTraceLine();
};

}  // namespace q42::cli
