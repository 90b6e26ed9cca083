#pragma once
// The desktop program's one session and its six windows, and the hooks through which the core's
// run loop and display reach the windows. Windows show the session's state and send what the
// user does up through ProgramCommands; the workbench carries the commands out, so that what one
// window needs from another goes through here. Every rule lives in the core.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "desktop/program_commands.h"
#include "desktop/user_dialogs.h"
#include "session/session.h"

namespace q42 {

class AssemblerWindow;
class IntermediateTextWindow;
class RamWindow;
class DisplayWindow;
class ProcessorWindow;
class DecodingDialog;
struct ProgramWindows;
class GuideWindow;
class LogWindow;
class LessonsWindow;
struct Exercise;
struct ExerciseCase;

class Workbench : public DisplayHost, public RunHost, public ProgramCommands {
  public:
    explicit Workbench(UserDialogs& dialogs);
    ~Workbench() override;
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // The program's start-up: the machine with its ROM image (messages before any window), then
    // the six windows, then the main window shown.
    void Start(const std::filesystem::path& romFile, MessageSink& messages);
    // Creates the six windows in their order, has the assembler window's View marks follow the
    // others, places the windows and shows the machine windows.
    void CreateWindows();

    Session session{*this, *this};
    UserDialogs& dialogs;
    bool closing = false;  // the main window was closed: every wait and run ends

    std::unique_ptr<AssemblerWindow> assemblerWindow;
    std::unique_ptr<IntermediateTextWindow> intermediateWindow;
    std::unique_ptr<RamWindow> ramWindow;
    std::unique_ptr<DisplayWindow> displayWindow;
    std::unique_ptr<ProcessorWindow> processorWindow;
    std::unique_ptr<DecodingDialog> decodingDialog;
    std::unique_ptr<LogWindow> logWindow;
    std::unique_ptr<GuideWindow> guideWindow;      // made when the guide is first asked for
    std::unique_ptr<GuideWindow> howToUseWindow;   // Help > How to use, made when first asked for
    std::unique_ptr<LessonsWindow> lessonsWindow;  // Help > Lessons, made when first asked for

    // After a run or a step: the views repainted with where the run is, and the keyboard back
    // where it was if input took it to the display window.
    void CommandDone();
    // The five windows that stand on the screen, for their layout.
    ProgramWindows Windows();

    // ProgramCommands
    void BuildAndRun() override;
    void LoadAndRun() override;
    void RunProgram() override;
    void StopProgram() override;
    void FirstCommand() override;
    void NextCommand() override;
    void ApplyRegisterEdits() override;
    // Debugging (workbench_debug.cpp).
    void Continue() override;
    void StepOver() override;
    void StepOut() override;
    void RunToLine(int line) override;
    void StepBack() override;
    void TravelTo(LogPosition position) override;
    void ClearBreakpoints() override;
    void ToggleRamBreakpoint(Value address) override;
    bool RamBreakpoint(Value address) const override;
    void BreakpointsChanged() override;
    void SetSpeed(int stepsPerSecond) override;
    void Compiled(const Assembly& assembly) override;
    void CodeCopied() override;
    void TextReplaced() override;
    void CheckExercise() override;
    void ShowLogWindow(bool shown) override;
    bool LogWindowShown() const override;
    // Shows the decoding dialog modally, starting at the address.
    void DecodeFrom(Value address) override;
    void RefreshViews() override;
    void GatherIntermediateText() override;
    void ShowIntermediateText() override;
    void ShowMachineWindows(bool shown) override;
    bool MachineWindowsShown() const override;
    void ShowIntermediateWindow(bool shown) override;
    bool IntermediateWindowShown() const override;
    void ShowGuide(const QString& title) override;
    void ShowHowToUse(const QString& title) override;
    void ShowLessons(const QString& title) override;
    // Places the windows again once the window manager has framed them (a little after they
    // first show), so that they stand by their outer edges.
    void PlaceWindowsWhenFramed() override;
    void Close() override;

    // RunHost: events are handled about every millisecond and the views repainted about 50
    // times a second, reading the clock only every few hundred steps.
    std::int64_t StepsBeforeEvents() override;
    void ProcessEvents(std::int64_t steps) override;
    void SetRunState(bool running) override;
    void ShowDisplay() override;
    // DisplayHost
    void BeginLineInput() override;
    std::string InputLineText() override;
    void HideInputLine() override;
    void BeginKeyWait() override;
    bool WaitForEvents() override;

  private:
    // Shows a window of its own with `title`, in front, with the keyboard.
    void Bring(QWidget& window, const QString& title);
    // Checks the editor's program against `exercise` and shows the results titled by `title`;
    // a case chosen there is opened in the debugger.
    void CheckEditorProgram(const Exercise& exercise, const QString& title);
    // The editor's program compiled and the case's start loaded, paused at the first
    // instruction (workbench_case.cpp).
    void OpenExerciseCase(const ExerciseCase& exerciseCase);
    // A case opened in the debugger is paused, and the editor holds the text compiled for it:
    // a run goes on from where it is, with the case's start, rather than starting anew.
    bool CaseRunPaused() const;
    // Nothing of the case is kept for the next run: its typed-ahead input, its screen language.
    void LeaveCase();
    // The lessons window's buttons and links.
    void StartLessonExercise(const QString& name);
    void CheckLessonExercise(const QString& name);
    void FollowLessonLink(const QUrl& url);
    // The windows whose being shown the View menu's check marks follow.
    std::array<QWidget*, 5> MarkedWindows();

    // Debugging (workbench_debug.cpp).
    // Carries out a command of the session, unless a run or step is in progress: the
    // breakpoints the user sees handed over first, and where it paused shown after.
    template <class Command>
    void Debug(Command command);
    // The source lines with a breakpoint, when the editor holds the text compiled last.
    std::vector<int> BreakpointLines() const;
    // The addresses with a breakpoint: the RAM window's and those of the source lines.
    std::set<Value> BreakpointAddresses() const;
    // The compiled text is the one in the editor.
    bool SourceCurrent() const;
    // Where the run is: the line being run (or why none is shown), the marked RAM rows, the
    // fields and words changed since they were last shown lit, and the log.
    void ShowWhere();
    void ShowRunLine();
    // The line being run, its notice and the pause's notice go from the text until the next
    // command; the RAM window's rows at PC and SP, which show the machine, stay.
    void EndTextMarks();
    // Between two steps of a slow run: the views show the step, then the wait for the next.
    void PaceStep();
    // A window was placed by an estimate of its frame; its own, with a resize handle, may be
    // larger: once framed, it is placed again by `place`.
    void PlaceAgainWhenFramed(QWidget& window, std::function<void()> place);

    std::set<Value> ramBreakpoints_;
    int stepsPerSecond_ = 0;  // 0: as fast as the machine can
    qint64 lastStepAt_ = 0;
    QTimer paceTimer_;
    bool stopAsked_ = false;       // the user asked the current command to stop
    bool betweenSteps_ = false;    // a slow run waits between two steps
    bool showRunLine_ = false;     // a step or run has happened since the code last changed
    bool textMarks_ = false;       // ... and since the text was last compiled or replaced
    bool endNoticeShown_ = false;  // F7 after the end said so instead of stepping
    bool logPlaced_ = false;       // placed when it first showed; then it stays where put
    QString compiledText_;         // the editor's text when it was last compiled
    QString openCase_;  // the name of the case opened in the debugger, while its run goes on
    bool typedLine_ = false;       // the line input took a line typed ahead
    DebugPause pause_;
    MachineState shownState_;

    // The controls show a run only once the user can see or use them, when events are first
    // handled during it: a run shorter than that leaves them as they were.
    bool controlsShowRun_ = false;
    void ShowRunStateOnControls(bool running);
    void HandleEvents(QEventLoop::ProcessEventsFlags flags);

    // The widget that had the keyboard before input took it to the display window.
    QPointer<QWidget> focusBeforeInput_;
    void RememberFocus();

    QElapsedTimer clock_;
    qint64 lastEvents_ = 0;
    qint64 lastPaint_ = 0;
};

}  // namespace q42
