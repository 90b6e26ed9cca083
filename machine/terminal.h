#pragma once
// How the machine reaches its text display and keyboard. The display model implements it; the
// machine never knows whether a window or a terminal is behind it.

#include <string_view>

#include "machine/common.h"
#include "machine/language.h"

namespace q42 {

class Terminal {
  public:
    virtual ~Terminal() = default;
    // Appends 8-bit text to the current screen line; CR starts a new line, LF is dropped.
    virtual void WriteText(std::string_view text) = 0;
    // WriteText, then a new line.
    virtual void WriteLine(std::string_view text) = 0;
    // Reads a signed integer typed by the user; the result is its low 16 bits.
    virtual Value ReadInteger() = 0;
    // Reads TRUE or FALSE typed by the user.
    virtual bool ReadBoolean() = 0;
    // Waits for a key; 0 when none can come.
    virtual char ReadKey() = 0;
    // The language of the texts the machine writes on this screen (a run-time error's report).
    virtual Language ScreenLanguage() const { return TextLanguage(); }
};

// Message boxes of the machine (ROM image errors). The desktop program shows a box; the
// command-line tool prints the text; tests record it.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // `text` is 8-bit text; it may hold line breaks.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace q42
