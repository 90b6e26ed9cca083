#pragma once
// The RAM window: every RAM word as an address and a value; a double-click decodes from a row,
// and its context menu sets or clears a breakpoint there. The rows at PC and SP and the rows with
// a breakpoint are marked on their address, and the words the last step or run changed are lit.

#include <set>

#include "desktop/fixed_window.h"
#include "machine/machine.h"

class QTableWidget;

namespace q42 {

class Machine;
class ProgramCommands;

class RamWindow : public FixedWindow {
    Q_OBJECT
  public:
    RamWindow(Machine& machine, ProgramCommands& commands);

    QTableWidget* ramTable = nullptr;  // an address and a value for each word

    // Fills the grid from memory.
    void ShowAllCells();
    // Writes the cells of the words the machine changed since they were last shown.
    void ShowChangedCells();
    // Decodes from the selected row's address.
    void OpenDecoderAtRow();
    // Marks the rows at PC and SP (none when the address is outside RAM) and those with a
    // breakpoint.
    void MarkRows(Value pc, Value sp, const std::set<Value>& breakpoints);
    // Lights the words that differ between the two states; the others are plain again.
    void LightChanges(const MachineState& before, const MachineState& after);
    // The context menu of the row at `row`.
    void ShowRowMenu(int row, const QPoint& where);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Machine& machine_;
    ProgramCommands& commands_;
    std::array<bool, kRamWords> lit_{};

    void CreateTable();
    void PlaceComponents();
    void ShowCell(int row);
};

}  // namespace q42
