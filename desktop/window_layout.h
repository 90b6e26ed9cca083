#pragma once
// Where the program's windows stand: the assembler window in the middle with the RAM window at
// its right, the display window and the processor window under them, the intermediate text
// window at the left, and the execution log under or beside the processor window.

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

// Places the execution log, when it first shows, where it covers no other window's title bar or
// menu: under the display and processor windows when the screen has `minHeight` (outer) there,
// else beside the processor window, under the height of its title bar.
void PlaceLogWindow(const ProgramWindows& windows, QWidget& log, int minHeight);
// Once a window is framed: shrinks it so that its frame, which may be larger than the one it was
// placed by (a resize handle), stays on the screen.
void KeepOnScreen(QWidget& window);

}  // namespace q42
