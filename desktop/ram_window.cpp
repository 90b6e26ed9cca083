#include "desktop/ram_window.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <utility>

#include "desktop/debug_texts.h"
#include "desktop/number_tip.h"
#include "desktop/program_commands.h"
#include "desktop/run_colors.h"

namespace q42 {

RamWindow::RamWindow(Machine& machine, ProgramCommands& commands)
    : machine_(machine), commands_(commands) {
    setObjectName(QStringLiteral("TFormRAM"));
    setFixedSize(152, 516);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);

    RAM = new QTableWidget(kRamWords, 2, this);
    RAM->setObjectName(QStringLiteral("RAM"));
    RAM->setGeometry(8, 8, 137, 497);
    QFont gridFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    gridFont.setPixelSize(16);
    gridFont.setBold(true);
    RAM->setFont(gridFont);
    RAM->verticalHeader()->hide();
    RAM->verticalHeader()->setDefaultSectionSize(24);
    RAM->horizontalHeader()->setFixedHeight(24);
    RAM->setColumnWidth(0, 60);
    RAM->setColumnWidth(1, 60);
    RAM->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RAM->setSelectionBehavior(QAbstractItemView::SelectItems);
    for (int row = 0; row < kRamWords; ++row) {
        // The address column is fixed: it shows but cannot be selected.
        auto* address = new QTableWidgetItem(QString::fromStdString(WordToHex(Value{row} * 2)));
        address->setFlags(Qt::ItemIsEnabled);
        address->setBackground(palette().button());
        RAM->setItem(row, 0, address);
        RAM->setItem(row, 1, new QTableWidgetItem);
    }
    RAM->setCurrentCell(0, 1);
    connect(RAM, &QTableWidget::cellDoubleClicked, this, [this] { OpenDecoderAtRow(); });
    RAM->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RAM, &QWidget::customContextMenuRequested, this, [this](const QPoint& where) {
        const int row = RAM->rowAt(where.y());
        if (row >= 0) ShowRowMenu(row, RAM->viewport()->mapToGlobal(where));
    });
    RAM->viewport()->installEventFilter(this);
    FormShow();
}

// A cell's four hex digits, and the same word in every other reading as its tooltip.
void RamWindow::ShowCell(int row) {
    const Value word = machine_.State().ram[row];
    QTableWidgetItem* cell = RAM->item(row, 1);
    cell->setText(QString::fromStdString(WordToHex(word)));
    cell->setToolTip(NumberTip(word));
}

void RamWindow::FormShow() {
    // Memory's real contents, also when the window is shown again after the machine ran.
    for (int row = 0; row < kRamWords; ++row) {
        ShowCell(row);
    }
    machine_.TakeChangedRam();
}

void RamWindow::ShowChangedCells() {
    const auto changed = machine_.TakeChangedRam();
    for (int row = 0; row < kRamWords; ++row) {
        if (changed[row]) ShowCell(row);
    }
}

void RamWindow::OpenDecoderAtRow() {
    const int row = std::max(0, RAM->currentRow());
    commands_.DecodeFrom(Value{row} * 2);  // the row's address
}

void RamWindow::MarkRows(Value pc, Value sp, const std::set<Value>& breakpoints) {
    for (int row = 0; row < kRamWords; ++row) {
        const Value address = Value{row} * 2;
        QTableWidgetItem* cell = RAM->item(row, 0);
        const bool marked = breakpoints.count(address) != 0;
        QBrush background = palette().button();
        if (address == sp) background = kStackColor;
        if (address == pc) background = kRunLineColor;
        cell->setBackground(background);
        cell->setForeground(marked ? QBrush(kBreakpointColor) : palette().text());
    }
}

void RamWindow::LightChanges(const MachineState& before, const MachineState& after) {
    for (int row = 0; row < kRamWords; ++row) {
        const bool lit = before.ram[row] != after.ram[row];
        if (lit == lit_[row]) continue;
        lit_[row] = lit;
        RAM->item(row, 1)->setBackground(lit ? QBrush(kChangedColor) : QBrush());
    }
}

void RamWindow::ShowRowMenu(int row, const QPoint& where) {
    const Value address = Value{row} * 2;
    QMenu menu(this);
    QAction* breakpoint = menu.addAction(RamBreakpointItem(commands_.RamBreakpoint(address)));
    breakpoint->setObjectName(QStringLiteral("RamBreakpoint"));
    connect(breakpoint, &QAction::triggered, this,
            [this, address] { commands_.ToggleRamBreakpoint(address); });
    menu.exec(where);
}

void RamWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

// The address column is fixed: a click there leaves the selection as it was, and a double-click
// decodes from the row selected before.
bool RamWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (RAM->columnAt(mouse->position().toPoint().x()) != 0)
        return QWidget::eventFilter(watched, event);
    if (type == QEvent::MouseButtonDblClick) OpenDecoderAtRow();
    return true;
}

}  // namespace q42
