#include "cli/interrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace q42::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
int nullInput = -1;

// Only async-signal-safe work here. Standard input is replaced by an empty one, so that a read
// waiting for input returns (it is interrupted, retried, and finds the end of input).
void OnSignal(int) {
    interrupted = 1;
    if (nullInput >= 0) ::dup2(nullInput, STDIN_FILENO);
}

}  // namespace

void CatchInterrupts() {
    nullInput = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;  // no SA_RESTART: a blocked read is interrupted
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() {
    return interrupted != 0;
}

}  // namespace q42::cli
