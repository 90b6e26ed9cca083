#include "session/session.h"

namespace q42 {

Session::Session(DisplayHost& displayHost, RunHost& runHost, RunHistory runHistory)
    : display(machine, displayHost), run(machine, display, runHost) {
    machine.AttachTerminal(&display);  // the machine's text output and keyboard go to this screen
    if (runHistory == RunHistory::None) run.SetHistory(nullptr);
}

void Session::UseMachine(const Machine& loaded) {
    machine = loaded;
    // A machine the views have not shown: every register and RAM cell counts as changed.
    machine.Restore(loaded.State());
    machine.AttachTerminal(&display);
}

}  // namespace q42
