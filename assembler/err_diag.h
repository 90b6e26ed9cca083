#pragma once
// The assembler's numbered messages, in Russian and in English, and the texts of its warnings.
// Every error of the preprocessor and the compiler is one of these messages, followed by the
// offending item; message 17 reports a successful compilation. The passes record an error as data
// and its text is composed when the assembly ends, in the language asked for.

#include <array>
#include <cstdint>
#include <optional>
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

// What went wrong: a message and the item it names. The item follows ": ", or a blank for RW's
// bad count; a message without an item is shown alone.
struct AsmError {
    AsmMessage message;
    std::optional<std::string> item = std::nullopt;
    bool blankBeforeItem = false;
};

// The error text: "Too large const: 32768", "Missed operand".
std::string AsmErrorText(const AsmError& error, bool english);

// Where a pass stopped and why: the source line (counting from 1; 0 when the line is not known)
// and the error.
struct AsmFailure {
    int sourceLine = 0;
    AsmError error;
    // The preprocessor shows the line as its failing step held it ("3: MOV #'"); without it the
    // source line itself is shown ("3:  mov #';',r0").
    std::optional<std::string> heldLine = std::nullopt;
};

// The warning given when a program compiles without an HLT statement. It has one text, English,
// in both interface languages.
inline constexpr const char* kNoHltText = "No HLT command!";

// The question asked when a jump or call names a label, or an operand names a constant, without
// "#": the intermediate line, the name, and "or #" and the name, on three lines.
std::string NameOrConstantText(const std::string& statement, const std::string& name);

}  // namespace q42
