#include "cli/commands.h"

#include <fstream>
#include <optional>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "assembler/disassembler.h"
#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/program.h"
#include "machine/codepage.h"
#include "machine/path_text.h"
#include "machine/rom_image.h"
#include "session/code_loading.h"
#include "session/decoder.h"
#include "session/session.h"
#include "session/text_file.h"

namespace q42::cli {
namespace {

// An output that is the input file would destroy the program it is made from.
bool RefusesInputAsOutput(const Options& options, const std::string& output, std::ostream& err) {
    std::error_code error;
    if (output.empty() || output == "-" ||
        !std::filesystem::equivalent(options.file, output, error))
        return false;
    err << "q42cli: " << output << " is the input file\n";
    return true;
}

// The assembler text of the words from `address` up to `end`, the words a decoding line shows: the
// statement at `address` and, where that statement stands for fewer of them, each word left as a
// DW of its own, the statements separated by " | ".
std::string AssemblerText(const Machine& machine, Value address, Value end) {
    const auto read = [&machine](Value at) { return machine.PeekWord(at); };
    const Disassembled statement = Disassemble(read, address);
    std::string text = statement.text;
    for (Value at = address + 2 * statement.words; at < end; at += 2)
        text += " | " + DataWordText(read(at));
    return text;
}

RunEnd EndOf(const Machine& machine, const Display& display, const Console& console) {
    if (machine.Failed()) return RunEnd::Error;
    if (!display.stopRequested) return RunEnd::Halt;
    if (console.InputEnded()) return RunEnd::NoInput;
    return console.StepLimitReached() ? RunEnd::StepLimit : RunEnd::Stopped;
}

// The end of the run as JSON: the screen's lines go into it instead of onto stdout.
void PrintRunJson(const Machine& machine, const Display& display, const Console& console,
                  ScreenTail& screen, std::ostream& out) {
    RunOutcome outcome;
    outcome.end = EndOf(machine, display, console);
    outcome.steps = console.Steps();
    if (outcome.end == RunEnd::Error) outcome.errorText = Cp1251ToUtf8(machine.RunErrorText());
    outcome.state = machine.State();
    screen.Finish();
    out << JsonText(RunJson(outcome, screen)) << '\n';
}

// A program that could not start, as JSON for a script: why, and the line of the assembler
// text or of the code text that says so.
void PrintNotStartedJson(const char* end, const std::string& where, const std::string& what,
                         int line, std::ostream& out) {
    const nlohmann::json answer = {
        {"end", end}, {"error", Cp1251ToUtf8(what)}, {"line", line}, {"text", Cp1251ToUtf8(where)}};
    out << answer.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// Sends the trace to `trace`: none, "-" for stderr, or a file opened into `traceFile`. False,
// with the message, when the file cannot be written.
bool StartTrace(const std::string& trace, std::ofstream& traceFile, Console& console,
                std::ostream& err) {
    if (trace.empty()) return true;
    if (trace == "-") {
        // Buffered as a trace file is: one write for many lines, not several for each.
        err.unsetf(std::ios::unitbuf);
        console.SetTrace(&err);
        return true;
    }
    traceFile.open(PathFromUtf8(trace), std::ios::binary);
    if (!traceFile) {
        err << "q42cli: cannot write " << trace << '\n';
        return false;
    }
    console.SetTrace(&traceFile);
    return true;
}

// A bad code line, or an error left by the ROM image that keeps the run from starting: on stderr,
// and as JSON when that is asked for.
void PrintNotLoaded(const Machine& machine, const std::optional<CodeLineError>& badLine, bool json,
                    Streams io) {
    const std::string where = badLine ? badLine->lineLab : std::string();
    const std::string what = badLine ? badLine->errLab : machine.RunErrorText();
    PrintStatus(where, what, io.err);
    if (json)
        PrintNotStartedJson("code error", where, what, badLine ? badLine->lineIndex + 1 : 0,
                            io.out);
}

}  // namespace

int AssembleCommand(const Options& options, Streams io) {
    SetTextLanguage(options.language);
    if (RefusesInputAsOutput(options, options.output, io.err)) return kBadUsage;
    Program program;
    if (const auto status = LoadProgram(options, program, io.err)) return *status;
    if (options.output.empty()) {
        for (const auto& line : program.codeText)
            io.out << Cp1251ToUtf8(line) << '\n';
        return CheckWritten(io.out, "the standard output", kHalted, io.err);
    }
    const std::string error = WriteFileBytes(PathFromUtf8(options.output), CodeFileContents(program.codeText));
    if (error.empty()) return kHalted;
    io.err << "q42cli: " << error << '\n';
    return kBadUsage;
}

int RunCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    if (RefusesInputAsOutput(options, options.trace, io.err)) return kBadUsage;
    Console console(io.in, io.out, io.err);
    Session session(console, console, RunHistory::None);
    Machine& machine = session.machine;
    Display& display = session.display;
    console.Attach(machine, display, session.run);
    if (const auto status = LoadRom(machine, options, programDirectory, console)) return *status;

    Program program;
    if (const auto status = LoadProgram(options, program, io.err)) {
        if (const auto& error = program.assembly.diagnostic; error && options.json) {
            PrintNotStartedJson("assembler error", error->where, error->text,
                                error->inSource ? error->sourceLine : 0, io.out);
        }
        return *status;
    }

    std::ofstream traceFile;
    if (!StartTrace(options.trace, traceFile, console, io.err)) return kBadUsage;
    console.SetMaxSteps(options.maxSteps);
    ScreenTail screen;
    if (options.json) display.listener = &screen;

    if (const auto badLine = session.run.CopyCode(program.codeText); machine.Failed()) {
        PrintNotLoaded(machine, badLine, options.json, io);
        return kFailed;
    }
    session.run.RunProgram();
    if (options.json) {
        PrintRunJson(machine, display, console, screen, io.out);
    } else {
        console.FinishTranscript();
    }
    if (display.charactersCut > 0) {
        io.err << "q42cli: a screen line was longer than " << Display::kMaxLineLength
               << " characters; the " << display.charactersCut
               << " written past that were not kept\n";
    }
    if (options.dump) DumpRam(machine, io.out);
    int status = machine.Failed() ? kFailed : display.stopRequested ? kStopped : kHalted;
    if (traceFile.is_open()) status = CheckWritten(traceFile, options.trace, status, io.err);
    if (options.trace == "-") status = CheckWritten(io.err, "the standard error", status, io.err);
    return CheckWritten(io.out, "the standard output", status, io.err);
}

int DecodeCommand(const Options& options, const std::string& programDirectory, Streams io) {
    SetTextLanguage(options.language);
    Console console(io.in, io.out, io.err);
    Machine machine;
    if (const auto status = LoadRom(machine, options, programDirectory, console)) return *status;
    Program program;
    if (const auto status = LoadProgram(options, program, io.err)) return *status;
    if (const auto badLine = CopyCode(machine, program.codeText).error) {
        PrintStatus(badLine->lineLab, badLine->errLab, io.err);
        return kFailed;
    }
    Value end = 0;
    for (const auto& line : program.codeText) {
        if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0]))) end += 2;
    }
    Decoder decoder;
    Value address = options.from;
    for (long long n = 0; options.count ? n < *options.count : address < end; ++n) {
        decoder.DecodeAt(machine, address);
        const DecodedInstruction& s = decoder.Shown();
        io.out << s.address << "  " << s.words << "  " << Cp1251ToUtf8(s.operation);
        std::string operands;
        if (s.operand1Shown) operands = s.operand1;
        if (s.operand2Shown) operands += (operands.empty() ? "" : ", ") + s.operand2;
        if (!operands.empty()) io.out << "  " << Cp1251ToUtf8(operands);
        io.out << "  " << AssemblerText(machine, address, decoder.DecodePointer()) << '\n';
        if (!decoder.HasNext()) break;  // memory ends at FFFF
        address = decoder.DecodePointer();
    }
    return CheckWritten(io.out, "the standard output", kHalted, io.err);
}

}  // namespace q42::cli
