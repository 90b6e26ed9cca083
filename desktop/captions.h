#pragma once
// The two caption sets of the interface, Russian and English, and their application to the
// windows. The language is chosen when the program is built and never changes while it runs.

#include <QString>
#include <cstddef>

namespace q42 {

class Workbench;

// Writes the chosen caption set into the windows: titles, menus, grid headers, hints and the two
// questions of the assembler window.
void ApplyLanguage(Workbench& bench);

// Qt's own texts (the buttons of message boxes, file dialogs) in the interface language: the
// Russian build loads Qt's Russian translation when the system has it.
void InstallQtTranslations();

// The longest line the editors open from a file.
inline constexpr std::size_t kMaxEditorLine = 4096;
// The warning for a file with a longer line.
QString LongLineMessage(const QString& file, int line, std::size_t length);

// The text of the "About" box: the program, its version and build date.
QString AboutText();

// The warning after a save that failed, with the reason.
QString SaveFailedMessage(const QString& reason);

// The question asked before saving text that holds characters Windows-1251 cannot hold.
QString CodePageQuestion();

}  // namespace q42
