#pragma once
// The assembler's numbered messages, in Russian and in English, and the diagnostics built from
// them. Every error of the preprocessor and the compiler is one of these texts, followed by the
// offending item; message 17 reports a successful compilation. The passes record an error as data
// and its text is composed only when it is shown, in the language chosen then.

#include <array>
#include <optional>
#include <string>

#include "assembler/asm_texts.h"

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

// What went wrong: a message and the item it names. The item follows ": ", or a blank for RW's
// bad count; a message without an item is shown alone.
struct AsmError {
    AsmMessage message;
    std::optional<std::string> item = std::nullopt;
    bool blankBeforeItem = false;
};

// The error text: "Too large const: 32768", "Missed operand".
std::string AsmErrorText(const AsmError& error, bool english);

// An error with the source line it stopped at (counting from 1; 0 when the line is not known).
struct AsmDiagnostic {
    int sourceLine = 0;
    AsmError error;
    // The preprocessor shows the line as its failing step held it ("3: MOV #'"); without it the
    // source line itself is shown ("3:  mov #';',r0").
    std::optional<std::string> heldLine = std::nullopt;
};

// Shows a diagnostic: the line's number and text in lineLab, the error text in errLab, and the
// source line selected when it exists (otherwise the selection is left as the user had it).
// Returns the error text.
std::string ShowDiagnostic(AssemblerTexts& texts, const AsmDiagnostic& diagnostic, bool english);

}  // namespace q42
