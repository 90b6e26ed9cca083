#pragma once
// Where the program's windows stand: the assembler window in the middle with the RAM window at
// its right, the display window and the processor window under them, the intermediate text
// window at the left. The windows that open later (the execution log, the guide, the lessons)
// go into free space or beside the window they belong to. On a screen too small for that
// arrangement every window still stands wholly on the screen, and none covers another's title
// bar or menu bar.

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

// Places the execution log when it first shows: under the display and processor windows when
// the screen has room there, else where it covers least of the other windows, no lower than
// `minHeight` (its contents, without the frame).
void PlaceLogWindow(const ProgramWindows& windows, QWidget& log, int minHeight);

// Places a window of help (the guide, how to use the program, the lessons) when it first
// shows: at the right of the assembler window when there is room, else where it covers least,
// made smaller only as far as it must to cover no title or menu bar.
void PlaceHelpWindow(const ProgramWindows& windows, QWidget& window);

}  // namespace q42
