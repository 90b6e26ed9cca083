#pragma once
// What every face of the program drives: the machine with its screen and keyboard, the run
// control with the debugger and its history, the commands that drive them, the assembler's
// options, and the decoder with the address it starts at. The object graph is wired here
// once, for the desktop program, q42cli, the checker's cases and the page.
// The face provides the two hooks: how a wait for input lets the user act, and how a run lets
// the interface handle its events.

#include <cstdint>

#include "assembler/assembly.h"
#include "machine/machine.h"
#include "session/commands.h"
#include "session/debugger.h"
#include "session/decoder.h"
#include "session/display.h"
#include "session/history.h"
#include "session/run_control.h"
#include "session/typed_input.h"

namespace q42 {

// Whether the runs are recorded, so that the debugger can go back through them. A face that only
// runs programs (q42cli run, an exercise's cases) does without, and without the debugger.
enum class RunHistory : std::uint8_t { Recorded, None };

class Session {
  public:
    Session(DisplayHost& displayHost, RunHost& runHost,
            RunHistory runHistory = RunHistory::Recorded);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Machine machine;
    Display display;
    RunControl run;
    AsmOptions options;
    // Every run and step is recorded, so that the debugger can go back through it; the source
    // map is that of the last compiled text.
    History history{machine, display};
    SourceMap source;
    Debugger debugger{machine, run, history, source};
    TypedInput typed{display};
    Commands commands{machine, run, history, debugger, source, typed};
    Decoder decoder;
    // Where the next decoding starts: the command that opens the decoder sets it.
    Value decodeAddress = 0;

    // Decodes the instruction at decodeAddress, the first one the decoder shows.
    void StartDecoding() { decoder.DecodeAt(machine, decodeAddress); }
    // The machine becomes a copy of `loaded` (its memory, ROM and registers); its screen and
    // keyboard stay this session's.
    void UseMachine(const Machine& loaded);
};

}  // namespace q42
