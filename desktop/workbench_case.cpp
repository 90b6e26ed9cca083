// A case of an exercise opened in the debugger from the results of a check: the editor's
// program compiled and copied in, then the case's start on a fresh machine, paused at the first
// instruction. Its run goes on with F7, F9 or F6 until it ends, or until the text is compiled
// again or other code is copied in; then F9 runs the program as always.

#include "desktop/assembler_window.h"
#include "desktop/code_editor.h"
#include "desktop/qt_text.h"
#include "desktop/workbench.h"
#include "exercise/case_start.h"

namespace q42 {

void Workbench::OpenExerciseCase(const ExerciseCase& exerciseCase) {
    if (session.run.Busy() || !StudentMayOpen(exerciseCase)) return;
    if (!assemblerWindow->PreprocessAndCompile() || !assemblerWindow->CopyCode()) return;
    Machine loaded;
    LoadForCase(loaded, session.machine,
                LinesFromQt(assemblerWindow->codeWordsEditor->toPlainText()));
    OpenCase(session, loaded, exerciseCase);
    openCase_ = ToQt(exerciseCase.name);
    showRunLine_ = true;
    textMarks_ = true;
    pause_ = {};
    CommandDone();
    assemblerWindow->activateWindow();
    assemblerWindow->sourceEditor->setFocus();
}

void Workbench::LeaveCase() {
    openCase_.clear();
    session.typed.Clear();
    session.display.screenLanguage.reset();
}

bool Workbench::CaseRunPaused() const {
    return !openCase_.isEmpty() && session.debugger.Paused() && SourceCurrent();
}

}  // namespace q42
