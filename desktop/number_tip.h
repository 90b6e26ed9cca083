#pragma once
// A word as a student may want to read it: hex, unsigned and signed decimal, binary, and its two
// bytes as characters. Register fields and RAM cells show it as their tooltip.

#include <QString>

#include "machine/common.h"

namespace q42 {

QString NumberTip(Value word);

}  // namespace q42
