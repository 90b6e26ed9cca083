#pragma once
// The texts the system writes around a run, in the current text language (8-bit code page).

#include <cstdint>
#include <string>

#include "machine/language.h"

namespace q42 {

enum class RunText : std::uint8_t {
    Greeting,     // the screen's first line at the start of every run
    Finished,     // the last line after HLT or a run-time error
    Interrupted,  // the last line after the stop command
    RepeatInput,  // a number or TRUE/FALSE typed wrongly
    ErrorReport,  // the heading of a run-time error's report
    CodeError,    // "Error in code: " before a code or ROM line's fault
    CodeLine,     // "Line " before the number of that line
    RomNotFound,  // the ROM image file is missing
};

const std::string& Text(RunText text);
// The text in the language asked for: the screen's texts follow the screen's language.
const std::string& Text(RunText text, Language language);

// Why a program cannot be loaded whole: "The program has 130 words; RAM holds 128." (8-bit, in
// the language asked for, with the word's plural form).
std::string ProgramTooLongText(std::int64_t words, bool english);

}  // namespace q42
