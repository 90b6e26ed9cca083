#pragma once
// The results of checking the editor's program against an exercise: a row for each case with
// PASS or FAIL and its differences, and how many passed.

#include <QDialog>
#include <vector>

#include "exercise/checker.h"

class QLabel;
class QTableWidget;

namespace q42 {

class ExerciseDialog : public QDialog {
    Q_OBJECT
  public:
    ExerciseDialog(QWidget* parent, const QString& title, const std::vector<CaseResult>& results);

    QTableWidget* results = nullptr;
    QLabel* summary = nullptr;
};

}  // namespace q42
