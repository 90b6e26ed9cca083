#pragma once
// The routines the ROM image names in its comments ("4000  PUTC: writes the character ..."): each
// one's entry address and name, and where its code ends. They let a debugger say which routine
// the machine is in and name a call to one.

#include <string>
#include <vector>

#include "machine/common.h"

namespace q42 {

struct RomRoutine {
    Value entry = 0;
    Value end = 0;     // the address after its code: the next routine's entry or the code's end
    std::string name;  // letters, digits and "_", as the image writes it
};

class RomRoutines {
  public:
    // Adds a routine; an entry already named keeps its first name.
    void Add(Value entry, std::string name);
    // The code ends at `end`: the last routine runs up to it, and one after it is dropped.
    void EndCode(Value end);
    void Clear() { routines_.clear(); }

    // The routine whose code holds `address`, or nullptr.
    const RomRoutine* Holding(Value address) const;
    // The name of the routine that starts at `entry`, or "".
    std::string NameAt(Value entry) const;
    const std::vector<RomRoutine>& All() const { return routines_; }

  private:
    std::vector<RomRoutine> routines_;  // by entry address
};

}  // namespace q42
