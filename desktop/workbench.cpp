#include "desktop/workbench.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <limits>
#include <utility>

#include "desktop/assembler_window.h"
#include "desktop/debug_texts.h"
#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/exercise_dialog.h"
#include "desktop/guide_window.h"
#include "desktop/intermediate_text_window.h"
#include "desktop/lessons_window.h"
#include "desktop/log_window.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/ram_window.h"
#include "desktop/window_layout.h"
#include "exercise/case_start.h"
#include "exercise/result_texts.h"
#include "machine/rom_image.h"

namespace q42 {
namespace {

// Steps between readings of the clock: a few microseconds of a fast program, so that events
// still come about every millisecond while the clock costs under 1% of a run.
constexpr int kStepsBetweenClockReads = 1024;
constexpr qint64 kEventInterval = 1'000'000;  // nanoseconds
constexpr qint64 kPaintInterval = 20'000'000;

}  // namespace

Workbench::Workbench(UserDialogs& dialogs) : dialogs(dialogs) {
    clock_.start();
    paceTimer_.setSingleShot(true);
    // A run on the desktop goes on until it ends or the user stops it.
    session.commands.SetStepLimit(std::numeric_limits<std::int64_t>::max());
}

// A window destroyed while shown hides first: the View marks stop following the windows before
// any of them goes, so that no mark asks about a window already gone.
Workbench::~Workbench() {
    if (!assemblerWindow) return;
    for (QWidget* window : MarkedWindows())
        window->removeEventFilter(assemblerWindow.get());
}

void Workbench::Start(const std::filesystem::path& romFile, MessageSink& messages) {
    InitMachine(session.machine, romFile, messages);
    CreateWindows();
    assemblerWindow->show();
}

void Workbench::CreateWindows() {
    assemblerWindow = std::make_unique<AssemblerWindow>(session, *this, dialogs);
    intermediateWindow = std::make_unique<IntermediateTextWindow>(
        assemblerWindow->view.intermediate, session.options);
    ramWindow = std::make_unique<RamWindow>(session.machine, *this);
    displayWindow = std::make_unique<DisplayWindow>(session.display);
    processorWindow = std::make_unique<ProcessorWindow>(session.machine, *this, dialogs);
    decodingDialog = std::make_unique<DecodingDialog>(session);
    logWindow = std::make_unique<LogWindow>(
        session.debugger, *this, [this] { return !session.run.Busy() || betweenSteps_; });
    shownState_ = session.machine.State();
    // The View menu's check marks follow whether the windows are shown.
    for (QWidget* window : MarkedWindows())
        window->installEventFilter(assemblerWindow.get());
    assemblerWindow->SyncViewMarks();
    PlaceWindows(Windows());
    ramWindow->show();
    processorWindow->show();
    displayWindow->show();
}

std::array<QWidget*, 5> Workbench::MarkedWindows() {
    return {ramWindow.get(), displayWindow.get(), processorWindow.get(), intermediateWindow.get(),
            logWindow.get()};
}

ProgramWindows Workbench::Windows() {
    return {*assemblerWindow, *intermediateWindow, *ramWindow, *displayWindow, *processorWindow};
}

void Workbench::RefreshViews() {
    if (processorWindow) processorWindow->ShowChangedRegisters();
    if (ramWindow) ramWindow->ShowChangedCells();
    if (displayWindow) displayWindow->ShowScreen();
}

void Workbench::CommandDone() {
    // A case's run that has ended leaves nothing of the case for the next run.
    if (!openCase_.isEmpty() && !session.debugger.Paused()) LeaveCase();
    RefreshViews();
    ShowWhere();
    if (controlsShowRun_ && !session.run.Busy()) ShowRunStateOnControls(false);
    const QPointer<QWidget> focus = std::exchange(focusBeforeInput_, nullptr);
    if (closing || focus.isNull() || QApplication::activeWindow() != displayWindow.get()) return;
    focus->window()->activateWindow();
    focus->setFocus();
}

void Workbench::RememberFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (focusBeforeInput_.isNull() && focus != nullptr && focus->window() != displayWindow.get())
        focusBeforeInput_ = focus;
}

void Workbench::PlaceWindowsWhenFramed() {
    constexpr int kInterval = 20;  // milliseconds
    constexpr int kTries = 50;     // without a window manager, frames never come
    auto* timer = new QTimer(assemblerWindow.get());
    QObject::connect(timer, &QTimer::timeout, assemblerWindow.get(),
                     [this, timer, tries = 0]() mutable {
                         const auto framed = [](const QWidget& window) {
                             return window.frameGeometry() != window.geometry();
                         };
                         const bool allFramed = framed(*assemblerWindow) && framed(*ramWindow) &&
                                                framed(*displayWindow) && framed(*processorWindow);
                         if (!allFramed && ++tries < kTries) return;
                         timer->deleteLater();
                         timer->stop();
                         if (allFramed) PlaceWindows(Windows());
                     });
    timer->start(kInterval);
}

void Workbench::Close() {
    closing = true;
    if (session.run.Busy()) StopProgram();
}

std::int64_t Workbench::StepsBeforeEvents() {
    return stepsPerSecond_ > 0 ? 1 : kStepsBetweenClockReads;
}

void Workbench::ProcessEvents(std::int64_t) {
    if (stepsPerSecond_ > 0) return PaceStep();
    const qint64 now = clock_.nsecsElapsed();
    if (now - lastPaint_ >= kPaintInterval) {
        RefreshViews();
        lastPaint_ = now;
    }
    if (now - lastEvents_ >= kEventInterval) {
        HandleEvents(QEventLoop::AllEvents);
        lastEvents_ = clock_.nsecsElapsed();
    }
    if (closing) StopProgram();
}

void Workbench::SetRunState(bool running) {
    if (!running && controlsShowRun_) ShowRunStateOnControls(false);
}

void Workbench::ShowRunStateOnControls(bool running) {
    processorWindow->SetRunState(running);
    assemblerWindow->SetRunState(running);
    controlsShowRun_ = running;
}

void Workbench::HandleEvents(QEventLoop::ProcessEventsFlags flags) {
    // A single step that waits for input locks the controls as a run does: a command given
    // meanwhile would change the code or the stack under the waiting instruction.
    if (session.run.Busy() && !controlsShowRun_) ShowRunStateOnControls(true);
    QCoreApplication::processEvents(flags);
}

void Workbench::ShowDisplay() {
    displayWindow->show();
}

void Workbench::BeginLineInput() {
    typedLine_ = false;
    // A case's input line typed ahead is taken at once.
    if (!session.typed.Empty()) return;
    RefreshViews();
    RememberFocus();
    displayWindow->BeginLineInput();
}

void Workbench::BeginKeyWait() {
    if (!session.typed.UnreadKeys().empty()) return;
    RefreshViews();
    RememberFocus();
    displayWindow->BeginKeyWait();
}

std::string Workbench::InputLineText() {
    return typedLine_ ? session.typed.Line() : displayWindow->InputLineText();
}

void Workbench::HideInputLine() {
    displayWindow->HideInputLine();
}

bool Workbench::WaitForEvents() {
    if (closing) return false;
    // A case's input lines and keys typed ahead are taken at once.
    if (session.display.LineInputActive() && session.typed.Serve()) {
        typedLine_ = true;
        return true;
    }
    if (session.typed.ServeKey()) return true;
    RefreshViews();
    // Input needs the display window: it comes back if something hid it during the wait.
    displayWindow->ShowForInput();
    // Blocks until something happens: a waiting program costs no processor time.
    HandleEvents(QEventLoop::WaitForMoreEvents);
    return !closing;
}

void Workbench::BuildAndRun() {
    if (CaseRunPaused()) return RunProgram();
    if (assemblerWindow->PreprocessAndCompile()) LoadAndRun();
}

void Workbench::LoadAndRun() {
    if (assemblerWindow->CopyCode()) RunProgram();
}

void Workbench::DecodeFrom(Value address) {
    session.decodeAddress = address;
    decodingDialog->StartDecoding();
    dialogs.ShowModal(*decodingDialog);
}

void Workbench::GatherIntermediateText() {
    intermediateWindow->GatherText();
}

void Workbench::ShowIntermediateText() {
    intermediateWindow->ShowText();
}

void Workbench::ShowMachineWindows(bool shown) {
    ramWindow->setVisible(shown);
    displayWindow->setVisible(shown);
    processorWindow->setVisible(shown);
}

bool Workbench::MachineWindowsShown() const {
    return ramWindow->isVisible() || displayWindow->isVisible() || processorWindow->isVisible();
}

void Workbench::ShowIntermediateWindow(bool shown) {
    intermediateWindow->setVisible(shown);
}

bool Workbench::IntermediateWindowShown() const {
    return intermediateWindow->isVisible();
}

void Workbench::ShowGuide(const QString& title) {
    if (!guideWindow) guideWindow = std::make_unique<GuideWindow>(GuideMarkdown());
    Bring(*guideWindow, title);
}

void Workbench::ShowHowToUse(const QString& title) {
    if (!howToUseWindow) {
        howToUseWindow =
            std::make_unique<GuideWindow>(HowToUseMarkdown(), QStringLiteral("HowToUseWindow"));
    }
    Bring(*howToUseWindow, title);
}

void Workbench::ShowLessons(const QString& title) {
    if (!lessonsWindow) {
        lessonsWindow = std::make_unique<LessonsWindow>();
        QObject::connect(lessonsWindow.get(), &LessonsWindow::OpenProgram, assemblerWindow.get(),
                         [this](const QString& program) {
                             assemblerWindow->OpenText(program);
                             assemblerWindow->activateWindow();
                         });
        QObject::connect(lessonsWindow.get(), &LessonsWindow::StartExercise, assemblerWindow.get(),
                         [this](const QString& name) { StartLessonExercise(name); });
        QObject::connect(lessonsWindow.get(), &LessonsWindow::CheckExercise, assemblerWindow.get(),
                         [this](const QString& name) { CheckLessonExercise(name); });
        QObject::connect(lessonsWindow.get(), &LessonsWindow::LinkOut, assemblerWindow.get(),
                         [this](const QUrl& url) { FollowLessonLink(url); });
    }
    Bring(*lessonsWindow, title);
}

// The exercise's starting text into the editor, which takes the keys at once.
void Workbench::StartLessonExercise(const QString& name) {
    assemblerWindow->OpenExample(QStringLiteral("lessons/") + name + QStringLiteral(".asm"));
    assemblerWindow->activateWindow();
    assemblerWindow->sourceEditor->setFocus();
}

void Workbench::CheckLessonExercise(const QString& name) {
    if (session.run.Busy()) return;
    const QString file = name + QStringLiteral(".q42test");
    const QString text = BuiltInText(QStringLiteral(":/examples/lessons/") + file);
    const ExerciseFile exercise = ParseExercise(text.toStdString());
    if (!exercise.exercise) {
        dialogs.Warning(lessonsWindow.get(), QString::fromStdString(ExerciseFileProblem(
                                                 file.toStdString(), exercise.error, exercise.line)));
        return;
    }
    CheckEditorProgram(*exercise.exercise,
                       exercise.exercise->title.empty() ? file : ToQt(exercise.exercise->title));
}

// The lessons link the chapter on using the program and the guide, each in its own window.
void Workbench::FollowLessonLink(const QUrl& url) {
    const QString file = url.path().section(QLatin1Char('/'), -1);
    QMenu& help = *assemblerWindow->helpMenu;
    GuideWindow* window = nullptr;
    if (file == QStringLiteral("00-using.md")) {
        ShowHowToUse(help.actions().value(1)->text().remove(QLatin1Char('&')));
        window = howToUseWindow.get();
    } else if (file.startsWith(QStringLiteral("guide."))) {
        ShowGuide(help.actions().value(0)->text().remove(QLatin1Char('&')));
        window = guideWindow.get();
    }
    if (window != nullptr && url.hasFragment())
        window->FollowLink(QUrl(QLatin1Char('#') + url.fragment()));
}

void Workbench::Bring(QWidget& window, const QString& title) {
    window.setWindowTitle(title);
    // Placed when it first shows; then it stays where the user puts it.
    const bool first = !window.testAttribute(Qt::WA_Moved);
    const auto place = [this, &window] { PlaceHelpWindow(Windows(), window); };
    if (first) place();
    window.show();
    if (first) PlaceAgainWhenFramed(window, place);
    window.raise();
    window.activateWindow();
}

// The program in the editor as it is now, each case on a fresh machine with this ROM image; the
// windows' machine, texts and history stay as they are.
void Workbench::CheckExercise() {
    if (session.run.Busy()) return;
    const QString name = dialogs.OpenFileName(assemblerWindow.get(), ExerciseFilter());
    if (name.isEmpty()) return;
    const ExerciseFile file = ReadExerciseFile(QFile::encodeName(name).toStdString());
    if (!file.exercise) {
        dialogs.Warning(assemblerWindow.get(),
                        QString::fromStdString(ExerciseFileProblem(name.toStdString(), file.error, file.line)));
        return;
    }
    CheckEditorProgram(*file.exercise, file.exercise->title.empty() ? QFileInfo(name).fileName()
                                                                    : ToQt(file.exercise->title));
}

void Workbench::CheckEditorProgram(const Exercise& exercise, const QString& title) {
    const auto results =
        CheckSource(session.machine, LinesFromQt(assemblerWindow->sourceEditor->toPlainText()),
                    session.options, exercise);
    std::vector<bool> mayOpen;
    for (const ExerciseCase& exerciseCase : exercise.cases)
        mayOpen.push_back(StudentMayOpen(exerciseCase));
    ExerciseDialog dialog(assemblerWindow.get(),
                          QString::fromStdString(ExerciseResultsTitle(title.toStdString())), results,
                          std::move(mayOpen));
    dialogs.ShowModal(dialog);
    if (dialog.chosenCase)
        OpenExerciseCase(exercise.cases[static_cast<std::size_t>(*dialog.chosenCase)]);
}

}  // namespace q42
