#pragma once
// What every face of the program drives: the machine with its screen and keyboard, the run
// control with the debugger and its history, the assembler's options, and the decoder with the
// address it starts at.
// The face provides the two hooks: how a wait for input lets the user act, and how a run lets
// the interface handle its events.

#include "assembler/assembly.h"
#include "machine/machine.h"
#include "session/debugger.h"
#include "session/decoder.h"
#include "session/display.h"
#include "session/history.h"
#include "session/run_control.h"

namespace q42 {

class Session {
  public:
    Session(DisplayHost& displayHost, RunHost& runHost);
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
    Debugger debugger{machine, run, history};
    Decoder decoder;
    // Where the next decoding starts: the command that opens the decoder sets it.
    Value decodeAddress = 0;

    // Decodes the instruction at decodeAddress, the first one the decoder shows.
    void StartDecoding() { decoder.DecodeAt(machine, decodeAddress); }
};

}  // namespace q42
