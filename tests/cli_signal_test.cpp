// q42cli as a process: an endless program's lines show at once, and Ctrl+C (SIGINT) or SIGTERM
// ends the run as the user's stop, also while it waits for input.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

// q42cli running with a pipe on its stdin and one on its stdout.
class CliProcess {
  public:
    explicit CliProcess(const std::string& program)
        : CliProcess({"run", "--rom", Q42_SOURCE_DIR "/rom/Q42ROM.TXT", program}) {}
    explicit CliProcess(const std::vector<std::string>& args) {
        std::vector<char*> argv{const_cast<char*>("q42cli")};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            ::close(in[1]);
            ::close(out[0]);
            ::execv(Q42CLI_PATH, argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        inFd_ = in[1];
        outFd_ = out[0];
    }
    ~CliProcess() {
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (inFd_ >= 0) ::close(inFd_);
        if (outFd_ >= 0) ::close(outFd_);
    }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Reads stdout until it holds `text` or the process closes it; false after ten seconds.
    bool ReadUntil(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (output_.find(text) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{outFd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return false;
            char buffer[256];
            const auto n = ::read(outFd_, buffer, sizeof buffer);
            if (n <= 0) return output_.find(text) != std::string::npos;
            output_.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }
    void Signal(int signal) { ::kill(pid_, signal); }
    // Types a line on its standard input.
    void Type(const std::string& line) {
        const std::string text = line + "\n";
        EXPECT_EQ(::write(inFd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    // The exit status once the process has ended.
    int Wait() {
        ReadUntil(std::string(1, '\0'));  // to the end of its output
        int status = 0;
        // A process that did not end (a fault under test) is ended, so that the test fails
        // instead of hanging.
        for (int tries = 0; ::waitpid(pid_, &status, WNOHANG) == 0; ++tries) {
            if (tries == 500) ::kill(pid_, SIGKILL);
            ::usleep(10'000);
        }
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return status_;
    }
    const std::string& Output() const { return output_; }

  private:
    pid_t pid_ = -1;
    int inFd_ = -1;  // kept open: the program's input never ends by itself
    int outFd_ = -1;
    int status_ = -1;
    std::string output_;
};

class CliSignalTest : public CliFixture, public testing::WithParamInterface<int> {};

constexpr const char* kStopMessage = "Задача прервана пользователем\n";

TEST_P(CliSignalTest, EndlessProgramShowsItsLineAndStopsOnTheSignal) {
    const auto program = Write("loop.asm", "MOV #'A',R0\nCALL #4000H\nCALL #4010H\nL: BR L\nHLT\n");
    CliProcess cli(program);
    ASSERT_TRUE(cli.ReadUntil("A\n")) << "the finished line did not show: " << cli.Output();
    cli.Signal(GetParam());
    EXPECT_EQ(cli.Wait(), kStopped);
    EXPECT_TRUE(cli.Output().ends_with(kStopMessage)) << cli.Output();
}

TEST_P(CliSignalTest, SignalEndsAWaitForInput) {
    CliProcess cli(Q42_SOURCE_DIR "/examples/sum.asm");
    ASSERT_TRUE(cli.ReadUntil("ассемблером\n \n"));
    cli.Signal(GetParam());
    EXPECT_EQ(cli.Wait(), kStopped);
    EXPECT_TRUE(cli.Output().ends_with(kStopMessage)) << cli.Output();
}

INSTANTIATE_TEST_SUITE_P(SigintAndSigterm, CliSignalTest, testing::Values(SIGINT, SIGTERM));

// In the debugger, Ctrl+C pauses the command in progress and the commands go on; at the prompt
// it ends the debugger.
TEST_F(CliFixture, CtrlCPausesADebuggerCommandAndAtThePromptEndsTheDebugger) {
    const auto program = Write("loop.asm", "L: BR L\nHLT\n");
    CliProcess cli({"debug", "--rom", Q42_SOURCE_DIR "/rom/Q42ROM.TXT", "--max-steps",
                    "4000000000000", program});
    cli.Type("where");
    ASSERT_TRUE(cli.ReadUntil("line 1: L: BR L\n"));
    cli.Type("continue");
    ::usleep(200'000);  // well into the endless loop
    cli.Signal(SIGINT);
    ASSERT_TRUE(cli.ReadUntil("interrupted\nline 1: L: BR L\n")) << cli.Output();
    cli.Type("regs");
    ASSERT_TRUE(cli.ReadUntil(" 0100 0000\n")) << cli.Output();
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), kHalted);
}

}  // namespace
}  // namespace q42::cli
