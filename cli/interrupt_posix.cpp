#include "cli/interrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace q42::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t debugInterrupt = 0;
int nullInput = -1;

// Only async-signal-safe work here. Standard input is replaced by an empty one, so that a read
// waiting for input returns (it is interrupted, retried, and finds the end of input).
void OnSignal(int) {
    interrupted = 1;
    if (nullInput >= 0) ::dup2(nullInput, STDIN_FILENO);
}

// Written to by the debugger's handler, so that a read of a command that waits for input wakes
// even when the signal came just before it began to wait.
int wakePipe[2] = {-1, -1};

void OnDebugSignal(int) {
    debugInterrupt = 1;
    if (wakePipe[1] >= 0) [[maybe_unused]]
        auto written = ::write(wakePipe[1], "!", 1);
}

void DrainWakePipe() {
    char bytes[64];
    while (wakePipe[0] >= 0 && ::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
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

void CatchDebugInterrupts() {
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe[0] = wakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnDebugSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a blocked read of a command is interrupted
    ::sigaction(SIGINT, &action, nullptr);
}

bool TakeInterrupt() {
    const bool came = debugInterrupt != 0;
    debugInterrupt = 0;
    DrainWakePipe();
    return came;
}

InterruptibleInput::int_type InterruptibleInput::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    pollfd ready[2] = {{STDIN_FILENO, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    while (::poll(ready, wakePipe[0] >= 0 ? 2 : 1, -1) < 0 && errno == EINTR) {
    }
    if ((ready[1].revents & POLLIN) != 0 || debugInterrupt != 0) return traits_type::eof();
    const ssize_t count = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
    if (count <= 0) return traits_type::eof();  // the end, an error, or EINTR from a Ctrl+C
    setg(buffer_, buffer_, buffer_ + count);
    return traits_type::to_int_type(*gptr());
}

}  // namespace q42::cli
