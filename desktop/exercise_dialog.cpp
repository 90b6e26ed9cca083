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
                               const ProgramResult& result)
    : QDialog(parent, kDialogFlags) {
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
    results->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < results->rowCount(); ++row) {
        const CaseResult shown = ShownToStudent(result.cases[static_cast<std::size_t>(row)]);
        QStringList details;
        for (const std::string& line : shown.differences)
            details << QString::fromStdString(line);
        for (const std::string& note : shown.notes)
            details << QString::fromStdString(note);
        QTableWidgetItem* verdict =
            Cell(QString::fromUtf8(CaseVerdict(shown.Passed())));
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(results);
    layout->addWidget(summary);
    layout->addWidget(buttons);
}

}  // namespace q42
