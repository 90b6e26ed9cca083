#include "cli/program.h"

#include <filesystem>

#include "assembler/assembler.h"
#include "assembler/codetext.h"
#include "cli/commands.h"
#include "machine/codepage.h"
#include "machine/path_text.h"
#include "machine/rom_image.h"
#include "session/text_file.h"

namespace q42::cli {

AsmOptions AssemblerOptions(const Options& options) {
    AsmOptions asmOptions;
    asmOptions.useShortConst = options.shortConst;
    asmOptions.englishInterface = options.language == Language::English;
    return asmOptions;
}

void PrintStatus(const std::string& where, const std::string& what, std::ostream& err) {
    err << Cp1251ToUtf8(where) << '\n' << Cp1251ToUtf8(what) << '\n';
}

std::optional<int> LoadProgram(const Options& options, Program& program, std::ostream& err) {
    TextFile file = ReadTextFile(PathFromUtf8(options.file));
    if (!file.error.empty()) {
        err << "q42cli: " << file.error << '\n';
        return kBadUsage;
    }
    if (IsCodeFileName(options.file)) {
        program.codeText = CodeTextFromLines(std::move(file.lines));
        return std::nullopt;
    }
    program.source = std::move(file.lines);
    program.assembly = Assemble(program.source, AssemblerOptions(options));
    for (const AsmWarning& warning : program.assembly.warnings)
        err << "warning: " << Cp1251ToUtf8(warning.text) << '\n';
    program.codeText = program.assembly.CodeText();
    if (const auto& diagnostic = program.assembly.diagnostic) {
        PrintStatus(diagnostic->where, diagnostic->text, err);
        return kFailed;
    }
    return std::nullopt;
}

namespace {

// Passes the loader's messages on and notes that there were some.
class CountedMessages : public MessageSink {
  public:
    explicit CountedMessages(MessageSink& messages) : messages_(messages) {}
    int count = 0;
    void ShowMessage(const std::string& text) override {
        ++count;
        messages_.ShowMessage(text);
    }

  private:
    MessageSink& messages_;
};

}  // namespace

std::optional<int> LoadRom(Machine& machine, const Options& options,
                           const std::string& programDirectory, MessageSink& messages) {
    const std::filesystem::path rom = options.rom.empty()
                                          ? FindRomImage(RomSearchPath(PathFromUtf8(programDirectory)))
                                          : PathFromUtf8(options.rom);
    CountedMessages counted(messages);
    InitMachine(machine, rom, counted);
    if (options.rom.empty() || (counted.count == 0 && !machine.Failed())) return std::nullopt;
    return kBadUsage;
}

int CheckWritten(std::ostream& stream, const std::string& name, int status, std::ostream& err) {
    if (stream.flush()) return status;
    err << "q42cli: cannot write " << name << '\n';
    return kBadUsage;
}

void DumpWords(const Machine& machine, Value from, int count, std::ostream& out) {
    for (int i = 0; i < count; ++i) {
        const Value address = (from + Value{2} * i) & 0xFFFF;
        if (i % 8 == 0) out << (i == 0 ? "" : "\n") << WordToHex(address) << ':';
        out << ' ' << WordToHex(machine.PeekWord(address));
    }
    if (count > 0) out << '\n';
}

void DumpRam(const Machine& machine, std::ostream& out) {
    DumpWords(machine, 0, kRamWords, out);
}

}  // namespace q42::cli
