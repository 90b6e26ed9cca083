#pragma once
// q42cli debug: a line-oriented debugger over the session's commands. Commands come from stdin,
// one a line; what they show goes to stdout in fixed forms, so that a script can drive it. The
// program's input comes only from the `type` command: a wait with nothing typed pauses the run
// with "waiting for input", and the commands given then may look but not move.

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "session/session.h"

namespace q42::cli {

class DebugConsole : public DisplayHost, public RunHost {
  public:
    // `source` is the assembler text of `assembly`; both empty for a code file.
    DebugConsole(std::istream& in, std::ostream& out, bool prompt, const TextLines& source,
                 const Assembly& assembly);

    // Reads and carries out commands until `quit` or the end of input.
    void Loop();
    // The runs start from `start` (an exercise's case named `name`, UTF-8) rather than from the
    // program's own start: it is carried out now, paused at the first instruction, and again
    // by each `run`.
    void StartRunsWith(const std::string& name, std::function<void()> start);

    // DisplayHost: a wait takes what `type` gave, or asks for it.
    void BeginLineInput() override {}
    std::string InputLineText() override { return session.typed.Line(); }
    void HideInputLine() override {}
    bool WaitForEvents() override;
    // RunHost: between batches of about a millisecond, a Ctrl+C pauses the command.
    std::int64_t StepsBeforeEvents() override { return std::int64_t{1} << 18; }
    void ProcessEvents(std::int64_t steps) override;

    Session session{*this, *this};

  private:
    std::istream& in_;
    std::ostream& out_;
    const bool prompt_;
    const TextLines& sourceText_;
    bool waiting_ = false;  // inside a wait for input
    bool quit_ = false;
    bool interrupted_ = false;     // a Ctrl+C paused the command in progress
    std::function<void()> start_;  // where the runs start; empty: the program's own start

    // Reads one command and carries it out; false at quit, the end of input or a Ctrl+C.
    bool Command();
    // A new run: from the start the runs were given, paused there, or the program's own.
    DebugPause Run();
    bool ReadCommand(std::string& line);
    void Carry(const std::string& name, const std::vector<std::string>& args);
    bool Moves(const std::string& name, const std::vector<std::string>& args);
    bool Shows(const std::string& name, const std::vector<std::string>& args);
    bool Sets(const std::string& name, const std::vector<std::string>& args);
    void Break(const std::vector<std::string>& args);
    void Report(const DebugPause& pause);
    void Where();
    void List();
    void Registers();
    void Screen();
    void Explain(std::int64_t step);
    void Explain(LogPosition position);
    void Error(const std::string& text);
};

}  // namespace q42::cli
