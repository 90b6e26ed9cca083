#pragma once
// The intermediate text window: the text the preprocessor writes and the compiler reads, and the
// compiler's one setting, "Use short const".

#include "desktop/fixed_window.h"

class QCheckBox;
class QPlainTextEdit;

namespace q42 {

class Workbench;

class IntermediateTextWindow : public FixedWindow {
    Q_OBJECT
  public:
    explicit IntermediateTextWindow(Workbench& bench);

    QPlainTextEdit* compText = nullptr;
    QCheckBox* ShConst = nullptr;
};

}  // namespace q42
