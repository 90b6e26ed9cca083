#pragma once
// The results of checking the editor's program against an exercise, as a student sees them: a
// row for each case with PASS or FAIL and its differences and notes (a hidden case shows only
// its name and PASS or FAIL), how many passed, the points, and the assembler's warnings. A case
// may be chosen to open in the debugger, by a double-click on its row or the "Debug this case"
// button; the dialog then closes.

#include <QDialog>
#include <optional>
#include <vector>

#include "exercise/checker.h"

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace q42 {

class ExerciseDialog : public QDialog {
    Q_OBJECT
  public:
    // `mayOpen`: for each case, whether it may be opened in the debugger.
    ExerciseDialog(QWidget* parent, const QString& title, const ProgramResult& result,
                   std::vector<bool> mayOpen);

    QTableWidget* results = nullptr;
    QLabel* summary = nullptr;
    QPushButton* debugCase = nullptr;
    // The case chosen to open in the debugger, by its row.
    std::optional<int> chosenCase;

  private:
    std::vector<bool> mayOpen_;

    void AddDebugButton(QDialogButtonBox& buttons, const std::vector<CaseResult>& cases);
    bool MayOpen(int row) const;
    void Choose(int row);
};

}  // namespace q42
