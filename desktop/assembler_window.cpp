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
#include <QSizeGrip>
#include <QStyle>
#include <QTableWidget>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>

#include "assembler/assembler.h"
#include "desktop/accessible_names.h"
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

QLabel* MakeLabel(QWidget* parent, const QString& text, int pixels, const QColor& color) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
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
    auto* client = new QWidget(this);
    setCentralWidget(client);
    QFont font = client->font();
    font.setPixelSize(11);
    client->setFont(font);
    CreateTexts(client);
    CreateStatusArea(client);
    // The window opens at its own size and may grow through its frame or the grip.
    sizeGrip_ = new QSizeGrip(client);
    sizeGrip_->setObjectName(QStringLiteral("sizeGrip"));
    client->setMinimumSize(kClientSize);
    client->installEventFilter(this);
    PlaceComponents(*client);
    // The editor's first text, once it has its size; from then on the title shows whether the
    // text is modified.
    sourceEditor->setPlainText(QStringLiteral(";asmText\n\nhlt"));
    sourceEditor->document()->setModified(false);
    connect(sourceEditor->document(), &QTextDocument::modificationChanged, this,
            [this] { ShowTitle(); });
    CreateMenus();
    exitQuestion = CaptionOf(*this, "ExitQuestion");
    clearQuestion = CaptionOf(*this, "ClearQuestion");
    saveQuestion = CaptionOf(*this, "SaveQuestion");
    baseTitle_ = TitleOf(*this);
    ShowTitle();
    ClearCodeAndLabels();
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    NameControls(*this);
    LetCtrlTabLeaveEditors(*this);
    resize(minimumSizeHint());
}

// The assembler text, the code text and the label table, side by side.
void AssemblerWindow::CreateTexts(QWidget* client) {
    sourceEditor = new CodeEditor(client);
    sourceEditor->setObjectName(QStringLiteral("asmText"));
    new AsmHighlighter(sourceEditor->document());
    sourceEditor->setFont(FixedFont(16));
    sourceEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    sourceEditor->Margin()->setToolTip(CaptionOf(*this, "lineNumbers"));
    new OperationTips(sourceEditor);
    connect(sourceEditor, &CodeEditor::breakpointsChanged, this,
            [this] { commands_.BreakpointsChanged(); });

    codeWordsEditor = new QPlainTextEdit(client);
    codeWordsEditor->setObjectName(QStringLiteral("codeText"));
    codeWordsEditor->setFont(FixedFont(16));
    codeWordsEditor->setLineWrapMode(QPlainTextEdit::NoWrap);

    labelTable = new QTableWidget(client);
    labelTable->setObjectName(QStringLiteral("labels"));
    labelTable->setFont(FixedFont(16));
    labelTable->setColumnCount(LabelGrid::kColumns);
    labelTable->verticalHeader()->hide();
    labelTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    labelTable->setFocusPolicy(Qt::NoFocus);
    labelTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    labelTable->setHorizontalHeaderLabels(
        {CaptionOf(*this, "labels:0"), QString(), CaptionOf(*this, "labels:2")});
    labelTable->setColumnWidth(0, 114);
    labelTable->setColumnWidth(1, 23);
    labelTable->setColumnWidth(2, 54);
}

// Under the label table the compile button and the build date; along the bottom the two status
// lines.
void AssemblerWindow::CreateStatusArea(QWidget* client) {
    compileButton = new QToolButton(client);
    compileButton->setObjectName(QStringLiteral("SpeedButton1"));
    compileButton->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    compileButton->setAutoRaise(true);
    compileButton->setToolTip(CaptionOf(*this, "SpeedButton1"));
    connect(compileButton, &QToolButton::clicked, this, [this] { PreprocessAndCompile(); });

    statusLine = MakeLabel(client, QString(), 21, palette().color(QPalette::WindowText));
    statusLine->setObjectName(QStringLiteral("LineLab"));
    errorLine = MakeLabel(client, QString(), 21, QColor(128, 0, 0));
    errorLine->setObjectName(QStringLiteral("ErrLab"));
    productLabel_ = MakeLabel(client, QStringLiteral("Q42"), 11, Qt::gray);
    productLabel_->setObjectName(QStringLiteral("Label1"));
    buildDateLabel_ =
        MakeLabel(client, QStringLiteral("Compilation date - ") + BuildDate(), 10, Qt::gray);
    buildDateLabel_->setObjectName(QStringLiteral("Label2"));
}

// Where each component stands, in pixels of the client area. A client area larger than the
// window's opening size goes to the assembler text; the code text and the label table keep
// their sizes and move right with the window's right edge, the status lines down with its bottom.
void AssemblerWindow::PlaceComponents(QWidget& client) {
    const int wider = std::max(0, client.width() - kClientSize.width());
    const int taller = std::max(0, client.height() - kClientSize.height());
    sourceEditor->setGeometry(8, 8, 345 + wider, 417 + taller);
    codeWordsEditor->setGeometry(368 + wider, 8, 137, 417);
    labelTable->setGeometry(520 + wider, 8, 217, 369);
    compileButton->setGeometry(520 + wider, 384, 40, 40);
    compileButton->setIconSize(QSize(28, 28));
    // A label is as wide as its text, and at least as wide as given here: the status lines run
    // along the whole window, the notices to 8 pixels before its right edge.
    const auto place = [](QLabel* label, int x, int y, int minWidth) {
        label->move(x, y);
        label->setMinimumWidth(minWidth);
        label->resize(std::max(minWidth, label->sizeHint().width()), label->sizeHint().height());
    };
    place(statusLine, 8, 432 + taller, 730 + wider);
    place(errorLine, 8, 464 + taller, 730 + wider);
    place(productLabel_, 600 + wider, 392, 742 - 600 - 8);
    place(buildDateLabel_, 600 + wider, 416, 742 - 600 - 8);
    const QSize grip = sizeGrip_->sizeHint();
    sizeGrip_->setGeometry(
        QRect(QPoint(client.width(), client.height()) - QPoint(grip.width(), grip.height()), grip));
}

QAction* AssemblerWindow::AddItem(QMenu* menu, const char* name, const QKeySequence& shortcut,
                                  void (AssemblerWindow::*handler)()) {
    QAction* action = menu->addAction(CaptionOf(*this, name));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
    return action;
}

QMenu* AssemblerWindow::AddMenu(const char* name) {
    QMenu* menu = menuBar()->addMenu(CaptionOf(*this, name));
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
            &AssemblerWindow::OpenAsmFromDialog);
    AddItem(fileMenu, "OpenCod1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O),
            &AssemblerWindow::OpenCodFromDialog);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddItem(fileMenu, "SaveAsm1", QKeySequence(Qt::CTRL | Qt::Key_S),
            &AssemblerWindow::SaveAsmText);
    AddItem(fileMenu, "SaveAsmAs1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            &AssemblerWindow::SaveAsmAs);
    AddItem(fileMenu, "SaveCod1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S),
            &AssemblerWindow::SaveCodeText);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    QMenu* examples = fileMenu->addMenu(CaptionOf(*this, "Examples1"));
    examples->setObjectName(QStringLiteral("Examples1"));
    for (const QString& name :
         QDir(QStringLiteral(":/examples")).entryList({QStringLiteral("*.asm")})) {
        connect(examples->addAction(name), &QAction::triggered, this,
                [this, name] { OpenExample(name); });
    }
    fileMenu->addSeparator();
    AddItem(fileMenu, "Exit1", {}, &AssemblerWindow::AskAndExit);
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
    AddItem(editMenu, "ClearAsm1", {}, &AssemblerWindow::AskAndClearAsm);
    AddItem(editMenu, "ClearCode1", {}, &AssemblerWindow::ClearCodeAndLabels);
}

void AssemblerWindow::CreateViewMenu() {
    viewMenu = AddMenu("View1");
    machineWindowsAction =
        AddItem(viewMenu, "Q421", {}, &AssemblerWindow::ShowOrHideMachineWindows);
    machineWindowsAction->setText(QStringLiteral("Q42"));  // in both languages
    machineWindowsAction->setCheckable(true);
    machineWindowsAction->setChecked(true);
    viewMenu->addSeparator()->setObjectName(QStringLiteral("N9"));
    intermediateWindowAction =
        AddItem(viewMenu, "CompText1", {}, &AssemblerWindow::ShowOrHideIntermediateWindow);
    intermediateWindowAction->setCheckable(true);
    logWindowAction = AddItem(viewMenu, "ExecutionLog1", {}, nullptr);
    logWindowAction->setCheckable(true);
    connect(logWindowAction, &QAction::triggered, this,
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
    AddItem(runMenu, "Compile1", {}, &AssemblerWindow::CompileAlone);
    AddItem(runMenu, "Preprocess1", {}, &AssemblerWindow::PreprocessAlone);
    stopAction =
        item("stop1", QKeySequence(Qt::CTRL | Qt::Key_B), OnCommand(&ProgramCommands::StopProgram));
    stopAction->setEnabled(false);
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
    AddItem(debugMenu, "DecodeCurrent1", {}, &AssemblerWindow::DecodeFromPc);
    debugMenu->addSeparator()->setObjectName(QStringLiteral("N10"));
    item("FirrstCom1", {}, OnCommand(&ProgramCommands::FirstCommand));
    item("NextCom1", QKeySequence(Qt::Key_F7), OnCommand(&ProgramCommands::NextCommand));
    item("StepOver1", QKeySequence(Qt::Key_F8), OnCommand(&ProgramCommands::StepOver));
    item("StepOut1", QKeySequence(Qt::SHIFT | Qt::Key_F8), OnCommand(&ProgramCommands::StepOut));
    item("StepBack1", QKeySequence(Qt::SHIFT | Qt::Key_F7), OnCommand(&ProgramCommands::StepBack));
    item("Continue1", QKeySequence(Qt::Key_F6), OnCommand(&ProgramCommands::Continue));
    item("RunToCursor1", QKeySequence(Qt::Key_F4),
         [this] { commands_.RunToLine(sourceEditor->textCursor().blockNumber() + 1); });
    item("ToggleBreakpoint1", QKeySequence(Qt::Key_F2),
         [this] { sourceEditor->ToggleBreakpoint(sourceEditor->textCursor().blockNumber() + 1); });
    item("ClearBreakpoints1", {}, [this] { commands_.ClearBreakpoints(); });
    debugMenu->addSeparator()->setObjectName(QStringLiteral("N11"));
    item("CopyRegs1", {}, OnCommand(&ProgramCommands::ApplyRegisterEdits));
}

void AssemblerWindow::CreateHelpMenu() {
    helpMenu = AddMenu("Help1");
    AddItem(helpMenu, "Guide1", QKeySequence(Qt::Key_F1), &AssemblerWindow::OpenGuide)
        ->setShortcutContext(Qt::ApplicationShortcut);
    AddItem(helpMenu, "HowToUse1", {}, &AssemblerWindow::OpenHowToUse);
    AddItem(helpMenu, "Lessons1", {}, &AssemblerWindow::OpenLessons);
    AddItem(helpMenu, "About1", {}, &AssemblerWindow::ShowAbout);
}

void AssemblerWindow::SetRunState(bool running) {
    // A disabled menu's items must not answer their shortcuts either.
    for (QMenu* menu : {fileMenu, editMenu, viewMenu, debugMenu}) {
        menu->menuAction()->setEnabled(!running);
        for (QAction* action : menu->actions())
            action->setEnabled(!running);
    }
    // Of the Run menu, only the stop answers during a run.
    for (QAction* action : runMenu->actions()) {
        if (!action->isSeparator()) action->setEnabled(action == stopAction ? running : !running);
    }
}

TextLines AssemblerWindow::SourceLines() const {
    return LinesFromQt(sourceEditor->toPlainText());
}

void AssemblerWindow::ShowWarnings(const Assembly& assembly) {
    for (const AsmWarning& warning : assembly.warnings)
        dialogs_.Warning(this, ToQt(warning.text));
}

void AssemblerWindow::ShowTexts() {
    commands_.ShowIntermediateText();
    codeWordsEditor->setPlainText(LinesToQt(view.codeLines));
    ShowLabels();
    ShowStatus();
    const AsmSelection& selection = view.selection;
    if (selection.kind == AsmSelection::Kind::Line) {
        QTextCursor cursor(sourceEditor->document()->findBlockByNumber(selection.line - 1));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        sourceEditor->setTextCursor(cursor);
        sourceEditor->setFocus();
    } else if (selection.kind == AsmSelection::Kind::Cleared) {
        QTextCursor cursor = sourceEditor->textCursor();
        cursor.clearSelection();
        sourceEditor->setTextCursor(cursor);
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
    statusLine->setText(shown(view.statusText));
    errorLine->setText(shown(view.errorText));
}

void AssemblerWindow::ShowLabels() {
    const auto& rows = view.labelGrid.rows;
    labelTable->setRowCount(static_cast<int>(rows.size()) - 1);  // row 0 is the header
    for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < LabelGrid::kColumns; ++c) {
            auto* item = labelTable->item(r - 1, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                labelTable->setItem(r - 1, c, item);
            }
            item->setText(ToQt(rows[r][c]));
        }
    }
}

void AssemblerWindow::ClearCodeAndLabels() {
    codeWordsEditor->clear();
    q42::ClearCodeAndLabels(view);
    ShowLabels();
}

bool AssemblerWindow::PreprocessAndCompile() {
    commands_.ShowIntermediateWindow(false);
    intermediateWindowAction->setChecked(false);
    const Assembly assembly = Assemble(SourceLines(), session_.options);
    ShowWarnings(assembly);
    q42::ClearCodeAndLabels(view);
    ShowCompilation(view, assembly, session_.options.englishInterface);
    ShowTexts();
    commands_.Compiled(assembly);
    return assembly.Ok();
}

// Compiles the intermediate window's text as the user left it.
void AssemblerWindow::CompileAlone() {
    commands_.GatherIntermediateText();
    const Assembly assembly = Compile(view.intermediate, SourceLines(), session_.options);
    ShowWarnings(assembly);
    ShowCompilation(view, assembly, session_.options.englishInterface);
    ShowTexts();
    commands_.Compiled(assembly);
}

void AssemblerWindow::PreprocessAlone() {
    commands_.ShowIntermediateWindow(true);
    intermediateWindowAction->setChecked(true);
    const Assembly assembly = PreprocessOnly(SourceLines(), session_.options);
    ShowPreprocessing(view, assembly);
    ShowTexts();
    commands_.Compiled(assembly);
}

bool AssemblerWindow::CopyCode() {
    const auto badLine = session_.run.CopyCode(LinesFromQt(codeWordsEditor->toPlainText()));
    ShowCodeCopy(view, badLine);
    ShowStatus();
    if (badLine) SelectCodeLine(badLine->lineIndex);
    commands_.CodeCopied();
    return !session_.machine.Failed();
}

void AssemblerWindow::SelectCodeLine(int index) {
    QTextCursor cursor(codeWordsEditor->document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    codeWordsEditor->setTextCursor(cursor);
    codeWordsEditor->setFocus();
}

QPlainTextEdit* AssemblerWindow::FocusedMemo() const {
    if (sourceEditor->hasFocus()) return sourceEditor;
    if (codeWordsEditor->hasFocus()) return codeWordsEditor;
    return nullptr;
}

void AssemblerWindow::ShowOrHideMachineWindows() {
    commands_.ShowMachineWindows(machineWindowsAction->isChecked());
}

void AssemblerWindow::ShowOrHideIntermediateWindow() {
    commands_.ShowIntermediateWindow(intermediateWindowAction->isChecked());
}

// The marks say what is shown, also when a run or an input shows the display window.
void AssemblerWindow::SyncViewMarks() {
    machineWindowsAction->setChecked(commands_.MachineWindowsShown());
    intermediateWindowAction->setChecked(commands_.IntermediateWindowShown());
    logWindowAction->setChecked(commands_.LogWindowShown());
}

bool AssemblerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget()) {
        if (event->type() == QEvent::Resize) PlaceComponents(*centralWidget());
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) SyncViewMarks();
    return QMainWindow::eventFilter(watched, event);
}

// Decodes from the PC as its field shows it: its four hex digits.
void AssemblerWindow::DecodeFromPc() {
    commands_.DecodeFrom(HexToWord(WordToHex(session_.machine.State().pc)).value);
}

// The guide's title is the Help menu's item.
void AssemblerWindow::OpenGuide() {
    commands_.ShowGuide(helpMenu->actions().value(0)->text().remove(QLatin1Char('&')));
}

// Its title is the Help menu's item.
void AssemblerWindow::OpenHowToUse() {
    commands_.ShowHowToUse(helpMenu->actions().value(1)->text().remove(QLatin1Char('&')));
}

// Its title is the Help menu's item.
void AssemblerWindow::OpenLessons() {
    commands_.ShowLessons(helpMenu->actions().value(2)->text().remove(QLatin1Char('&')));
}

void AssemblerWindow::ShowAbout() {
    dialogs_.About(this, AboutText());
}

// The windows are placed again once the window manager has framed them.
void AssemblerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_) return;
    shownBefore_ = true;
    commands_.PlaceWindowsWhenFramed();
}

}  // namespace q42
