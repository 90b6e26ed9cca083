// q42cli debug: the program loaded into RAM as `run` loads it, then the debugger's commands.

#include <unistd.h>

#include <iostream>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/debug_console.h"
#include "cli/interrupt.h"
#include "cli/program.h"
#include "session/code_loading.h"

namespace q42::cli {

int DebugCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    Console messages(io.in, io.out, io.err);  // ROM image messages go to stderr
    Program program;
    if (const auto status = LoadProgram(options, program, io.err)) return *status;
    const bool terminal = &io.in == &std::cin;
    const bool prompt = terminal && isatty(STDIN_FILENO) != 0;
    InterruptibleInput stdinBuffer;
    std::istream stdinCommands(&stdinBuffer);
    DebugConsole console(terminal ? stdinCommands : io.in, io.out, prompt, program.source,
                         program.assembly);
    if (const auto status = LoadRom(console.session.machine, options, programDirectory, messages))
        return *status;
    if (const auto badLine = CopyCode(console.session.machine, program.codeText).error) {
        PrintStatus(badLine->lineLab, badLine->errLab, io.err);
        return kFailed;
    }
    if (options.maxSteps > 0) console.session.commands.SetStepLimit(options.maxSteps);
    console.Loop();
    io.out.flush();
    if (io.out) return kHalted;
    io.err << "q42cli: cannot write the standard output\n";
    return kBadUsage;
}

}  // namespace q42::cli
