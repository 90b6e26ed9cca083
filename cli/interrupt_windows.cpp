// Ctrl+C on Windows. The C runtime calls the SIGINT handler on a thread of its own and resets it
// to the default first, as SA_RESETHAND does: a second Ctrl+C during a run ends the process, and
// the debugger sets its handler again each time. A console read that a Ctrl+C breaks off
// returns nothing, which ends the input as it does on Linux; SIGTERM never comes on Windows.

#include <csignal>

#include "cli/interrupt.h"
#include "cli/platform.h"

namespace q42::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t debugInterrupt = 0;

void OnSignal(int) {
    interrupted = 1;
}

void OnDebugSignal(int) {
    debugInterrupt = 1;
    std::signal(SIGINT, OnDebugSignal);
}

}  // namespace

void CatchInterrupts() {
    std::signal(SIGINT, OnSignal);
}

bool Interrupted() {
    return interrupted != 0;
}

void CatchDebugInterrupts() {
    std::signal(SIGINT, OnDebugSignal);
}

bool TakeInterrupt() {
    const bool came = debugInterrupt != 0;
    debugInterrupt = 0;
    return came;
}

InterruptibleInput::int_type InterruptibleInput::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (debugInterrupt != 0) return traits_type::eof();
    const int count = ReadStandardInput(buffer_, sizeof buffer_);
    if (count <= 0 || debugInterrupt != 0) return traits_type::eof();
    setg(buffer_, buffer_, buffer_ + count);
    return traits_type::to_int_type(*gptr());
}

}  // namespace q42::cli
