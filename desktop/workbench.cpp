#include "desktop/workbench.h"

#include <QApplication>
#include <QTimer>
#include <utility>

#include "desktop/assembler_window.h"
#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/guide_window.h"
#include "desktop/intermediate_text_window.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/ram_window.h"
#include "desktop/window_layout.h"
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
    machine.terminal = &display;
    clock_.start();
}

Workbench::~Workbench() = default;

void Workbench::Start(const std::filesystem::path& romFile, MessageSink& messages) {
    InitMachine(machine, romFile, messages);
    CreateWindows();
    form1->show();
}

void Workbench::CreateWindows() {
    form1 = std::make_unique<AssemblerWindow>(*this);
    form2 = std::make_unique<IntermediateTextWindow>(*this);
    ramWindow = std::make_unique<RamWindow>(*this);
    displayWindow = std::make_unique<DisplayWindow>(*this);
    processor = std::make_unique<ProcessorWindow>(*this);
    decodeDialog = std::make_unique<DecodingDialog>(*this);
    form1->TrackViewMarks();
    PlaceWindows(Windows());
    ramWindow->show();
    processor->show();
    displayWindow->show();
}

ProgramWindows Workbench::Windows() {
    return {*form1, *form2, *ramWindow, *displayWindow, *processor};
}

void Workbench::RefreshViews() {
    if (processor) processor->ShowChangedRegisters();
    if (ramWindow) ramWindow->ShowChangedCells();
    if (displayWindow) displayWindow->ShowScreen();
}

void Workbench::CommandDone() {
    RefreshViews();
    if (controlsShowRun_ && !run.Busy()) ShowRunStateOnControls(false);
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
    auto* timer = new QTimer(form1.get());
    QObject::connect(timer, &QTimer::timeout, form1.get(), [this, timer, tries = 0]() mutable {
        const bool framed = form1->frameGeometry() != form1->geometry() &&
                            ramWindow->frameGeometry() != ramWindow->geometry() &&
                            displayWindow->frameGeometry() != displayWindow->geometry() &&
                            processor->frameGeometry() != processor->geometry();
        if (!framed && ++tries < kTries) return;
        timer->deleteLater();
        timer->stop();
        if (framed) PlaceWindows(Windows());
    });
    timer->start(kInterval);
}

void Workbench::ShowDecoder() {
    decodeDialog->FormShow();
    dialogs.ShowModal(*decodeDialog);
}

void Workbench::Close() {
    closing = true;
    run.StopProgram();
}

std::int64_t Workbench::StepsBeforeEvents() {
    return kStepsBetweenClockReads;
}

void Workbench::ProcessEvents(std::int64_t) {
    const qint64 now = clock_.nsecsElapsed();
    if (now - lastPaint_ >= kPaintInterval) {
        RefreshViews();
        lastPaint_ = now;
    }
    if (now - lastEvents_ >= kEventInterval) {
        HandleEvents(QEventLoop::AllEvents);
        lastEvents_ = clock_.nsecsElapsed();
    }
    if (closing) run.StopProgram();
}

void Workbench::SetRunState(bool running) {
    if (!running && controlsShowRun_) ShowRunStateOnControls(false);
}

void Workbench::ShowRunStateOnControls(bool running) {
    processor->SetRunState(running);
    form1->SetRunState(running);
    controlsShowRun_ = running;
}

void Workbench::HandleEvents(QEventLoop::ProcessEventsFlags flags) {
    // A single step that waits for input locks the controls as a run does: a command given
    // meanwhile would change the code or the stack under the waiting instruction.
    if (run.Busy() && !controlsShowRun_) ShowRunStateOnControls(true);
    QCoreApplication::processEvents(flags);
}

void Workbench::ShowDisplay() {
    displayWindow->show();
}

void Workbench::BeginLineInput() {
    RefreshViews();
    RememberFocus();
    displayWindow->BeginLineInput();
}

void Workbench::BeginKeyWait() {
    RefreshViews();
    RememberFocus();
    displayWindow->BeginKeyWait();
}

std::string Workbench::InputLineText() {
    return displayWindow->InputLineText();
}

void Workbench::HideInputLine() {
    displayWindow->HideInputLine();
}

bool Workbench::WaitForEvents() {
    if (closing) return false;
    RefreshViews();
    // Input needs the display window: it comes back if something hid it during the wait.
    displayWindow->ShowForInput();
    // Blocks until something happens: a waiting program costs no processor time.
    HandleEvents(QEventLoop::WaitForMoreEvents);
    return !closing;
}

void Workbench::Warn(const std::string& text) {
    dialogs.Warning(form1.get(), ToQt(text));
}

}  // namespace q42
