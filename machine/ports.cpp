// The ports as IN reads them and OUT writes them: keyboard status and data, display status and
// data, a constant port and a storage port. A device is ready on the third status read in a row,
// and each data transfer makes it not ready again.

#include <limits>

#include "machine/machine.h"

namespace q42 {
namespace {

constexpr Value kReady = 0x80;

// Counts one more status read. A program may poll for ever, so the count stops at the largest
// int instead of overflowing; the device stays ready.
int CountPoll(int& polls) {
    if (polls < std::numeric_limits<int>::max()) ++polls;
    return polls;
}

enum Port : int {
    kKeyboardStatus = 0,
    kKeyboardData = 1,
    kDisplayStatus = 2,
    kDisplayData = 3,
    kConstantPort = 4,
    kStoragePort = 5,
};

}  // namespace

Value Machine::ReadPort(int port) {
    switch (port) {
        case kKeyboardStatus:
            if (CountPoll(keyboardPolls) > 2) ports[kKeyboardStatus] = kReady;
            return ports[kKeyboardStatus];
        case kKeyboardData: {
            Value value = 0;
            if ((ports[kKeyboardStatus] & kReady) != 0) {
                char key = 0;
                if (!keyBuffer.empty()) {
                    key = TakeKey();
                } else if (Terminal* t = UseTerminal(); t != nullptr) {
                    key = t->ReadKey();
                    stopAfterStep_ = true;  // its wait may have asked a debugger to pause
                }
                ports[kKeyboardData] = static_cast<unsigned char>(key);
                value = ports[kKeyboardData];
            }
            keyboardPolls = 0;
            ports[kKeyboardStatus] = 0;
            return value;
        }
        case kDisplayStatus:
            if (CountPoll(displayPolls) > 2) ports[kDisplayStatus] = kReady;
            return ports[kDisplayStatus];
        case kConstantPort: return kReady;
        case kStoragePort: return ports[kStoragePort];
        default: return 0;  // the display data port reads 0; ports 6..15 have no device
    }
}

void Machine::WritePort(int port, Value value) {
    ports[port] = value;
    if (port != kDisplayData) return;
    // A character written while the display is not ready is dropped.
    Terminal* t = (ports[kDisplayStatus] & kReady) != 0 ? UseTerminal() : nullptr;
    if (t != nullptr) {
        const char c = static_cast<char>(ports[kDisplayData] & 0xFF);
        t->WriteText(std::string_view(&c, 1));
    }
    displayPolls = 0;
    ports[kDisplayStatus] = 0;
}

}  // namespace q42
