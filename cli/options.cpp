#include "cli/options.h"

#include <charconv>
#include <utility>

#include <CLI/CLI.hpp>

namespace q42::cli {

const char* const kUsage =
    "usage:\n"
    "  q42cli asm [--no-short-const] [--lang ru|en] FILE.asm [-o OUT.cod]\n"
    "  q42cli run [--no-short-const] [--lang ru|en] [--rom ROMFILE] [--max-steps N]\n"
    "             [--trace TRACEFILE|-] [--dump] [--json] FILE.asm|FILE.cod\n"
    "  q42cli decode [--lang ru|en] [--from HHHH] [--count N] FILE.cod|FILE.asm\n"
    "  q42cli debug [--no-short-const] [--lang ru|en] [--rom ROMFILE] [--max-steps N]\n"
    "               FILE.asm|FILE.cod\n"
    "  q42cli check [--no-short-const] [--lang ru|en] [--rom ROMFILE]\n"
    "               [--json | --format text|json|csv|junit] [--student]\n"
    "               EXERCISE.q42test PROGRAM.asm|PROGRAM.cod...\n"
    "  q42cli grade [--no-short-const] [--lang ru|en] [--rom ROMFILE] [--summary FILE]\n"
    "               --class FOLDER EXERCISE.q42test...\n"
    "  q42cli similar [--lang ru|en] [--threshold X] [--json] PROGRAM.asm|PROGRAM.cod...\n"
    "  q42cli --help | --version\n"
    "\n"
    "asm     assembles FILE.asm; prints the code text, or writes a code file with -o\n"
    "run     assembles or reads the code, loads it into RAM and runs it; the screen goes to\n"
    "        stdout, stdin feeds the keyboard; --max-steps stops the run after N steps,\n"
    "        --trace writes the registers after every step, --dump prints RAM at the end,\n"
    "        --json prints the end as JSON instead: registers, flags, RAM, screen, steps, end\n"
    "decode  lists the instructions from address HHHH (default 0000), N lines (default: to the\n"
    "        end of the program): address, words, operation, operands, and the words as\n"
    "        assembler text (an address the assembler takes by name as @HHHH)\n"
    "debug   a debugger reading commands from stdin, one a line: break LINE|*HHHH (b),\n"
    "        watch HHHH, delete [N], run (r), continue (c), step [N] (s), next [N] (n),\n"
    "        finish, back [N], until LINE, regs, mem HHHH [N], where, list, explain [STEP],\n"
    "        screen, type TEXT (input for the program), quit; --max-steps N stops each command\n"
    "        after N steps (default 10000000)\n"
    "check   runs every case of the exercise against every program; one line per program\n"
    "        and case, PASS or FAIL with the first difference, a line of cases and points per\n"
    "        program, then a summary; --format json|csv|junit (--json: json) prints the\n"
    "        results so; --student shows only the name and PASS or FAIL of a hidden case;\n"
    "        exit status 0 only when every case passes\n"
    "grade   checks each student's solution in FOLDER (a subfolder or a file name prefix per\n"
    "        student; keys.q42test takes keys.asm or keys.cod) and prints one CSV row per\n"
    "        student: points per exercise and the total; how many failed each case goes to\n"
    "        stderr or to --summary FILE; exit status 0 only when every student passes\n"
    "        every case\n"
    "similar compares the programs' instructions, with names, registers and constants put\n"
    "        aside; one line per pair whose score (0..1) is at least X (default 0.8), highest\n"
    "        first: the score, the two files, and the longest matching runs as source lines\n"
    "        (a code file's as addresses); --json prints the pairs as JSON; exit status 0, or 1\n"
    "        when a file could not be read or assembled (it is named and the rest compared)\n"
    "--lang  ru or en: the language of the messages, the screen's texts and the descriptions\n"
    "exit status: 0 halted, 1 run-time, assembler or code line error, 2 bad usage or\n"
    "unreadable file, 3 stopped before HLT\n";

namespace {

// Refuses an option's value from inside its `each` check; the parser reports it as
// "OPTION: reason".
[[noreturn]] void Refuse(const char* reason) {
    throw CLI::ValidationError(reason);
}

// A decimal whole number of at least `least`; no sign, no base prefix, nothing after it.
long long WholeNumber(const std::string& text, long long least, const char* reason) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < least) Refuse(reason);
    return value;
}

// An option that takes one value. Every value given is checked in turn by `each`, so a bad
// one is refused even when a later one replaces it; the last one counts.
CLI::Option* ValueOption(CLI::App& command, const std::string& name, const std::string& shape) {
    return command.add_option(name)->type_name(shape)->multi_option_policy(
        CLI::MultiOptionPolicy::TakeLast);
}

void AddLanguage(CLI::App& command, Options& options) {
    ValueOption(command, "--lang", "ru|en")->each([&options](const std::string& text) {
        if (text != "ru" && text != "en") Refuse("takes ru or en");
        options.language = text == "en" ? Language::English : Language::Russian;
    });
}

// The options of the commands that assemble a source text.
void AddAssembling(CLI::App& command, Options& options) {
    command.add_flag_callback("--no-short-const", [&options] { options.shortConst = false; });
    AddLanguage(command, options);
}

void AddAsm(CLI::App& command, Options& options) {
    AddAssembling(command, options);
    ValueOption(command, "-o", "OUT.cod")->each([&options](const std::string& text) {
        options.output = text;
    });
}

// The options of the commands that run a program: debug's, and run's with the trace and dump.
void AddDebug(CLI::App& command, Options& options) {
    AddAssembling(command, options);
    ValueOption(command, "--rom", "ROMFILE")->each([&options](const std::string& text) {
        options.rom = text;
    });
    ValueOption(command, "--max-steps", "N")->each([&options](const std::string& text) {
        options.maxSteps = WholeNumber(text, 1, "takes a whole number of at least 1");
    });
}

void AddJson(CLI::App& command, Options& options) {
    command.add_flag_callback("--json", [&options] { options.json = true; });
}

void AddRun(CLI::App& command, Options& options) {
    AddDebug(command, options);
    AddJson(command, options);
    ValueOption(command, "--trace", "TRACEFILE|-")->each([&options](const std::string& text) {
        options.trace = text;
    });
    command.add_flag_callback("--dump", [&options] { options.dump = true; });
}

// check's outputs. --json is --format json; the last one given counts.
void AddFormats(CLI::App& command, Options& options) {
    command.add_flag_callback("--json", [&options] { options.format = ReportFormat::Json; });
    ValueOption(command, "--format", "text|json|csv|junit")
        ->each([&options](const std::string& text) {
            const std::pair<const char*, ReportFormat> formats[] = {{"text", ReportFormat::Text},
                                                                    {"json", ReportFormat::Json},
                                                                    {"csv", ReportFormat::Csv},
                                                                    {"junit", ReportFormat::Junit}};
            for (const auto& [name, format] : formats) {
                if (text == name) {
                    options.format = format;
                    return;
                }
            }
            Refuse("takes text, json, csv or junit");
        });
    command.add_flag_callback("--student", [&options] { options.student = true; });
}

void AddCheck(CLI::App& command, Options& options) {
    AddAssembling(command, options);
    ValueOption(command, "--rom", "ROMFILE")->each([&options](const std::string& text) {
        options.rom = text;
    });
    AddFormats(command, options);
}

void AddGrade(CLI::App& command, Options& options) {
    AddAssembling(command, options);
    ValueOption(command, "--rom", "ROMFILE")->each([&options](const std::string& text) {
        options.rom = text;
    });
    ValueOption(command, "--class", "FOLDER")->each([&options](const std::string& text) {
        options.classFolder = text;
    });
    ValueOption(command, "--summary", "FILE")->each([&options](const std::string& text) {
        options.summary = text;
    });
}

void AddSimilar(CLI::App& command, Options& options) {
    AddLanguage(command, options);
    AddJson(command, options);
    ValueOption(command, "--threshold", "X")->each([&options](const std::string& text) {
        double value = -1;
        const char* end = text.data() + text.size();
        auto [ptr, ec] = std::from_chars(text.data(), end, value);
        if (ec != std::errc() || ptr != end || !(value >= 0 && value <= 1))
            Refuse("takes a number from 0 to 1");
        options.threshold = value;
    });
}

void AddDecode(CLI::App& command, Options& options) {
    AddLanguage(command, options);
    ValueOption(command, "--from", "HHHH")->each([&options](const std::string& text) {
        const HexWord from = HexToWord(text);
        if (text.empty() || text.size() > 4 || from.error != Fault::None) {
            Refuse("takes up to four hex digits");
        }
        options.from = from.value;
    });
    ValueOption(command, "--count", "N")->each([&options](const std::string& text) {
        options.count = WholeNumber(text, 0, "takes a whole number");
    });
}

struct CommandLine {
    CLI::App app{"q42cli"};
    bool help = false;
    bool version = false;
    std::vector<std::string> files;  // every plain argument of the command
};

// Declares the commands; each one knows only its own options, so an option of another command
// is left over and refused afterwards.
void Declare(CommandLine& line, Options& options) {
    CLI::App& app = line.app;
    // --help is an ordinary flag: the caller prints the usage text. What is left over is named
    // in the error instead of a generic message.
    app.set_help_flag();
    app.allow_extras();
    app.require_subcommand(0, 1);
    app.add_flag("-h,--help", line.help);
    app.add_flag("--version", line.version);
    const std::pair<const char*, void (*)(CLI::App&, Options&)> commands[] = {
        {"asm", AddAsm},     {"run", AddRun},     {"decode", AddDecode},  {"debug", AddDebug},
        {"check", AddCheck}, {"grade", AddGrade}, {"similar", AddSimilar}};
    for (const auto& [name, add] : commands) {
        CLI::App* command = app.add_subcommand(name);
        add(*command, options);
        command->add_option("file", line.files)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
}

Command CommandNamed(const std::string& name) {
    if (name == "asm") return Command::Asm;
    if (name == "debug") return Command::Debug;
    if (name == "check") return Command::Check;
    if (name == "grade") return Command::Grade;
    if (name == "similar") return Command::Similar;
    return name == "run" ? Command::Run : Command::Decode;
}

// What the parser accepted but the command line must not hold; empty when it is good.
std::string Misuse(const CommandLine& line, Options& options) {
    if (!line.app.remaining().empty()) return "unknown command: " + line.app.remaining().front();
    const auto commands = line.app.get_subcommands();
    if (commands.empty()) return "no command given";
    const CLI::App& command = *commands.front();
    options.command = CommandNamed(command.get_name());
    std::vector<std::string> stray = command.remaining();
    for (const std::string& file : line.files) {
        if (file.size() > 1 && file[0] == '-') stray.push_back(file);  // "-5", or after "--"
    }
    if (!stray.empty()) return "unknown option for " + command.get_name() + ": " + stray.front();
    if (line.files.empty()) return "no file given";
    if (options.command == Command::Similar) {
        options.programs = line.files;
        return "";
    }
    options.file = line.files.front();
    if (options.command == Command::Check) {
        options.programs.assign(line.files.begin() + 1, line.files.end());
        return options.programs.empty() ? "no program given" : "";
    }
    if (options.command == Command::Grade) {
        options.programs = line.files;
        return options.classFolder.empty() ? "grade needs --class FOLDER" : "";
    }
    if (line.files.size() > 1) return "more than one file given";
    if (options.json && options.dump) return "--dump and --json go apart: the JSON holds RAM";
    return "";
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    CommandLine line;
    Declare(line, options);
    try {
        line.app.parse(
            std::vector<std::string>(args.rbegin(), args.rend()));  // wants them reversed
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return options;
    }
    if (line.help || line.version) {  // they win over a command and its file
        Options alone;
        alone.command = line.help ? Command::Help : Command::Version;
        return alone;
    }
    error = Misuse(line, options);
    return options;
}

}  // namespace q42::cli
