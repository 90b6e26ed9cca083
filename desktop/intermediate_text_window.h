#pragma once
// The intermediate text window: the text the preprocessor writes and the compiler reads, and the
// compiler's one setting, "Use short const".

#include "desktop/fixed_window.h"

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;

namespace q42 {

struct AsmOptions;
struct AssemblerTexts;

class IntermediateTextWindow : public FixedWindow {
    Q_OBJECT
  public:
    IntermediateTextWindow(AssemblerTexts& texts, AsmOptions& options);

    QPlainTextEdit* textEditor = nullptr;   // the intermediate text
    QCheckBox* shortConstantBox = nullptr;  // "Use short const"

    // The text as the user left it, into the assembler's texts.
    void GatherText();
    // The assembler's intermediate text, into the window.
    void ShowText();

  private:
    AssemblerTexts& texts_;
    QGroupBox* settings_ = nullptr;  // the compiler's settings

    void PlaceComponents();
};

}  // namespace q42
