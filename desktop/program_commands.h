#pragma once
// The commands a window sends up to the program: running and stepping, decoding, showing and
// hiding the other windows, and what the assembler window needs from the intermediate text
// window. The workbench carries them out, so that no window reaches another.

#include <QString>

#include <cstdint>

#include "machine/common.h"
#include "session/debugger.h"

namespace q42 {

class ProgramCommands {
  public:
    virtual ~ProgramCommands() = default;

    // Run control, as the menus and the processor window's buttons give it.
    // "1-4": preprocess, compile, load the code and run it.
    virtual void BuildAndRun() = 0;
    // "3-4": load the code text into RAM and run it.
    virtual void LoadAndRun() = 0;
    virtual void RunProgram() = 0;
    virtual void StopProgram() = 0;
    virtual void FirstCommand() = 0;
    virtual void NextCommand() = 0;
    // The debugger's commands. Continue and run-to-line go on with a paused run or start one;
    // the steps go on from where the machine is.
    virtual void Continue() = 0;
    virtual void StepOver() = 0;
    virtual void StepOut() = 0;
    virtual void RunToLine(int line) = 0;
    virtual void StepBack() = 0;
    // Takes the machine to the state after a row of the execution log.
    virtual void TravelTo(LogPosition position) = 0;
    virtual void ClearBreakpoints() = 0;
    virtual void ToggleRamBreakpoint(Value address) = 0;
    virtual bool RamBreakpoint(Value address) const = 0;
    // The source lines' breakpoints changed: the RAM window shows them again.
    virtual void BreakpointsChanged() = 0;
    // Steps per second for runs; 0 runs as fast as the machine can.
    virtual void SetSpeed(int stepsPerSecond) = 0;
    // Asks for an exercise file and checks the editor's program against it.
    virtual void CheckExercise() = 0;
    // Copies what the user typed into the register fields into the registers.
    virtual void ApplyRegisterEdits() = 0;
    // Opens the decoding dialog at an address.
    virtual void DecodeFrom(Value address) = 0;
    // Repaints the register fields, RAM cells and screen where the machine changed something.
    virtual void RefreshViews() = 0;

    // A text was compiled (successfully or not) or the code text copied into RAM: where the
    // line being run comes from changes. Compiling ends the marks a paused run left on the text.
    virtual void Compiled(const Assembly& assembly) = 0;
    virtual void CodeCopied() = 0;
    // The assembler or code text was replaced (a file or an example opened, the text cleared):
    // the marks a paused run left on the old text go, and the text is not compiled any more.
    virtual void TextReplaced() = 0;

    // The intermediate text: its window's text into the assembler window's view, and back.
    virtual void GatherIntermediateText() = 0;
    virtual void ShowIntermediateText() = 0;

    // The machine windows (RAM, display, processor) and the intermediate text window.
    virtual void ShowMachineWindows(bool shown) = 0;
    virtual bool MachineWindowsShown() const = 0;
    virtual void ShowIntermediateWindow(bool shown) = 0;
    virtual bool IntermediateWindowShown() const = 0;
    virtual void ShowLogWindow(bool shown) = 0;
    virtual bool LogWindowShown() const = 0;
    // Shows the guide window (made when first asked for) in front, with this title.
    virtual void ShowGuide(const QString& title) = 0;
    virtual void ShowHowToUse(const QString& title) = 0;
    virtual void ShowLessons(const QString& title) = 0;

    // When the main window first shows: the windows placed again once the window manager has
    // framed them.
    virtual void PlaceWindowsWhenFramed() = 0;
    // Ends a run or an input wait because the program is closing.
    virtual void Close() = 0;
};

}  // namespace q42
