// The workbench's debugging: runs and steps given as the session's commands, breakpoints from the
// editor's margin and the RAM window, where the run is shown in every window, the execution log
// and the speed of runs.

#include <QApplication>

#include "desktop/assembler_window.h"
#include "desktop/debug_texts.h"
#include "desktop/log_window.h"
#include "desktop/processor_window.h"
#include "desktop/ram_window.h"
#include "desktop/window_layout.h"
#include "desktop/workbench.h"
#include "exercise/result_texts.h"

namespace q42 {

template <class Command>
void Workbench::Debug(Command command) {
    if (session.run.Busy()) return;
    session.commands.SetBreakpoints(BreakpointLines(),
                                    {ramBreakpoints_.begin(), ramBreakpoints_.end()});
    stopAsked_ = false;
    showRunLine_ = true;
    textMarks_ = true;
    endNoticeShown_ = false;
    lastStepAt_ = clock_.nsecsElapsed();
    pause_ = command();
    CommandDone();
}

void Workbench::RunProgram() {
    if (CaseRunPaused()) return Continue();
    Debug([this] { return session.commands.Run(); });
}

void Workbench::StopProgram() {
    stopAsked_ = true;
    session.commands.Stop();
}

void Workbench::FirstCommand() {
    Debug([this] { return session.commands.FirstCommand(); });
}

// Once the program has ended, the next step would run whatever follows its last instruction: the
// first F7 after the end says how to start again instead, and the one after it steps.
void Workbench::NextCommand() {
    if (session.run.Busy()) return;
    if (session.debugger.Started() && session.debugger.Ended() && !endNoticeShown_) {
        endNoticeShown_ = true;
        ShowRunLine();
        return;
    }
    Debug([this] { return session.commands.Step(); });
}

void Workbench::StepOver() {
    Debug([this] { return session.commands.StepOver(); });
}

void Workbench::StepOut() {
    Debug([this] { return session.commands.StepOut(); });
}

void Workbench::StepBack() {
    Debug([this] {
        session.commands.Back();
        return DebugPause{};
    });
}

void Workbench::TravelTo(LogPosition position) {
    if (session.debugger.RowOf(position) == session.debugger.CurrentRow()) return;
    Debug([this, position] {
        session.commands.GoTo(position);
        return DebugPause{};
    });
}

void Workbench::Continue() {
    Debug([this] { return session.commands.Continue(); });
}

void Workbench::RunToLine(int line) {
    if (!SourceCurrent() || !session.commands.LineAddress(line)) return;
    Debug([this, line] { return session.commands.RunToLine(line).value_or(DebugPause{}); });
}

void Workbench::ApplyRegisterEdits() {
    processorWindow->ApplyRegisterEdits();
    // The run goes on from the edited registers; going back stops here.
    session.debugger.Rebase();
    RefreshViews();
    ShowWhere();
}

void Workbench::Compiled(const Assembly& assembly) {
    openCase_.clear();
    session.source.Set(assembly);
    compiledText_ = assemblerWindow->sourceEditor->toPlainText();
    EndTextMarks();
    ShowWhere();
}

void Workbench::TextReplaced() {
    session.source.Clear();
    compiledText_.clear();
    EndTextMarks();
    ShowWhere();
}

void Workbench::EndTextMarks() {
    textMarks_ = false;
    endNoticeShown_ = false;
    pause_ = {};
}

// New code in RAM is a new program: the run there was is over.
void Workbench::CodeCopied() {
    LeaveCase();
    session.debugger.Forget();
    showRunLine_ = false;
    EndTextMarks();
    RefreshViews();
    ShowWhere();
}

bool Workbench::SourceCurrent() const {
    return !session.source.Empty() && assemblerWindow->sourceEditor->toPlainText() == compiledText_;
}

std::vector<int> Workbench::BreakpointLines() const {
    if (!SourceCurrent()) return {};
    const std::set<int> lines = assemblerWindow->sourceEditor->Breakpoints();
    return {lines.begin(), lines.end()};
}

std::set<Value> Workbench::BreakpointAddresses() const {
    std::set<Value> addresses = ramBreakpoints_;
    for (const int line : BreakpointLines()) {
        if (const auto address = session.commands.LineAddress(line)) addresses.insert(*address);
    }
    return addresses;
}

void Workbench::ClearBreakpoints() {
    ramBreakpoints_.clear();
    assemblerWindow->sourceEditor
        ->ClearBreakpoints();  // shows them again through BreakpointsChanged
}

void Workbench::ToggleRamBreakpoint(Value address) {
    if (!ramBreakpoints_.erase(address)) ramBreakpoints_.insert(address);
    BreakpointsChanged();
}

bool Workbench::RamBreakpoint(Value address) const {
    return ramBreakpoints_.count(address) != 0;
}

void Workbench::BreakpointsChanged() {
    const MachineState& state = session.machine.State();
    ramWindow->MarkRows(showRunLine_ ? state.pc : -1, showRunLine_ ? state.sp : -1,
                        BreakpointAddresses());
}

void Workbench::ShowWhere() {
    const MachineState& state = session.machine.State();
    processorWindow->LightChanges(shownState_, state);
    ramWindow->LightChanges(shownState_, state);
    shownState_ = state;
    BreakpointsChanged();
    ShowRunLine();
    // A hidden log costs nothing; it catches up when shown.
    if (logWindow->isVisible()) logWindow->Update();
}

// The line of the instruction at PC; once the run has ended, the line of the instruction that
// ended it, for PC has moved past it.
void Workbench::ShowRunLine() {
    CodeEditor& editor = *assemblerWindow->sourceEditor;
    const Machine& machine = session.machine;
    const bool ended = session.debugger.Started() && session.debugger.Ended();
    const Value at = ended ? machine.State().commandAddress : machine.State().pc;
    int line = 0;
    QString notice;
    if (showRunLine_ && textMarks_ && !session.source.Empty()) {
        if (!SourceCurrent()) {
            notice = SourceChangedNotice();
        } else {
            line = session.source.LineAt(machine, at);
            if (line == 0 && session.source.Holds(at)) notice = CodeChangedNotice(at);
        }
    }
    if (notice.isEmpty() && CaseRunPaused() && session.debugger.Step() == 0)
        notice = QString::fromStdString(CaseOpenedNotice(openCase_.toStdString()));
    if (notice.isEmpty() && !ended &&
        (pause_.reason == DebugPause::Reason::Breakpoint ||
         pause_.reason == DebugPause::Reason::Watchpoint))
        notice = PauseNotice(pause_, line, at);
    if (const RomRoutine* routine = machine.Routines().Holding(at);
        notice.isEmpty() && routine != nullptr && session.debugger.Paused())
        notice = RomRoutineNotice(routine->name);
    if (endNoticeShown_) notice = ProgramEndedNotice();
    editor.ShowRunLine(line);
    editor.ShowNotice(notice);
}

void Workbench::SetSpeed(int stepsPerSecond) {
    stepsPerSecond_ = stepsPerSecond;
}

// Each step of a slow run is shown as it happens; the wait for the next ends early when the user
// stops the run or closes the program.
void Workbench::PaceStep() {
    betweenSteps_ = true;
    RefreshViews();
    ShowWhere();
    const qint64 interval = 1'000'000'000 / std::max(1, stepsPerSecond_);
    const qint64 due = lastStepAt_ + interval;
    paceTimer_.start(
        static_cast<int>(std::max<qint64>(0, due - clock_.nsecsElapsed()) / 1'000'000));
    while (clock_.nsecsElapsed() < due && !stopAsked_ && !closing && stepsPerSecond_ > 0)
        HandleEvents(QEventLoop::WaitForMoreEvents);
    paceTimer_.stop();
    lastStepAt_ = clock_.nsecsElapsed();
    betweenSteps_ = false;
    if (closing) StopProgram();
}

void Workbench::ShowLogWindow(bool shown) {
    const bool first = shown && !logPlaced_;
    const auto place = [this] {
        PlaceLogWindow(Windows(), *logWindow, logWindow->UsefulHeight());
    };
    if (first) {
        place();
        logPlaced_ = true;
    }
    logWindow->setVisible(shown);
    if (shown) logWindow->Update();
    if (first) PlaceAgainWhenFramed(*logWindow, place);
}

void Workbench::PlaceAgainWhenFramed(QWidget& window, std::function<void()> place) {
    constexpr int kInterval = 20;  // milliseconds
    constexpr int kTries = 50;     // without a window manager, frames never come
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window,
                     [&window, timer, place = std::move(place), tries = 0]() mutable {
                         const bool framed = window.frameGeometry() != window.geometry();
                         if (!framed && ++tries < kTries) return;
                         timer->deleteLater();
                         timer->stop();
                         if (framed) place();
                     });
    timer->start(kInterval);
}

bool Workbench::LogWindowShown() const {
    return logWindow && logWindow->isVisible();
}

}  // namespace q42
