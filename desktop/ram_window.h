#pragma once
// The RAM window: every RAM word as an address and a value; a double-click decodes from a row.

#include "desktop/fixed_window.h"

class QTableWidget;

namespace q42 {

class Workbench;

class RamWindow : public FixedWindow {
    Q_OBJECT
  public:
    explicit RamWindow(Workbench& bench);

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
    Workbench& bench_;
};

}  // namespace q42
