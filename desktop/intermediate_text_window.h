#pragma once
// The intermediate text window: the text the preprocessor writes and the compiler reads, and the
// compiler's one setting, "Use short const".

#include "desktop/fixed_window.h"

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;

namespace q42 {

struct AsmOptions;
struct IntermediateText;

class IntermediateTextWindow : public FixedWindow {
    Q_OBJECT
  public:
    // Shows `text`, the assembler window's intermediate text, and sets `options`.
    IntermediateTextWindow(IntermediateText& text, AsmOptions& options);

    QPlainTextEdit* textEditor = nullptr;   // the intermediate text
    QCheckBox* shortConstantBox = nullptr;  // "Use short const"

    // The text as the user left it, into the intermediate text's lines.
    void GatherText();
    // The intermediate text's lines, into the window.
    void ShowText();

  private:
    IntermediateText& text_;
    QGroupBox* settings_ = nullptr;  // the compiler's settings

    void PlaceComponents();
};

}  // namespace q42
