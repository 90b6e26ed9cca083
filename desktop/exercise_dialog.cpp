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

ExerciseDialog::ExerciseDialog(QWidget* parent, const QString& title,
                               const std::vector<CaseResult>& caseResults,
                               std::vector<bool> mayOpen)
    : QDialog(parent, kDialogFlags), mayOpen_(std::move(mayOpen)) {
    setObjectName(QStringLiteral("exerciseResults"));
    setWindowTitle(title);
    resize(680, 320);
    results = new QTableWidget(static_cast<int>(caseResults.size()), 3, this);
    results->setObjectName(QStringLiteral("results"));
    QStringList columns;
    for (const std::string& column : ExerciseColumnTitles())
        columns << QString::fromStdString(column);
    results->setHorizontalHeaderLabels(columns);
    results->verticalHeader()->hide();
    results->setWordWrap(true);
    results->setSelectionBehavior(QAbstractItemView::SelectRows);
    results->setSelectionMode(QAbstractItemView::SingleSelection);
    results->horizontalHeader()->setStretchLastSection(true);
    int passed = 0;
    for (int row = 0; row < results->rowCount(); ++row) {
        const CaseResult& result = caseResults[static_cast<std::size_t>(row)];
        QStringList differences;
        for (const std::string& difference : result.differences)
            differences << QString::fromStdString(difference);
        QTableWidgetItem* verdict = Cell(QString::fromUtf8(CaseVerdict(result.Passed())));
        verdict->setBackground(result.Passed() ? kPassColor : kFailColor);
        results->setItem(row, 0, Cell(QString::fromStdString(result.name)));
        results->setItem(row, 1, verdict);
        results->setItem(row, 2, Cell(differences.join(QLatin1Char('\n'))));
        passed += result.Passed() ? 1 : 0;
    }
    results->resizeColumnsToContents();
    results->horizontalHeader()->setStretchLastSection(true);
    results->resizeRowsToContents();

    summary = new QLabel(
        QString::fromStdString(ExerciseSummary(passed, results->rowCount() - passed)), this);
    summary->setObjectName(QStringLiteral("summary"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    debugCase =
        buttons->addButton(QString::fromStdString(DebugCaseButton()), QDialogButtonBox::ActionRole);
    debugCase->setObjectName(QStringLiteral("debugCase"));
    connect(debugCase, &QPushButton::clicked, this, [this] { Choose(results->currentRow()); });
    connect(results, &QTableWidget::cellDoubleClicked, this, [this](int row) { Choose(row); });
    connect(results, &QTableWidget::currentCellChanged, this,
            [this](int row) { debugCase->setEnabled(MayOpen(row)); });
    // The first failed case is the one to look at.
    const auto failed = std::find_if(caseResults.begin(), caseResults.end(),
                                     [](const CaseResult& result) { return !result.Passed(); });
    results->setCurrentCell(
        failed == caseResults.end() ? 0 : static_cast<int>(failed - caseResults.begin()), 0);
    debugCase->setEnabled(MayOpen(results->currentRow()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(results);
    layout->addWidget(summary);
    layout->addWidget(buttons);
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
