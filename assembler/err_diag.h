#pragma once
// The assembler's numbered messages, in Russian and in English. Every error of the preprocessor
// and the compiler is one of these texts, followed by the offending item; message 17 reports a
// successful compilation.

#include <array>
#include <string>

namespace q42 {

enum class AsmMessage : int {
    BadNumberSymbol = 1,
    BadIdentifierSymbol = 2,
    TooLargeConst = 3,
    DuplicateLabel = 4,
    LabelNotFound = 5,
    CommaNotFound = 6,
    BadPort = 7,
    ConstForbidden = 8,
    UnknownOperation = 9,
    ExtraOperand = 10,
    MissedOperand = 11,
    ByteAddressingForbidden = 12,
    DisplacementTooLong = 13,
    InvalidValue = 14,
    MixingByteAndWord = 15,
    IdentifierBeginsBadly = 16,
    Success = 17,
    BadMemoryType = 18,  // kept to keep the numbering; no check issues it
    NoValueAfterHash = 19,
};

constexpr int kAsmMessageCount = 19;

// Row 0 Russian, row 1 English; column n - 1 holds message n. Texts are Windows-1251.
using AsmMessageTable = std::array<std::array<std::string, kAsmMessageCount>, 2>;

// The table, built once on first use.
const AsmMessageTable& AsmMessages();

// The text of one message in the chosen language.
const std::string& AsmText(AsmMessage message, bool english);

}  // namespace q42
