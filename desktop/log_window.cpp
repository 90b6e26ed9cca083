#include "desktop/log_window.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/accessible_names.h"
#include "desktop/captions.h"
#include "desktop/debug_texts.h"
#include "desktop/fixed_window.h"
#include "desktop/program_commands.h"
#include "desktop/qt_text.h"

namespace q42 {
namespace {

enum Column { kAddress, kStatement, kChanges, kExplanation, kColumns };

// Explanations kept at once: enough for every row in view many times over.
constexpr std::size_t kKeptExplanations = 4096;

}  // namespace

LogModel::LogModel(Debugger& debugger, std::function<bool()> canExplain)
    : debugger_(debugger), canExplain_(std::move(canExplain)) {}

int LogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int LogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

const StepExplanation* LogModel::Explained(int row) const {
    const std::int64_t logRow = first_ + row;
    if (const auto found = explained_.find(logRow); found != explained_.end())
        return &found->second;
    if (!canExplain_()) return nullptr;
    auto explanation = debugger_.Explain(PositionOfRow(row));
    if (!explanation) return nullptr;
    if (explained_.size() >= kKeptExplanations) explained_.clear();
    return &explained_.emplace(logRow, std::move(*explanation)).first->second;
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const StepExplanation* step = Explained(index.row());
    if (step == nullptr) return QStringLiteral("…");
    switch (index.column()) {
        case kAddress: return ToQt(WordToHex(step->address));
        case kStatement: return QString::fromStdString(step->text);
        case kChanges: return ChangesText(*step);
        case kExplanation: {
            // The step told with its values; its tooltip adds the table's rule for the operation.
            const QString story = QString::fromStdString(step->story);
            if (role != Qt::ToolTipRole || step->does.empty()) return story;
            return story + QLatin1Char('\n') + QString::fromStdString(step->does);
        }
        default: return {};
    }
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return QString::number(PositionOfRow(section).step);
    return LogColumnTitles().value(section);
}

void LogModel::Update() {
    const std::int64_t all = debugger_.LogRows();
    const int rows = static_cast<int>(std::min(all, kMaxRows));
    const std::int64_t first = all - rows;
    if (debugger_.Generation() != generation_ || first != first_ || rows < rows_) {
        beginResetModel();
        explained_.clear();
        rows_ = rows;
        first_ = first;
        generation_ = debugger_.Generation();
        endResetModel();
    } else if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
}

int LogModel::CurrentRow() const {
    const std::int64_t row = debugger_.CurrentRow() - first_;
    return row >= 0 && row < rows_ ? static_cast<int>(row) : -1;
}

LogWindow::LogWindow(Debugger& debugger, ProgramCommands& commands,
                     std::function<bool()> canExplain)
    : QWidget(nullptr, kMainWindowFlags),
      debugger_(debugger),
      commands_(commands),
      model_(debugger, std::move(canExplain)) {
    setObjectName(QStringLiteral("executionLog"));
    setWindowTitle(TitleOf(*this));
    resize(760, 320);
    log = new QTableView(this);
    log->setObjectName(QStringLiteral("log"));
    log->setModel(&model_);
    log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    log->setSelectionBehavior(QAbstractItemView::SelectRows);
    log->setSelectionMode(QAbstractItemView::SingleSelection);
    log->setEditTriggers(QAbstractItemView::NoEditTriggers);
    log->setWordWrap(false);
    // Every row as high as the others, so that millions of them cost nothing to lay out.
    log->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    log->verticalHeader()->setDefaultSectionSize(log->fontMetrics().height() + 4);
    // Only the rows in view are measured, for a log may hold millions.
    log->horizontalHeader()->setResizeContentsPrecision(0);
    log->horizontalHeader()->setStretchLastSection(false);
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { contentWidths_.clear(); });
    log->viewport()->installEventFilter(this);
    connect(log->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { FitColumns(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(log);
    connect(log->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) commands_.TravelTo(model_.PositionOfRow(current.row()));
            });
    NameControls(*this);
}

void LogWindow::Update() {
    model_.Update();
    const int row = model_.CurrentRow();
    const QSignalBlocker quiet(log->selectionModel());
    if (row < 0) {
        log->selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_.index(row, kAddress);
    log->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    log->viewport()->update();
    // Once the view has laid out the new rows.
    if (isVisible()) {
        QTimer::singleShot(0, log, [this] {
            log->doItemsLayout();  // the rows' layout may still wait for its timer
            log->scrollTo(log->currentIndex());
            // The rows now in view may widen a column and bring the horizontal scroll bar,
            // which takes height from the rows: the current one is brought into view again.
            FitColumns();
            log->scrollTo(log->currentIndex());
        });
    }
}

int LogWindow::UsefulHeight() const {
    constexpr int kRows = 4;
    const QMargins margins = layout()->contentsMargins();
    return margins.top() + margins.bottom() + 2 * log->frameWidth() +
           log->horizontalHeader()->sizeHint().height() +
           kRows * log->verticalHeader()->defaultSectionSize();
}

// The view's size changes with the window's and when a scroll bar comes or goes: the columns
// fit it again, and the current row stays whole.
bool LogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == log->viewport() && event->type() == QEvent::Resize) {
        FitColumns();
        // Only a row the resize cut: a user who scrolled away stays where they are. The row is
        // judged once the view has taken the new size, and its scroll range with it.
        const QRect current = log->visualRect(log->currentIndex());
        const QRect view = log->viewport()->rect();
        if (current.intersects(view) && !view.contains(current)) {
            QTimer::singleShot(0, log, [this] { log->scrollTo(log->currentIndex()); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LogWindow::FitColumns() {
    // A hidden view would measure every row.
    if (!log->isVisible()) return;
    const int columns = model_.columnCount();
    contentWidths_.resize(static_cast<std::size_t>(columns));
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        const int width =
            std::max(static_cast<const QAbstractItemView*>(log)->sizeHintForColumn(column),
                     log->horizontalHeader()->sectionSizeHint(column));
        int& widest = contentWidths_[static_cast<std::size_t>(column)];
        widest = std::max(widest, width);
        total += widest;
    }
    const int spare = std::max(0, log->viewport()->width() - total);
    for (int column = 0; column < columns; ++column) {
        log->setColumnWidth(column, contentWidths_[static_cast<std::size_t>(column)] +
                                        (column == kStatement ? spare : 0));
    }
}

}  // namespace q42
