#pragma once
// The texts the windows write as things happen, in the interface language: what a pause says,
// why the line being run is not shown, the log's columns, the speeds, and the results of
// checking an exercise.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

#include "machine/common.h"
#include "session/debugger.h"

namespace q42 {

// Why a command paused, at which line (0: none known) and address.
QString PauseNotice(const DebugPause& pause, int line, Value pc);
// The text was edited after it was compiled: its lines no longer match the code.
QString SourceChangedNotice();
// The word at PC is not the one compiled from the text there.
QString CodeChangedNotice(Value pc);
// Paused inside a routine of the ROM: which one, and the key that steps out of it.
QString RomRoutineNotice(const std::string& routine);
// F7 after the program has ended: how to run it again or step it from the start.
QString ProgramEndedNotice();

// The execution log's column titles: address, statement, changes, explanation.
QStringList LogColumnTitles();
// A step's changes in one line: "R0 0001→0002, PC 0004→0006".
QString ChangesText(const StepExplanation& explanation);

// The speeds the processor window offers, in steps per second; 0 is the maximum.
inline constexpr int kSpeeds[] = {1, 2, 5, 10, 25, 0};
QString SpeedName(int stepsPerSecond);

// The RAM window's context menu item for a row's breakpoint.
QString RamBreakpointItem(bool set);

// Checking an exercise: the file dialog's filter (the results' texts are the core's,
// exercise/result_texts.h).
QString ExerciseFilter();

}  // namespace q42
