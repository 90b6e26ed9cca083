#pragma once
// The execution log: one row per step of the current run (two for a step that read input), newest
// last, with the step's address, statement, changes and explanation. The rows are a model over the
// session's history, so a run of millions of steps costs no widgets: a row is explained only when
// it is shown. Selecting a row takes the whole machine to that step.

#include <QAbstractTableModel>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "session/debugger.h"

class QTableView;

namespace q42 {

class ProgramCommands;

class LogModel : public QAbstractTableModel {
  public:
    // `canExplain` says whether the history may be gone through now: not in the middle of a step.
    LogModel(Debugger& debugger, std::function<bool()> canExplain);

    // The most rows shown: the newest of a longer run.
    static constexpr std::int64_t kMaxRows = 10'000'000;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Follows the history: new steps become new rows, and a history begun again new rows
    // altogether.
    void Update();
    // The step, or the input part of a step, that a row shows.
    LogPosition PositionOfRow(int row) const { return debugger_.LogRow(first_ + row); }
    // The row of where the machine is, or -1 when it has none (step 0, before the first).
    int CurrentRow() const;

  private:
    Debugger& debugger_;
    std::function<bool()> canExplain_;
    int rows_ = 0;
    std::int64_t first_ = 0;  // the log row of row 0
    std::uint64_t generation_ = 0;
    mutable std::unordered_map<std::int64_t, StepExplanation> explained_;

    const StepExplanation* Explained(int row) const;
};

class LogWindow : public QWidget {
    Q_OBJECT
  public:
    LogWindow(Debugger& debugger, ProgramCommands& commands, std::function<bool()> canExplain);

    QTableView* log = nullptr;

    // After a command: the new rows, and the row of the machine's step selected and in view.
    void Update();
    LogModel& Model() { return model_; }
    // The window's height (without its frame) that shows a few rows: less is not worth opening.
    int UsefulHeight() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Debugger& debugger_;
    ProgramCommands& commands_;
    LogModel model_;
    // The widest text each column has shown since the rows began again.
    std::vector<int> contentWidths_;

    // Each column as wide as its text in the rows in view (and the widest before them), the
    // instruction column taking the width that is left.
    void FitColumns();
};

}  // namespace q42
