#pragma once
// The reference card: every operation, addressing mode, directive, ROM routine and port on one
// printable page, in Markdown (UTF-8). The operations come from the instruction table, so the
// card says what the assembler and the tooltips say; docs/card.en.md and docs/card.ru.md are it.

#include <string>

#include "machine/language.h"

namespace q42 {

std::string ReferenceCard(Language language);

}  // namespace q42
