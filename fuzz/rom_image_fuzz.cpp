// The ROM image loader on arbitrary bytes. The first byte chooses where loading starts: the ROM,
// as at start-up, or near the ends of RAM and ROM, where words reach the memory checks.

#include <cstddef>
#include <cstdint>
#include <sstream>

#include "fuzz/fuzz_support.h"
#include "machine/rom_image.h"

namespace q42::fuzz {
namespace {

class CountedMessages : public MessageSink {
  public:
    int count = 0;
    void ShowMessage(const std::string& text) override {
        ++count;
        // The error, the data line number and at most 80 characters of the line.
        Require(!text.empty() && text.size() <= 200);
    }
};

constexpr Value kStarts[] = {kRomStart,   kRomStart,   kRomStart,     0,
                             kRamEnd - 8, kRomEnd - 8, kRomStart - 2, -2};

}  // namespace
}  // namespace q42::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    ByteReader input(data, size);
    const Value start = kStarts[input.Byte() % std::size(kStarts)];
    const std::string_view bytes = input.Rest();
    std::istringstream image{std::string(bytes)};

    Machine machine;
    CountedMessages messages;
    const Fault fault = LoadRomImage(machine, image, start, messages);
    Require(messages.count <= 1);
    Require((fault != Fault::None) == (messages.count == 1));
    Require(FaultText(fault).size() <= 63);
    std::size_t loaded = 0;
    for (const Value word : machine.Rom()) {
        Require(word >= 0 && word <= 0xFFFF);
        loaded += word != 0;
    }
    for (const Value word : machine.State().ram) {
        Require(word >= 0 && word <= 0xFFFF);
        loaded += word != 0;
    }
    // A word per data line at most, and each data line takes at least a character and a line end.
    Require(loaded <= bytes.size() / 2 + 1);
    return 0;
}
