#pragma once
// The results of checking the editor's program against an exercise, as a student sees them: a
// row for each case with PASS or FAIL and its differences and notes (a hidden case shows only
// its name and PASS or FAIL), how many passed, the points, and the assembler's warnings.

#include <QDialog>
#include <vector>

#include "exercise/checker.h"

class QLabel;
class QTableWidget;

namespace q42 {

class ExerciseDialog : public QDialog {
    Q_OBJECT
  public:
    ExerciseDialog(QWidget* parent, const QString& title, const ProgramResult& result);

    QTableWidget* results = nullptr;
    QLabel* summary = nullptr;
};

}  // namespace q42
