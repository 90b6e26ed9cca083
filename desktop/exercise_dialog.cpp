#include "desktop/exercise_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "desktop/fixed_window.h"
#include "exercise/result_texts.h"

namespace q42 {
namespace {

const QColor kPassColor{0xC8, 0xE6, 0xC9};
const QColor kFailColor{0xFF, 0xCD, 0xD2};

QTableWidgetItem* Cell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

}  // namespace

ExerciseDialog::ExerciseDialog(QWidget* parent, const QString& title, const ProgramResult& result,
                               std::vector<bool> mayOpen)
    : QDialog(parent, kDialogFlags), mayOpen_(std::move(mayOpen)) {
    setObjectName(QStringLiteral("exerciseResults"));
    setWindowTitle(title);
    resize(680, 320);
    results = new QTableWidget(static_cast<int>(result.cases.size()), 3, this);
    results->setObjectName(QStringLiteral("results"));
    results->setAccessibleName(title);  // a screen reader reads the table by the check's title
    QStringList columns;
    for (const std::string& column : ExerciseColumnTitles())
        columns << QString::fromStdString(column);
    results->setHorizontalHeaderLabels(columns);
    results->verticalHeader()->hide();
    results->setWordWrap(true);
    results->setSelectionBehavior(QAbstractItemView::SelectRows);
    results->setSelectionMode(QAbstractItemView::SingleSelection);
    results->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < results->rowCount(); ++row) {
        const CaseResult shown = ShownToStudent(result.cases[static_cast<std::size_t>(row)]);
        QStringList details;
        for (const std::string& line : shown.differences)
            details << QString::fromStdString(line);
        for (const std::string& note : shown.notes)
            details << QString::fromStdString(note);
        QTableWidgetItem* verdict = Cell(QString::fromUtf8(CaseVerdict(shown.Passed())));
        verdict->setBackground(shown.Passed() ? kPassColor : kFailColor);
        results->setItem(row, 0, Cell(QString::fromStdString(shown.name)));
        results->setItem(row, 1, verdict);
        results->setItem(row, 2, Cell(details.join(QLatin1Char('\n'))));
    }
    results->resizeColumnsToContents();
    results->horizontalHeader()->setStretchLastSection(true);
    results->resizeRowsToContents();

    QStringList summaryLines = {QString::fromStdString(
        ExerciseSummary(result.PassedCases(), results->rowCount() - result.PassedCases(),
                        result.Points(), result.MaxPoints()))};
    for (const std::string& warning : result.warnings)
        summaryLines << QString::fromStdString(warning);
    summary = new QLabel(summaryLines.join(QLatin1Char('\n')), this);
    summary->setObjectName(QStringLiteral("summary"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddDebugButton(*buttons, result.cases);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(results);
    layout->addWidget(summary);
    layout->addWidget(buttons);
}

// The button that opens the current case, which starts at the first failed case; a
// double-click on a row opens that row's case.
void ExerciseDialog::AddDebugButton(QDialogButtonBox& buttons,
                                    const std::vector<CaseResult>& cases) {
    debugCase =
        buttons.addButton(QString::fromStdString(DebugCaseButton()), QDialogButtonBox::ActionRole);
    debugCase->setObjectName(QStringLiteral("debugCase"));
    connect(debugCase, &QPushButton::clicked, this, [this] { Choose(results->currentRow()); });
    connect(results, &QTableWidget::cellDoubleClicked, this, [this](int row) { Choose(row); });
    connect(results, &QTableWidget::currentCellChanged, this,
            [this](int row) { debugCase->setEnabled(MayOpen(row)); });
    const auto failed =
        std::find_if(cases.begin(), cases.end(), [](const CaseResult& c) { return !c.Passed(); });
    results->setCurrentCell(failed == cases.end() ? 0 : static_cast<int>(failed - cases.begin()),
                            0);
    debugCase->setEnabled(MayOpen(results->currentRow()));
}

bool ExerciseDialog::MayOpen(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < mayOpen_.size() &&
           mayOpen_[static_cast<std::size_t>(row)];
}

void ExerciseDialog::Choose(int row) {
    if (!MayOpen(row)) return;
    chosenCase = row;
    accept();
}

}  // namespace q42
