#include "machine/rom_routines.h"

#include <algorithm>

namespace q42 {

void RomRoutines::Add(Value entry, std::string name) {
    const auto at = std::lower_bound(routines_.begin(), routines_.end(), entry,
                                     [](const RomRoutine& r, Value e) { return r.entry < e; });
    if (at != routines_.end() && at->entry == entry) return;
    const auto added = routines_.insert(at, {entry, entry, std::move(name)});
    // Each routine runs up to the next one's entry.
    if (added != routines_.begin()) std::prev(added)->end = entry;
    if (std::next(added) != routines_.end()) added->end = std::next(added)->entry;
}

void RomRoutines::EndCode(Value end) {
    std::erase_if(routines_, [end](const RomRoutine& r) { return r.entry >= end; });
    if (!routines_.empty()) routines_.back().end = end;
}

const RomRoutine* RomRoutines::Holding(Value address) const {
    for (const RomRoutine& routine : routines_) {
        if (address >= routine.entry && address < routine.end) return &routine;
    }
    return nullptr;
}

std::string RomRoutines::NameAt(Value entry) const {
    for (const RomRoutine& routine : routines_) {
        if (routine.entry == entry) return routine.name;
    }
    return {};
}

}  // namespace q42
