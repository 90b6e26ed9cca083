#pragma once
// The results of checking the editor's program against an exercise: a row for each case with
// PASS or FAIL and its differences, and how many passed. A case may be chosen to open in the
// debugger, by a double-click on its row or the "Debug this case" button; the dialog then
// closes.

#include <QDialog>
#include <optional>
#include <vector>

#include "exercise/checker.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace q42 {

class ExerciseDialog : public QDialog {
    Q_OBJECT
  public:
    // `mayOpen`: for each case, whether it may be opened in the debugger.
    ExerciseDialog(QWidget* parent, const QString& title, const std::vector<CaseResult>& results,
                   std::vector<bool> mayOpen);

    QTableWidget* results = nullptr;
    QLabel* summary = nullptr;
    QPushButton* debugCase = nullptr;
    // The case chosen to open in the debugger, by its row.
    std::optional<int> chosenCase;

  private:
    std::vector<bool> mayOpen_;

    bool MayOpen(int row) const;
    void Choose(int row);
};

}  // namespace q42
