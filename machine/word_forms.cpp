#include "machine/word_forms.h"

namespace q42 {
namespace {

// Each form's words, enumerated over the bits it leaves free; later forms never overlap earlier
// ones (a test checks it), so the order does not matter.
std::array<std::uint8_t, 0x10000> BuildFormTable() {
    std::array<std::uint8_t, 0x10000> table{};
    for (int form = 1; form < kWordFormCount; ++form) {
        const WordForm known = FormAt(form);
        const unsigned free = ~unsigned{known.mask} & 0xFFFFu;
        for (unsigned other = free;; other = (other - 1) & free) {
            table[known.bits | other] = static_cast<std::uint8_t>(form);
            if (other == 0) break;
        }
    }
    return table;
}

}  // namespace

const std::array<std::uint8_t, 0x10000> kFormOfWord = BuildFormTable();

}  // namespace q42
