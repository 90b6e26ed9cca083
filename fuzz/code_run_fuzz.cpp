// A code text loaded into RAM and run: the bytes up to the first NUL are the code text's lines,
// the bytes after it what the user types.

#include <cstddef>
#include <cstdint>

#include "assembler/codetext.h"
#include "fuzz/fuzz_support.h"
#include "session/code_loading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42;
    using namespace q42::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto nul = bytes.find('\0');
    const TextLines codeText = SplitTextLines(bytes.substr(0, nul));
    ByteReader input(nul == std::string_view::npos ? "" : bytes.substr(nul + 1));

    test::Rig rig;
    LoadRom(rig.machine, ShippedRom());
    const auto error = CopyCode(rig.machine, codeText).error;
    if (error) {
        Require(error->fault != Fault::None && error->errLab == FaultText(error->fault));
        Require(error->lineIndex >= 0 &&
                static_cast<std::size_t>(error->lineIndex) < codeText.size());
        return 0;
    }
    FeedFromBytes(rig, input);
    RunChecked(rig, 4000);
    return 0;
}
