#pragma once
// What a screen reader reads for the program's controls: each control's accessible name (and,
// where its caption is a symbol, its description), in the interface language, from the captions
// table; and the keys that take the keyboard from control to control.

class QWidget;

namespace q42 {

// A widget the user reaches with the keyboard or works with the mouse: it needs a name.
// Labels and panels are not controls; a label reads its own text.
bool IsControl(const QWidget& widget);

// Gives every control of `window` that the captions table names its accessible name and
// description; a button that shows only a picture is named by its hint.
void NameControls(QWidget& window);

// In a window with text editors, where Tab is a character, Ctrl+Tab and Ctrl+Shift+Tab go on to
// the next and the previous control, so that the keyboard can always leave an editor.
void LetCtrlTabLeaveEditors(QWidget& window);

}  // namespace q42
