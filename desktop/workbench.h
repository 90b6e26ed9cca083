#pragma once
// The desktop program's one machine, its texts and its six windows, and the hooks through which
// the core's run loop and display reach the windows. Windows show the machine's state and
// forward what the user does; every rule lives in the core.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <string>

#include "assembler/asm_texts.h"
#include "desktop/user_dialogs.h"
#include "machine/machine.h"
#include "session/decoder.h"
#include "session/display.h"
#include "session/run_control.h"

namespace q42 {

class AssemblerWindow;
class IntermediateTextWindow;
class RamWindow;
class DisplayWindow;
class ProcessorWindow;
class DecodingDialog;
struct ProgramWindows;
class GuideWindow;

class Workbench : public DisplayHost, public RunHost, public AsmWarnings {
  public:
    explicit Workbench(UserDialogs& dialogs);
    ~Workbench() override;
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // The program's start-up: the machine with its ROM image (messages before any window), then
    // the six windows, then the main window shown.
    void Start(const std::filesystem::path& romFile, MessageSink& messages);
    // Creates the six windows in their order; the processor window places and shows the
    // machine windows.
    void CreateWindows();

    Machine machine;
    Display display{machine, *this};
    RunControl run{machine, display, *this};
    AssemblerTexts texts;
    AsmOptions options;
    Decoder decoder;
    std::string decodeAddress = "0000";
    UserDialogs& dialogs;
    bool closing = false;  // the main window was closed: every wait and run ends

    std::unique_ptr<AssemblerWindow> form1;
    std::unique_ptr<IntermediateTextWindow> form2;
    std::unique_ptr<RamWindow> ramWindow;
    std::unique_ptr<DisplayWindow> displayWindow;
    std::unique_ptr<ProcessorWindow> processor;
    std::unique_ptr<DecodingDialog> decodeDialog;
    std::unique_ptr<GuideWindow> guideWindow;  // made when the guide is first asked for

    // Repaints the register fields, RAM cells and screen where the machine changed something.
    void RefreshViews();
    // After a run or a step: the views repainted, and the keyboard back where it was if input
    // took it to the display window.
    void CommandDone();
    // Places the windows again once the window manager has framed them (a little after they
    // first show), so that they stand by their outer edges.
    void PlaceWindowsWhenFramed();
    // The five windows that stand on the screen, for their layout.
    ProgramWindows Windows();
    // Shows the decoding dialog modally, starting at decodeAddress.
    void ShowDecoder();
    // Ends a run or an input wait because the program is closing.
    void Close();

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
    // AsmWarnings
    void Warn(const std::string& text) override;

  private:
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
