#include "machine/rom_image.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "machine/run_texts.h"

namespace q42 {
namespace {

constexpr std::size_t kLookedAtLength = 80;

bool IsDataLine(const std::string& line) {
    return !line.empty() && IsHexDigit(line[0]);
}

void ShowLoadError(Fault fault, int dataLine, const std::string& line, MessageSink& messages) {
    messages.ShowMessage(Text(RunText::CodeError) + FaultText(fault) + "\n\r" +
                         Text(RunText::CodeLine) + std::to_string(dataLine) + ": " + line);
}

bool IsName(const std::string& text) {
    const auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return !text.empty() && letter(text[0]) &&
           std::all_of(text.begin(), text.end(), [&](char c) { return letter(c) || digit(c); });
}

// A comment line of the image's table of routines: blanks, the entry address in four hex digits,
// blanks, the name and a colon ("   4000  PUTC: writes ..."). Nothing for any other line.
std::optional<RomRoutine> TableLine(const std::string& line) {
    if (line.empty() || line[0] != ' ') return std::nullopt;
    std::istringstream fields(line);
    std::string address;
    std::string name;
    fields >> address >> name;
    if (address.size() != 4 || !std::all_of(address.begin(), address.end(), IsHexDigit) ||
        !name.ends_with(':'))
        return std::nullopt;
    name.pop_back();
    if (!IsName(name)) return std::nullopt;
    return RomRoutine{HexToWord(address).value, 0, name};
}

// Reads the next line without its line end (LF, CR LF or a lone CR), keeping only what is looked
// at, so that an enormous line costs no memory.
bool ReadLine(std::istream& in, std::string& line) {
    line.clear();
    bool any = false;
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        any = true;
        if (c == '\n') return true;
        if (c == '\r') {
            if (in.peek() == '\n') in.get();
            return true;
        }
        if (line.size() < kLookedAtLength) line += static_cast<char>(c);
    }
    return any;
}

// The image's lines up to its end: the words into memory from `address` on, which is left after
// the last word loaded, and the table of routines from its comments.
Fault LoadLines(Machine& machine, std::istream& image, Value& address, RomRoutines& routines,
                MessageSink& messages) {
    int dataLine = 1;
    std::string line;
    while (ReadLine(image, line) && line != ".") {
        if (!IsDataLine(line)) {  // a comment, perhaps a line of the table of routines
            if (const auto routine = TableLine(line); routine && routine->entry >= kRomStart)
                routines.Add(routine->entry, routine->name);
            continue;
        }
        const HexWord word = line.size() > 4 && line[4] != ' ' ? HexWord{0, Fault::BadLength}
                                                               : HexToWord(line.substr(0, 4));
        if (word.error != Fault::None) {
            ShowLoadError(word.error, dataLine, line, messages);
            return word.error;
        }
        ++dataLine;
        if (const Fault fault = machine.LoadWord(address, word.value); fault != Fault::None) {
            messages.ShowMessage(FaultText(fault) + ": " + WordToHex(address));
            return fault;
        }
        address += 2;
    }
    return Fault::None;
}

}  // namespace

Fault LoadRomImage(Machine& machine, std::istream& image, Value start, MessageSink& messages) {
    Value end = start;
    RomRoutines routines;
    const Fault fault = LoadLines(machine, image, end, routines, messages);
    // A routine's code ends where the loaded words do, at the latest where ROM code may run.
    routines.EndCode(std::min(end, kRomCodeEnd));
    machine.NameRoutines(std::move(routines));
    return fault;
}

Fault LoadRomImage(Machine& machine, const std::filesystem::path& file, Value start,
                   MessageSink& messages) {
    std::error_code error;
    std::ifstream image;
    if (std::filesystem::is_regular_file(file, error)) image.open(file, std::ios::binary);
    if (!image.is_open()) {
        messages.ShowMessage(Text(RunText::RomNotFound));
        return Fault::None;
    }
    return LoadRomImage(machine, image, start, messages);
}

std::filesystem::path FindRomImage(const std::vector<std::filesystem::path>& directories) {
    for (const auto& directory : directories) {
        std::error_code error;
        auto candidate = directory / kRomFileName;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

std::vector<std::filesystem::path> RomSearchPath(const std::filesystem::path& programDirectory) {
    std::vector<std::filesystem::path> directories{"."};
    if (!programDirectory.empty()) {
        directories.push_back(programDirectory);
        // An installed tree keeps its data beside the program's folder.
        directories.push_back(programDirectory.parent_path() / "share" / "q42");
    }
#ifdef Q42_DATA_DIR
    directories.emplace_back(Q42_DATA_DIR);
#endif
    return directories;
}

void InitMachine(Machine& machine, const std::filesystem::path& romFile, MessageSink& messages) {
    machine.ResetMachine();
    // An empty path names no file, so the loader reports the ROM image as not found.
    machine.HoldFault(LoadRomImage(machine,
                                   romFile.empty() ? std::filesystem::path(kRomFileName) : romFile,
                                   kRomStart, messages));
}

}  // namespace q42
