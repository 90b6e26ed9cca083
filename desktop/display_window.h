#pragma once
// The display window: the machine's ten-line screen, black with lime text, the input line laid
// over it while the machine reads a line, and the keyboard that fills the key buffer.

#include <string>

#include "desktop/fixed_window.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace q42 {

class Display;

class DisplayWindow : public FixedWindow {
    Q_OBJECT
  public:
    explicit DisplayWindow(Display& display);

    QPlainTextEdit* screenText = nullptr;  // the machine's screen
    QLineEdit* inputLine = nullptr;        // where a line of input is typed
    QPushButton* enterButton = nullptr;    // the window's default button, which Enter presses

    // Repaints the screen if its text changed.
    void ShowScreen();
    // Places the input line after the current line's text, empty, and gives it the keyboard.
    void BeginLineInput();
    std::string InputLineText() const;
    void HideInputLine();
    // A key read waits: the window comes forward and takes the keyboard.
    void BeginKeyWait();
    // Input is awaited: the window must be visible to take it.
    void ShowForInput();
    // Enter: ends a line input, or gives a waiting key read a CR.
    void FinishInput();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    Display& display_;

    void PlaceComponents();
    // Shows the window in front and makes it the active window.
    void TakeKeyboard();
};

}  // namespace q42
