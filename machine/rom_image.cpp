#include "machine/rom_image.h"

#include <fstream>

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

}  // namespace

Fault LoadRomImage(Machine& machine, std::istream& image, Value start, MessageSink& messages) {
    int dataLine = 1;
    Value address = start;
    std::string line;
    while (ReadLine(image, line) && line != ".") {
        if (!IsDataLine(line)) continue;  // a comment
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
