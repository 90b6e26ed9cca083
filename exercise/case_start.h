#pragma once
// What a case of an exercise starts from, set up once for every place that runs a case: the
// checker's run of each case, and the debugger of the desktop program, the page and q42cli when
// the user opens a case to see why it failed.

#include <string>
#include <vector>

#include "exercise/exercise_file.h"
#include "machine/machine.h"
#include "session/code_loading.h"
#include "session/session.h"

namespace q42 {

// `fresh` becomes a machine with nothing but the ROM image of `rom` and the code text in RAM, as
// every case starts; the loader's error when a code line cannot be read.
CodeCopy LoadForCase(Machine& fresh, const Machine& rom, const std::vector<std::string>& codeText);

// Sets the case's start in a session whose run has just begun (the program in RAM, the run's
// resets done): its RAM words and registers, and its input lines and keys typed ahead, so that
// the program's line inputs take the lines in order and its key reads the keys, one as each is
// read (any number fits the keyboard buffer).
void SetCaseStart(Session& session, const ExerciseCase& exerciseCase);

// Opens the case in the session's debugger: the machine becomes a copy of `loaded` (made by
// LoadForCase), the screen takes the case's language, and a run begins from the case's start,
// paused before its first step. Going back stops at that start, and what was typed ahead before
// is forgotten. A face that leaves the case resets the screen's language.
void OpenCase(Session& session, const Machine& loaded, const ExerciseCase& exerciseCase);

// Whether a student may open the case in the debugger: a case the teacher keeps hidden shows
// a student only its name and verdict, never its start. Every case may be opened by whoever
// checks with the teacher's view (q42cli).
bool StudentMayOpen(const ExerciseCase& exerciseCase);

// The case named `nameOrNumber` (its name, or its number counted from 1), or -1.
int FindCase(const Exercise& exercise, const std::string& nameOrNumber);

}  // namespace q42
