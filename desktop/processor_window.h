#pragma once
// The processor window: the registers and flags, their editing, the run-control buttons and the
// speed of runs.

#include <array>
#include <functional>

#include "desktop/fixed_window.h"
#include "machine/common.h"

class QComboBox;
class QFrame;
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
    // The speeds' names in the interface language.
    void NameSpeeds();

    // Copies the register fields into the registers; a field that holds no hex word is reported
    // and leaves its register as it was.
    void ApplyRegisterEdits();

  private:
    Machine& machine_;
    ProgramCommands& commands_;
    UserDialogs& dialogs_;

    QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width);
    QToolButton* MakeButton(const char* name, int x, int y, int size, int icon,
                            std::function<void()> command);
    QFrame* CreateRegisterPanel(const QFont& font);
    void CreateButtons(QFrame* panel);
    void CreateSpeedBox();
    void ShowFlags();
    static void ShowWord(QLineEdit* field, Value word);
};

}  // namespace q42
