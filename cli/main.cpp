// q42cli: the Q42 teaching computer on the command line. It assembles, runs and decodes
// programs with the same core as the desktop program.

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "cli/program.h"

int main(int argc, char** argv) {
    using namespace q42::cli;
    std::ios::sync_with_stdio(false);
    PrepareStandardStreams();
    std::string error;
    const Options options = ParseOptions(Utf8Arguments(argc, argv), error);
    if (!error.empty()) {
        std::cerr << "q42cli: " << error << "\n" << kUsage;
        return kBadUsage;
    }
    Streams io{std::cin, std::cout, std::cerr};
    switch (options.command) {
        case Command::Help:
            std::cout << kUsage;
            return CheckWritten(std::cout, "the standard output", kHalted, std::cerr);
        case Command::Version:
            std::cout << "q42cli " << Q42_VERSION << '\n';
            return CheckWritten(std::cout, "the standard output", kHalted, std::cerr);
        case Command::Asm: return AssembleCommand(options, io);
        case Command::Debug:
            CatchDebugInterrupts();
            return DebugCommand(options, ProgramDirectory(argv[0]), io);
        case Command::Run:
            CatchInterrupts();
            return RunCommand(options, ProgramDirectory(argv[0]), io);
        case Command::Decode: return DecodeCommand(options, ProgramDirectory(argv[0]), io);
        case Command::Check: return CheckCommand(options, ProgramDirectory(argv[0]), io);
        case Command::Grade: return GradeCommand(options, ProgramDirectory(argv[0]), io);
        case Command::Similar: return SimilarCommand(options, io);
    }
    return kBadUsage;
}
