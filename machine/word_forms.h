#pragma once
// The forms of instruction words the run of steps decodes once, not at every step: the common
// operations with their operand modes and byte marks fixed. A form is the bits it knows (a mask
// and their values); the run compiles each operation once per form with those bits constant, so
// the choices among modes and byte rules are made when the program is built. Every word is of
// exactly one form; form 0 knows no bits and runs any word. The table from word to form is built
// once, from the forms alone.

#include <array>
#include <cstdint>

#include "machine/instruction_word.h"

namespace q42 {

struct WordForm {
    std::uint16_t mask = 0;  // the bits the form knows
    std::uint16_t bits = 0;  // their values
};

namespace forms {

// The two-operand operations MOV..XOR (codes 1..9): each with a word form for every pair of a
// source and a destination below (the first kSourceForms and kDestinationForms of them), and a
// byte form (both byte marks) for the first three sources and the first two destinations.
constexpr int kTwoOperandCodes = 9;
constexpr std::array<WordForm, 5> kSources = {{
    {0x2000, 0x2000},  // a short constant
    {0x20C0, 0x0000},  // a register
    {0x20C0, 0x0040},  // the word a register points to
    {0x20F0, 0x00D0},  // the extension word itself
    {0x20F0, 0x00E0},  // the word at the address in the extension word
}};
constexpr std::array<WordForm, 3> kDestinations = {{
    {0x000C, 0x0000},  // a register
    {0x000C, 0x0004},  // the word a register points to
    {0x000F, 0x000E},  // the word at the address in the extension word
}};
// The page's engine compiles a long run loop much less well than a native compiler does, and a
// build the sanitizers check (Q42_CHECKED_BUILD) would take its compiler very long over it: both
// keep the forms programs run most, sources but the word at an address, registers as
// destinations, and no jumps (branches are the common ones).
#if defined(__EMSCRIPTEN__) || defined(Q42_CHECKED_BUILD)
constexpr int kSourceForms = 4;
constexpr int kDestinationForms = 1;
constexpr int kJumpForms = 0;
#else
constexpr int kSourceForms = static_cast<int>(kSources.size());
constexpr int kDestinationForms = static_cast<int>(kDestinations.size());
constexpr int kJumpForms = 32;
#endif
constexpr int kByteSources = 3;
constexpr int kByteDestinations = 2;
constexpr int kWordForms = kSourceForms * kDestinationForms;
constexpr int kFormsPerCode = kWordForms + kByteSources * kByteDestinations;
// Branches: each condition with and without the call flag. Jumps: the same, with the target in
// a register or in the extension word.
constexpr int kFirstBranch = 1 + kTwoOperandCodes * kFormsPerCode;
constexpr int kFirstJump = kFirstBranch + 16;
// The single-operand operations on a register, word-sized.
constexpr std::array<SubOperation, 6> kSingles = {
    SubOperation::Not,       SubOperation::Push,       SubOperation::Pop,
    SubOperation::ShiftLeft, SubOperation::ShiftRight, SubOperation::ArithmeticShiftRight};
constexpr int kFirstSingle = kFirstJump + kJumpForms;
constexpr int kFirstNop = kFirstSingle + static_cast<int>(kSingles.size());

constexpr WordForm Join(WordForm a, WordForm b) {
    return {static_cast<std::uint16_t>(a.mask | b.mask),
            static_cast<std::uint16_t>(a.bits | b.bits)};
}

constexpr WordForm TwoOperandForm(int index) {
    const int code = 1 + index / kFormsPerCode;
    const int n = index % kFormsPerCode;
    const WordForm operation = {0xCF00, static_cast<std::uint16_t>(code << 8)};
    if (n < kWordForms) {
        return Join(operation,
                    Join(kSources[static_cast<std::size_t>(n / kDestinationForms)],
                         kDestinations[static_cast<std::size_t>(n % kDestinationForms)]));
    }
    const int b = n - kWordForms;
    const WordForm bytes = {0, 0xC000};
    return Join(Join(operation, bytes),
                Join(kSources[static_cast<std::size_t>(b / kByteDestinations)],
                     kDestinations[static_cast<std::size_t>(b % kByteDestinations)]));
}

}  // namespace forms

constexpr int kWordFormCount = forms::kFirstNop + 1;

// The bits form `form` knows (0..kWordFormCount-1).
constexpr WordForm FormAt(int form) {
    using namespace forms;
    if (form == 0) return {};
    if (form < kFirstBranch) return TwoOperandForm(form - 1);
    if (form < kFirstJump) {
        return {0xFF00, static_cast<std::uint16_t>(((form - kFirstBranch) << 12) | 0x0D00)};
    }
    if (form < kFirstSingle) {
        const int n = form - kFirstJump;
        const WordForm jump = {0xFF00, static_cast<std::uint16_t>(((n / 2) << 12) | 0x0C00)};
        return Join(jump, n % 2 == 0 ? WordForm{0x000C, 0} : WordForm{0x000F, 0x000D});
    }
    if (form < kFirstNop) {
        const auto sub = static_cast<int>(kSingles[static_cast<std::size_t>(form - kFirstSingle)]);
        return {0x8FFC, static_cast<std::uint16_t>(0x0E00 | (sub << 4))};
    }
    return {0x0F00, 0x0000};
}

// The word seen with the bits of form `form` known.
template <int form>
using WordOfForm = BasicInstructionWord<FormAt(form).mask, FormAt(form).bits>;

// The form of every word, 0..FFFF, built as the program starts. A table at a fixed place, so that
// the run of steps reaches it without holding its address in a register.
extern const std::array<std::uint8_t, 0x10000> kFormOfWord;

}  // namespace q42
