#pragma once
// The colours debugging marks things with, the same in every window: quiet enough for a
// projector, distinct enough to tell apart.

#include <QColor>

namespace q42 {

inline const QColor kRunLineColor{0xFF, 0xF1, 0x9C};     // the line being run, the row at PC
inline const QColor kStackColor{0xC9, 0xE3, 0xF7};       // the row at SP
inline const QColor kChangedColor{0xFF, 0xD5, 0x9E};     // a field or word the last step changed
inline const QColor kBreakpointColor{0xC6, 0x28, 0x28};  // a breakpoint's dot and its RAM row

}  // namespace q42
