#include "desktop/assembler_window.h"
#include "desktop/asm_highlighter.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTableWidget>
#include <QTextBlock>
#include <QToolButton>

#include "assembler/assembler.h"
#include "desktop/captions.h"
#include "desktop/fixed_window.h"
#include "desktop/operation_tips.h"
#include "desktop/program_commands.h"
#include "desktop/qt_text.h"
#include "desktop/user_dialogs.h"
#include "session/session.h"

namespace q42 {
namespace {

QFont FixedFont(int pixels) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixels);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int pixels,
                  const QColor& color) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->move(x, y);
    label->setMinimumWidth(parent->width() - x - 8);
    return label;
}

// The build date, as the window shows it: day.month year.
QString BuildDate() {
    const QDate date = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(),
                                           QStringLiteral("MMM d yyyy"));
    return date.toString(QStringLiteral("dd.MM yy"));
}

}  // namespace

AssemblerWindow::AssemblerWindow(Session& session, ProgramCommands& commands, UserDialogs& dialogs)
    : QMainWindow(nullptr, kMainWindowFlags),
      session_(session),
      commands_(commands),
      dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm1"));
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setWindowTitle(QStringLiteral("Form1"));
    auto* client = new QWidget(this);
    client->setFixedSize(742, 496);
    setCentralWidget(client);
    QFont font = client->font();
    font.setPixelSize(11);
    client->setFont(font);
    CreateTexts(client);
    CreateStatusArea(client);
    CreateMenus();
    ClearCodeAndLabels();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The assembler text, the code text and the label table, side by side.
void AssemblerWindow::CreateTexts(QWidget* client) {
    asmText = new CodeEditor(client);
    asmText->setObjectName(QStringLiteral("asmText"));
    new AsmHighlighter(asmText->document());
    asmText->setGeometry(8, 8, 345, 417);
    asmText->setFont(FixedFont(16));
    asmText->setLineWrapMode(QPlainTextEdit::NoWrap);
    new OperationTips(asmText);
    asmText->setPlainText(QStringLiteral(";asmText\n\nhlt"));
    asmText->document()->setModified(false);
    connect(asmText->document(), &QTextDocument::modificationChanged, this,
            [this] { ShowTitle(); });
    connect(asmText, &CodeEditor::breakpointsChanged, this,
            [this] { commands_.BreakpointsChanged(); });

    codeText = new QPlainTextEdit(client);
    codeText->setObjectName(QStringLiteral("codeText"));
    codeText->setGeometry(368, 8, 137, 417);
    codeText->setFont(FixedFont(16));
    codeText->setLineWrapMode(QPlainTextEdit::NoWrap);

    labels = new QTableWidget(client);
    labels->setObjectName(QStringLiteral("labels"));
    labels->setGeometry(520, 8, 217, 369);
    labels->setFont(FixedFont(16));
    labels->setColumnCount(LabelGrid::kColumns);
    labels->verticalHeader()->hide();
    labels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    labels->setFocusPolicy(Qt::NoFocus);
    labels->setColumnWidth(0, 114);
    labels->setColumnWidth(1, 23);
    labels->setColumnWidth(2, 54);
    labels->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    labels->setHorizontalHeaderLabels({QString(), QString(), QString()});
}

// Under the label table the compile button and the build date; along the bottom the two status
// lines.
void AssemblerWindow::CreateStatusArea(QWidget* client) {
    SpeedButton1 = new QToolButton(client);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(520, 384, 40, 40);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SpeedButton1->setIconSize(QSize(28, 28));
    SpeedButton1->setAutoRaise(true);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { PreprocessAndCompile(); });

    LineLab = MakeLabel(client, QString(), 8, 432, 21, palette().color(QPalette::WindowText));
    LineLab->setObjectName(QStringLiteral("LineLab"));
    ErrLab = MakeLabel(client, QString(), 8, 464, 21, QColor(128, 0, 0));
    ErrLab->setObjectName(QStringLiteral("ErrLab"));
    MakeLabel(client, QStringLiteral("Q42"), 600, 392, 11, Qt::gray)
        ->setObjectName(QStringLiteral("Label1"));
    MakeLabel(client, QStringLiteral("Compilation date - ") + BuildDate(), 600, 416, 10, Qt::gray)
        ->setObjectName(QStringLiteral("Label2"));
    LineLab->setMinimumWidth(730);
    ErrLab->setMinimumWidth(730);
}

QAction* AssemblerWindow::AddItem(QMenu* menu, const char* name, const QKeySequence& shortcut,
                                  void (AssemblerWindow::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(name));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
    return action;
}

QMenu* AssemblerWindow::AddMenu(const char* name) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(name));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Sends a command up to the program.
std::function<void()> AssemblerWindow::OnCommand(void (ProgramCommands::*command)()) {
    return [this, command] { (commands_.*command)(); };
}

// Runs an edit on the editor that has the keyboard, if any; a cut or copy needs a selection.
std::function<void()> AssemblerWindow::OnEditor(void (QPlainTextEdit::*edit)(),
                                                bool needsSelection) {
    return [this, edit, needsSelection] {
        QPlainTextEdit* memo = FocusedMemo();
        if (memo == nullptr || (needsSelection && !memo->textCursor().hasSelection())) return;
        (memo->*edit)();
    };
}

void AssemblerWindow::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateRunMenu();
    CreateDebugMenu();
    CreateHelpMenu();
    // Running, stepping and stopping answer their keys in every window of the program.
    for (QMenu* menu : {runMenu, debugMenu}) {
        for (QAction* action : menu->actions())
            action->setShortcutContext(Qt::ApplicationShortcut);
    }
}

void AssemblerWindow::CreateFileMenu() {
    fileMenu = AddMenu("File1");
    AddItem(fileMenu, "OpenAsm1", QKeySequence(Qt::CTRL | Qt::Key_O),
            &AssemblerWindow::OpenAsm1Click);
    AddItem(fileMenu, "OpenCod1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O),
            &AssemblerWindow::OpenCod1Click);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddItem(fileMenu, "SaveAsm1", QKeySequence(Qt::CTRL | Qt::Key_S),
            &AssemblerWindow::SaveAsm1Click);
    AddItem(fileMenu, "SaveAsmAs1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            &AssemblerWindow::SaveAsmAs1Click);
    AddItem(fileMenu, "SaveCod1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S),
            &AssemblerWindow::SaveCod1Click);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    QMenu* examples = fileMenu->addMenu(QString());
    examples->setObjectName(QStringLiteral("Examples1"));
    for (const QString& name :
         QDir(QStringLiteral(":/examples")).entryList({QStringLiteral("*.asm")})) {
        connect(examples->addAction(name), &QAction::triggered, this,
                [this, name] { OpenExample(name); });
    }
    fileMenu->addSeparator();
    AddItem(fileMenu, "Exit1", {}, &AssemblerWindow::Exit1Click);
}

void AssemblerWindow::CreateEditMenu() {
    editMenu = AddMenu("Edit1");
    const auto item = [this](const char* name, const QKeySequence& keys,
                             void (QPlainTextEdit::*edit)(), bool needsSelection) {
        connect(AddItem(editMenu, name, keys, nullptr), &QAction::triggered, this,
                OnEditor(edit, needsSelection));
    };
    item("Cut1", QKeySequence(Qt::CTRL | Qt::Key_X), &QPlainTextEdit::cut, true);
    item("Copy1", QKeySequence(Qt::CTRL | Qt::Key_C), &QPlainTextEdit::copy, true);
    item("Paste1", QKeySequence(Qt::CTRL | Qt::Key_V), &QPlainTextEdit::paste, false);
    editMenu->addSeparator()->setObjectName(QStringLiteral("N3"));
    item("SelectAll1", QKeySequence(Qt::CTRL | Qt::Key_A), &QPlainTextEdit::selectAll, false);
    editMenu->addSeparator()->setObjectName(QStringLiteral("N4"));
    item("UnDo1", QKeySequence(Qt::CTRL | Qt::Key_Z), &QPlainTextEdit::undo, false);
    editMenu->addSeparator()->setObjectName(QStringLiteral("N5"));
    AddItem(editMenu, "ClearAsm1", {}, &AssemblerWindow::ClearAsm1Click);
    AddItem(editMenu, "ClearCode1", {}, &AssemblerWindow::ClearCodeAndLabels);
}

void AssemblerWindow::CreateViewMenu() {
    viewMenu = AddMenu("View1");
    Q421 = AddItem(viewMenu, "Q421", {}, &AssemblerWindow::Q421Click);
    Q421->setText(QStringLiteral("Q42"));
    Q421->setCheckable(true);
    Q421->setChecked(true);
    viewMenu->addSeparator()->setObjectName(QStringLiteral("N9"));
    CompText1 = AddItem(viewMenu, "CompText1", {}, &AssemblerWindow::CompText1Click);
    CompText1->setCheckable(true);
    ExecutionLog1 = AddItem(viewMenu, "ExecutionLog1", {}, nullptr);
    ExecutionLog1->setCheckable(true);
    connect(ExecutionLog1, &QAction::triggered, this,
            [this](bool shown) { commands_.ShowLogWindow(shown); });
}

void AssemblerWindow::CreateRunMenu() {
    runMenu = AddMenu("Run1");
    const auto item = [this](const char* name, const QKeySequence& keys,
                             std::function<void()> command) {
        QAction* action = AddItem(runMenu, name, keys, nullptr);
        connect(action, &QAction::triggered, this, std::move(command));
        return action;
    };
    item("CompAndRun1", QKeySequence(Qt::Key_F9), OnCommand(&ProgramCommands::BuildAndRun));
    runMenu->addSeparator()->setObjectName(QStringLiteral("N7"));
    item("CopyAndRun1", QKeySequence(Qt::SHIFT | Qt::Key_F9),
         OnCommand(&ProgramCommands::LoadAndRun));
    item("RunRAM1", {}, OnCommand(&ProgramCommands::RunProgram));
    item("CopyCode1", QKeySequence(Qt::Key_F5), [this] { CopyCode(); });
    runMenu->addSeparator()->setObjectName(QStringLiteral("N6"));
    item("CompAndPreproc1", QKeySequence(Qt::CTRL | Qt::Key_F9),
         [this] { PreprocessAndCompile(); });
    AddItem(runMenu, "Compile1", {}, &AssemblerWindow::Compile1Click);
    AddItem(runMenu, "Preprocess1", {}, &AssemblerWindow::Preprocess1Click);
    stop1 =
        item("stop1", QKeySequence(Qt::CTRL | Qt::Key_B), OnCommand(&ProgramCommands::StopProgram));
    stop1->setEnabled(false);
    runMenu->addSeparator()->setObjectName(QStringLiteral("N8"));
    item("CheckExercise1", {}, OnCommand(&ProgramCommands::CheckExercise));
}

void AssemblerWindow::CreateDebugMenu() {
    debugMenu = AddMenu("race1");
    const auto item = [this](const char* name, const QKeySequence& keys,
                             std::function<void()> command) {
        connect(AddItem(debugMenu, name, keys, nullptr), &QAction::triggered, this,
                std::move(command));
    };
    item("Decode1", {}, [this] { commands_.DecodeFrom(0x0000); });
    AddItem(debugMenu, "DecodeCurrent1", {}, &AssemblerWindow::DecodeCurrent1Click);
    debugMenu->addSeparator()->setObjectName(QStringLiteral("N10"));
    item("FirrstCom1", {}, OnCommand(&ProgramCommands::FirstCommand));
    item("NextCom1", QKeySequence(Qt::Key_F7), OnCommand(&ProgramCommands::NextCommand));
    item("StepOver1", QKeySequence(Qt::Key_F8), OnCommand(&ProgramCommands::StepOver));
    item("StepOut1", QKeySequence(Qt::SHIFT | Qt::Key_F8), OnCommand(&ProgramCommands::StepOut));
    item("StepBack1", QKeySequence(Qt::SHIFT | Qt::Key_F7), OnCommand(&ProgramCommands::StepBack));
    item("Continue1", QKeySequence(Qt::Key_F6), OnCommand(&ProgramCommands::Continue));
    item("RunToCursor1", QKeySequence(Qt::Key_F4),
         [this] { commands_.RunToLine(asmText->textCursor().blockNumber() + 1); });
    item("ClearBreakpoints1", {}, [this] { commands_.ClearBreakpoints(); });
    debugMenu->addSeparator()->setObjectName(QStringLiteral("N11"));
    item("CopyRegs1", {}, OnCommand(&ProgramCommands::ApplyRegisterEdits));
}

void AssemblerWindow::CreateHelpMenu() {
    helpMenu = AddMenu("Help1");
    AddItem(helpMenu, "Guide1", QKeySequence(Qt::Key_F1), &AssemblerWindow::Guide1Click)
        ->setShortcutContext(Qt::ApplicationShortcut);
    AddItem(helpMenu, "About1", {}, &AssemblerWindow::About1Click);
}

void AssemblerWindow::SetRunState(bool running) {
    // A disabled menu's items must not answer their shortcuts either.
    for (QMenu* menu : {fileMenu, editMenu, viewMenu, debugMenu}) {
        menu->menuAction()->setEnabled(!running);
        for (QAction* action : menu->actions())
            action->setEnabled(!running);
    }
    stop1->setEnabled(running);
    for (const char* name : {"CompAndRun1", "CopyAndRun1", "RunRAM1", "CopyCode1",
                             "CompAndPreproc1", "Compile1", "Preprocess1", "CheckExercise1"}) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(!running);
    }
}

TextLines AssemblerWindow::SourceLines() const {
    return LinesFromQt(asmText->toPlainText());
}

void AssemblerWindow::ShowWarnings(const Assembly& assembly) {
    for (const AsmWarning& warning : assembly.warnings)
        dialogs_.Warning(this, ToQt(warning.text));
}

void AssemblerWindow::ShowTexts() {
    commands_.ShowIntermediateText();
    codeText->setPlainText(LinesToQt(view.codeText));
    ShowLabels();
    ShowStatus();
    const AsmSelection& selection = view.selection;
    if (selection.kind == AsmSelection::Kind::Line) {
        QTextCursor cursor(asmText->document()->findBlockByNumber(selection.line - 1));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        asmText->setTextCursor(cursor);
        asmText->setFocus();
    } else if (selection.kind == AsmSelection::Kind::Cleared) {
        QTextCursor cursor = asmText->textCursor();
        cursor.clearSelection();
        asmText->setTextCursor(cursor);
    }
}

void AssemblerWindow::ShowStatus() {
    // A status line names a source or code line, which may be enormous; the window shows its
    // start. A tab in it, which the assembler does not take for a blank, shows as an arrow, as
    // the editor shows it.
    constexpr std::size_t kShownLength = 200;
    auto shown = [](const std::string& text) {
        QString line = text.size() > kShownLength
                           ? ToQt(text.substr(0, kShownLength)) + QStringLiteral("...")
                           : ToQt(text);
        return line.replace(QLatin1Char('\t'), QStringLiteral("→"));
    };
    LineLab->setText(shown(view.lineLab));
    ErrLab->setText(shown(view.errLab));
}

void AssemblerWindow::ShowLabels() {
    const auto& rows = view.labels.rows;
    labels->setRowCount(static_cast<int>(rows.size()) - 1);  // row 0 is the header
    for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < LabelGrid::kColumns; ++c) {
            auto* item = labels->item(r - 1, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                labels->setItem(r - 1, c, item);
            }
            item->setText(ToQt(rows[r][c]));
        }
    }
}

void AssemblerWindow::ClearCodeAndLabels() {
    codeText->clear();
    q42::ClearCodeAndLabels(view);
    ShowLabels();
}

bool AssemblerWindow::PreprocessAndCompile() {
    commands_.ShowIntermediateWindow(false);
    CompText1->setChecked(false);
    const Assembly assembly = Assemble(SourceLines(), session_.options);
    ShowWarnings(assembly);
    q42::ClearCodeAndLabels(view);
    ShowCompilation(view, assembly, session_.options.englishInterface);
    ShowTexts();
    commands_.Compiled(assembly);
    return assembly.Ok();
}

// Compiles the intermediate window's text as the user left it.
void AssemblerWindow::Compile1Click() {
    commands_.GatherIntermediateText();
    const Assembly assembly = Compile(view.intermediate, SourceLines(), session_.options);
    ShowWarnings(assembly);
    ShowCompilation(view, assembly, session_.options.englishInterface);
    ShowTexts();
    commands_.Compiled(assembly);
}

void AssemblerWindow::Preprocess1Click() {
    commands_.ShowIntermediateWindow(true);
    CompText1->setChecked(true);
    const Assembly assembly = PreprocessOnly(SourceLines(), session_.options);
    ShowPreprocessing(view, assembly);
    ShowTexts();
    commands_.Compiled(assembly);
}

bool AssemblerWindow::CopyCode() {
    const auto badLine = session_.run.CopyCode(LinesFromQt(codeText->toPlainText()));
    ShowCodeCopy(view, badLine);
    ShowStatus();
    if (badLine) SelectCodeLine(badLine->lineIndex);
    commands_.CodeCopied();
    return !session_.machine.Failed();
}

void AssemblerWindow::SelectCodeLine(int index) {
    QTextCursor cursor(codeText->document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    codeText->setTextCursor(cursor);
    codeText->setFocus();
}

QPlainTextEdit* AssemblerWindow::FocusedMemo() const {
    if (asmText->hasFocus()) return asmText;
    if (codeText->hasFocus()) return codeText;
    return nullptr;
}

void AssemblerWindow::Q421Click() {
    commands_.ShowMachineWindows(Q421->isChecked());
}

void AssemblerWindow::CompText1Click() {
    commands_.ShowIntermediateWindow(CompText1->isChecked());
}

// The marks say what is shown, also when a run or an input shows the display window.
void AssemblerWindow::SyncViewMarks() {
    Q421->setChecked(commands_.MachineWindowsShown());
    CompText1->setChecked(commands_.IntermediateWindowShown());
    ExecutionLog1->setChecked(commands_.LogWindowShown());
}

bool AssemblerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) SyncViewMarks();
    return QMainWindow::eventFilter(watched, event);
}

// Decodes from the PC as its field shows it: its four hex digits.
void AssemblerWindow::DecodeCurrent1Click() {
    commands_.DecodeFrom(HexToWord(WordToHex(session_.machine.State().pc)).value);
}

// The guide's title is the Help menu's item.
void AssemblerWindow::Guide1Click() {
    commands_.ShowGuide(helpMenu->actions().value(0)->text().remove(QLatin1Char('&')));
}

void AssemblerWindow::About1Click() {
    dialogs_.About(this, AboutText());
}

void AssemblerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (languageApplied_) return;
    languageApplied_ = true;
    commands_.ApplyLanguage();
    baseTitle_ = windowTitle();
    ShowTitle();
    commands_.PlaceWindowsWhenFramed();
}

}  // namespace q42
