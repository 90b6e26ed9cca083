#include "desktop/ram_window.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <utility>

#include "desktop/accessible_names.h"

#include "desktop/captions.h"
#include "desktop/debug_texts.h"
#include "desktop/number_tip.h"
#include "desktop/program_commands.h"
#include "desktop/run_colors.h"

namespace q42 {

RamWindow::RamWindow(Machine& machine, ProgramCommands& commands)
    : machine_(machine), commands_(commands) {
    setObjectName(QStringLiteral("TFormRAM"));
    setWindowTitle(TitleOf(*this));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);
    CreateTable();
    PlaceComponents();
    NameControls(*this);
    ShowAllCells();
}

void RamWindow::CreateTable() {
    ramTable = new QTableWidget(kRamWords, 2, this);
    ramTable->setObjectName(QStringLiteral("RAM"));
    ramTable->setToolTip(CaptionOf(*this, "RAM"));
    ramTable->setHorizontalHeaderLabels({CaptionOf(*this, "RAM:0"), CaptionOf(*this, "RAM:1")});
    QFont gridFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    gridFont.setPixelSize(16);
    gridFont.setBold(true);
    ramTable->setFont(gridFont);
    ramTable->verticalHeader()->hide();
    ramTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ramTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    for (int row = 0; row < kRamWords; ++row) {
        // The address column is fixed: it shows but cannot be selected.
        auto* address = new QTableWidgetItem(QString::fromStdString(WordToHex(Value{row} * 2)));
        address->setFlags(Qt::ItemIsEnabled);
        address->setBackground(palette().button());
        ramTable->setItem(row, 0, address);
        ramTable->setItem(row, 1, new QTableWidgetItem);
    }
    ramTable->setCurrentCell(0, 1);
    connect(ramTable, &QTableWidget::cellDoubleClicked, this, [this] { OpenDecoderAtRow(); });
    ramTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ramTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& where) {
        const int row = ramTable->rowAt(where.y());
        if (row >= 0) ShowRowMenu(row, ramTable->viewport()->mapToGlobal(where));
    });
    ramTable->viewport()->installEventFilter(this);
}

// Where the table stands and how large its rows and columns are, in pixels.
void RamWindow::PlaceComponents() {
    setFixedSize(152, 516);
    ramTable->setGeometry(8, 8, 137, 497);
    ramTable->verticalHeader()->setDefaultSectionSize(24);
    ramTable->horizontalHeader()->setFixedHeight(24);
    ramTable->setColumnWidth(0, 60);
    ramTable->setColumnWidth(1, 60);
}

// A cell's four hex digits, and the same word in every other reading as its tooltip.
void RamWindow::ShowCell(int row) {
    const Value word = machine_.State().ram[row];
    QTableWidgetItem* cell = ramTable->item(row, 1);
    cell->setText(QString::fromStdString(WordToHex(word)));
    cell->setToolTip(NumberTip(word));
}

void RamWindow::ShowAllCells() {
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
    const int row = std::max(0, ramTable->currentRow());
    commands_.DecodeFrom(Value{row} * 2);  // the row's address
}

void RamWindow::MarkRows(Value pc, Value sp, const std::set<Value>& breakpoints) {
    for (int row = 0; row < kRamWords; ++row) {
        const Value address = Value{row} * 2;
        QTableWidgetItem* cell = ramTable->item(row, 0);
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
        ramTable->item(row, 1)->setBackground(lit ? QBrush(kChangedColor) : QBrush());
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
    ShowAllCells();
}

// The address column is fixed: a click there leaves the selection as it was, and a double-click
// decodes from the row selected before.
bool RamWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (ramTable->columnAt(mouse->position().toPoint().x()) != 0)
        return QWidget::eventFilter(watched, event);
    if (type == QEvent::MouseButtonDblClick) OpenDecoderAtRow();
    return true;
}

}  // namespace q42
