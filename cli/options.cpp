#include "cli/options.h"

#include <charconv>

namespace q42::cli {

const char* const kUsage =
    "usage:\n"
    "  q42cli asm [--no-short-const] [--lang ru|en] FILE.asm [-o OUT.cod]\n"
    "  q42cli run [--no-short-const] [--lang ru|en] [--rom ROMFILE] [--max-steps N]\n"
    "             [--trace TRACEFILE|-] [--dump] FILE.asm|FILE.cod\n"
    "  q42cli decode [--lang ru|en] [--from HHHH] [--count N] FILE.cod|FILE.asm\n"
    "  q42cli --help | --version\n"
    "\n"
    "asm     assembles FILE.asm; prints the code text, or writes a code file with -o\n"
    "run     assembles or reads the code, loads it into RAM and runs it; the screen goes to\n"
    "        stdout, stdin feeds the keyboard; --max-steps stops the run after N steps,\n"
    "        --trace writes the registers after every step, --dump prints RAM at the end\n"
    "decode  lists the instructions from address HHHH (default 0000), N lines (default: to the\n"
    "        end of the program)\n"
    "--lang  ru or en: the language of the messages, the screen's texts and the descriptions\n"
    "exit status: 0 halted, 1 run-time, assembler or code line error, 2 bad usage or\n"
    "unreadable file, 3 stopped before HLT\n";

namespace {

bool ParseCount(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    if (args.empty()) {
        error = "no command given";
        return options;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") return options;
    if (command == "--version") {
        options.command = Command::Version;
        return options;
    }
    if (command == "asm") {
        options.command = Command::Asm;
    } else if (command == "run") {
        options.command = Command::Run;
    } else if (command == "decode") {
        options.command = Command::Decode;
    } else {
        error = "unknown command: " + command;
        return options;
    }
    const bool assembles = options.command != Command::Decode;
    for (std::size_t i = 1; i < args.size() && error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> std::string {
            if (!hasValue) {
                error = arg + " needs a value";
                return "";
            }
            return args[++i];
        };
        if (assembles && arg == "--no-short-const") {
            options.shortConst = false;
        } else if (arg == "--lang") {
            const std::string lang = value();
            if (lang == "ru" || lang == "en") {
                options.language = lang == "en" ? Language::English : Language::Russian;
            } else if (error.empty()) {
                error = "--lang takes ru or en";
            }
        } else if (options.command == Command::Asm && arg == "-o") {
            options.output = value();
        } else if (options.command == Command::Run && arg == "--rom") {
            options.rom = value();
        } else if (options.command == Command::Run && arg == "--max-steps") {
            const std::string text = value();
            if (error.empty() && (!ParseCount(text, options.maxSteps) || options.maxSteps < 1)) {
                error = "--max-steps takes a whole number of at least 1";
            }
        } else if (options.command == Command::Run && arg == "--trace") {
            options.trace = value();
        } else if (options.command == Command::Run && arg == "--dump") {
            options.dump = true;
        } else if (options.command == Command::Decode && arg == "--from") {
            const std::string text = value();
            const HexWord from = HexToWord(text);
            if (error.empty() && (text.empty() || text.size() > 4 || from.error != Fault::None)) {
                error = "--from takes up to four hex digits";
            }
            options.from = from.value;
        } else if (options.command == Command::Decode && arg == "--count") {
            long long count = 0;
            const std::string text = value();
            if (error.empty() && !ParseCount(text, count)) error = "--count takes a whole number";
            options.count = count;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option for " + command + ": " + arg;
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            error = "more than one file given";
        }
    }
    if (error.empty() && options.file.empty()) error = "no file given";
    return options;
}

}  // namespace q42::cli
