#pragma once
// The RAM window: every RAM word as an address and a value; a double-click decodes from a row.

#include "desktop/fixed_window.h"

class QTableWidget;

namespace q42 {

class Machine;
class ProgramCommands;

class RamWindow : public FixedWindow {
    Q_OBJECT
  public:
    RamWindow(Machine& machine, ProgramCommands& commands);

    QTableWidget* RAM = nullptr;

    // Fills the grid from memory.
    void FormShow();
    // Writes the cells of the words the machine changed since they were last shown.
    void ShowChangedCells();
    // Decodes from the selected row's address.
    void OpenDecoderAtRow();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Machine& machine_;
    ProgramCommands& commands_;

    void ShowCell(int row);
};

}  // namespace q42
