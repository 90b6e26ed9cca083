#pragma once
// The two caption sets of the interface, Russian and English, in one table, and the other texts
// of the program's own. The language is chosen when the program is built and never changes while
// it runs, so each window takes its captions from the table as it builds its components.

#include <QString>
#include <cstddef>
#include <span>

class QWidget;

namespace q42 {

// What a caption is written into.
// Name and Description: what a screen reader reads for a control (its accessible name, and what
// a control whose caption is a symbol stands for).
enum class CaptionTarget { Title, Menu, Item, Header, Text, Hint, Name, Description, Question };

// One caption in both languages, and the component it belongs to, both by their object names:
// the window and the component ("" for the window's title, "grid:column" for a grid's header,
// the question's name for one of the assembler window's questions).
struct Caption {
    CaptionTarget target;
    const char* window;
    const char* object;
    const char* russian;
    const char* english;
};

// Every caption of the interface.
std::span<const Caption> Captions();
// A caption's text in the interface language.
QString CaptionText(const Caption& caption);
// The caption of a window's component, by the object names of the window and the component; an
// empty text when the table has none.
QString CaptionOf(const QWidget& window, const char* object);
// The caption of one kind of a window's component (such as its hint, where the component has
// a caption as well); an empty text when the table has none.
QString CaptionOf(const QWidget& window, const char* object, CaptionTarget target);
// The hint (tool tip) of a window's component.
QString HintOf(const QWidget& window, const char* object);
// A window's title.
QString TitleOf(const QWidget& window);

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
