#pragma once
// The processor window: the registers and flags, their editing, and the run-control buttons.

#include <array>

#include "desktop/fixed_window.h"

class QLineEdit;
class QToolButton;

namespace q42 {

class Workbench;

class ProcessorWindow : public FixedWindow {
    Q_OBJECT
  public:
    explicit ProcessorWindow(Workbench& bench);

    std::array<QLineEdit*, 4> ER{};  // ER0..ER3
    QLineEdit* EPC = nullptr;
    QLineEdit* ESP = nullptr;
    QLineEdit* EPS = nullptr;
    QLineEdit* EN = nullptr;
    QLineEdit* EZ = nullptr;
    std::array<QToolButton*, 8> SpeedButton{};  // SpeedButton1..SpeedButton7 at 1..7

    // Writes every register into its field, then the flags.
    void ShowRegisters();
    // Writes the fields the machine changed since they were last shown.
    void ShowChangedRegisters();
    void SetRunState(bool running);

    // Run control, as the buttons and the Run and Trace menus call it.
    void ApplyRegisterEdits();
    void BuildAndRun();
    void LoadAndRun();
    void RunProgram();
    void FirstCommand();
    void NextCommand();
    void StopProgram();
    void DecodeFromStart();

  private:
    Workbench& bench_;

    QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width);
    QToolButton* MakeButton(int n, int x, int y, int size, int icon,
                            void (ProcessorWindow::*command)());
    void ShowFlags();
};

}  // namespace q42
