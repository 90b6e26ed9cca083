#pragma once
// The processor window: the registers and flags, their editing, and the run-control buttons.

#include <array>
#include <functional>

#include "desktop/fixed_window.h"
#include "machine/common.h"

class QFrame;
class QLineEdit;
class QToolButton;

namespace q42 {

class Machine;
class ProgramCommands;
class UserDialogs;

class ProcessorWindow : public FixedWindow {
    Q_OBJECT
  public:
    ProcessorWindow(Machine& machine, ProgramCommands& commands, UserDialogs& dialogs);

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

    // Copies the register fields into the registers; a field that holds no hex word is reported
    // and leaves its register as it was.
    void ApplyRegisterEdits();

  private:
    Machine& machine_;
    ProgramCommands& commands_;
    UserDialogs& dialogs_;

    QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width);
    QToolButton* MakeButton(int n, int x, int y, int size, int icon, std::function<void()> command);
    QFrame* CreateRegisterPanel(const QFont& font);
    void CreateButtons(QFrame* panel);
    void ShowFlags();
    static void ShowWord(QLineEdit* field, Value word);
};

}  // namespace q42
