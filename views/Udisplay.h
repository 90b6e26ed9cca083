#pragma once
// The display window: the machine's ten-line screen, black with lime text, the input line laid
// over it while the machine reads a line, and the keyboard that fills the key buffer.

#include <QWidget>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace q42 {

class Workbench;

class TDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit TDisplay(Workbench& bench);

    QPlainTextEdit* MyScreen = nullptr;
    QLineEdit* MyReadLine = nullptr;
    QPushButton* FinishInput = nullptr;

    // Repaints the screen if its text changed.
    void ShowScreen();
    // Places the input line after the current line's text, empty and focused.
    void BeginLineInput();
    std::string InputLineText() const;
    void HideInputLine();
    // Input is awaited: the window must be visible to take it.
    void ShowForInput();
    // Enter: ends a line input, or gives a waiting key read a CR.
    void FinishInputClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    Workbench& bench_;
};

}  // namespace q42
