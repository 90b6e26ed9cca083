#pragma once
// Ctrl+C (SIGINT) and SIGTERM stop a run as the stop command does: the run ends after the step
// in progress, and an input that is waited for ends as if input had ended. A second signal ends
// the process as usual.

#include <streambuf>

namespace q42::cli {

// Installs the handlers.
void CatchInterrupts();
// True once a signal came.
bool Interrupted();

// Ctrl+C in the debugger: it pauses the command in progress, and at the prompt it ends the
// debugger. The handler only notes the signal; a blocked read of a command returns at once.
void CatchDebugInterrupts();
// True when a Ctrl+C came since the last call.
bool TakeInterrupt();

// Standard input for the debugger's commands: a read that a Ctrl+C interrupts ends as the end of
// input would, and the stream can be read on once cleared.
class InterruptibleInput : public std::streambuf {
  protected:
    int_type underflow() override;

  private:
    char buffer_[4096];
};

}  // namespace q42::cli
