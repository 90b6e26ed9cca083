#include "desktop/exercise_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

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
                               const std::vector<CaseResult>& caseResults)
    : QDialog(parent, kDialogFlags) {
    setObjectName(QStringLiteral("exerciseResults"));
    setWindowTitle(title);
    resize(680, 320);
    results = new QTableWidget(static_cast<int>(caseResults.size()), 3, this);
    results->setObjectName(QStringLiteral("results"));
    results->setAccessibleName(title);  // a screen reader reads the table by the check's title
    QStringList columns;
    for (const std::string& column : ExerciseColumnTitles())
        columns << QString::fromStdString(column);
    results->setHorizontalHeaderLabels(columns);
    results->verticalHeader()->hide();
    results->setWordWrap(true);
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(results);
    layout->addWidget(summary);
    layout->addWidget(buttons);
}

}  // namespace q42
