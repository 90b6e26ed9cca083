#pragma once
// The processor window: the registers and flags, their editing, the run-control buttons and the
// speed of runs.

#include <array>
#include <functional>

#include "desktop/fixed_window.h"
#include "machine/common.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace q42 {

class Machine;
struct MachineState;
class ProgramCommands;
class UserDialogs;

class ProcessorWindow : public FixedWindow {
    Q_OBJECT
  public:
    ProcessorWindow(Machine& machine, ProgramCommands& commands, UserDialogs& dialogs);

    std::array<QLineEdit*, 4> registerFields{};  // R0..R3
    QLineEdit* pcField = nullptr;
    QLineEdit* spField = nullptr;
    QLineEdit* psField = nullptr;
    QLineEdit* nFlagField = nullptr;
    QLineEdit* zFlagField = nullptr;
    QToolButton* buildAndRunButton = nullptr;
    QToolButton* loadAndRunButton = nullptr;
    QToolButton* stopButton = nullptr;
    QToolButton* firstCommandButton = nullptr;
    QToolButton* nextCommandButton = nullptr;
    QToolButton* decodeButton = nullptr;
    QToolButton* applyRegistersButton = nullptr;  // copies the fields into the registers
    QComboBox* speedBox = nullptr;

    // Writes every register into its field, then the flags.
    void ShowRegisters();
    // Writes the fields the machine changed since they were last shown.
    void ShowChangedRegisters();
    void SetRunState(bool running);
    // Lights the fields whose values differ between the two states; the others are plain again.
    void LightChanges(const MachineState& before, const MachineState& after);

    // Copies the register fields into the registers; a field that holds no hex word is reported
    // and leaves its register as it was.
    void ApplyRegisterEdits();

  private:
    Machine& machine_;
    ProgramCommands& commands_;
    UserDialogs& dialogs_;

    // The components that only show: the panels, the picture and the fields' names.
    QFrame* registerPanel_ = nullptr;
    QFrame* flagsPanel_ = nullptr;
    QLabel* chip_ = nullptr;
    QLabel* welcome_ = nullptr;
    std::array<QLabel*, 6> registerNames_{};  // R0..R3, PC, SP
    QLabel* psName_ = nullptr;
    QLabel* flagsArrow_ = nullptr;
    QLabel* zName_ = nullptr;
    QLabel* nName_ = nullptr;

    QToolButton* MakeButton(const char* name, int icon, std::function<void()> command);
    void CreateRegisterPanel(const QFont& font);
    void CreateButtons();
    void CreateSpeedBox();
    void OrderTabs();
    void PlaceComponents();
    void ShowFlags();
    static void ShowWord(QLineEdit* field, Value word);
};

}  // namespace q42
