#include "fuzz/fuzz_support.h"

#include <fstream>

#include "machine/rom_image.h"

namespace q42::fuzz {
namespace {

class NoMessages : public MessageSink {
  public:
    void ShowMessage(const std::string&) override { Require(false); }
};

bool IsWord(Value value) {
    return value >= 0 && value <= 0xFFFF;
}

}  // namespace

std::uint8_t ByteReader::Peek() const {
    return bytes_.empty() ? 0 : static_cast<std::uint8_t>(bytes_.front());
}

std::uint8_t ByteReader::Byte() {
    if (bytes_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
}

Value ByteReader::Word() {
    const Value low = Byte();
    return low | (Value{Byte()} << 8);
}

Value ByteReader::Int32() {
    const auto low = static_cast<std::uint32_t>(Word());
    const auto high = static_cast<std::uint32_t>(Word());
    return static_cast<std::int32_t>(low | (high << 16));
}

std::string ByteReader::Line() {
    const auto end = bytes_.find('\n');
    std::string line(bytes_.substr(0, end));
    bytes_.remove_prefix(end == std::string_view::npos ? bytes_.size() : end + 1);
    return line;
}

std::string_view ByteReader::Take(std::size_t count) {
    const std::string_view taken = bytes_.substr(0, count);
    bytes_.remove_prefix(taken.size());
    return taken;
}

const char* RomImagePath() {
    return Q42_ROM_IMAGE;
}

const Rom& ShippedRom() {
    static const Rom rom = [] {
        Machine machine;
        std::ifstream image(Q42_ROM_IMAGE, std::ios::binary);
        Require(image.is_open());
        NoMessages messages;
        LoadRomImage(machine, image, kRomStart, messages);
        return machine.Rom();
    }();
    return rom;
}

void LoadRom(Machine& machine, const Rom& rom) {
    for (int i = 0; i < kRomWords; ++i)
        machine.LoadWord(kRomStart + 2 * i, rom[i]);
}

void CheckStep(const Machine& machine, const Display& display, const Rom& rom) {
    Require(machine.Rom() == rom);
    for (const Value word : machine.State().ram)
        Require(IsWord(word));
    for (const Value port : machine.State().ports)
        Require(IsWord(port));
    for (const Value reg : machine.State().r)
        Require(IsWord(reg));
    Require(IsWord(machine.State().pc) && IsWord(machine.State().ps));
    Require(machine.RunErrorText().size() <= 63);
    Require(machine.State().keyBuffer.size() <= kKeyBufferSize);
    Require(display.Lines().size() <= Display::kScreenLines && !display.Lines().empty());
}

void FeedFromBytes(test::Rig& rig, ByteReader& input) {
    rig.console.onWait = [&rig, &input] {
        const Display& display = rig.display;
        Require(display.Lines().size() <= Display::kScreenLines);
        Require(display.LineInputActive() != display.KeyWaitActive());
        // Commands the user may give while the program waits. The step is not over, so none
        // may start another: the machine stays as it is but for the stop.
        const MachineState before = rig.machine.State();
        for (;;) {
            const std::uint8_t command = input.Peek();
            if (command != kStopClick && command != kStepClick && command != kRunClick) break;
            input.Byte();
            if (command == kStopClick) rig.run.StopProgram();
            if (command == kStepClick) rig.run.NextCommand();
            if (command == kRunClick) rig.run.RunProgram();
            const Machine& m = rig.machine;
            Require(m.State().pc == before.pc && m.State().sp == before.sp &&
                    m.State().r == before.r && m.State().ram == before.ram &&
                    m.State().commandAddress == before.commandAddress &&
                    m.State().runError == before.runError);
        }
        if (input.Empty()) return;
        if (display.LineInputActive() && rig.console.lines.empty()) {
            rig.console.lines.push_back(input.Line());
        } else if (display.KeyWaitActive() && rig.console.keys.empty()) {
            rig.console.keys += static_cast<char>(input.Byte());
        }
    };
}

void RunChecked(test::Rig& rig, int limit) {
    const Rom rom = rig.machine.Rom();
    int steps = 0;
    rig.console.onStep = [&] {
        CheckStep(rig.machine, rig.display, rom);
        if (++steps == limit) rig.run.StopProgram();
    };
    rig.run.RunProgram();
    rig.console.onStep = nullptr;
    Require(steps <= limit);
    Require(!rig.run.Running() && (rig.machine.State().stopFlag || rig.machine.Failed()));
    CheckStep(rig.machine, rig.display, rom);
}

}  // namespace q42::fuzz
