#pragma once
// Where the program's windows stand: the assembler window in the middle with the RAM window at
// its right, the display window and the processor window under them, the intermediate text
// window at the left.

class QWidget;

namespace q42 {

struct ProgramWindows {
    QWidget& assembler;
    QWidget& intermediate;
    QWidget& ram;
    QWidget& display;
    QWidget& processor;
};

// Places the windows by their frames, without showing any. A window manager frames a window only
// once it is shown; until then the frames count as nothing, and the program places the windows
// again when they are known.
void PlaceWindows(const ProgramWindows& windows);

}  // namespace q42
