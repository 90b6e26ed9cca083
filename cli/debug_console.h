#pragma once
// q42cli debug: a line-oriented debugger over the session's debugger. Commands come from stdin,
// one a line; what they show goes to stdout in fixed forms, so that a script can drive it. The
// program's input comes only from the `type` command: a wait with nothing typed pauses the run
// with "waiting for input", and the commands given then may look but not move.

#include <deque>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "session/debugger.h"
#include "session/display.h"
#include "session/history.h"
#include "session/run_control.h"

namespace q42::cli {

class DebugConsole : public DisplayHost, public RunHost {
  public:
    // `source` is the assembler text of `assembly`; both empty for a code file.
    DebugConsole(std::istream& in, std::ostream& out, bool prompt, const TextLines& source,
                 const Assembly& assembly);

    // Reads and carries out commands until `quit` or the end of input.
    void Loop();
    // A command's step limit.
    void SetStepLimit(long long steps) { debugger_.stepLimit = steps; }

    // DisplayHost: a wait takes what `type` gave, or asks for it.
    void BeginLineInput() override {}
    std::string InputLineText() override { return inputLine_; }
    void HideInputLine() override {}
    bool WaitForEvents() override;
    // RunHost: between batches of about a millisecond, a Ctrl+C pauses the command.
    std::int64_t StepsBeforeEvents() override { return std::int64_t{1} << 18; }
    void ProcessEvents(std::int64_t steps) override;

    Machine machine;

  private:
    std::istream& in_;
    std::ostream& out_;
    const bool prompt_;
    const TextLines& sourceText_;
    Display display_{machine, *this};
    RunControl run_{machine, display_, *this};
    History history_{machine, display_};
    SourceMap source_;
    Debugger debugger_{machine, run_, history_};
    std::deque<std::string> typed_;
    std::size_t keysTaken_ = 0;  // keys of typed_.front() already handed to the program
    std::string inputLine_;
    bool waiting_ = false;  // inside a wait for input
    bool quit_ = false;
    bool interrupted_ = false;  // a Ctrl+C paused the command in progress

    // Reads one command and carries it out; false at quit, the end of input or a Ctrl+C.
    bool Command();
    bool ReadCommand(std::string& line);
    void Carry(const std::string& name, const std::vector<std::string>& args);
    bool Moves(const std::string& name, const std::vector<std::string>& args);
    bool Shows(const std::string& name, const std::vector<std::string>& args);
    bool Sets(const std::string& name, const std::vector<std::string>& args);
    void Report(const DebugPause& pause);
    void Where();
    void List();
    void Registers();
    void Screen();
    void Explain(std::int64_t step);
    // Done with the first typed text.
    void TakeTyped();
    void Explain(LogPosition position);
    void Error(const std::string& text);
};

}  // namespace q42::cli
